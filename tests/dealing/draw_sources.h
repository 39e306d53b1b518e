// Replacement draw sources for the dealing tests. A source is a plain function, so the state it
// counts or follows lives here, one test at a time.
#pragma once

#include <cstdlib>
#include <vector>

#include "dealing/random_source.h"

namespace zelkon::tests {

// Value of draw number index (0-based) for a scripted source.
using Script = int (*)(int index);

struct DrawState {
    int count = 0;
    Script script = nullptr;
    std::vector<int> log;
};

inline DrawState& Draws() {
    static DrawState state;
    return state;
}

// rand() itself, counted and logged, so a seeded deal can be replayed.
inline int RecordedDraw() {
    const int value = std::rand();
    ++Draws().count;
    Draws().log.push_back(value);
    return value;
}

inline int ScriptedDraw() {
    DrawState& state = Draws();
    return state.script(state.count++);
}

// Installs a source for one test and restores the previous one, failing or not.
class ScopedSource {
public:
    explicit ScopedSource(RandomSource source) : m_previous(SetRandomSource(source)) {
        Draws() = DrawState{};
    }
    explicit ScopedSource(Script script) : ScopedSource(ScriptedDraw) { Draws().script = script; }
    ~ScopedSource() { SetRandomSource(m_previous); }
    ScopedSource(const ScopedSource&) = delete;
    ScopedSource& operator=(const ScopedSource&) = delete;

private:
    RandomSource m_previous;
};

}  // namespace zelkon::tests
