// Outputs paced by the system clock: a silent one, and one that writes what
// would be heard into a WAV file. Both render in 10 ms steps on a thread of
// their own, as a sound card would pull.
#include "audio/log.h"
#include "audio/output.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace velmoro::audio {

namespace {

using Clock = std::chrono::steady_clock;

class ClockOutput : public Output {
public:
    ClockOutput(const OutputFormat& format, RenderCallback render, std::FILE* wav)
        : m_format(format), m_render(std::move(render)), m_wav(wav),
          m_scratch(std::size_t(format.rate / 10) * std::size_t(format.BytesPerFrame()))
    {
        if (m_wav)
            WriteWavHeader(0);
    }
    ~ClockOutput() override
    {
        Stop();
        if (m_wav) {
            WriteWavHeader(m_dataBytes);
            std::fclose(m_wav);
        }
    }

    bool Start() override
    {
        if (m_thread.joinable())
            return true;
        m_running = true;
        m_thread = std::thread([this] { Run(); });
        return true;
    }

    void Stop() override
    {
        m_running = false;
        if (m_thread.joinable())
            m_thread.join();
    }

    // No server: the program's own clock stands in for a sound card.
    void Describe(DeviceReport& report) override
    {
        report.server = "nessuno (orologio del sistema)";
        report.sinkDescription = m_wav ? "File WAV" : "Uscita muta";
        report.latencyMs = kStepMs;
    }

private:
    static constexpr int kStepMs = 10;

    void Run()
    {
        const auto start = Clock::now();
        std::uint64_t rendered = 0;
        const std::size_t maxFrames = m_scratch.size() / std::size_t(m_format.BytesPerFrame());
        while (m_running) {
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            auto due = std::uint64_t(elapsed * m_format.rate);
            while (rendered < due) {
                const std::size_t frames = std::size_t(std::min<std::uint64_t>(due - rendered, maxFrames));
                m_render(m_scratch.data(), frames);
                if (m_wav) {
                    const std::size_t bytes = frames * std::size_t(m_format.BytesPerFrame());
                    m_dataBytes += std::uint32_t(std::fwrite(m_scratch.data(), 1, bytes, m_wav));
                }
                rendered += frames;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
        }
    }

    void WriteWavHeader(std::uint32_t dataBytes)
    {
        const auto le32 = [](std::uint8_t* p, std::uint32_t v) {
            for (int i = 0; i < 4; ++i)
                p[i] = std::uint8_t(v >> (8 * i));
        };
        const auto le16 = [](std::uint8_t* p, std::uint16_t v) {
            p[0] = std::uint8_t(v);
            p[1] = std::uint8_t(v >> 8);
        };
        std::uint8_t h[44] = {'R', 'I', 'F', 'F', 0,   0,  0, 0, 'W', 'A', 'V',
                              'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,   1,   0};
        le32(h + 4, 36 + dataBytes);
        le16(h + 22, std::uint16_t(m_format.channels));
        le32(h + 24, std::uint32_t(m_format.rate));
        le32(h + 28, std::uint32_t(m_format.rate * m_format.BytesPerFrame()));
        le16(h + 32, std::uint16_t(m_format.BytesPerFrame()));
        le16(h + 34, std::uint16_t(m_format.bits));
        std::memcpy(h + 36, "data", 4);
        le32(h + 40, dataBytes);
        std::fseek(m_wav, 0, SEEK_SET);
        std::fwrite(h, 1, sizeof h, m_wav);
        std::fseek(m_wav, 0, SEEK_END);
        std::fflush(m_wav);
    }

    OutputFormat m_format;
    RenderCallback m_render;
    std::FILE* m_wav;
    std::vector<std::uint8_t> m_scratch;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
    std::uint32_t m_dataBytes = 0;
};

class ClockProvider : public OutputProvider {
public:
    explicit ClockProvider(std::string wavPath) : m_wavPath(std::move(wavPath)) {}

    std::vector<std::string> Devices() override
    {
        return {m_wavPath.empty() ? "Uscita muta" : "File WAV " + m_wavPath};
    }

    std::unique_ptr<Output> Open(int device, const OutputFormat& format, RenderCallback render) override
    {
        if (device < -1 || device > 0) {
            Log(LogLevel::Warning, "no device " + std::to_string(device) + ": the clock output has one");
            return nullptr;
        }
        std::FILE* wav = nullptr;
        if (!m_wavPath.empty() && !(wav = std::fopen(m_wavPath.c_str(), "wb"))) {
            Log(LogLevel::Warning, "cannot write " + m_wavPath + ": " + std::strerror(errno));
            return nullptr;
        }
        return std::make_unique<ClockOutput>(format, std::move(render), wav);
    }

private:
    std::string m_wavPath;
};

} // namespace

std::unique_ptr<OutputProvider> MakeNullProvider()
{
    return std::make_unique<ClockProvider>(std::string());
}

std::unique_ptr<OutputProvider> MakeWavProvider(const std::string& path)
{
    return std::make_unique<ClockProvider>(path);
}

std::unique_ptr<OutputProvider> OutputProviderFromEnvironment()
{
    const char* choice = std::getenv("VELMORO_AUDIO");
    const std::string value = choice ? choice : "";
    if (value == "null")
        return MakeNullProvider();
    if (value.rfind("wav:", 0) == 0 && value.size() > 4)
        return MakeWavProvider(value.substr(4));
    return MakePulseProvider();
}

} // namespace velmoro::audio
