#pragma once
// The audio library the player talks to: devices, streams from files and
// URLs, channel attributes, positions, levels, spectra, DSP callbacks and
// effects. Handles are 32-bit and 0 means none or failure; positions and
// lengths are bytes of decoded 16-bit stereo PCM at the stream's own rate;
// volumes are 0–100 and pan −100 (left) … 100 (right).
//
// Threads: every method is called from one control thread (the UI thread).
// DSP functions are called on the library's update thread. The engine talks
// to this interface only, so tests can put a recording fake in its place.
#include <array>
#include <cstdint>
#include <string>

namespace velmoro::audio {

using Handle = std::uint32_t;

// Init flags
inline constexpr std::uint32_t kInit8Bits = 1;
inline constexpr std::uint32_t kInitMono = 2;
inline constexpr std::uint32_t kInit3D = 8; // accepted, no effect

// Stream flags
inline constexpr std::uint32_t kStreamFx = 0x80;           // effects may be attached
inline constexpr std::uint32_t kStreamHalfRate = 0x10000;  // decode at half the sample rate
inline constexpr std::uint32_t kStreamExactSeek = 0x20000; // scan so positions map exactly

// Called on the update thread with each decoded block of a stream: 16-bit
// stereo samples, length in bytes. It may change the samples. It must not
// call back into the library.
using DspProc = void (*)(Handle dsp, Handle channel, void* buffer, std::uint32_t length, void* user);

// The device information record: eleven 32-bit words, the first the record
// size (44).
struct DeviceInfo {
    std::uint32_t size = 44;
    std::uint32_t flags = 0; // which formats the output accepts (DSCAPS bits)
    std::uint32_t hwsize = 0;
    std::uint32_t hwfree = 0;
    std::uint32_t freesam = 0;
    std::uint32_t free3d = 0;
    std::uint32_t minrate = 0;
    std::uint32_t maxrate = 0;
    std::uint32_t eax = 0;
    std::uint32_t a3d = 0;
    std::uint32_t dsver = 0;
};

// Parameters of a peaking equalizer effect: centre frequency in Hz,
// bandwidth in semitones, gain in dB.
struct EqParameters {
    float center = 1000;
    float bandwidth = 12;
    float gain = 0;
};

inline constexpr int kFftBins = 513;

class IAudioLibrary {
public:
    virtual ~IAudioLibrary() = default;

    // Devices: 0, 1, 2 … until false; −1 in Init is the system default.
    virtual bool GetDeviceDescription(int device, std::string& description) = 0;
    // False when the device cannot be opened; the library stays usable.
    virtual bool Init(int device, std::uint32_t frequency, std::uint32_t flags) = 0;
    virtual bool Start() = 0;
    // Closes the device and frees every stream; all handles become invalid.
    virtual void Free() = 0;
    virtual bool GetInfo(DeviceInfo& info) = 0;
    virtual void SetBufferLength(float seconds) = 0;
    virtual void SetLogCurves(bool volume, bool pan) = 0;
    virtual void SetGlobalVolumes(int music, int sample, int stream) = 0;
    virtual void SetVolume(int volume) = 0;

    virtual Handle StreamCreateFile(const std::string& file, std::uint32_t flags) = 0;
    // A stream over bytes in memory, which the library copies.
    virtual Handle StreamCreateMemory(const void* data, std::size_t length, std::uint32_t flags) = 0;
    // Returns at once; the download runs on a worker. localCopy may be empty.
    virtual Handle StreamCreateURL(const std::string& url, std::uint32_t flags,
                                   const std::string& localCopy) = 0;
    virtual bool StreamPlay(Handle stream, bool flush, std::uint32_t flags) = 0;
    virtual bool StreamFree(Handle stream) = 0;
    virtual bool ChannelStop(Handle channel) = 0;
    virtual bool ChannelPause(Handle channel) = 0;
    virtual std::uint32_t StreamGetLength(Handle stream) = 0;
    virtual std::uint32_t ChannelGetPosition(Handle channel) = 0;
    // Refused (false) past the end of the stream.
    virtual bool ChannelSetPosition(Handle channel, std::uint32_t position) = 0;
    virtual bool ChannelGetAttributes(Handle channel, int* frequency, int* volume, int* pan) = 0;
    virtual bool ChannelSetAttributes(Handle channel, int frequency, int volume, int pan) = 0;
    // Peak of the last ~20 ms heard, 0–128: left in the low 16 bits, right in the high.
    virtual std::uint32_t ChannelGetLevel(Handle channel) = 0;
    virtual Handle ChannelSetDSP(Handle channel, DspProc proc, void* user) = 0;
    // After it returns the function is never called again.
    virtual bool ChannelRemoveDSP(Handle channel, Handle dsp) = 0;
    // Attaches a peaking equalizer to a stream created with kStreamFx.
    virtual Handle ChannelSetFX(Handle channel) = 0;
    virtual bool FXSetParameters(Handle fx, const EqParameters& parameters) = 0;
    // 513 magnitudes of a 1024-point Hann-windowed FFT of the most recent
    // 1024 samples heard (left and right averaged, at the output rate),
    // scaled so that a full-scale sine reads 1.0 at its bin.
    virtual bool GetFFTSamples(Handle channel, std::array<float, kFftBins>& out) = 0;
};

} // namespace velmoro::audio
