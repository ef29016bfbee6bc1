#pragma once
// The audio library: IAudioLibrary over an output provider, a mixer and an
// update thread that decodes ahead of what is heard.
#include "audio/audiolibrary.h"
#include "audio/mixer.h"
#include "audio/output.h"
#include "audio/spectrum.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace velmoro::audio {

struct LibraryOptions {
    // False in tests: nothing decodes until Update() is called, so a test
    // steps decoding and output itself.
    bool updateThread = true;
    // A network stream whose server sends nothing for this long ends.
    std::chrono::milliseconds urlStallTimeout{10000};
};

class AudioLibrary final : public IAudioLibrary {
public:
    explicit AudioLibrary(std::unique_ptr<OutputProvider> provider, LibraryOptions options = {});
    ~AudioLibrary() override;

    bool GetDeviceDescription(int device, std::string& description) override;
    bool Init(int device, std::uint32_t frequency, std::uint32_t flags) override;
    bool Start() override;
    void Free() override;
    bool GetInfo(DeviceInfo& info) override;
    bool GetDeviceReport(DeviceReport& report) override;
    void SetBufferLength(float seconds) override;
    void SetLogCurves(bool volume, bool pan) override;
    void SetGlobalVolumes(int music, int sample, int stream) override;
    void SetVolume(int volume) override;

    Handle StreamCreateFile(const std::string& file, std::uint32_t flags) override;
    Handle StreamCreateMemory(const void* data, std::size_t length, std::uint32_t flags) override;
    Handle StreamCreateURL(const std::string& url, std::uint32_t flags,
                           const std::string& localCopy) override;
    bool StreamPlay(Handle stream, bool flush, std::uint32_t flags) override;
    bool StreamFree(Handle stream) override;
    bool ChannelStop(Handle channel) override;
    bool ChannelPause(Handle channel) override;
    std::uint32_t StreamGetLength(Handle stream) override;
    bool StreamGetTags(Handle stream, std::uint32_t seen, StreamTags& tags) override;
    bool ChannelIsActive(Handle channel) override;
    std::uint32_t ChannelGetPosition(Handle channel) override;
    bool ChannelSetPosition(Handle channel, std::uint32_t position) override;
    bool ChannelGetAttributes(Handle channel, int* frequency, int* volume, int* pan) override;
    bool ChannelSetAttributes(Handle channel, int frequency, int volume, int pan) override;
    std::uint32_t ChannelGetLevel(Handle channel) override;
    Handle ChannelSetDSP(Handle channel, DspProc proc, void* user) override;
    Handle ChannelSetPositionedDSP(Handle channel, PositionedDspProc proc, void* user) override;
    std::uint32_t ChannelGetHeardPosition(Handle channel) override;
    bool ChannelRemoveDSP(Handle channel, Handle dsp) override;
    Handle ChannelSetFX(Handle channel, FxKind kind) override;
    bool FXSetParameters(Handle fx, const EqParameters& parameters) override;
    bool GetFFTSamples(Handle channel, std::array<float, kFftBins>& out) override;

    // Decodes ahead for every stream once; the update thread calls it in a loop.
    void Update();
    // Bytes of a network stream received and not yet decoded: what its
    // download holds ahead of the decoded buffer.
    std::size_t NetworkBytesWaiting(Handle stream) const;

private:
    static constexpr std::size_t kDecodeBlock = 4096; // frames handed to DSP functions at a time
    static constexpr double kMaxBufferSeconds = 5.0;

    std::shared_ptr<Stream> Find(Handle handle) const;
    // The streams as they are, to work on without holding the streams lock.
    std::vector<std::shared_ptr<Stream>> StreamsNow() const;
    Handle NewHandle();
    // One of proc and positioned is set.
    Handle AddDsp(Handle channel, DspProc proc, PositionedDspProc positioned, void* user);
    Handle AddStream(std::unique_ptr<Decoder> decoder, std::uint32_t flags, std::shared_ptr<UrlSource> url);
    void FillStream(Stream& s, std::vector<std::int16_t>& scratch);
    void Wake();
    void UpdateLoop();
    // How long the update thread may sleep before a playing stream's decoded
    // lead falls to half the buffer.
    std::chrono::milliseconds TimeUntilRefill();
    // The device runs only while a stream plays: a player that is stopped,
    // paused or empty costs neither the sound server nor this process a wakeup.
    void ResumeOutput();
    void SuspendOutputWhenSilent();

    std::unique_ptr<OutputProvider> m_provider;
    LibraryOptions m_options;
    std::mutex m_outputMutex; // Init, Start, Free and the suspension of m_output
    std::unique_ptr<Output> m_output;
    OutputFormat m_outputFormat; // what m_output was opened with
    bool m_outputWanted = false; // Start was called
    bool m_outputRunning = false;
    Mixer m_mixer;
    Spectrum m_spectrum;
    std::vector<std::string> m_devices;
    std::atomic<Handle> m_nextHandle{1};
    std::atomic<float> m_bufferSeconds{0.5f};

    mutable std::mutex m_streamsMutex;
    std::map<Handle, std::shared_ptr<Stream>> m_streams;
    std::map<Handle, Handle> m_dspOwners; // DSP and effect handles → their stream
    std::vector<std::int16_t> m_scratch;

    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    bool m_wakeRequested = false; // a Wake() the update thread has not seen yet
    std::thread m_updateThread;
};

} // namespace velmoro::audio
