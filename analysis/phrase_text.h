// Words built into a fixed buffer, for texts the core hands to every front end without the heap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelkon {

template <std::size_t Capacity>
struct PhraseText {
    std::array<char, Capacity> chars{};
    std::int32_t length = 0;

    std::string_view view() const { return {chars.data(), static_cast<std::size_t>(length)}; }
};

// Appends to a PhraseText; what does not fit is dropped.
template <std::size_t Capacity>
class PhraseWriter {
public:
    void Add(std::string_view text) {
        for (const char c : text) {
            if (m_text.length < static_cast<std::int32_t>(Capacity)) {
                m_text.chars[static_cast<std::size_t>(m_text.length++)] = c;
            }
        }
    }

    void AddNumber(int value) {
        std::array<char, 12> digits{};
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value > 0 && count < digits.size());
        while (count > 0) {
            const char digit = digits[--count];
            Add(std::string_view(&digit, 1));
        }
    }

    // phrase with %1..%4 replaced by args.
    void Fill(std::string_view phrase, std::string_view a = {}, std::string_view b = {},
              std::string_view c = {}, std::string_view d = {}) {
        const std::array<std::string_view, 4> args{a, b, c, d};
        for (std::size_t i = 0; i < phrase.size(); ++i) {
            if (phrase[i] == '%' && i + 1 < phrase.size() && phrase[i + 1] >= '1' &&
                phrase[i + 1] <= '4') {
                Add(args[static_cast<std::size_t>(phrase[i + 1] - '1')]);
                ++i;
            } else {
                Add(phrase.substr(i, 1));
            }
        }
    }

    std::string_view view() const { return m_text.view(); }
    const PhraseText<Capacity>& text() const { return m_text; }

private:
    PhraseText<Capacity> m_text;
};

// A whole number's digits, to fill into a phrase.
inline PhraseText<12> NumberText(int value) {
    PhraseWriter<12> writer;
    writer.AddNumber(value);
    return writer.text();
}

}  // namespace zelkon
