#include "random_source.h"

namespace zelkon {

void GlibcRandom::Seed(std::uint32_t seed) {
    if (seed == 0) {
        seed = 1;
    }
    m_state[0] = seed;
    // 16807 * word mod (2^31 - 1) by Schrage's method. As in glibc the word is a signed 32-bit
    // integer, so a seed of 2^31 or more starts out negative.
    auto word = static_cast<std::int32_t>(seed);
    for (int i = 1; i < kDegree; ++i) {
        const std::int32_t hi = word / 127773;
        const std::int32_t lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) {
            word += 2147483647;
        }
        m_state[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(word);
    }
    m_front = kSeparation;
    m_rear = 0;
    for (int i = 0; i < 10 * kDegree; ++i) {
        Next();
    }
}

std::int32_t GlibcRandom::Next() {
    std::uint32_t& front = m_state[static_cast<std::size_t>(m_front)];
    front += m_state[static_cast<std::size_t>(m_rear)];
    const auto result = static_cast<std::int32_t>(front >> 1);
    m_front = m_front + 1 == kDegree ? 0 : m_front + 1;
    m_rear = m_rear + 1 == kDegree ? 0 : m_rear + 1;
    return result;
}

namespace {

GlibcRandom carried;

int CarriedDraw() {
    return carried.Next();
}

RandomSource currentSource = CarriedDraw;

}  // namespace

int Draw() {
    return currentSource();
}

RandomSource SetRandomSource(RandomSource source) {
    const RandomSource previous = currentSource;
    currentSource = source != nullptr ? source : CarriedDraw;
    return previous;
}

void SeedDraws(std::uint32_t seed) {
    carried.Seed(seed);
}

}  // namespace zelkon
