// A reproducible draw source for tests, installed with SetRandomSource; counts its draws.
#pragma once

#include <cstdint>

#include "dealing/random_source.h"

namespace zelkon::test {

struct DrawLog {
    std::uint32_t state = 1;
    long count = 0;
    int last = 0;
};

inline DrawLog& Draws() {
    static DrawLog log;
    return log;
}

inline int SeededDraw() {
    DrawLog& log = Draws();
    log.state = log.state * 1103515245u + 12345u;
    log.last = static_cast<int>((log.state >> 16) & 0x7fffu);
    ++log.count;
    return log.last;
}

// Restarts the sequence at seed and installs it; returns nothing to undo: tests keep it.
inline void UseSeededDraws(std::uint32_t seed) {
    Draws() = DrawLog{seed, 0, 0};
    SetRandomSource(&SeededDraw);
}

}  // namespace zelkon::test
