#include "hint_text.h"

#include <bit>

namespace zelkon {

namespace {

template <Language language>
constexpr std::array<const char*, kFamilyCount> kFamilyNames = [] {
    std::array<const char*, kFamilyCount> names{};
    for (std::size_t f = 0; f < names.size(); ++f) {
        names[f] = FamilyNameInSentence(static_cast<FamilyIndex>(f), language);
    }
    return names;
}();

template <Language language>
constexpr std::array<const char*, 5> kShapeNames = [] {
    std::array<const char*, 5> names{};
    for (std::size_t s = 0; s < names.size(); ++s) {
        names[s] = kWaitShapeTerms[s].in(language);
    }
    return names;
}();

constexpr HintPhrases kJapanese{
    "%1種待ち",
    "待ちなし",
    "%1を外すと、残りは%2",
    "外せる面子はない",
    "・",
    "残りは%1の形",
    "名前のない%1枚形",
    "%1（%2）",
    "端で%1種減る",
    "%1を面子と見ると%2種、雀頭と見ると%3種",
    "　",
    "待ちは枚数が奇数の筋：%1",
    "待ちは枚数が偶数の筋：%1",
    "残りは%1",
    "%1待ち",
    "待ちの筋：%1",
    "%1：%2　%3",
    kShapeNames<Language::Japanese>,
    kFamilyNames<Language::Japanese>,
    "%1　%2",
};

constexpr HintPhrases kEnglish{
    "%1 waits",
    "No wait",
    "Set aside %1, and %2 is left",
    "No meld can be set aside",
    ", ",
    "What is left is the %1 shape",
    "What is left is a nameless %1-tile shape",
    "%1 (%2)",
    "%1 fewer at the edge",
    "%1 as a meld: %2 waits; as the pair: %3",
    "; ",
    "The waits are on the lines of an odd tile count: %1",
    "The waits are on the lines of an even tile count: %1",
    "What is left: %1",
    "%1",
    "Lines of the waits: %1",
    "%1: %2  %3",
    kShapeNames<Language::English>,
    kFamilyNames<Language::English>,
    "%1  %2",
};

constexpr std::array<std::string_view, 3> kLineNames{"1-4-7", "2-5-8", "3-6-9"};

using Writer = PhraseWriter<512>;

HintText Digits(const TileCounts& counts) {
    Writer writer;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        for (int c = 0; c < counts[static_cast<std::size_t>(n)]; ++c) {
            writer.AddNumber(n);
        }
    }
    return writer.text();
}

HintText BlockDigits(const Block& block) {
    Writer writer;
    const int size = block.kind == BlockKind::Pair ? 2 : 3;
    for (int i = 0; i < size; ++i) {
        writer.AddNumber(block.first + (block.kind == BlockKind::Run ? i : 0));
    }
    return writer.text();
}

HintText Lines(SujiLines lines, const HintPhrases& phrases) {
    Writer writer;
    for (std::size_t line = 0; line < kLineNames.size(); ++line) {
        if (((static_cast<unsigned>(lines) >> line) & 1u) != 0) {
            writer.Add(writer.view().empty() ? "" : phrases.meldSeparator);
            writer.Add(kLineNames[line]);
        }
    }
    return writer.text();
}

HintText ShapeWords(WaitShape shape, const HintPhrases& phrases) {
    Writer writer;
    writer.Fill(phrases.shape, phrases.shapeNames[static_cast<std::size_t>(shape)]);
    return writer.text();
}

void FamilyWords(const Hints& hints, const HintPhrases& phrases, Writer& out) {
    const FamilyFit& fit = hints.core.family;
    Writer named;
    if (fit.family == kNoFamily) {
        named.Fill(phrases.unnamed, NumberText(hints.core.coreSize).view());
    } else {
        named.Fill(phrases.family, phrases.familyNames[static_cast<std::size_t>(fit.family)]);
    }
    if (fit.edgeLoss == 0) {
        out.Add(named.view());
        return;
    }
    Writer edge;
    edge.Fill(phrases.edge, NumberText(fit.edgeLoss).view());
    out.Fill(phrases.withEdge, named.view(), edge.view());
}

void FourthWords(const Hints& hints, const HintPhrases& phrases, Writer& out) {
    switch (hints.fourth) {
        case FourthHint::CoreTriplets:
            for (std::int32_t i = 0; i < hints.tripletCount; ++i) {
                const TripletReadings& t = hints.triplets[static_cast<std::size_t>(i)];
                out.Add(i > 0 ? phrases.itemSeparator : "");
                out.Fill(phrases.bothWays, NumberText(t.number).view(),
                         NumberText(std::popcount(static_cast<unsigned>(t.asMeld))).view(),
                         NumberText(std::popcount(static_cast<unsigned>(t.asPair))).view());
            }
            return;
        case FourthHint::CountLines:
            out.Fill(hints.evenCount ? phrases.evenLines : phrases.oddLines,
                     Lines(hints.countLines, phrases).view());
            return;
        case FourthHint::CoreShapes:
            break;
    }
    Writer shapes;
    for (std::size_t s = 0; s < phrases.shapeNames.size(); ++s) {
        if ((hints.coreShapes >> s & 1u) != 0) {
            shapes.Add(shapes.view().empty() ? "" : phrases.meldSeparator);
            shapes.Add(ShapeWords(static_cast<WaitShape>(s), phrases).view());
        }
    }
    out.Fill(phrases.coreShapes, shapes.view());
}

}  // namespace

const HintPhrases& PhrasesFor(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

HintText ReadingWords(const ExplainedReading& reading) {
    Writer writer;
    for (std::int32_t b = 0; b < reading.blockCount; ++b) {
        writer.Add(b > 0 ? " " : "");
        const bool winning = b == reading.winningBlock;
        writer.Add(winning ? "[" : "");
        writer.Add(BlockDigits(reading.blocks[static_cast<std::size_t>(b)]).view());
        writer.Add(winning ? "]" : "");
    }
    return writer.text();
}

HintText HintWords(const Hints& hints, int level, Language language) {
    const HintPhrases& phrases = PhrasesFor(language);
    Writer out;
    const bool noWait = hints.waitCount == 0;
    switch (level) {
        case 1:
            if (noWait) {
                out.Add(phrases.noWait);
            } else {
                out.Fill(phrases.waitCount, NumberText(hints.waitCount).view());
            }
            break;
        case 2: {
            if (hints.core.setAsideCount == 0) {
                out.Add(phrases.nothingAside);
                break;
            }
            Writer melds;
            for (std::int32_t i = 0; i < hints.core.setAsideCount; ++i) {
                melds.Add(i > 0 ? phrases.meldSeparator : "");
                melds.Add(BlockDigits(hints.core.setAside[static_cast<std::size_t>(i)]).view());
            }
            out.Fill(phrases.setAside, melds.view(), Digits(hints.core.core).view());
            break;
        }
        case 3:
            FamilyWords(hints, phrases, out);
            break;
        case 4:
            FourthWords(hints, phrases, out);
            break;
        case 5:
            if (noWait) {
                out.Add(phrases.noWait);
            } else {
                out.Fill(phrases.waitLines, Lines(hints.waitLines, phrases).view());
            }
            break;
        case 6:
            if (noWait) {
                out.Add(phrases.noWait);
            } else {
                out.Fill(phrases.shownWait, NumberText(hints.shownWait).view(),
                         ReadingWords(hints.shownReading).view(),
                         ShapeWords(hints.shownReading.waitShape, phrases).view());
            }
            break;
        default:
            break;
    }
    return out.text();
}

HintText CoreWords(const Hints& hints, Language language) {
    const HintText family = HintWords(hints, 3, language);
    if (hints.core.setAsideCount == 0) {
        return family;
    }
    Writer out;
    out.Fill(PhrasesFor(language).coreLine, HintWords(hints, 2, language).view(), family.view());
    return out.text();
}

}  // namespace zelkon
