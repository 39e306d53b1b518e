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

    // True once a write has failed; what is written after that is dropped.
    bool failed() const { return m_failed; }
    // errno of the first failed write, 0 while none failed.
    int error() const { return m_error; }

    // Writes out what is buffered; false when any write so far failed.
    bool finish();

private:
    void flush();
    void fail();

    std::FILE* m_file;
    std::size_t m_used = 0;
    bool m_failed = false;
    int m_error = 0;
    std::array<char, kCapacity> m_buffer;
};

}  // namespace zelkon
