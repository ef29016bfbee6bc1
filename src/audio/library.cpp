#include "audio/library.h"

#include "audio/log.h"
#include "audio/urlsource.h"
#include "platform/verify.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace velmoro::audio {

namespace {

DecoderOptions DecoderOptionsFor(std::uint32_t flags)
{
    return {.halfRate = (flags & kStreamHalfRate) != 0, .exactSeek = (flags & kStreamExactSeek) != 0};
}

bool NoDevice(const char* what)
{
    Log(LogLevel::Warning, std::string(what) + ": no device open (Init first)");
    return true;
}

} // namespace

AudioLibrary::AudioLibrary(std::unique_ptr<OutputProvider> provider, LibraryOptions options)
    : m_provider(std::move(provider)), m_options(options), m_scratch(kDecodeBlock * 2)
{
    if (m_options.updateThread)
        m_updateThread = std::thread([this] { UpdateLoop(); });
}

AudioLibrary::~AudioLibrary()
{
    Free();
    {
        std::lock_guard lock(m_wakeMutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_updateThread.joinable())
        m_updateThread.join();
}

// ---- Streams ----

Handle AudioLibrary::NewHandle()
{
    // Handles only grow, so a freed one is never handed out again.
    Handle h = m_nextHandle++;
    if (h == 0)
        h = m_nextHandle++;
    return h;
}

std::shared_ptr<Stream> AudioLibrary::Find(Handle handle) const
{
    std::lock_guard lock(m_streamsMutex);
    const auto it = m_streams.find(handle);
    return it == m_streams.end() ? nullptr : it->second;
}

Handle AudioLibrary::AddStream(std::unique_ptr<Decoder> decoder, std::uint32_t flags,
                               std::shared_ptr<UrlSource> url)
{
    if (!decoder)
        return 0;
    auto s = std::make_shared<Stream>();
    s->handle = NewHandle();
    s->flags = flags;
    // Room for the longest buffer at the highest MPEG rate, whatever rates come.
    s->capacity = std::size_t(kMaxBufferSeconds * 48000);
    s->ring.assign(s->capacity * 2, 0);
    if (decoder->RateKnown())
        s->StoreRate(decoder->Rate());
    s->lengthFrames = decoder->LengthFrames();
    s->decoder = std::move(decoder);
    s->url = std::move(url);
    {
        std::lock_guard lock(m_streamsMutex);
        m_streams[s->handle] = s;
    }
    {
        std::lock_guard lock(m_mixer.Lock());
        m_mixer.Add(s.get());
    }
    Wake();
    return s->handle;
}

Handle AudioLibrary::StreamCreateFile(const std::string& file, std::uint32_t flags)
{
    if (!m_output && NoDevice("StreamCreateFile"))
        return 0;
    return AddStream(Decoder::OpenFile(file, DecoderOptionsFor(flags)), flags, nullptr);
}

Handle AudioLibrary::StreamCreateMemory(const void* data, std::size_t length, std::uint32_t flags)
{
    if (!m_output && NoDevice("StreamCreateMemory"))
        return 0;
    VELMORO_VERIFY_OR_DEBUG_ASSERT(data || length == 0)
    {
        return 0;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return AddStream(
        Decoder::OpenMemory(std::vector<std::uint8_t>(bytes, bytes + length), DecoderOptionsFor(flags)),
        flags, nullptr);
}

// The download and the first decoding happen on other threads: the handle
// comes back at once, its rate and length unknown (0) until audio arrives.
Handle AudioLibrary::StreamCreateURL(const std::string& url, std::uint32_t flags,
                                     const std::string& localCopy)
{
    if (!m_output && NoDevice("StreamCreateURL"))
        return 0;
    if (!UrlSource::Supported(url)) {
        Log(LogLevel::Warning, "not an HTTP, HTTPS or FTP address: " + url);
        return 0;
    }
    return AddStream(Decoder::OpenFeed(DecoderOptionsFor(flags)), flags,
                     UrlSource::Start(url, localCopy, {.stallTimeout = m_options.urlStallTimeout}));
}

bool AudioLibrary::StreamPlay(Handle stream, bool flush, std::uint32_t)
{
    const auto s = Find(stream);
    if (!s)
        return false;
    if (flush)
        ChannelSetPosition(stream, 0);
    {
        std::lock_guard lock(m_mixer.Lock());
        s->playing = !(s->decodeEnded && s->playPos >= double(s->decodedEnd));
    }
    ResumeOutput();
    Wake();
    return true;
}

bool AudioLibrary::StreamFree(Handle stream)
{
    std::shared_ptr<Stream> s;
    {
        std::lock_guard lock(m_streamsMutex);
        const auto it = m_streams.find(stream);
        if (it == m_streams.end())
            return false;
        s = it->second;
        m_streams.erase(it);
        for (auto owner = m_dspOwners.begin(); owner != m_dspOwners.end();)
            owner = owner->second == stream ? m_dspOwners.erase(owner) : std::next(owner);
    }
    s->freed = true;
    if (s->url)
        s->url->Cancel();
    {
        std::lock_guard lock(m_mixer.Lock());
        m_mixer.Remove(s.get());
    }
    {
        std::lock_guard lock(s->processMutex);
        s->dsps.clear();
    }
    return true;
}

bool AudioLibrary::ChannelStop(Handle channel)
{
    return ChannelPause(channel);
}

bool AudioLibrary::ChannelPause(Handle channel)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    std::lock_guard lock(m_mixer.Lock());
    s->playing = false;
    return true;
}

bool AudioLibrary::StreamGetTags(Handle stream, std::uint32_t seen, StreamTags& tags)
{
    const auto s = Find(stream);
    if (!s || !s->url)
        return false;
    double heard = 0;
    {
        std::lock_guard lock(m_mixer.Lock());
        heard = s->playPos;
    }
    std::string station = s->url->Station();
    std::lock_guard lock(s->tagsMutex);
    if (station != s->tags.station) {
        s->tags.station = std::move(station);
        ++s->tags.changes;
    }
    while (!s->titlesAhead.empty() && double(s->titlesAhead.front().frame) <= heard) {
        s->tags.title = std::move(s->titlesAhead.front().title);
        s->titlesAhead.pop_front();
        ++s->tags.changes;
    }
    if (s->tags.changes == seen)
        return false;
    tags = s->tags;
    return true;
}

std::uint32_t AudioLibrary::StreamGetLength(Handle stream)
{
    const auto s = Find(stream);
    if (!s)
        return 0;
    std::int64_t frames = 0;
    if (s->url) {
        const std::int64_t announced = s->url->AnnouncedLength();
        std::lock_guard decode(s->decodeMutex);
        const int kbps = s->decoder->BitRateKbps();
        std::lock_guard lock(m_mixer.Lock());
        if (announced > 0 && kbps > 0)
            frames = announced * 8 / (std::int64_t(kbps) * 1000) * s->decoderRate;
        else
            frames = s->decodedEnd;
    } else {
        std::lock_guard lock(m_mixer.Lock());
        frames = s->lengthFrames >= 0 ? s->lengthFrames : s->decodedEnd;
    }
    return std::uint32_t(std::clamp<std::int64_t>(frames * 4, 0, UINT32_MAX));
}

bool AudioLibrary::ChannelIsActive(Handle channel)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    std::lock_guard lock(m_mixer.Lock());
    return s->playing;
}

std::uint32_t AudioLibrary::ChannelGetPosition(Handle channel)
{
    const auto s = Find(channel);
    if (!s)
        return 0;
    std::lock_guard lock(m_mixer.Lock());
    return std::uint32_t(std::clamp<std::int64_t>(std::int64_t(s->playPos) * 4, 0, UINT32_MAX));
}

bool AudioLibrary::ChannelSetPosition(Handle channel, std::uint32_t position)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    if (s->url) {
        Log(LogLevel::Debug, "a network stream cannot seek");
        return false;
    }
    const std::int64_t frame = position / 4;
    std::lock_guard decode(s->decodeMutex);
    if ((s->lengthFrames >= 0 && frame > s->lengthFrames) || !s->decoder->Seek(frame))
        return false;
    {
        std::lock_guard lock(m_mixer.Lock());
        s->decodedEnd = frame;
        s->playPos = double(frame);
        s->decodeEnded = false;
        s->ForgetDecodedRates();
    }
    Wake();
    return true;
}

bool AudioLibrary::ChannelGetAttributes(Handle channel, int* frequency, int* volume, int* pan)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    std::lock_guard lock(m_mixer.Lock());
    if (frequency)
        *frequency = s->frequency;
    if (volume)
        *volume = s->volume;
    if (pan)
        *pan = s->pan;
    return true;
}

bool AudioLibrary::ChannelSetAttributes(Handle channel, int frequency, int volume, int pan)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    bool rateChanged = false;
    {
        std::lock_guard lock(m_mixer.Lock());
        const int before = s->frequency;
        if (frequency == 0) {
            s->frequencySet = false;
            s->frequency = s->decoderRate;
        } else if (frequency != -1) {
            s->frequency = std::clamp(frequency, 100, 200000);
            s->frequencySet = true;
        }
        rateChanged = s->frequency != before;
        if (volume != -1)
            s->volume = std::clamp(volume, 0, 100);
        if (pan != -101)
            s->pan = std::clamp(pan, -100, 100);
    }
    // A faster rate drains the decoded lead sooner than the update thread planned.
    if (rateChanged)
        Wake();
    return true;
}

std::uint32_t AudioLibrary::ChannelGetLevel(Handle channel)
{
    const auto s = Find(channel);
    if (!s)
        return 0;
    std::lock_guard lock(m_mixer.Lock());
    return Mixer::Level(*s, m_mixer.Format().rate);
}

bool AudioLibrary::GetFFTSamples(Handle channel, std::array<float, kFftBins>& out)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    std::array<float, kHistoryFrames> mono{};
    {
        std::lock_guard lock(m_mixer.Lock());
        Mixer::History(*s, mono.data());
    }
    m_spectrum.Compute(mono.data(), out);
    return true;
}

// ---- DSP and effects ----

Handle AudioLibrary::ChannelSetDSP(Handle channel, DspProc proc, void* user)
{
    return proc ? AddDsp(channel, proc, nullptr, user) : 0;
}

Handle AudioLibrary::AddDsp(Handle channel, DspProc proc, PositionedDspProc positioned, void* user)
{
    const auto s = Find(channel);
    if (!s)
        return 0;
    const Handle h = NewHandle();
    {
        std::lock_guard lock(s->processMutex);
        s->dsps.push_back({h, proc, positioned, user});
    }
    std::lock_guard lock(m_streamsMutex);
    m_dspOwners[h] = channel;
    return h;
}

bool AudioLibrary::ChannelRemoveDSP(Handle channel, Handle dsp)
{
    const auto s = Find(channel);
    if (!s)
        return false;
    {
        std::lock_guard lock(m_streamsMutex);
        m_dspOwners.erase(dsp);
    }
    std::lock_guard lock(s->processMutex);
    const auto before = s->dsps.size();
    std::erase_if(s->dsps, [dsp](const Stream::Dsp& d) { return d.handle == dsp; });
    return s->dsps.size() != before;
}

Handle AudioLibrary::ChannelSetFX(Handle channel, FxKind kind)
{
    const auto s = Find(channel);
    if (!s)
        return 0;
    if (!(s->flags & kStreamFx)) {
        Log(LogLevel::Warning, "ChannelSetFX: the stream was created without the effects flag");
        return 0;
    }
    const Handle h = NewHandle();
    {
        std::lock_guard lock(m_mixer.Lock());
        if (!s->effects.Add(h, kind)) {
            Log(LogLevel::Warning, "ChannelSetFX: the stream has " +
                                       std::to_string(EffectChain::kMaxEffects) + " effects already");
            return 0;
        }
    }
    std::lock_guard lock(m_streamsMutex);
    m_dspOwners[h] = channel;
    return h;
}

bool AudioLibrary::FXSetParameters(Handle fx, const EqParameters& parameters)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(std::isfinite(parameters.center) && std::isfinite(parameters.bandwidth) &&
                                   std::isfinite(parameters.gain))
    {
        return false;
    }
    Handle owner = 0;
    {
        std::lock_guard lock(m_streamsMutex);
        const auto it = m_dspOwners.find(fx);
        if (it == m_dspOwners.end())
            return false;
        owner = it->second;
    }
    const auto s = Find(owner);
    if (!s)
        return false;
    std::lock_guard lock(m_mixer.Lock());
    return s->effects.Set(fx, parameters);
}

} // namespace velmoro::audio
