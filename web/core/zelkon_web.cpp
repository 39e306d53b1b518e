// The page's one way into the core: plain C functions over numbers, and one text buffer for what
// goes in or out as UTF-8. The quiz, the explanation and the dealing all stay in the core; this
// file only hands their results across.
#include <cstdint>
#include <string_view>

#include "analysis/decomposition.h"
#include "analysis/explanation.h"
#include "analysis/explanation_text.h"
#include "analysis/hand_fault_text.h"
#include "analysis/hand_notation.h"
#include "analysis/hint_text.h"
#include "analysis/hints.h"
#include "analysis/pattern_table.h"
#include "analysis/shape_family.h"
#include "analysis/vocabulary.h"
#include "analysis/wait_finder.h"
#include "analysis/wait_in_hand.h"
#include "dealing/family_dealer.h"
#include "dealing/random_source.h"
#include "quiz/deal_status.h"
#include "quiz/practice_dealer.h"
#include "quiz/quiz_logic.h"
#include "quiz/timed_run.h"

#define ZW_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace zelkon {
namespace {

// Raised whenever a function's meaning or arguments change; the page refuses another version.
constexpr std::int32_t kInterfaceVersion = 8;

constexpr std::size_t kTextCapacity = 2048;
char text[kTextCapacity];

QuizLogic quiz;
HandExplanation explanation;
bool explained = false;
HandNotationFault fault;
HandSizes faultSizes = kWaitingHandSizes;  // the sizes the reader that found fault took
Problem analysed;

// The window's dealer: bands, sizes, families and the ladder. With every hand at 13 tiles it deals
// exactly as DealProblem.
PracticeDealer dealer;

// The page's clock: the time the page passes in with each call that may read it.
class PageClock : public RunClock {
public:
    std::chrono::nanoseconds time{};
    std::chrono::nanoseconds now() const override { return time; }
};
PageClock pageClock;
TimedRun run(pageClock);

void SetTime(double milliseconds) {
    pageClock.time = std::chrono::nanoseconds(static_cast<std::int64_t>(milliseconds * 1e6));
}

std::int32_t PutText(std::string_view value) {
    const std::size_t length = value.size() < kTextCapacity ? value.size() : kTextCapacity;
    value.copy(text, length);
    return static_cast<std::int32_t>(length);
}

bool IsNumber(std::int32_t n) {
    return n >= kMinTile && n <= kMaxTile;
}

const NumberExplanation* Explained(std::int32_t n) {
    if (!IsNumber(n)) {
        return nullptr;
    }
    if (!explained) {
        ExplainTiles(quiz.sortedTiles(), explanation);
        explained = true;
    }
    return &explanation.numbers[static_cast<std::size_t>(n)];
}

const ExplainedReading* Reading(std::int32_t n, std::int32_t r) {
    const NumberExplanation* number = Explained(n);
    if (number == nullptr || r < 0 || r >= number->readingCount) {
        return nullptr;
    }
    return &number->readings[static_cast<std::size_t>(r)];
}

// The hints of the problem on screen: worked out once, as the window's panel does; only their
// words follow the language.
Hints hints;
bool hinted = false;
bool hintsOk = false;

const Hints* ProblemHints() {
    if (!hinted) {
        hintsOk = ComputeHints(quiz.sortedTiles(), hints);
        hinted = true;
    }
    return hintsOk ? &hints : nullptr;
}

void Changed() {
    explained = false;
    hinted = false;
}

}  // namespace
}  // namespace zelkon

using namespace zelkon;

ZW_EXPORT(zw_version) std::int32_t zw_version() {
    return kInterfaceVersion;
}

// The text buffer: the page writes a hand here before zw_enter and reads every text from here.
ZW_EXPORT(zw_text) char* zw_text() {
    return text;
}

ZW_EXPORT(zw_text_capacity) std::int32_t zw_text_capacity() {
    return static_cast<std::int32_t>(kTextCapacity);
}

// The window's first problem: the generator seeded, a deal, a drawn suit, sorted tiles.
ZW_EXPORT(zw_set_up) void zw_set_up(std::uint32_t seed) {
    quiz.SetUp(seed);
    dealer.noteShown();
    Changed();
}

// The next problem: band, sizes, families and the ladder as zw_set_band, zw_set_tiles,
// zw_set_family and zw_set_ladder left them.
ZW_EXPORT(zw_deal) void zw_deal(std::int32_t suitMode, std::int32_t sortMode) {
    quiz.NewProblem(suitMode, static_cast<std::uint8_t>(sortMode), &dealer);
    dealer.noteShown();
    Changed();
}

// As zw_deal within fewest to most waits; 1 and 9 (or any band holding all) deal exactly as the
// window.
ZW_EXPORT(zw_new_problem)
void zw_new_problem(std::int32_t suitMode, std::int32_t sortMode, std::int32_t fewest,
                    std::int32_t most) {
    dealer.setBand(WaitBand{fewest, most});
    zw_deal(suitMode, sortMode);
}

// 出題: band index in menu order (kBandTable), for the deals of zw_deal and the status line.
ZW_EXPORT(zw_set_band) void zw_set_band(std::int32_t band) {
    dealer.setBand(BandAt(band));
}

// How the next problem is dealt, as the window's status line words it.
ZW_EXPORT(zw_deal_status) std::int32_t zw_deal_status() {
    return PutText(DealStatusWords(dealer, {}, quiz.language()).view());
}

// 枚数: 4, 7, 10 or 13; anything else is 13.
ZW_EXPORT(zw_set_tiles) void zw_set_tiles(std::int32_t tiles) {
    dealer.setTiles(tiles);
}

// 形: a family of the catalogue, or -1 for every form. The ladder, when on, starts again on it.
ZW_EXPORT(zw_set_family) void zw_set_family(std::int32_t family) {
    if (family != dealer.family()) {
        dealer.setFamily(family);
    }
}

// 段階練習 on (starting at the chosen family's smallest size) or off.
ZW_EXPORT(zw_set_ladder) void zw_set_ladder(std::int32_t on) {
    dealer.setLadderOn(on != 0);
}

// Back to a step kept from an earlier visit; one that cannot be dealt starts over.
ZW_EXPORT(zw_restore_ladder) void zw_restore_ladder(std::int32_t at, std::int32_t tiles) {
    dealer.restoreLadder(at, tiles);
}

// The ladder's step: its family and size.
ZW_EXPORT(zw_ladder_family) std::int32_t zw_ladder_family() {
    return dealer.ladder().family();
}

ZW_EXPORT(zw_ladder_tiles) std::int32_t zw_ladder_tiles() {
    return dealer.ladder().tiles();
}

// The size of the problem on screen.
ZW_EXPORT(zw_tile_count) std::int32_t zw_tile_count() {
    return quiz.tileCount();
}

namespace zelkon {
namespace {

// A hand of one of sizes (bits as HandSizes, waiting sizes only), as 問題を入力 reads it.
HandFault ReadTyped(std::int32_t length, std::uint32_t sizes, HandNotation& hand) {
    const auto size = static_cast<std::size_t>(
        length < 0 ? 0
                   : (length > static_cast<std::int32_t>(kTextCapacity) ? kTextCapacity : length));
    sizes &= kWaitingHandSizes;
    faultSizes = sizes != 0 ? sizes : 1u << 13;
    fault = ReadTypedHand(std::string_view(text, size), faultSizes, hand);
    return fault.code;
}

}  // namespace
}  // namespace zelkon

// Reads the first length bytes of the text buffer as a typed hand of one of sizes (bit c for c
// tiles: 4, 7, 10, 13) and returns its HandFault code, 0 for a hand; zw_fault_field then tells the
// details. Changes nothing.
ZW_EXPORT(zw_check) std::int32_t zw_check(std::int32_t length, std::uint32_t sizes) {
    HandNotation hand;
    return static_cast<std::int32_t>(ReadTyped(length, sizes, hand));
}

// As zw_check, and a hand becomes the problem on screen, unanswered, in its typed order. A fault
// leaves the problem on screen.
ZW_EXPORT(zw_enter)
std::int32_t zw_enter(std::int32_t length, std::uint32_t sizes, std::int32_t suitMode,
                      std::int32_t sortMode) {
    HandNotation hand;
    if (ReadTyped(length, sizes, hand) != HandFault::None) {
        return static_cast<std::int32_t>(fault.code);
    }
    quiz.EnterTiles(hand.typedHand(), hand.suit == kNoSuit ? suitMode : hand.suit,
                    static_cast<std::uint8_t>(sortMode));
    dealer.noteEntered();
    dealer.noteShown();
    Changed();
    return 0;
}

// The last fault in 問題を入力's words, in the quiz's language.
ZW_EXPORT(zw_fault_text) std::int32_t zw_fault_text() {
    return PutText(HandFaultWords(fault, faultSizes, quiz.language()).view());
}

// 0 position, 1 character, 2 suit, 3 suit position, 4 count, 5 number, 6 whether the character
// cannot show as itself (the window's rule), 1 or 0.
ZW_EXPORT(zw_fault_field) std::int32_t zw_fault_field(std::int32_t field) {
    switch (field) {
        case 0:
            return fault.position;
        case 1:
            return static_cast<std::int32_t>(fault.character);
        case 2:
            return fault.suit;
        case 3:
            return fault.suitPosition;
        case 4:
            return fault.count;
        case 5:
            return fault.number;
        case 6:
            return IsInvisibleCharacter(fault.character) ? 1 : 0;
        default:
            return 0;
    }
}

ZW_EXPORT(zw_toggle) void zw_toggle(std::int32_t n) {
    quiz.Toggle(n);
}

// Returns 1 when the answer moved the ladder's step.
ZW_EXPORT(zw_answer) std::int32_t zw_answer() {
    if (quiz.answered()) {
        return 0;
    }
    quiz.Answer();
    return dealer.RecordAnswer(quiz) ? 1 : 0;
}

// One more hint (the window's count); 0 once answered or when all are shown.
ZW_EXPORT(zw_use_hint) std::int32_t zw_use_hint() {
    return quiz.UseHint() ? 1 : 0;
}

ZW_EXPORT(zw_hints_used) std::int32_t zw_hints_used() {
    return quiz.hintsUsed();
}

ZW_EXPORT(zw_answered) std::int32_t zw_answered() {
    return quiz.answered() ? 1 : 0;
}

ZW_EXPORT(zw_selected) std::int32_t zw_selected(std::int32_t n) {
    return quiz.selected(n) ? 1 : 0;
}

ZW_EXPORT(zw_mark) std::int32_t zw_mark(std::int32_t n) {
    return static_cast<std::int32_t>(quiz.mark(n));
}

ZW_EXPORT(zw_is_wait) std::int32_t zw_is_wait(std::int32_t n) {
    return quiz.isWait(n) ? 1 : 0;
}

ZW_EXPORT(zw_suit) std::int32_t zw_suit() {
    return quiz.suitKind();
}

// Tile k (0 to zw_tile_count() - 1) as the board shows it.
ZW_EXPORT(zw_display_tile) std::int32_t zw_display_tile(std::int32_t k) {
    return k >= 0 && k < quiz.tileCount() ? quiz.displayTile(k) : 0;
}

// The answer box: "何待ち？" before the answer, the answer text after it.
ZW_EXPORT(zw_answer_text) std::int32_t zw_answer_text() {
    return PutText(quiz.answerText());
}

// The problem on screen as 問題をコピー writes it: sorted, with its suit letter.
ZW_EXPORT(zw_spell) std::int32_t zw_spell() {
    return PutText(SpellHand(quiz.sortedTiles(), quiz.suitKind()).view());
}

// The explanation of the problem on screen, number by number (1 to 9).
ZW_EXPORT(zw_verdict) std::int32_t zw_verdict(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? static_cast<std::int32_t>(number->verdict) : -1;
}

ZW_EXPORT(zw_reading_count) std::int32_t zw_reading_count(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? number->readingCount : 0;
}

ZW_EXPORT(zw_best_reading) std::int32_t zw_best_reading(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? number->best : -1;
}

// Distinct readings (SameReading folds records a player cannot tell apart): their count, the
// record that stands for place i, and the place of the answer box's reading.
ZW_EXPORT(zw_distinct_count) std::int32_t zw_distinct_count(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? number->distinctCount : 0;
}

ZW_EXPORT(zw_distinct) std::int32_t zw_distinct(std::int32_t n, std::int32_t place) {
    const NumberExplanation* number = Explained(n);
    if (number == nullptr || place < 0 || place >= number->distinctCount) {
        return -1;
    }
    return number->distinct[static_cast<std::size_t>(place)];
}

ZW_EXPORT(zw_best_distinct) std::int32_t zw_best_distinct(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? number->bestDistinct : -1;
}

ZW_EXPORT(zw_block_count) std::int32_t zw_block_count(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    return reading != nullptr ? reading->blockCount : 0;
}

// A block as kind * 16 + first tile; BlockKind 0 pair, 1 triplet, 2 run.
ZW_EXPORT(zw_block) std::int32_t zw_block(std::int32_t n, std::int32_t r, std::int32_t b) {
    const ExplainedReading* reading = Reading(n, r);
    if (reading == nullptr || b < 0 || b >= reading->blockCount) {
        return 0;
    }
    const Block& block = reading->blocks[static_cast<std::size_t>(b)];
    return static_cast<std::int32_t>(block.kind) * 16 + block.first;
}

ZW_EXPORT(zw_winning_block) std::int32_t zw_winning_block(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    return reading != nullptr ? reading->winningBlock : -1;
}

ZW_EXPORT(zw_wait_shape) std::int32_t zw_wait_shape(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    return reading != nullptr ? static_cast<std::int32_t>(reading->waitShape) : -1;
}

ZW_EXPORT(zw_han) std::int32_t zw_han(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    return reading != nullptr ? reading->han : 0;
}

// Pattern slots 0 to 10 of a reading as bits.
ZW_EXPORT(zw_patterns) std::int32_t zw_patterns(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    std::int32_t bits = 0;
    for (int k = 0; reading != nullptr && k < kPatternCount; ++k) {
        if (reading->patterns[static_cast<std::size_t>(k)] != 0) {
            bits |= 1 << k;
        }
    }
    return bits;
}

ZW_EXPORT(zw_split_count) std::int32_t zw_split_count(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? number->splitCount : 0;
}

ZW_EXPORT(zw_split_block) std::int32_t zw_split_block(std::int32_t n, std::int32_t b) {
    const NumberExplanation* number = Explained(n);
    if (number == nullptr || b < 0 || b >= number->splitCount) {
        return 0;
    }
    const Block& block = number->split[static_cast<std::size_t>(b)];
    return static_cast<std::int32_t>(block.kind) * 16 + block.first;
}

// The tiles the closest split leaves over, as digits in the text buffer.
ZW_EXPORT(zw_leftover) std::int32_t zw_leftover(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    std::int32_t length = 0;
    for (std::int32_t i = 0; number != nullptr && i < number->leftoverCount; ++i) {
        text[length++] = static_cast<char>('0' + number->leftover[static_cast<std::size_t>(i)]);
    }
    return length;
}

// Where reading r of wait n stands in the 13 tiles, as "45|36" or "55,77|57" in the text buffer:
// the groups of tiles, then the numbers that complete them.
ZW_EXPORT(zw_wait_in_hand) std::int32_t zw_wait_in_hand(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    if (reading == nullptr || reading->winningBlock < 0) {
        return 0;
    }
    const WaitInHand wait = WaitInHandOf(*reading, n);
    std::int32_t length = 0;
    for (std::int32_t g = 0; g < wait.groupCount; ++g) {
        if (g > 0) {
            text[length++] = ',';
        }
        for (std::int32_t i = 0; i < wait.groupSizes[static_cast<std::size_t>(g)]; ++i) {
            const auto tile = wait.groups[static_cast<std::size_t>(g)][static_cast<std::size_t>(i)];
            text[length++] = static_cast<char>('0' + tile);
        }
    }
    text[length++] = '|';
    for (std::int32_t i = 0; i < wait.onCount; ++i) {
        text[length++] = static_cast<char>('0' + wait.on[static_cast<std::size_t>(i)]);
    }
    return length;
}

namespace zelkon {
namespace {

// Groups as "0444,0666,21468": each its TileGroupStyle digit, then its tiles.
std::int32_t PutTiles(const TileLine& line) {
    std::int32_t length = 0;
    for (std::int32_t g = 0; g < line.count; ++g) {
        const TileGroup& group = line.groups[static_cast<std::size_t>(g)];
        if (g > 0) {
            text[length++] = ',';
        }
        text[length++] = static_cast<char>('0' + static_cast<std::int32_t>(group.style));
        for (std::int32_t i = 0; i < group.count; ++i) {
            text[length++] = static_cast<char>('0' + group.tiles[static_cast<std::size_t>(i)]);
        }
    }
    return length;
}

}  // namespace
}  // namespace zelkon

// The panel of the problem on screen, in the window's words and groups. The summary's items, each
// to be kept whole, a line each; zw_item_gap joins them on screen.
ZW_EXPORT(zw_summary) std::int32_t zw_summary() {
    if (Explained(kMinTile) == nullptr) {
        return 0;
    }
    const SummaryItems summary = SummaryWords(explanation, quiz.picks(), quiz.language());
    PhraseWriter<kTextCapacity> lines;
    for (std::int32_t i = 0; i < summary.count; ++i) {
        lines.Add(i > 0 ? "\n" : "");
        lines.Add(summary.items[static_cast<std::size_t>(i)].view());
    }
    return PutText(lines.view());
}

ZW_EXPORT(zw_item_gap) std::int32_t zw_item_gap() {
    return PutText(ExplanationPhrasesFor(quiz.language()).itemGap);
}

// Whether number n has a row, and the record it shows (-1 for none).
ZW_EXPORT(zw_has_row) std::int32_t zw_has_row(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr && HasRow(*number, quiz.selected(n)) ? 1 : 0;
}

ZW_EXPORT(zw_shown_record) std::int32_t zw_shown_record(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? ShownRecord(*number) : -1;
}

// The records a row's 「ほかの読み方」 opens, in table order: "0,2,5".
ZW_EXPORT(zw_other_records) std::int32_t zw_other_records(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    if (number == nullptr) {
        return 0;
    }
    const OtherRecords others = OtherRecordsOf(*number);
    PhraseWriter<kTextCapacity> list;
    for (std::int32_t i = 0; i < others.count; ++i) {
        list.Add(i > 0 ? "," : "");
        list.AddNumber(others.records[static_cast<std::size_t>(i)]);
    }
    return PutText(list.view());
}

ZW_EXPORT(zw_verdict_text) std::int32_t zw_verdict_text(std::int32_t n) {
    return Explained(n) != nullptr
               ? PutText(VerdictWords(explanation, n, quiz.selected(n), quiz.language()).view())
               : 0;
}

ZW_EXPORT(zw_caption) std::int32_t zw_caption(std::int32_t n, std::int32_t r) {
    return Reading(n, r) != nullptr
               ? PutText(CaptionWords(explanation, n, r, quiz.language()).view())
               : 0;
}

// "が1・4を待つ" for reading r of wait n.
ZW_EXPORT(zw_waits_on) std::int32_t zw_waits_on(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    if (reading == nullptr || reading->winningBlock < 0) {
        return 0;
    }
    return PutText(WaitsOnWords(WaitInHandOf(*reading, n), quiz.language()).view());
}

// The tiles of number n's row, and of reading r, as groups (see PutTiles).
ZW_EXPORT(zw_row_tiles) std::int32_t zw_row_tiles(std::int32_t n) {
    const NumberExplanation* number = Explained(n);
    return number != nullptr ? PutTiles(RowTiles(*number, n)) : 0;
}

ZW_EXPORT(zw_reading_tiles) std::int32_t zw_reading_tiles(std::int32_t n, std::int32_t r) {
    const ExplainedReading* reading = Reading(n, r);
    return reading != nullptr ? PutTiles(ReadingTiles(*reading)) : 0;
}

// 0 Japanese, 1 English: the answer box, the panel and the hints from now on.
ZW_EXPORT(zw_set_language) void zw_set_language(std::int32_t language) {
    quiz.SetLanguage(language == 1 ? Language::English : Language::Japanese);
}

// For tests and tools: the waits of any hand, without touching the quiz. hand: 13 digits in the
// text buffer, ascending. Returns the waits as bits 1 to 9; zw_analysed_patterns then gives a
// wait's pattern slots as bits.
ZW_EXPORT(zw_analyse) std::int32_t zw_analyse() {
    Hand13 hand{};
    for (std::size_t i = 0; i < hand.size(); ++i) {
        hand[i] = text[i] - '0';
    }
    FindWaits(hand, analysed);
    std::int32_t bits = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        bits |= analysed.isWait[static_cast<std::size_t>(n)] != 0 ? 1 << n : 0;
    }
    return bits;
}

ZW_EXPORT(zw_analysed_patterns) std::int32_t zw_analysed_patterns(std::int32_t n) {
    std::int32_t bits = 0;
    for (int k = 0; IsNumber(n) && k < kPatternCount; ++k) {
        if (analysed.patterns[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] != 0) {
            bits |= 1 << k;
        }
    }
    return bits;
}

// As zelkon-cli deal --seed seeds before its first problem.
ZW_EXPORT(zw_seed) void zw_seed(std::uint32_t seed) {
    SeedDraws(seed);
}

// For tests: the first problem of a worksheet dealt with seed, in characters and sorted, so that
// no suit is drawn after it.
ZW_EXPORT(zw_deal_seeded)
void zw_deal_seeded(std::uint32_t seed, std::int32_t fewest, std::int32_t most) {
    SeedDraws(seed);
    zw_new_problem(kSuitManzu, 1, fewest, most);
}

// The problem's sorted hand and deal order as digits in the text buffer, twice zw_tile_count().
ZW_EXPORT(zw_problem_digits) std::int32_t zw_problem_digits() {
    std::int32_t length = 0;
    const auto put = [&length](const TileNumber* tiles, std::int32_t count) {
        for (std::int32_t i = 0; i < count; ++i) {
            text[length++] = static_cast<char>('0' + tiles[i]);
        }
    };
    if (quiz.tileCount() != 13) {
        const ShortProblem& problem = quiz.shortProblem();
        put(problem.sortedHand.tiles.data(), problem.sortedHand.count);
        put(problem.dealOrder.tiles.data(), problem.dealOrder.count);
    } else {
        put(quiz.problem().sortedHand.data(), 13);
        put(quiz.problem().dealOrder.data(), 13);
    }
    return length;
}

// A timed run of ten problems (the window's TimedRun); now is the page's monotonic clock in ms.
ZW_EXPORT(zw_run_start) void zw_run_start() {
    run.Start();
}

ZW_EXPORT(zw_run_abandon) void zw_run_abandon() {
    run.Abandon();
}

ZW_EXPORT(zw_run_shown) void zw_run_shown(double now) {
    SetTime(now);
    run.QuestionShown();
}

// Returns 1 when this answer finished the run.
ZW_EXPORT(zw_run_answered) std::int32_t zw_run_answered(double now) {
    SetTime(now);
    const bool wasRunning = run.running();
    run.Answered(quiz);
    return wasRunning && run.finished() ? 1 : 0;
}

ZW_EXPORT(zw_run_running) std::int32_t zw_run_running() {
    return run.running() ? 1 : 0;
}

// The status line at now, "タイムアタック　3 / 10問　0:42.1" in the quiz's language, or empty when
// no run is on.
ZW_EXPORT(zw_run_status) std::int32_t zw_run_status(double now) {
    SetTime(now);
    return run.running() ? PutText(run.StatusText(quiz.language())) : 0;
}

// 0 the time as "m:ss.t" (in the text buffer; returns its length), 1 problems, 2 fully right,
// 3 waits missed, 4 wrong picks.
ZW_EXPORT(zw_run_result) std::int32_t zw_run_result(std::int32_t field) {
    const TimedRunResult& result = run.result();
    switch (field) {
        case 0:
            return PutText(RunTimeText(result.time));
        case 1:
            return result.problems;
        case 2:
            return result.fullyRight;
        case 3:
            return result.waitsMissed;
        case 4:
            return result.wrongPicks;
        default:
            return 0;
    }
}

// The shape families of the catalogue, in its order.
ZW_EXPORT(zw_family_count) std::int32_t zw_family_count() {
    return kFamilyCount;
}

// As the window's 形 menu and status line name it.
ZW_EXPORT(zw_family_name) std::int32_t zw_family_name(std::int32_t family) {
    return family >= 0 && family < kFamilyCount
               ? PutText(FamilyNameInSentence(family, quiz.language()))
               : 0;
}

// Hint level (1 to 6) of the problem on screen, in the text buffer.
ZW_EXPORT(zw_hint) std::int32_t zw_hint(std::int32_t level) {
    const Hints* problem = ProblemHints();
    return problem != nullptr ? PutText(HintWords(*problem, level, quiz.language()).view()) : 0;
}

// After the answer, the smallest core and its family on one line, as the window's panel shows
// them: only while fewer than three hints named them already, and (as there) in Japanese only.
ZW_EXPORT(zw_core_text) std::int32_t zw_core_text() {
    if (!quiz.answered() || quiz.hintsUsed() >= 3 || quiz.language() != Language::Japanese) {
        return 0;
    }
    const Hints* problem = ProblemHints();
    return problem != nullptr ? PutText(CoreWords(*problem, quiz.language()).view()) : 0;
}

ZW_EXPORT(zw_hint_count) std::int32_t zw_hint_count() {
    return kHintCount;
}
