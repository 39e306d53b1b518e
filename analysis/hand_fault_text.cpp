#include "hand_fault_text.h"

#include <bit>

namespace zelkon {

namespace {

constexpr HandFaultPhrases kJapanese{
    {"手牌を数字1〜9の%1個で入力してください。",
     "手牌を数字1〜9の%1個のどれかで入力してください。"},
    "%1の「0」は牌ではありません。数字は1〜9です。",
    "%1の%2は大文字です。牌の種類は小文字のm・p・sで書きます。",
    "%1の%2は全角です。半角の数字1〜9で書きます。",
    "%1の%2は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・sのどれか1文字だけです。",
    "%1に読めない文字があります。",
    "%1の牌の種類「%2」は数字のあと、最後に書きます。",
    "牌の種類は1つだけです（%1「%2」と%3%4）。",
    {"牌が%1枚あります。%2枚で入力してください。",
     "牌が%1枚あります。%2枚のどれかで入力してください。"},
    nullptr,
    "%1が%2枚あります。同じ牌は4枚までです。",
    "手牌として読めません。",
    "%1文字目",
    "「%1」",
    "空白",
    "全角の空白",
    "・",
    "%1・%2",
};

constexpr HandFaultPhrases kEnglish{
    {"Type the hand as %1 digits 1–9.", "Type the hand as %1 digits 1–9."},
    "The \"0\" at %1 is no tile: numbers run from 1 to 9.",
    "%2 at %1: suit letters are lower case m, p, s.",
    "%2 at %1 is a full-width digit: write 1–9.",
    "%2 at %1 is no tile: only the digits 1–9 and one final m, p or s.",
    "Unreadable character at %1.",
    "The suit \"%2\" at %1 comes last, after the digits.",
    "Two suits (the \"%2\" at %1 and %4 at %3): one only.",
    {"%1 tiles: a hand has %2.", "%1 tiles: a hand has %2."},
    "1 tile: a hand has %2.",
    "%2 of %1: at most four of a tile.",
    "This is not a hand.",
    "character %1",
    "\"%1\"",
    "a space",
    "a full-width space",
    ", ",
    "%1 or %2",
};

using Writer = PhraseWriter<256>;

Writer At(std::int32_t position, const HandFaultPhrases& phrases) {
    Writer writer;
    writer.Fill(phrases.position, NumberText(position).view());
    return writer;
}

// code in UTF-8; code is a scalar value.
Writer Encoded(char32_t code) {
    std::array<char, 4> bytes{};
    std::size_t length = 0;
    if (code < 0x80) {
        bytes[length++] = static_cast<char>(code);
    } else if (code < 0x800) {
        bytes[length++] = static_cast<char>(0xC0 | code >> 6);
        bytes[length++] = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        bytes[length++] = static_cast<char>(0xE0 | code >> 12);
        bytes[length++] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        bytes[length++] = static_cast<char>(0xF0 | code >> 18);
        bytes[length++] = static_cast<char>(0x80 | (code >> 12 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (code & 0x3F));
    }
    Writer writer;
    writer.Add({bytes.data(), length});
    return writer;
}

Writer Hex(char32_t code) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    Writer writer;
    writer.Add("U+");
    int shift = 28;
    while (shift > 12 && (code >> shift & 0xF) == 0) {
        shift -= 4;
    }
    for (; shift >= 0; shift -= 4) {
        writer.Add(kDigits.substr(code >> shift & 0xF, 1));
    }
    return writer;
}

// The sizes in allowed, ascending: "13", "4・7・10・13".
Writer Sizes(HandSizes allowed, const HandFaultPhrases& phrases) {
    if (allowed == 0) {
        return {};
    }
    const int last = 31 - std::countl_zero(allowed);
    Writer before;
    for (int size = 0; size < last; ++size) {
        if ((allowed >> size & 1u) != 0) {
            before.Add(before.view().empty() ? "" : phrases.sizeSeparator);
            before.AddNumber(size);
        }
    }
    Writer sizes;
    if (before.view().empty()) {
        sizes.AddNumber(last);
    } else {
        sizes.Fill(phrases.lastSizes, before.view(), NumberText(last).view());
    }
    return sizes;
}

}  // namespace

const HandFaultPhrases& HandFaultPhrasesFor(Language language) {
    return language == Language::English ? kEnglish : kJapanese;
}

HandFaultText ShownCharacter(char32_t code, Language language) {
    const HandFaultPhrases& phrases = HandFaultPhrasesFor(language);
    Writer writer;
    if (code == U' ') {
        writer.Add(phrases.space);
    } else if (code == U'\u3000') {
        writer.Add(phrases.wideSpace);
    } else if (code > 0x10FFFF || IsInvisibleCharacter(code)) {
        writer.Add(Hex(code).view());
    } else {
        writer.Fill(phrases.quoted, Encoded(code).view());
    }
    return writer.text();
}

HandFaultText HandFaultWords(const HandNotationFault& fault, HandSizes allowed, Language language) {
    const HandFaultPhrases& phrases = HandFaultPhrasesFor(language);
    const std::size_t choice = std::has_single_bit(allowed) ? 0 : 1;
    const Writer place = At(fault.position, phrases);
    const HandFaultText character = ShownCharacter(fault.character, language);
    const std::string_view at = place.view();
    const std::string_view shown = character.view();
    const char letter[] = {SuitLetter(fault.suit), '\0'};
    Writer out;
    switch (fault.code) {
        case HandFault::None:
            break;
        case HandFault::Empty:
            out.Fill(phrases.empty[choice], Sizes(allowed, phrases).view());
            break;
        case HandFault::ZeroDigit:
            out.Fill(phrases.zeroDigit, at);
            break;
        case HandFault::CapitalSuit:
            out.Fill(phrases.capitalSuit, at, shown);
            break;
        case HandFault::WideDigit:
            out.Fill(phrases.wideDigit, at, shown);
            break;
        case HandFault::NotATile:
            out.Fill(phrases.notATile, at, shown);
            break;
        case HandFault::StrayByte:
            out.Fill(phrases.strayByte, at);
            break;
        case HandFault::DigitAfterSuit:
            out.Fill(phrases.digitAfterSuit, At(fault.suitPosition, phrases).view(), letter);
            break;
        case HandFault::TwoSuits:
            out.Fill(phrases.twoSuits, At(fault.suitPosition, phrases).view(), letter, at, shown);
            break;
        case HandFault::TileCount: {
            const char* phrase = fault.count == 1 && phrases.oneTile != nullptr
                                     ? phrases.oneTile
                                     : phrases.tileCount[choice];
            out.Fill(phrase, NumberText(fault.count).view(), Sizes(allowed, phrases).view());
            break;
        }
        case HandFault::FifthCopy:
            out.Fill(phrases.fifthCopy, NumberText(fault.number).view(),
                     NumberText(fault.count).view());
            break;
        default:
            out.Add(phrases.unreadable);
            break;
    }
    HandFaultText text = out.text();
    // A sentence may open with a character's name ("a space at character 4 ...").
    if (language == Language::English && text.length > 0 && text.chars[0] >= 'a' &&
        text.chars[0] <= 'z') {
        text.chars[0] = static_cast<char>(text.chars[0] - 'a' + 'A');
    }
    return text;
}

}  // namespace zelkon
