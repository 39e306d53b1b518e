// Template bodies of hand_space.h.
#pragma once

template <std::size_t N>
bool zelkon::HandSpace<N>::Next(std::array<TileNumber, N>& hand) {
    constexpr std::size_t kLow = kMinTile;
    constexpr std::size_t kHigh = kMaxTile;
    std::size_t refill = N;
    std::size_t from = kLow;
    if (m_started) {
        // The rightmost number that can give up a copy to the numbers above it.
        std::size_t suffix = 0;
        std::size_t i = kHigh;
        for (; i >= kLow; --i) {
            if (m_counts[i] > 0 && suffix + 1 <= 4 * (kHigh - i)) {
                break;
            }
            suffix += static_cast<std::size_t>(m_counts[i]);
        }
        if (i < kLow) {
            return false;
        }
        --m_counts[i];
        refill = suffix + 1;
        from = i + 1;
    }
    m_started = true;
    for (std::size_t n = from; n <= kHigh; ++n) {
        m_counts[n] = static_cast<int>(refill < 4 ? refill : 4);
        refill -= static_cast<std::size_t>(m_counts[n]);
    }
    std::size_t p = 0;
    for (std::size_t n = kLow; n <= kHigh; ++n) {
        // The counts always sum to N; the bound on p only tells the optimiser so.
        for (int c = 0; c < m_counts[n] && p < N; ++c) {
            hand[p++] = static_cast<TileNumber>(n);
        }
    }
    return true;
}

template <std::size_t N>
constexpr long zelkon::HandSpaceSize() {
    // ways[t]: hands of t tiles over the numbers seen so far.
    std::array<long, N + 1> ways{};
    ways[0] = 1;
    for (int n = kMinTile; n <= kMaxTile; ++n) {
        std::array<long, N + 1> next{};
        for (std::size_t t = 0; t <= N; ++t) {
            for (std::size_t c = 0; c <= 4 && c <= t; ++c) {
                next[t] += ways[t - c];
            }
        }
        ways = next;
    }
    return ways[N];
}
