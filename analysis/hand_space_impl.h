// Template bodies of hand_space.h.
#pragma once

template <std::size_t N>
bool zelkon::HandSpace<N>::Next(std::array<TileNumber, N>& hand) {
    int refill = 0;
    int from = kMinTile;
    if (m_started) {
        // The rightmost number that can give up a copy to the numbers above it.
        int suffix = 0;
        int i = kMaxTile;
        for (; i >= kMinTile; --i) {
            if (m_counts[i] > 0 && suffix + 1 <= 4 * (kMaxTile - i)) {
                break;
            }
            suffix += m_counts[i];
        }
        if (i < kMinTile) {
            return false;
        }
        --m_counts[i];
        refill = suffix + 1;
        from = i + 1;
    } else {
        m_started = true;
        refill = static_cast<int>(N);
    }
    for (int n = from; n <= kMaxTile; ++n) {
        m_counts[n] = refill < 4 ? refill : 4;
        refill -= m_counts[n];
    }
    std::size_t p = 0;
    for (int n = kMinTile; n <= kMaxTile; ++n) {
        for (int c = 0; c < m_counts[n]; ++c) {
            hand[p++] = n;
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
