#pragma once
// Where the mixed sound goes. An output pulls blocks from the mixer on its
// own thread through the render callback; the callback must not block.
#include "audio/audiolibrary.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmoro::audio {

struct OutputFormat {
    int rate = 44100;
    int channels = 2; // 1 or 2
    int bits = 16;    // 8 (unsigned) or 16 (signed)
    int BytesPerFrame() const { return channels * bits / 8; }
};

// Fills `frames` frames of the output format at `out`.
using RenderCallback = std::function<void(void* out, std::size_t frames)>;

class Output {
public:
    virtual ~Output() = default;
    virtual bool Start() = 0;
    // After Stop returns the render callback is not running and not called again.
    virtual void Stop() = 0;
    // How long until the last frame rendered so far is heard; 0 when the
    // device cannot tell. Any thread may ask.
    virtual double LatencySeconds() const { return 0; }
    // Fills in what the output knows of its device: the server, the sink,
    // the latency, and the format when the device changed it. The library
    // has set the format it asked for.
    virtual void Describe(DeviceReport& report) { (void)report; }
};

class OutputProvider {
public:
    virtual ~OutputProvider() = default;
    virtual std::vector<std::string> Devices() = 0;
    // device −1 is the system default. nullptr when it cannot be opened.
    virtual std::unique_ptr<Output> Open(int device, const OutputFormat& format, RenderCallback render) = 0;
};

// VELMORO_AUDIO=null: a silent device paced by the clock; wav:PATH: a WAV
// file paced by the clock; otherwise the PulseAudio server.
std::unique_ptr<OutputProvider> OutputProviderFromEnvironment();
std::unique_ptr<OutputProvider> MakePulseProvider();
std::unique_ptr<OutputProvider> MakeNullProvider();
std::unique_ptr<OutputProvider> MakeWavProvider(const std::string& path);

// A device that renders only when a test calls Step, on the caller's thread.
class ManualOutput : public Output {
public:
    ManualOutput(const OutputFormat& format, RenderCallback render)
        : m_format(format), m_render(std::move(render))
    {
    }
    bool Start() override { return m_started = true; }
    void Stop() override { m_started = false; }
    bool Started() const { return m_started; }
    // Renders frames and appends them to Captured(); nothing while stopped.
    void Step(std::size_t frames);
    // The device's clock, which the test drives: rendered frames are heard
    // only as it lets time pass. Never beyond what was rendered.
    void Hear(std::size_t frames);
    std::uint64_t RenderedFrames() const { return m_rendered; }
    std::uint64_t HeardFrames() const { return m_heard; }
    double LatencySeconds() const override;
    const std::vector<std::uint8_t>& Captured() const { return m_captured; }
    void ClearCaptured() { m_captured.clear(); }
    const OutputFormat& Format() const { return m_format; }

private:
    OutputFormat m_format;
    RenderCallback m_render;
    std::atomic<bool> m_started{false}; // the library's update thread may stop it
    std::vector<std::uint8_t> m_captured;
    std::atomic<std::uint64_t> m_rendered{0};
    std::atomic<std::uint64_t> m_heard{0};
};

class ManualProvider : public OutputProvider {
public:
    std::vector<std::string> Devices() override { return {"Uscita di prova"}; }
    std::unique_ptr<Output> Open(int device, const OutputFormat& format, RenderCallback render) override;
    // The output opened last, or nullptr.
    ManualOutput* Current() const { return m_current; }
    bool failOpen = false;

private:
    ManualOutput* m_current = nullptr;
};

} // namespace velmoro::audio
