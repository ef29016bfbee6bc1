#include "app/vissamples.h"

#include <algorithm>
#include <cstring>

namespace velmoro::app {

namespace {

// Frames [first, last) of a ring of `capacity` frames, in the runs that lie
// end to end in it (two at the most for a span shorter than the ring):
// run(index in the ring, first frame, frames).
template <typename Run>
void ForEachRun(std::int64_t first, std::int64_t last, std::int64_t capacity, const Run& run)
{
    while (first < last) {
        const std::int64_t at = first % capacity;
        const std::int64_t frames = std::min(last - first, capacity - at);
        run(std::size_t(at), first, std::size_t(frames));
        first += frames;
    }
}

constexpr std::size_t kFrameBytes = 2 * sizeof(std::int16_t);

} // namespace

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
    ForEachRun(position, position + std::int64_t(frames), std::int64_t(capacity),
               [&](std::size_t at, std::int64_t first, std::size_t count) {
                   std::memcpy(&m_ring[at * 2], samples + (first - position) * 2, count * kFrameBytes);
               });
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
    ForEachRun(first, last, capacity, [&](std::size_t at, std::int64_t run, std::size_t count) {
        std::memcpy(out + (run - from) * 2, &m_ring[at * 2], count * kFrameBytes);
    });
    return std::size_t(std::max<std::int64_t>(0, last - first));
}

} // namespace velmoro::app
