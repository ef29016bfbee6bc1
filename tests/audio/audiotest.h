#pragma once
// A library on a manual device: nothing decodes or plays until the test
// steps it, so every test sees the same samples.
#include "audio/library.h"
#include "audio/log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

namespace velmoro::test {

inline std::string AudioFixture(const char* name)
{
    return std::string(VELMORO_FIXTURE_DIR "/") + name;
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ManualLibrary {
public:
    explicit ManualLibrary(std::uint32_t initFlags = 0)
    {
        auto provider = std::make_unique<audio::ManualProvider>();
        m_provider = provider.get();
        lib = std::make_unique<audio::AudioLibrary>(std::move(provider), audio::LibraryOptions{false});
        initialized = lib->Init(-1, 44100, initFlags) && lib->Start();
    }

    audio::ManualOutput& Output() { return *m_provider->Current(); }

    // Decodes ahead and renders frames in device-sized steps; returns what
    // was rendered, as bytes of the output format.
    std::vector<std::uint8_t> Render(std::size_t frames, std::size_t step = 441)
    {
        Output().ClearCaptured();
        while (frames > 0) {
            const std::size_t n = std::min(frames, step);
            lib->Update();
            Output().Step(n);
            frames -= n;
        }
        return Output().Captured();
    }

    // The same, as interleaved 16-bit stereo samples.
    std::vector<std::int16_t> RenderStereo(std::size_t frames, std::size_t step = 441)
    {
        const std::vector<std::uint8_t> bytes = Render(frames, step);
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    std::unique_ptr<audio::AudioLibrary> lib;
    bool initialized = false;

private:
    audio::ManualProvider* m_provider = nullptr;
};

// Collects what the library logs while it lives.
class LogCapture {
public:
    LogCapture() { audio::SetLogFunction(&LogCapture::Add, this); }
    ~LogCapture() { audio::SetLogFunction(nullptr, nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Contains(const std::string& text) const
    {
        std::lock_guard lock(m_mutex);
        return std::any_of(m_lines.begin(), m_lines.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    }

private:
    static void Add(void* user, audio::LogLevel, const char* message)
    {
        auto* self = static_cast<LogCapture*>(user);
        std::lock_guard lock(self->m_mutex);
        self->m_lines.emplace_back(message);
    }

    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

// Peak of one channel of interleaved stereo, from frame `from` on.
inline int Peak(const std::vector<std::int16_t>& s, int channel, std::size_t from = 0)
{
    int peak = 0;
    for (std::size_t i = from * 2 + std::size_t(channel); i < s.size(); i += 2)
        peak = std::max(peak, std::abs(int(s[i])));
    return peak;
}

// Frequency of one channel from its rising zero crossings; a crossing
// counts once the signal has been below −1000, so coding noise around zero
// is not taken for extra periods.
inline double ZeroCrossingFrequency(const std::vector<std::int16_t>& s, int channel, int rate)
{
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    bool armed = false;
    for (std::size_t i = std::size_t(channel); i < s.size(); i += 2) {
        if (s[i] < -1000)
            armed = true;
        if (armed && s[i] >= 0) {
            armed = false;
            if (crossings == 0)
                first = i / 2;
            last = i / 2;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : double(crossings - 1) * rate / double(last - first);
}

} // namespace velmoro::test
