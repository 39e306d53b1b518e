// The draws of a deal. Players compare deals by seed, so every build draws what glibc's rand()
// draws: the generator is carried here rather than taken from the C library, whose rand() differs
// on other platforms (WebAssembly among them).
#pragma once

#include <array>
#include <cstdint>

namespace zelkon {

// Returns a non-negative number, as rand() does.
using RandomSource = int (*)();

// glibc's random() of type 3 (the one srand and rand use): an additive generator over 31 words,
// seeded by a Lehmer sequence and run 310 steps before its first output.
class GlibcRandom {
public:
    explicit GlibcRandom(std::uint32_t seed = 1) { Seed(seed); }
    void Seed(std::uint32_t seed);
    // 0 to 2^31 - 1.
    std::int32_t Next();

private:
    static constexpr int kDegree = 31;
    static constexpr int kSeparation = 3;
    std::array<std::uint32_t, kDegree> m_state{};
    int m_front = kSeparation;
    int m_rear = 0;
};

// The next draw of the current source.
int Draw();

// Installs source (nullptr restores the carried generator) and returns the one it replaces.
RandomSource SetRandomSource(RandomSource source);

// Seeds the carried generator as srand(seed) seeds glibc's; before any call it is seeded with 1.
void SeedDraws(std::uint32_t seed);

}  // namespace zelkon
