// How the next problem is dealt, in words: the status line the window's panel and the page show
// above the explanation, and the bands of the 出題 choice it names.
#pragma once

#include <array>
#include <string_view>

#include "analysis/phrase_text.h"
#include "analysis/vocabulary.h"
#include "dealing/band_dealer.h"
#include "practice_dealer.h"

namespace zelkon {

// The 出題 bands in menu order; their index is what the settings store.
inline constexpr int kBandItems = 4;
inline constexpr std::array<WaitBand, kBandItems> kBandTable{
    {kAllHands, kBandOneTwo, kBandThreeFour, kBandFivePlus}};

// kAllHands for an index off the menu.
WaitBand BandAt(int index);
// -1 for a band that has no item.
int BandIndex(WaitBand band);

using StatusText = PhraseText<256>;

// 苦手な形 while weak shapes deal, else the band's name ("待ち1〜2種"); empty for a band off the
// menu.
StatusText DealName(const PracticeDealer& dealer, Language language);

// "出題：待ち1〜2種", "出題：連続4面　7枚", "段階練習：ノベタン　4枚", "出題：7枚". deal: the
// records' own words for weak shapes, or empty for 出題 and the deal's name.
StatusText DealStatusWords(const PracticeDealer& dealer, std::string_view deal, Language language);

}  // namespace zelkon
