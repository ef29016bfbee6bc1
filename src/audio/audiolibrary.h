#pragma once
// The audio library the player talks to: devices, streams from files and
// URLs, channel attributes, positions, levels, spectra, DSP callbacks and
// effects. Handles are 32-bit and 0 means none or failure; positions and
// lengths are bytes of decoded 16-bit stereo PCM at the stream's own rate;
// volumes are 0–100 and pan −100 (left) … 100 (right).
//
// Why a call failed (a 0 handle or false) is logged once through log.h.
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
// As DspProc, also told the stream position in bytes of the block's first
// sample: blocks are heard in the order they come, and after a seek the
// position starts again where the seek went.
using PositionedDspProc = void (*)(Handle dsp, Handle channel, void* buffer, std::uint32_t length,
                                   std::uint32_t position, void* user);

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

// What ChannelSetFX attaches.
enum class FxKind {
    PeakingEq, // EqParameters whole
    Gain,      // only EqParameters::gain: a preamplifier
};

inline constexpr int kFftBins = 513;

// What a network stream tells of itself, in its headers and in the metadata
// blocks of a Shoutcast/Icecast server, as the bytes the station sent: the
// encoding is not declared, and both UTF-8 and Latin-1 are met.
struct StreamTags {
    std::string station;       // icy-name
    std::string title;         // the last non-empty StreamTitle that decoding has reached
    std::uint32_t changes = 0; // counts every change of either
};

// What the output device really is, as far as its backend can tell.
struct DeviceReport {
    std::string server;        // the sound server, or what stands in for one
    std::string serverVersion; // empty when unknown
    std::string sinkName;
    std::string sinkDescription;
    std::string sampleFormat; // "s16le", "u8" …
    int rate = 0;             // Hz
    int channels = 0;
    int latencyMs = -1; // what the device holds ahead of what is heard; −1 unknown
};

class IAudioLibrary {
public:
    virtual ~IAudioLibrary() = default;

    // Devices: 0, 1, 2 … until false; −1 in Init is the system default.
    virtual bool GetDeviceDescription(int device, std::string& description) = 0;
    // False when the device cannot be opened, is already open, or the
    // frequency is outside 1000…192000 Hz; the library stays usable.
    virtual bool Init(int device, std::uint32_t frequency, std::uint32_t flags) = 0;
    virtual bool Start() = 0;
    // Closes the device and frees every stream; all handles become invalid.
    virtual void Free() = 0;
    virtual bool GetInfo(DeviceInfo& info) = 0;
    // False without an open device. May ask the sound server, a local
    // process, and wait for its answer.
    virtual bool GetDeviceReport(DeviceReport& report)
    {
        (void)report;
        return false;
    }
    // Held at 0.05–4.5 s; a value that is not a number is ignored.
    virtual void SetBufferLength(float seconds) = 0;
    virtual void SetLogCurves(bool volume, bool pan) = 0;
    // Only the stream volume is used, held at 0–100.
    virtual void SetGlobalVolumes(int music, int sample, int stream) = 0;
    // Held at 0–100.
    virtual void SetVolume(int volume) = 0;

    // 0 without a device, or when the file cannot be opened or holds no MPEG audio.
    virtual Handle StreamCreateFile(const std::string& file, std::uint32_t flags) = 0;
    // A stream over bytes in memory, which the library copies. data may be
    // null only with length 0.
    virtual Handle StreamCreateMemory(const void* data, std::size_t length, std::uint32_t flags) = 0;
    // Returns at once, without waiting for the network: 0 only without a
    // device or for an address that is not http(s):// or ftp(s)://. The
    // download and the first decoding run on the library's threads; until
    // audio arrives StreamGetLength and the frequency of ChannelGetAttributes
    // answer 0. StreamPlay is accepted meanwhile: sound starts when decoding
    // can. An address that fails (unreachable, an HTTP error, no MPEG audio)
    // or a server that stops sending ends the stream as the end of a file
    // does: it stops playing, ChannelGetLevel answers 0, the position stays at
    // what was heard and StreamGetLength answers what was decoded (0 when no
    // audio came). The reason is logged (log.h). localCopy may be empty.
    virtual Handle StreamCreateURL(const std::string& url, std::uint32_t flags,
                                   const std::string& localCopy) = 0;
    virtual bool StreamPlay(Handle stream, bool flush, std::uint32_t flags) = 0;
    virtual bool StreamFree(Handle stream) = 0;
    virtual bool ChannelStop(Handle channel) = 0;
    virtual bool ChannelPause(Handle channel) = 0;
    virtual std::uint32_t StreamGetLength(Handle stream) = 0;
    // Fills tags and answers true when the stream's tags have changed since
    // they counted `seen` changes; false, tags untouched, when they have not
    // and for a stream that has none. Never waits for the network: a title
    // counts once the audio it came with is heard, which may be seconds
    // after it was downloaded.
    virtual bool StreamGetTags(Handle stream, std::uint32_t seen, StreamTags& tags)
    {
        (void)stream;
        (void)seen;
        (void)tags;
        return false;
    }
    // True from StreamPlay until the stream is paused, stopped or freed, or
    // ends: played to its end, or a network stream that failed or whose
    // server stopped sending. Also true while a network stream that was
    // played waits for its first audio, which tells waiting from failing.
    virtual bool ChannelIsActive(Handle channel)
    {
        (void)channel;
        return false;
    }
    virtual std::uint32_t ChannelGetPosition(Handle channel) = 0;
    // Refused (false) past the end of the stream and on network streams.
    virtual bool ChannelSetPosition(Handle channel, std::uint32_t position) = 0;
    // The frequency is the rate the stream is heard at: the decoder's rate of
    // the part being heard (it follows a stream whose rate changes midway;
    // 0 while a network stream's is not yet known), or the one set. Any
    // pointer may be null.
    virtual bool ChannelGetAttributes(Handle channel, int* frequency, int* volume, int* pan) = 0;
    // Values that leave an attribute as it is: frequency −1, volume −1,
    // pan −101. Frequency 0 goes back to the decoder's rate; any other is held
    // at 100…200000 Hz and wins over the decoder's, also where the stream's
    // rate changes, until frequency 0. Volume is held at 0–100, pan at
    // −100…100.
    virtual bool ChannelSetAttributes(Handle channel, int frequency, int volume, int pan) = 0;
    // Peak of the last ~20 ms heard, 0–128: left in the low 16 bits, right in the high.
    virtual std::uint32_t ChannelGetLevel(Handle channel) = 0;
    virtual Handle ChannelSetDSP(Handle channel, DspProc proc, void* user) = 0;
    // Removed with ChannelRemoveDSP. 0 where positions cannot be told.
    virtual Handle ChannelSetPositionedDSP(Handle channel, PositionedDspProc proc, void* user)
    {
        (void)channel, (void)proc, (void)user;
        return 0;
    }
    // The position in bytes of the sample heard now: ChannelGetPosition, which
    // counts what was mixed, less what the output holds and has not played.
    virtual std::uint32_t ChannelGetHeardPosition(Handle channel) { return ChannelGetPosition(channel); }
    // After it returns the function is never called again.
    virtual bool ChannelRemoveDSP(Handle channel, Handle dsp) = 0;
    // Attaches an effect to a stream created with kStreamFx. Effects run in
    // the order attached, on what is heard, before the stream's volume and
    // pan; a new setting is heard with the next block the device takes, and
    // glides there over 20 ms. A new effect changes nothing until its
    // parameters are set. 0 past 16 effects on one stream.
    virtual Handle ChannelSetFX(Handle channel, FxKind kind) = 0;
    // The centre is held below half the output's rate, the bandwidth at
    // 0.1–36 semitones, the gain at ±30 dB; a value that is not a number is
    // refused.
    virtual bool FXSetParameters(Handle fx, const EqParameters& parameters) = 0;
    // 513 magnitudes of a 1024-point Hann-windowed FFT of the most recent
    // 1024 samples heard (left and right averaged, at the output rate),
    // scaled so that a full-scale sine reads 1.0 at its bin.
    virtual bool GetFFTSamples(Handle channel, std::array<float, kFftBins>& out) = 0;
};

} // namespace velmoro::audio
