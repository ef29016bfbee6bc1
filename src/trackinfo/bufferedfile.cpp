#include "trackinfo/bufferedfile.h"

#include <algorithm>
#include <cstring>

namespace velmoro::trackinfo {

namespace {
// The head of most files (frame search, confirmation, Xing header) fits in
// one read of this size.
constexpr std::int64_t kChunk = 64 * 1024;
} // namespace

BufferedFile::BufferedFile(const platform::NativeFile& file, std::int64_t size)
    : m_file(file), m_size(size), m_buffer(std::size_t(kChunk))
{
}

bool BufferedFile::Refill()
{
    if (m_failed || m_pos >= m_size || m_pos < 0)
        return false;
    const std::int64_t n = m_file.ReadAt(m_pos, m_buffer.data(), std::min(kChunk, m_size - m_pos));
    if (n <= 0) {
        // A file that shrinks while it is read ends early; that is an I/O error too.
        m_failed = true;
        m_bufLen = 0;
        return false;
    }
    m_bufStart = m_pos;
    m_bufLen = n;
    return true;
}

std::int64_t BufferedFile::Read(void* out, std::int64_t count)
{
    auto* dst = static_cast<std::uint8_t*>(out);
    std::int64_t done = 0;
    while (done < count) {
        if (m_pos < m_bufStart || m_pos >= m_bufStart + m_bufLen) {
            if (!Refill())
                break;
        }
        const std::int64_t offset = m_pos - m_bufStart;
        const std::int64_t n = std::min(count - done, m_bufLen - offset);
        std::memcpy(dst + done, m_buffer.data() + offset, std::size_t(n));
        done += n;
        m_pos += n;
    }
    return done;
}

bool BufferedFile::ReadBigEndian32(std::uint32_t& out)
{
    std::uint8_t b[4];
    if (Read(b, 4) != 4)
        return false;
    out = std::uint32_t(b[0]) << 24 | std::uint32_t(b[1]) << 16 | std::uint32_t(b[2]) << 8 | b[3];
    return true;
}

} // namespace velmoro::trackinfo
