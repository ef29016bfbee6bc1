#pragma once
// The current stream's decoded samples on their way from the audio library's
// update thread (where the DSP function sees them, ahead of the output) to
// the UI thread (where the visualizations draw what is being heard). Each
// block keeps its stream position, so the UI picks the samples the output
// plays now. The writer never waits for the reader beyond a copy; a full
// record drops the oldest samples. Nothing is allocated after construction.
#include "audio/audiolibrary.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace velmoro::app {

class VisSamples {
public:
    // A block as the DSP function saw it: its first frame's stream position.
    struct Block {
        std::int64_t position = 0; // in frames
        std::size_t frames = 0;
    };

    // 2^18 frames hold the longest decode-ahead buffer at 48 kHz.
    explicit VisSamples(std::size_t capacityFrames = std::size_t(1) << 18, std::size_t capacityBlocks = 512);

    // Update thread: interleaved 16-bit stereo frames of stream, the first at
    // stream frame position. A block of another stream, or one that does not
    // follow the last (after a seek), starts the record afresh.
    void Push(audio::Handle stream, std::int64_t position, const std::int16_t* samples, std::size_t frames);

    // UI thread: the blocks of stream still held, oldest first (out is
    // replaced).
    void Blocks(audio::Handle stream, std::vector<Block>& out) const;
    // UI thread: frames [from, from + count) of stream into out (2 × count
    // values); frames not held read as silence. How many were held.
    std::size_t Read(audio::Handle stream, std::int64_t from, std::size_t count, std::int16_t* out) const;

private:
    void Restart(audio::Handle stream, std::int64_t position);

    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_ring; // frame f at (f % capacity) * 2
    std::vector<Block> m_blocks;      // a ring too, m_blockCount from m_firstBlock
    std::size_t m_firstBlock = 0;
    std::size_t m_blockCount = 0;
    audio::Handle m_stream = 0;
    std::int64_t m_begin = 0; // frames [m_begin, m_end) are held
    std::int64_t m_end = 0;
};

} // namespace velmoro::app
