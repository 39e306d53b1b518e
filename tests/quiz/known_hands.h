// Hands whose waits and best readings are known, with the answer text they must produce.
#pragma once

#include <array>
#include <ostream>
#include <string_view>

#include "analysis/problem.h"

namespace zelkon::test {

struct KnownHand {
    const char* name;
    Hand13 hand;
    std::array<int, 10> isWait;
    std::string_view answer;
};

inline const std::array<KnownHand, 4> kKnownHands{{
    {"nine gates: every number, a limit hand each",
     {1, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9},
     {0, 1, 1, 1, 1, 1, 1, 1, 1, 1},
     "＜待ち牌と複合役＞\r\n"
     "  [1]   九連宝燈  \r\n"
     "  [2]   九連宝燈  \r\n"
     "  [3]   九連宝燈  \r\n"
     "  [4]   九連宝燈  \r\n"
     "  [5]   九連宝燈  \r\n"
     "  [6]   九連宝燈  \r\n"
     "  [7]   九連宝燈  \r\n"
     "  [8]   九連宝燈  \r\n"
     "  [9]   九連宝燈  \r\n"},
    {"simples, pinfu with one and two double runs",
     {2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8},
     {0, 0, 1, 0, 0, 1, 0, 0, 1, 0},
     "＜待ち牌と複合役＞\r\n"
     "  [2]   平和  タンヤオ  \r\n"
     "  [5]   平和  タンヤオ  一盃口  \r\n"
     "  [8]   平和  タンヤオ  二盃口  \r\n"},
    {"waits without a pattern",
     {2, 3, 4, 5, 6, 7, 8, 8, 8, 9, 9, 9, 9},
     {0, 1, 0, 0, 1, 0, 0, 1, 0, 0},
     "＜待ち牌と複合役＞\r\n"
     "  [1]   一気通貫  \r\n"
     "  [4]   なし\r\n"
     "  [7]   なし\r\n"},
    {"three triplets: closed wait and single wait",
     {1, 1, 1, 3, 3, 3, 5, 5, 5, 7, 7, 7, 9},
     {0, 0, 0, 0, 0, 0, 0, 0, 1, 1},
     "＜待ち牌と複合役＞\r\n"
     "  [8]   三暗刻  \r\n"
     "  [9]   四暗刻単騎  \r\n"},
}};

inline void PrintTo(const KnownHand& known, std::ostream* os) {
    *os << known.name;
}

}  // namespace zelkon::test
