#include "app/vissamples.h"

#include <algorithm>

namespace velmoro::app {

VisSamples::VisSamples(std::size_t capacityFrames, std::size_t capacityBlocks)
    : m_ring(std::max<std::size_t>(1, capacityFrames) * 2), m_blocks(std::max<std::size_t>(1, capacityBlocks))
{
}

void VisSamples::Restart(audio::Handle stream, std::int64_t position)
{
    m_stream = stream;
    m_begin = m_end = position;
    m_firstBlock = m_blockCount = 0;
}

void VisSamples::Push(audio::Handle stream, std::int64_t position, const std::int16_t* samples,
                      std::size_t frames)
{
    const std::size_t capacity = m_ring.size() / 2;
    std::lock_guard lock(m_mutex);
    if (stream != m_stream || position != m_end)
        Restart(stream, position);
    if (frames == 0)
        return;
    for (std::size_t i = 0; i < frames; ++i) {
        const auto at = std::size_t((position + std::int64_t(i)) % std::int64_t(capacity)) * 2;
        m_ring[at] = samples[i * 2];
        m_ring[at + 1] = samples[i * 2 + 1];
    }
    m_end = position + std::int64_t(frames);
    m_begin = std::max(m_begin, m_end - std::int64_t(capacity));
    if (m_blockCount == m_blocks.size()) {
        m_firstBlock = (m_firstBlock + 1) % m_blocks.size();
        --m_blockCount;
    }
    m_blocks[(m_firstBlock + m_blockCount) % m_blocks.size()] = {position, frames};
    ++m_blockCount;
    // Blocks whose first frames are overwritten are no longer whole.
    while (m_blockCount > 0 && m_blocks[m_firstBlock].position < m_begin) {
        m_firstBlock = (m_firstBlock + 1) % m_blocks.size();
        --m_blockCount;
    }
}

void VisSamples::Blocks(audio::Handle stream, std::vector<Block>& out) const
{
    out.clear();
    std::lock_guard lock(m_mutex);
    if (stream != m_stream)
        return;
    for (std::size_t i = 0; i < m_blockCount; ++i)
        out.push_back(m_blocks[(m_firstBlock + i) % m_blocks.size()]);
}

std::size_t VisSamples::Read(audio::Handle stream, std::int64_t from, std::size_t count,
                             std::int16_t* out) const
{
    const auto capacity = std::int64_t(m_ring.size() / 2);
    std::fill_n(out, count * 2, std::int16_t(0));
    std::lock_guard lock(m_mutex);
    if (stream != m_stream)
        return 0;
    const std::int64_t first = std::max(from, m_begin);
    const std::int64_t last = std::min(from + std::int64_t(count), m_end);
    for (std::int64_t f = first; f < last; ++f) {
        const auto at = std::size_t(f % capacity) * 2;
        out[(f - from) * 2] = m_ring[at];
        out[(f - from) * 2 + 1] = m_ring[at + 1];
    }
    return std::size_t(std::max<std::int64_t>(0, last - first));
}

} // namespace velmoro::app
