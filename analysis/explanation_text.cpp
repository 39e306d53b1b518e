#include "explanation_text.h"

#include <bit>

namespace zelkon {

namespace {

constexpr int kYakuman = 13;

constexpr ExplanationPhrases kJapanese{
    "・",
    "\u3000",
    "役なし",
    "（%1翻）",
    "（役満）",
    "%1待ち",
    "正解：%1",
    "見逃し：%1",
    "待ちではない：手に4枚（5枚目があっても和了形にならない）",
    "待ちではない：手に4枚（形だけなら%1）",
    "待ちではない：どう分けても%1枚余る",
    "聴牌していません",
    "待ち%1種：%2",
    "完全正解",
    "待ちでない牌の選択：%1",
    "が%1を待つ",
};

constexpr ExplanationPhrases kEnglish{
    ", ",
    "  ",
    "no pattern",
    " (%1 han)",
    " (yakuman)",
    "%1",
    "Right: %1",
    "Missed: %1",
    "No wait: all 4 held, nothing completes",
    "No wait: 4 held (%1 in shape only)",
    "No wait: always %1 tiles left over",
    "Not tenpai",
    "Waits (%1): %2",
    "Perfect",
    "Wrong picks: %1",
    "wait on %1",
};

using Writer = PhraseWriter<256>;

ExplanationText NumberList(NumberSet numbers, const ExplanationPhrases& phrases) {
    Writer writer;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if ((numbers & NumberBit(n)) != 0) {
            writer.Add(writer.view().empty() ? "" : phrases.dot);
            writer.AddNumber(n);
        }
    }
    return writer.text();
}

ExplanationText ShapeWords(WaitShape shape, const ExplanationPhrases& phrases, Language language) {
    Writer writer;
    writer.Fill(phrases.shape, kWaitShapeTerms[static_cast<std::size_t>(shape)].in(language));
    return writer.text();
}

// "平和・タンヤオ（2翻）", "九連宝燈（役満）", or "役なし".
ExplanationText ValueWords(const ExplainedReading& reading, const ExplanationPhrases& phrases,
                           Language language) {
    Writer writer;
    for (std::size_t k = 0; k < kPatternTerms.size(); ++k) {
        if (reading.patterns[k] != 0) {
            writer.Add(writer.view().empty() ? "" : phrases.dot);
            writer.Add(kPatternTerms[k].in(language));
        }
    }
    if (writer.view().empty()) {
        writer.Add(phrases.noPattern);
    } else if (reading.han >= kYakuman) {
        writer.Add(phrases.yakuman);
    } else {
        writer.Fill(phrases.han, NumberText(reading.han).view());
    }
    return writer.text();
}

const ExplainedReading& RecordOf(const NumberExplanation& number, std::int32_t record) {
    return number.readings[static_cast<std::size_t>(record)];
}

}  // namespace

const ExplanationPhrases& ExplanationPhrasesFor(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

SummaryItems SummaryWords(const HandExplanation& explanation, NumberSet picks, Language language) {
    const ExplanationPhrases& phrases = ExplanationPhrasesFor(language);
    NumberSet waits = 0;
    for (TileNumber n = kMinTile; n <= kMaxTile; ++n) {
        if (explanation.numbers[static_cast<std::size_t>(n)].verdict == Verdict::Wait) {
            waits |= NumberBit(n);
        }
    }
    picks = static_cast<NumberSet>(picks & 0x3FEu);
    const auto missed = static_cast<NumberSet>(waits & ~picks);
    const auto wrong = static_cast<NumberSet>(picks & ~waits);
    SummaryItems summary;
    const auto add = [&summary](const char* phrase, std::string_view a = {},
                                std::string_view b = {}) {
        Writer writer;
        writer.Fill(phrase, a, b);
        summary.items[static_cast<std::size_t>(summary.count++)] = writer.text();
    };
    if (waits == 0) {
        add(phrases.notTenpai);
    } else {
        add(phrases.waits, NumberText(std::popcount(waits)).view(),
            NumberList(waits, phrases).view());
        if (missed == 0 && wrong == 0) {
            add(phrases.fullyRight);
        }
    }
    if (missed != 0) {
        add(phrases.missed, NumberList(missed, phrases).view());
    }
    // A hand without a wait still names the picks that were wrong.
    if (wrong != 0) {
        add(phrases.wrongPicks, NumberList(wrong, phrases).view());
    }
    return summary;
}

ExplanationText CaptionWords(const HandExplanation& explanation, TileNumber n, std::int32_t record,
                             Language language) {
    const ExplanationPhrases& phrases = ExplanationPhrasesFor(language);
    const ExplainedReading& reading =
        RecordOf(explanation.numbers[static_cast<std::size_t>(n)], record);
    Writer writer;
    writer.Add(ShapeWords(reading.waitShape, phrases, language).view());
    // Scoring patterns belong to 13 tiles.
    if (explanation.tileCount == 13) {
        writer.Add(phrases.itemGap);
        writer.Add(ValueWords(reading, phrases, language).view());
    }
    return writer.text();
}

std::int32_t ShownRecord(const NumberExplanation& number) {
    if (number.distinctCount <= 0 || number.bestDistinct < 0) {
        return -1;
    }
    return number.distinct[static_cast<std::size_t>(number.bestDistinct)];
}

OtherRecords OtherRecordsOf(const NumberExplanation& number) {
    OtherRecords others;
    if (ShownRecord(number) < 0) {
        return others;
    }
    for (std::int32_t place = 0; place < number.distinctCount; ++place) {
        if (place != number.bestDistinct) {
            others.records[static_cast<std::size_t>(others.count++)] =
                number.distinct[static_cast<std::size_t>(place)];
        }
    }
    return others;
}

bool HasRow(const NumberExplanation& number, bool picked) {
    return picked || number.verdict != Verdict::NoReading;
}

ExplanationText VerdictWords(const HandExplanation& explanation, TileNumber n, bool picked,
                             Language language) {
    const ExplanationPhrases& phrases = ExplanationPhrasesFor(language);
    const NumberExplanation& number = explanation.numbers[static_cast<std::size_t>(n)];
    const std::int32_t shown = ShownRecord(number);
    Writer writer;
    switch (number.verdict) {
        case Verdict::Wait:
            writer.Fill(picked ? phrases.right : phrases.missed,
                        CaptionWords(explanation, n, shown, language).view());
            break;
        case Verdict::FifthCopy:
            if (shown < 0) {
                writer.Add(phrases.fifthNone);
            } else {
                writer.Fill(
                    phrases.fifthShape,
                    ShapeWords(RecordOf(number, shown).waitShape, phrases, language).view());
            }
            break;
        case Verdict::NoReading:
            writer.Fill(phrases.noReading, NumberText(number.leftoverCount).view());
            break;
    }
    return writer.text();
}

ExplanationText WaitsOnWords(const WaitInHand& wait, Language language) {
    const ExplanationPhrases& phrases = ExplanationPhrasesFor(language);
    NumberSet on = 0;
    for (std::int32_t i = 0; i < wait.onCount; ++i) {
        on |= NumberBit(wait.on[static_cast<std::size_t>(i)]);
    }
    Writer writer;
    writer.Fill(phrases.waitsOn, NumberList(on, phrases).view());
    return writer.text();
}

TileGroup BlockGroup(const Block& block, TileGroupStyle style) {
    TileGroup group;
    group.count = block.kind == BlockKind::Pair ? 2 : 3;
    for (std::int32_t i = 0; i < group.count; ++i) {
        group.tiles[static_cast<std::size_t>(i)] =
            block.kind == BlockKind::Run ? block.first + i : block.first;
    }
    group.style = style;
    return group;
}

TileLine ReadingTiles(const ExplainedReading& reading) {
    TileLine line;
    for (std::int32_t b = 0; b < reading.blockCount; ++b) {
        line.groups[static_cast<std::size_t>(line.count++)] = BlockGroup(
            reading.blocks[static_cast<std::size_t>(b)],
            b == reading.winningBlock ? TileGroupStyle::Outlined : TileGroupStyle::Plain);
    }
    return line;
}

TileLine RowTiles(const NumberExplanation& number, TileNumber n) {
    const std::int32_t shown = ShownRecord(number);
    if (shown >= 0) {
        return ReadingTiles(RecordOf(number, shown));
    }
    TileLine line;
    if (number.verdict == Verdict::FifthCopy) {
        line.groups[0] = TileGroup{{n, n, n, n}, 4, TileGroupStyle::Plain};
        line.count = 1;
        return line;
    }
    for (std::int32_t b = 0; b < number.splitCount; ++b) {
        line.groups[static_cast<std::size_t>(line.count++)] =
            BlockGroup(number.split[static_cast<std::size_t>(b)]);
    }
    // At most four tiles to a group: the leftover runs on in groups of its own style.
    for (std::int32_t i = 0; i < number.leftoverCount; ++i) {
        if (i % 4 == 0) {
            line.groups[static_cast<std::size_t>(line.count++)].style = TileGroupStyle::Leftover;
        }
        TileGroup& last = line.groups[static_cast<std::size_t>(line.count - 1)];
        last.tiles[static_cast<std::size_t>(last.count++)] =
            number.leftover[static_cast<std::size_t>(i)];
    }
    return line;
}

}  // namespace zelkon
