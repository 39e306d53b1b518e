// Output in large blocks, so that a run over every hand spends its time on the hands.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace zelkon {

class BlockWriter {
public:
    static constexpr std::size_t kCapacity = std::size_t{1} << 18;

    explicit BlockWriter(std::FILE* file) : m_file(file) {}
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // At least size bytes (at most kCapacity) to write into; commit the end of what was written.
    char* reserve(std::size_t size);
    void commit(const char* end) { m_used = static_cast<std::size_t>(end - m_buffer.data()); }

    void write(std::string_view text);

    // Writes out what is buffered; false when any write so far failed.
    bool finish();

private:
    void flush();

    std::FILE* m_file;
    std::size_t m_used = 0;
    bool m_failed = false;
    std::array<char, kCapacity> m_buffer;
};

}  // namespace zelkon
