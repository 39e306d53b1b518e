// The answer box's text in storage of its own: the longest answer is known in advance, so
// building it needs no heap.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "analysis/pattern_table.h"
#include "analysis/vocabulary.h"

namespace zelkon {

constexpr std::size_t LongerIn(const Term& term) {
    const std::size_t ja = std::string_view(term.ja).size();
    const std::size_t en = std::string_view(term.en).size();
    return ja > en ? ja : en;
}

// Every number a wait, each line naming every pattern with its two trailing spaces, in the
// language that spells such a line longer.
constexpr std::size_t LongestAnswer(std::size_t headerLength, std::size_t prefixLength) {
    std::size_t ja = 0;
    std::size_t en = 0;
    for (const Term& name : kPatternTerms) {
        ja += std::string_view(name.ja).size() + 2;
        en += std::string_view(name.en).size() + 2;
    }
    const std::size_t line = prefixLength + std::string_view("\r\n").size() + (ja > en ? ja : en);
    return headerLength + (kNumberSlots - 1) * line;
}

template <std::size_t Capacity>
class FixedText {
public:
    FixedText() = default;
    FixedText(std::string_view text) { *this = text; }

    FixedText& operator=(std::string_view text) {
        m_size = 0;
        return *this += text;
    }

    // Text beyond the capacity is dropped; the capacity is chosen so that none ever is.
    FixedText& operator+=(std::string_view text) {
        const std::size_t room = Capacity - m_size;
        const std::size_t count = text.size() < room ? text.size() : room;
        text.copy(m_text.data() + m_size, count);
        m_size += count;
        return *this;
    }

    std::string_view view() const { return {m_text.data(), m_size}; }
    bool operator==(std::string_view text) const { return view() == text; }

private:
    std::array<char, Capacity> m_text{};
    std::size_t m_size = 0;
};

}  // namespace zelkon
