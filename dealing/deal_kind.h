// How a problem came to be on screen, as the window's dealer tells it.
#pragma once

namespace zelkon {

// The records store each kind as a word of their own (docs/records.md), mapped case by case, so
// the order here may change.
enum class DealKind {
    Plain,       // the dealer of the quiz, every hand
    Band,        // a band of wait counts
    WeakShapes,  // hands with a wait reached by the weakest shape
    Review,      // a due review card
    Entered,     // typed in by the player
    TimedRun,    // one of the ten problems of a timed run
    Family,      // hands of one shape family (形, 段階練習)
};

}  // namespace zelkon
