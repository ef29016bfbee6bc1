#include "audio/mixer.h"

#include "audio/gain.h"
#include "audio/resampler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmoro::audio {

namespace {

float Sample(const Stream& s, std::int64_t frame, int channel)
{
    if (frame < 0 || frame >= s.decodedEnd)
        return 0;
    return s.ring[std::size_t(frame % std::int64_t(s.capacity)) * 2 + std::size_t(channel)];
}

} // namespace

Mixer::Mixer() : m_mix(kBlock * 2), m_stream(kBlock * 2)
{
    m_streams.reserve(64);
}

void Mixer::Add(Stream* stream)
{
    if (std::find(m_streams.begin(), m_streams.end(), stream) == m_streams.end())
        m_streams.push_back(stream);
}

void Mixer::Remove(Stream* stream)
{
    m_streams.erase(std::remove(m_streams.begin(), m_streams.end(), stream), m_streams.end());
}

void Mixer::Render(void* out, std::size_t frames)
{
    std::lock_guard lock(m_mutex);
    auto* bytes = static_cast<std::uint8_t*>(out);
    const auto frameBytes = std::size_t(m_format.BytesPerFrame());
    while (frames > 0) {
        const std::size_t n = std::min(frames, kBlock);
        RenderBlock(n);
        Convert(bytes, n);
        bytes += n * frameBytes;
        frames -= n;
    }
}

bool Mixer::AnyPlaying() const
{
    return std::any_of(m_streams.begin(), m_streams.end(), [](const Stream* s) { return s->playing; });
}

void Mixer::RenderBlock(std::size_t frames)
{
    std::fill_n(m_mix.begin(), frames * 2, 0.0f);
    const float master = VolumeGain(streamVolume, logVolume) * VolumeGain(outputVolume, logVolume);
    for (Stream* s : m_streams) {
        if (s->playing)
            MixStream(*s, frames, m_lastMaster, master);
    }
    m_lastMaster = master;
}

// The stream's frames of the block are taken first (resampled where its
// rate differs), then its effects run over them, then its gains. Every gain
// moves in a straight line from where the last block left it to its new
// value, so a fade in 1-point steps never steps audibly.
void Mixer::MixStream(Stream& s, std::size_t frames, float masterFrom, float masterTo)
{
    const std::size_t taken = TakeFrames(s, frames);
    s.effects.Process(m_stream.data(), taken, m_format.rate);

    const float volume = VolumeGain(s.volume, logVolume);
    const StereoGain pan = PanGains(s.pan, logPan);
    const float leftTo = volume * pan.left;
    const float rightTo = volume * pan.right;
    const float leftStep = (leftTo - s.lastLeft) / float(frames);
    const float rightStep = (rightTo - s.lastRight) / float(frames);
    const float masterStep = (masterTo - masterFrom) / float(frames);
    float gl = s.lastLeft;
    float gr = s.lastRight;
    float gm = masterFrom;
    std::size_t history = s.historyPos;
    for (std::size_t i = 0; i < taken; ++i) {
        gl += leftStep;
        gr += rightStep;
        gm += masterStep;
        const float left = m_stream[i * 2] * gl;
        const float right = m_stream[i * 2 + 1] * gr;
        s.history[history * 2] = left * (1.0f / 32768.0f);
        s.history[history * 2 + 1] = right * (1.0f / 32768.0f);
        history = (history + 1) & (kHistoryFrames - 1);
        m_mix[i * 2] += left * gm;
        m_mix[i * 2 + 1] += right * gm;
    }
    // Frames not heard this block (end or underrun) leave silence in the history.
    for (std::size_t i = taken; i < frames; ++i) {
        s.history[history * 2] = 0;
        s.history[history * 2 + 1] = 0;
        history = (history + 1) & (kHistoryFrames - 1);
    }
    s.historyPos = history;
    s.lastLeft = leftTo;
    s.lastRight = rightTo;
}

std::size_t Mixer::TakeFrames(Stream& s, std::size_t frames)
{
    std::size_t i = 0;
    const auto emit = [&](float left, float right) {
        m_stream[i * 2] = left;
        m_stream[i * 2 + 1] = right;
        ++i;
    };
    // One pass per stretch of frames at one rate: a stream whose rate
    // changes midway plays each part at its own rate.
    while (i < frames) {
        const std::int64_t nextChange = s.FollowDecoderRate();
        if (s.frequency <= 0)
            break; // nothing decoded yet: its rate is still unknown
        const std::size_t before = i;
        const double step = double(s.frequency) / double(m_format.rate);
        if (step == 1.0 && s.playPos == std::floor(s.playPos)) {
            // Same rate, whole frames: straight from the ring.
            const auto base = std::int64_t(s.playPos);
            const auto available =
                std::size_t(std::max<std::int64_t>(0, std::min(s.decodedEnd, nextChange) - base));
            const std::size_t n = std::min(frames - i, available);
            std::size_t at = std::size_t(base % std::int64_t(s.capacity));
            for (std::size_t k = 0; k < n; ++k) {
                emit(s.ring[at * 2], s.ring[at * 2 + 1]);
                at = at + 1 == s.capacity ? 0 : at + 1;
            }
            s.playPos = double(base + std::int64_t(n));
        } else {
            while (i < frames) {
                const auto base = std::int64_t(std::floor(s.playPos));
                if (base >= nextChange)
                    break;
                // The decoder is behind (a slow network): wait for it in silence.
                if (base + 2 >= s.decodedEnd && !(s.decodeEnded && base < s.decodedEnd))
                    break;
                const auto t = float(s.playPos - double(base));
                emit(Hermite(Sample(s, base - 1, 0), Sample(s, base, 0), Sample(s, base + 1, 0),
                             Sample(s, base + 2, 0), t),
                     Hermite(Sample(s, base - 1, 1), Sample(s, base, 1), Sample(s, base + 1, 1),
                             Sample(s, base + 2, 1), t));
                s.playPos += step;
            }
        }
        if (i == before)
            break; // the end, or an underrun
    }
    if (s.decodeEnded && s.playPos >= double(s.decodedEnd)) {
        s.playing = false;
        s.playPos = double(s.decodedEnd);
    }
    return i;
}

void Mixer::Convert(void* out, std::size_t frames) const
{
    const auto clamp16 = [](float v) { return std::int16_t(std::lrint(std::clamp(v, -32768.0f, 32767.0f))); };
    const auto write = [&](auto* o, auto toSample) {
        for (std::size_t i = 0; i < frames; ++i) {
            if (m_format.channels == 2) {
                o[i * 2] = toSample(m_mix[i * 2]);
                o[i * 2 + 1] = toSample(m_mix[i * 2 + 1]);
            } else {
                o[i] = toSample((m_mix[i * 2] + m_mix[i * 2 + 1]) * 0.5f);
            }
        }
    };
    if (m_format.bits == 16)
        write(static_cast<std::int16_t*>(out), clamp16);
    else
        write(static_cast<std::uint8_t*>(out),
              [&](float v) { return std::uint8_t((clamp16(v) >> 8) + 128); });
}

std::uint32_t Mixer::Level(const Stream& s, int outputRate)
{
    if (!s.playing)
        return 0;
    const std::size_t span = std::min<std::size_t>(kHistoryFrames, std::size_t(outputRate / 50));
    float left = 0;
    float right = 0;
    for (std::size_t k = 1; k <= span; ++k) {
        const std::size_t at = (s.historyPos + kHistoryFrames - k) % kHistoryFrames;
        left = std::max(left, std::fabs(s.history[at * 2]));
        right = std::max(right, std::fabs(s.history[at * 2 + 1]));
    }
    const auto scale = [](float peak) { return std::uint32_t(std::lround(std::min(peak, 1.0f) * 128.0f)); };
    return scale(left) | scale(right) << 16;
}

void Mixer::History(const Stream& s, float* mono)
{
    for (std::size_t k = 0; k < kHistoryFrames; ++k) {
        const std::size_t at = (s.historyPos + k) % kHistoryFrames;
        mono[k] = (s.history[at * 2] + s.history[at * 2 + 1]) * 0.5f;
    }
}

} // namespace velmoro::audio
