#include "deal_status.h"

#include "analysis/shape_family.h"

namespace zelkon {

namespace {

// %1 and %2 stand for what a phrase is filled with, in that order.
struct DealPhrases {
    const char* deal;        // %1 the deal's name
    const char* dealTiles;   // %1 the family, %2 the size
    const char* tiles;       // %1 the size, every form
    const char* ladder;      // %1 the step's family, %2 its size
    const char* withTiles;   // %1 the records' words, %2 the size of the weakest family
    const char* weakShapes;  // the name while weak shapes deal
    std::array<const char*, kBandItems> bandNames;
};

constexpr DealPhrases kJapanese{
    "出題：%1",
    "出題：%1\u3000%2枚",
    "出題：%1枚",
    "段階練習：%1\u3000%2枚",
    "%1\u3000%2枚",
    "苦手な形",
    {"すべての手", "待ち1〜2種", "待ち3〜4種", "待ち5種以上"},
};

constexpr DealPhrases kEnglish{
    "Deal: %1",
    "Deal: %1, %2 tiles",
    "Deal: %1 tiles",
    "Ladder: %1, %2 tiles",
    "%1, %2 tiles",
    "weak shapes",
    {"all hands", "1–2 waits", "3–4 waits", "5 or more waits"},
};

const DealPhrases& PhrasesOf(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

using Writer = PhraseWriter<256>;

// An index off the catalogue names nothing rather than reading past it.
const char* FamilyWords(FamilyIndex family, Language language) {
    return family >= 0 && family < kFamilyCount ? FamilyNameInSentence(family, language) : "";
}

}  // namespace

WaitBand BandAt(int index) {
    return index >= 0 && index < kBandItems ? kBandTable[static_cast<std::size_t>(index)]
                                            : kAllHands;
}

int BandIndex(WaitBand band) {
    for (int i = 0; i < kBandItems; ++i) {
        const WaitBand& item = kBandTable[static_cast<std::size_t>(i)];
        if (item.fewest == band.fewest && item.most == band.most) {
            return i;
        }
    }
    return -1;
}

StatusText DealName(const PracticeDealer& dealer, Language language) {
    const DealPhrases& phrases = PhrasesOf(language);
    Writer writer;
    if (dealer.weakShapes()) {
        writer.Add(phrases.weakShapes);
    } else if (const int index = BandIndex(dealer.band()); index >= 0) {
        writer.Add(phrases.bandNames[static_cast<std::size_t>(index)]);
    }
    return writer.text();
}

StatusText DealStatusWords(const PracticeDealer& dealer, std::string_view deal, Language language) {
    const DealPhrases& phrases = PhrasesOf(language);
    Writer writer;
    if (dealer.ladderOn()) {
        const Ladder& ladder = dealer.ladder();
        writer.Fill(phrases.ladder, FamilyWords(ladder.family(), language),
                    NumberText(ladder.tiles()).view());
        return writer.text();
    }
    // すべての手 is named too, so that the line and the rows under it stay where they are
    // whichever band is chosen.
    Writer named;
    if (!deal.empty()) {
        named.Add(deal);
    } else if (const StatusText name = DealName(dealer, language); name.length > 0) {
        named.Fill(phrases.deal, name.view());
    }
    if (dealer.weakFamily() != kNoFamily) {
        writer.Fill(phrases.withTiles, named.view(), NumberText(dealer.dealtTiles()).view());
    } else if (dealer.family() != kNoFamily) {
        writer.Fill(phrases.dealTiles, FamilyWords(dealer.family(), language),
                    NumberText(dealer.dealtTiles()).view());
    } else if (dealer.tiles() != 13) {
        // Bands and weak shapes choose among 13-tile hands only.
        writer.Fill(phrases.tiles, NumberText(dealer.tiles()).view());
    } else {
        writer.Add(named.view());
    }
    return writer.text();
}

}  // namespace zelkon
