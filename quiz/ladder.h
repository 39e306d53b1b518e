// 段階練習: one family drilled up the sizes, from its core's size to 13 tiles, a step up after a
// run of fully right answers and a step down after misses.
#pragma once

#include <cstdint>

#include "analysis/shape_family.h"

namespace zelkon {

// Three fully right in a row: a player who knows the form (90 % right) climbs after about four
// problems, one who guesses at half climbs after about fourteen.
inline constexpr std::int32_t kLadderClimbStreak = 3;
// Two misses in a row: one slip at a new size does not undo the climb.
inline constexpr std::int32_t kLadderDropMisses = 2;

// The smallest size (4, 7, 10, 13) at least tiles at which family has a hand, or 0 for none.
std::int32_t FamilySizeFrom(FamilyIndex family, std::int32_t tiles);

enum class LadderAnswer : std::int32_t {
    FullyRight,
    Hinted,  // right after a hint: the streak starts again, but it is no miss
    Missed,
};

class QuizLogic;
// How the answered question of quiz counts on the ladder.
LadderAnswer LadderAnswerOf(const QuizLogic& quiz);

class Ladder {
public:
    // family: the one to drill; kNoFamily walks the catalogue in its order, each family from its
    // core's size to 13, then the next. Starts at the family's smallest size.
    void Start(FamilyIndex family);
    // Back to a position kept from an earlier run; one that cannot be dealt starts over.
    void Restore(FamilyIndex family, FamilyIndex at, std::int32_t tiles);

    // The family and size of the next problem.
    FamilyIndex family() const { return m_at; }
    std::int32_t tiles() const { return m_tiles; }
    // The family chosen, kNoFamily for the whole catalogue.
    FamilyIndex chosen() const { return m_chosen; }
    std::int32_t streak() const { return m_streak; }

    // One answer to a problem of the current step; true when the step moved.
    bool Record(LadderAnswer answer);

private:
    void Enter(FamilyIndex family);

    FamilyIndex m_chosen = kNoFamily;
    FamilyIndex m_at = 0;
    std::int32_t m_tiles = 4;
    std::int32_t m_streak = 0;
    std::int32_t m_misses = 0;
};

}  // namespace zelkon
