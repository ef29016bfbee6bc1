#pragma once
// Samples on their way from the audio library's update thread (where the DSP
// function sees them) to the UI thread (where the oscilloscope is drawn).
// The writer never waits for the reader: a full queue drops the oldest
// samples. Both sides hold the lock only to copy; nothing is allocated after
// construction.
#include <cstdint>
#include <mutex>
#include <vector>

namespace velmoro::app {

class OscilloscopeQueue {
public:
    explicit OscilloscopeQueue(std::size_t capacityFrames = 8192) : m_ring(capacityFrames * 2) {}

    // Update thread: interleaved 16-bit stereo frames.
    void Push(const std::int16_t* samples, std::size_t frames)
    {
        std::lock_guard lock(m_mutex);
        const std::size_t capacity = m_ring.size() / 2;
        if (frames > capacity) {
            samples += (frames - capacity) * 2;
            frames = capacity;
        }
        for (std::size_t i = 0; i < frames; ++i) {
            m_ring[m_write * 2] = samples[i * 2];
            m_ring[m_write * 2 + 1] = samples[i * 2 + 1];
            m_write = (m_write + 1) % capacity;
        }
        m_count = std::min(capacity, m_count + frames);
    }

    // UI thread: appends every queued frame to out, oldest first, and empties the queue.
    void Drain(std::vector<std::int16_t>& out)
    {
        std::lock_guard lock(m_mutex);
        const std::size_t capacity = m_ring.size() / 2;
        std::size_t at = (m_write + capacity - m_count) % capacity;
        for (std::size_t i = 0; i < m_count; ++i) {
            out.push_back(m_ring[at * 2]);
            out.push_back(m_ring[at * 2 + 1]);
            at = (at + 1) % capacity;
        }
        m_count = 0;
    }

private:
    std::mutex m_mutex;
    std::vector<std::int16_t> m_ring;
    std::size_t m_write = 0;
    std::size_t m_count = 0;
};

} // namespace velmoro::app
