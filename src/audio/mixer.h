#pragma once
// Mixes every playing stream into the output format. Render runs on the
// device's thread: it allocates nothing, does no I/O, and holds the mixer
// lock only while it mixes one block. The control and update threads take the
// same lock for short, bounded changes (attributes, positions, ring writes).
#include "audio/output.h"
#include "audio/stream.h"

#include <mutex>
#include <vector>

namespace velmoro::audio {

class Mixer {
public:
    Mixer();

    std::mutex& Lock() { return m_mutex; }

    // Under Lock():
    void SetFormat(const OutputFormat& format) { m_format = format; }
    const OutputFormat& Format() const { return m_format; }
    void Add(Stream* stream);
    void Remove(Stream* stream);
    bool AnyPlaying() const;
    int streamVolume = 100; // the global stream volume
    int outputVolume = 100;
    bool logVolume = false;
    bool logPan = false;

    // Device thread: fills frames of the output format.
    void Render(void* out, std::size_t frames);

    // Under Lock(): the peak of the last ~20 ms of a stream, 0–128 per channel.
    static std::uint32_t Level(const Stream& stream, int outputRate);
    // Under Lock(): the last kHistoryFrames of a stream, mono, oldest first.
    static void History(const Stream& stream, float* mono);

private:
    static constexpr std::size_t kBlock = 4096;
    void RenderBlock(std::size_t frames);
    void MixStream(Stream& s, std::size_t frames, float masterFrom, float masterTo);
    // Up to `frames` of the stream at the output's rate into m_stream; how many.
    std::size_t TakeFrames(Stream& s, std::size_t frames);
    void Convert(void* out, std::size_t frames) const;

    std::mutex m_mutex;
    OutputFormat m_format;
    std::vector<Stream*> m_streams;
    std::vector<float> m_mix;
    std::vector<float> m_stream; // one stream's frames of a block, before its effects and gains
    float m_lastMaster = 0;
};

} // namespace velmoro::audio
