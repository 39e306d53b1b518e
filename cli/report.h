// What zelkon-cli prints: the fixed lines of table and deal, and the reports meant for a person.
#pragma once

#include <cstddef>
#include <string>

#include "analysis/problem.h"
#include "analysis/tile_hand.h"
#include "analysis/vocabulary.h"
#include "dealing/short_dealer.h"
#include "hand_notation.h"

namespace zelkon {

// Room one line of table or deal can take: two hands, nine waits, nine flag strings.
inline constexpr std::size_t kFixedLineCapacity = 13 + 1 + 13 + 1 + 9 + 1 + 9 * 12 + 1;

// Writes "HAND<TAB>WAITS<TAB>FLAGS\n" at out and returns the end; out has kFixedLineCapacity bytes.
// hand is ascending; only the waits of problem are read.
char* appendTableLine(char* out, const Hand13& hand, const Problem& problem);

// "SORTED<TAB>DEALORDER<TAB>WAITS<TAB>FLAGS\n", as appendTableLine.
char* appendDealLine(char* out, const Problem& problem);

// "HAND<TAB>WAITS\n" of a short hand, as appendTableLine; hand is ascending.
char* appendShortTableLine(char* out, const TileHand& hand, NumberSet waits);

// "SORTED<TAB>DEALORDER<TAB>WAITS\n" of a short problem.
char* appendShortDealLine(char* out, const ShortProblem& problem);

// One line per family in catalogue order: "ID<TAB>NAME<TAB>CORE<TAB>WAITS".
std::string familiesText();

// A 13-tile hand: its waits, each with the answer-box line, the han and the best reading.
// A 4-, 7- or 10-tile hand: its waits, each with the wait shapes of its readings and the readings.
// One of 5, 8 or 11 tiles: whether it is complete, and its readings for each winning tile.
// A 14-tile hand: whether it is complete, and the best reading for each winning number in it.
// Names of shapes and patterns in language; the sentences around them are English either way.
std::string waitsReport(const HandNotation& hand, Language language = Language::Japanese);

// Every record that the enumeration appends for hand won on winningTile, in table order.
std::string readingsReport(const HandNotation& hand, TileNumber winningTile,
                           Language language = Language::Japanese);

std::string helpText();
std::string versionText();

}  // namespace zelkon
