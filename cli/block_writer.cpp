#include "block_writer.h"

#include <algorithm>
#include <cerrno>

namespace zelkon {

char* BlockWriter::reserve(std::size_t size) {
    if (kCapacity - m_used < size) {
        flush();
    }
    return m_buffer.data() + m_used;
}

void BlockWriter::write(std::string_view text) {
    while (!text.empty()) {
        if (m_used == kCapacity) {
            flush();
        }
        const std::size_t part = std::min(text.size(), kCapacity - m_used);
        std::copy_n(text.data(), part, m_buffer.data() + m_used);
        m_used += part;
        text.remove_prefix(part);
    }
}

void BlockWriter::flush() {
    if (m_used > 0 && !m_failed && std::fwrite(m_buffer.data(), 1, m_used, m_file) != m_used) {
        fail();
    }
    m_used = 0;
}

void BlockWriter::fail() {
    if (!m_failed) {
        m_failed = true;
        m_error = errno;
    }
}

bool BlockWriter::finish() {
    flush();
    if (std::fflush(m_file) != 0 || std::ferror(m_file) != 0) {
        fail();
    }
    return !m_failed;
}

}  // namespace zelkon
