#include "ladder.h"

#include "dealing/family_dealer.h"
#include "quiz/quiz_logic.h"

namespace zelkon {

namespace {

constexpr std::int32_t kSizes[] = {4, 7, 10, 13};

bool Known(FamilyIndex family) {
    return family >= 0 && family < kFamilyCount;
}

}  // namespace

std::int32_t FamilySizeFrom(FamilyIndex family, std::int32_t tiles) {
    for (const std::int32_t size : kSizes) {
        if (size >= tiles && FamilyHasHand(family, size)) {
            return size;
        }
    }
    return 0;
}

void Ladder::Enter(FamilyIndex family) {
    m_at = family;
    m_tiles = FamilySizeFrom(family, 4);
    m_streak = 0;
    m_misses = 0;
}

void Ladder::Start(FamilyIndex family) {
    m_chosen = Known(family) ? family : kNoFamily;
    Enter(Known(family) ? family : 0);
}

void Ladder::Restore(FamilyIndex family, FamilyIndex at, std::int32_t tiles) {
    Start(family);
    const bool fits = m_chosen == kNoFamily ? Known(at) : at == m_chosen;
    if (fits && FamilySizeFrom(at, tiles) == tiles) {
        m_at = at;
        m_tiles = tiles;
    }
}

LadderAnswer LadderAnswerOf(const QuizLogic& quiz) {
    if (!quiz.fullyRight()) {
        return LadderAnswer::Missed;
    }
    return quiz.hintsUsed() > 0 ? LadderAnswer::Hinted : LadderAnswer::FullyRight;
}

bool Ladder::Record(LadderAnswer answer) {
    if (answer == LadderAnswer::Hinted) {
        m_streak = 0;
        return false;
    }
    if (answer == LadderAnswer::Missed) {
        m_streak = 0;
        if (++m_misses < kLadderDropMisses) {
            return false;
        }
        m_misses = 0;
        const std::int32_t lowest = FamilySizeFrom(m_at, 4);
        std::int32_t lower = m_tiles;
        for (std::int32_t size = m_tiles - 3; size >= lowest; size -= 3) {
            if (FamilySizeFrom(m_at, size) == size) {
                lower = size;
                break;
            }
        }
        const bool moved = lower != m_tiles;
        m_tiles = lower;
        return moved;
    }
    m_misses = 0;
    if (++m_streak < kLadderClimbStreak) {
        return false;
    }
    m_streak = 0;
    if (const std::int32_t up = FamilySizeFrom(m_at, m_tiles + 1); m_tiles < 13 && up != 0) {
        m_tiles = up;
        return true;
    }
    // Passed at 13 tiles: the catalogue walk goes on to the next family; a chosen one stays.
    if (m_chosen != kNoFamily) {
        return false;
    }
    Enter((m_at + 1) % kFamilyCount);
    return true;
}

}  // namespace zelkon
