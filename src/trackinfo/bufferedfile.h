#pragma once
// A forward-reading window over a file, so the frame search can look at one
// byte at a time without a system call per byte.
#include "platform/fileio.h"

#include <cstdint>
#include <vector>

namespace velmoro::trackinfo {

class BufferedFile {
public:
    BufferedFile(const platform::NativeFile& file, std::int64_t size);

    std::int64_t Pos() const { return m_pos; }
    std::int64_t Size() const { return m_size; }
    bool AtEnd() const { return m_pos >= m_size; }
    // Set once a read failed with an I/O error (not at the end of the file).
    bool Failed() const { return m_failed; }

    void Seek(std::int64_t pos) { m_pos = pos; }
    // False at the end of the file or on an error.
    bool ReadByte(std::uint8_t& out)
    {
        if (m_pos >= m_bufStart && m_pos < m_bufStart + m_bufLen) {
            out = m_buffer[std::size_t(m_pos++ - m_bufStart)];
            return true;
        }
        return Refill() && ReadByte(out);
    }
    // Reads up to count bytes; returns how many were read.
    std::int64_t Read(void* out, std::int64_t count);
    // Reads four bytes as a big-endian number; false when fewer remain.
    bool ReadBigEndian32(std::uint32_t& out);

private:
    bool Refill();

    const platform::NativeFile& m_file;
    std::int64_t m_size;
    std::int64_t m_pos = 0;
    std::vector<std::uint8_t> m_buffer;
    std::int64_t m_bufStart = 0;
    std::int64_t m_bufLen = 0;
    bool m_failed = false;
};

} // namespace velmoro::trackinfo
