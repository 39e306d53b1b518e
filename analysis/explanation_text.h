// The explanation in words and tile groups, as the window's panel and the page both show it: every
// phrase from a table per language, so that neither front end words or groups anything itself.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "explanation.h"
#include "phrase_text.h"
#include "vocabulary.h"
#include "wait_in_hand.h"

namespace zelkon {

// %1 and %2 stand for what a phrase is filled with, in that order.
struct ExplanationPhrases {
    const char* dot;         // between numbers, and between pattern names
    const char* itemGap;     // between the items of one line
    const char* noPattern;   // a reading without patterns, in place of its value
    const char* han;         // %1 the han after the names
    const char* yakuman;     // after the names, from 13 han
    const char* shape;       // %1 a wait shape's name
    const char* right;       // %1 the caption of a picked wait
    const char* missed;      // %1 a missed wait's caption, or the summary's missed numbers
    const char* fifthNone;   // four in hand, and a fifth completes nothing
    const char* fifthShape;  // %1 the shape a fifth would complete
    const char* noReading;   // %1 the tiles always left over
    const char* notTenpai;   // the summary of a hand without a wait
    const char* waits;       // %1 the count, %2 the numbers
    const char* fullyRight;  // the summary's item when the picks are the waits
    const char* wrongPicks;  // %1 the numbers picked that are not waits
    const char* waitsOn;     // %1 the numbers the waiting tiles complete
};

const ExplanationPhrases& ExplanationPhrasesFor(Language language);

// Room for the longest line: a missed wait's caption with every pattern it can carry.
using ExplanationText = PhraseText<256>;

// The summary as its items, each to be kept whole: "待ち3種：2・5・8", "見逃し：5",
// "待ちでない牌の選択：3"; joined by the item gap they make the line.
struct SummaryItems {
    std::array<ExplanationText, 3> items;
    std::int32_t count = 0;
};

SummaryItems SummaryWords(const HandExplanation& explanation, NumberSet picks, Language language);

// "両面待ち　平和・タンヤオ（2翻）" for reading record of number n; a short hand's reading has no
// patterns, so its caption is the shape alone.
ExplanationText CaptionWords(const HandExplanation& explanation, TileNumber n, std::int32_t record,
                             Language language);

// The record a number's row shows: the best reading where it first appears, or -1 (a split, or
// four copies that complete nothing).
std::int32_t ShownRecord(const NumberExplanation& number);

// What a row's 「ほかの読み方」 opens: every distinct reading but the shown one, in table order;
// none without a shown reading.
struct OtherRecords {
    std::array<std::int32_t, kMaxExplainedReadings> records{};
    std::int32_t count = 0;
};

OtherRecords OtherRecordsOf(const NumberExplanation& number);

// Numbers get a row when they are waits, fifth copies or picks.
bool HasRow(const NumberExplanation& number, bool picked);

// The row's verdict: "正解：…", "見逃し：…", or why the number is not a wait.
ExplanationText VerdictWords(const HandExplanation& explanation, TileNumber n, bool picked,
                             Language language);

// "が1・4を待つ": beside the tiles of the wait as it stands in the hand.
ExplanationText WaitsOnWords(const WaitInHand& wait, Language language);

enum class TileGroupStyle : std::int32_t {
    Plain = 0,
    Outlined = 1,  // the block the winning tile completes
    Leftover = 2,  // tiles no block takes, set apart
};

// Tiles drawn side by side; groups stand apart by a gap.
struct TileGroup {
    std::array<TileNumber, 4> tiles{};
    std::int32_t count = 0;
    TileGroupStyle style = TileGroupStyle::Plain;
};

// A split of five blocks and fourteen tiles left over in fours is the most a line holds.
struct TileLine {
    std::array<TileGroup, kMaxBlocks + 4> groups{};
    std::int32_t count = 0;
};

TileGroup BlockGroup(const Block& block, TileGroupStyle style = TileGroupStyle::Plain);

// A reading's blocks, the winning one outlined.
TileLine ReadingTiles(const ExplainedReading& reading);

// What number n's row draws: its shown reading; else the four copies in hand, or the closest
// split with the leftover in groups of at most four.
TileLine RowTiles(const NumberExplanation& number, TileNumber n);

}  // namespace zelkon
