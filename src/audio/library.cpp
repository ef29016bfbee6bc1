#include "audio/library.h"

#include "audio/urlsource.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace velmoro::audio {

namespace {

constexpr std::size_t kDecodeBlock = 2048; // frames handed to DSP functions at a time
constexpr double kMaxBufferSeconds = 5.0;
constexpr auto kUrlFormatWait = std::chrono::milliseconds(3000);

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

// ---- Devices ----

bool AudioLibrary::GetDeviceDescription(int device, std::string& description)
{
    if (device == 0 || m_devices.empty())
        m_devices = m_provider->Devices();
    if (device < 0 || std::size_t(device) >= m_devices.size())
        return false;
    description = m_devices[std::size_t(device)];
    return true;
}

bool AudioLibrary::Init(int device, std::uint32_t frequency, std::uint32_t flags)
{
    if (m_output || frequency < 1000 || frequency > 192000)
        return false;
    OutputFormat format;
    format.rate = int(frequency);
    format.channels = (flags & kInitMono) ? 1 : 2;
    format.bits = (flags & kInit8Bits) ? 8 : 16;
    {
        std::lock_guard lock(m_mixer.Lock());
        m_mixer.SetFormat(format);
    }
    std::lock_guard output(m_outputMutex);
    m_output = m_provider->Open(device, format,
                                [this](void* out, std::size_t frames) { m_mixer.Render(out, frames); });
    return m_output != nullptr;
}

bool AudioLibrary::Start()
{
    std::lock_guard output(m_outputMutex);
    if (!m_output)
        return false;
    m_outputWanted = true;
    if (!m_outputRunning)
        m_outputRunning = m_output->Start();
    return m_outputRunning;
}

void AudioLibrary::ResumeOutput()
{
    std::lock_guard output(m_outputMutex);
    if (m_output && m_outputWanted && !m_outputRunning)
        m_outputRunning = m_output->Start();
}

void AudioLibrary::SuspendOutputWhenSilent()
{
    // The output lock first: a stream started meanwhile resumes the output
    // only after this, so it is never left suspended under a playing stream.
    std::lock_guard output(m_outputMutex);
    if (!m_output || !m_outputRunning)
        return;
    {
        std::lock_guard lock(m_mixer.Lock());
        if (m_mixer.AnyPlaying())
            return;
    }
    m_output->Stop();
    m_outputRunning = false;
}

void AudioLibrary::Free()
{
    {
        std::lock_guard output(m_outputMutex);
        if (m_output)
            m_output->Stop();
        m_outputWanted = false;
        m_outputRunning = false;
    }
    std::vector<Handle> handles;
    {
        std::lock_guard lock(m_streamsMutex);
        for (const auto& [handle, stream] : m_streams)
            handles.push_back(handle);
    }
    for (Handle h : handles)
        StreamFree(h);
    std::lock_guard output(m_outputMutex);
    m_output.reset();
}

bool AudioLibrary::GetInfo(DeviceInfo& info)
{
    if (!m_output)
        return false;
    // The server converts any format and rate, in software.
    constexpr std::uint32_t kPrimaryMono = 0x1, kPrimaryStereo = 0x2, kPrimary8 = 0x4, kPrimary16 = 0x8,
                            kContinuousRate = 0x10, kEmulated = 0x20, kSecondaryMono = 0x100,
                            kSecondaryStereo = 0x200, kSecondary8 = 0x400, kSecondary16 = 0x800;
    info = DeviceInfo{};
    info.flags = kPrimaryMono | kPrimaryStereo | kPrimary8 | kPrimary16 | kContinuousRate | kEmulated |
                 kSecondaryMono | kSecondaryStereo | kSecondary8 | kSecondary16;
    info.minrate = 1000;
    info.maxrate = 192000;
    return true;
}

void AudioLibrary::SetBufferLength(float seconds)
{
    if (std::isfinite(seconds))
        m_bufferSeconds = std::clamp(seconds, 0.05f, float(kMaxBufferSeconds) - 0.5f);
    Wake();
}

void AudioLibrary::SetLogCurves(bool volume, bool pan)
{
    std::lock_guard lock(m_mixer.Lock());
    m_mixer.logVolume = volume;
    m_mixer.logPan = pan;
}

void AudioLibrary::SetGlobalVolumes(int, int, int stream)
{
    std::lock_guard lock(m_mixer.Lock());
    m_mixer.streamVolume = std::clamp(stream, 0, 100);
}

void AudioLibrary::SetVolume(int volume)
{
    std::lock_guard lock(m_mixer.Lock());
    m_mixer.outputVolume = std::clamp(volume, 0, 100);
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
    if (!decoder || !m_output)
        return 0;
    auto s = std::make_shared<Stream>();
    s->handle = NewHandle();
    s->flags = flags;
    const int rate = decoder->RateKnown() ? decoder->Rate() : 44100;
    s->frequency = rate;
    s->rateFromDecoder = !decoder->RateKnown();
    s->capacity = std::size_t(kMaxBufferSeconds * std::max(rate, 48000));
    s->ring.assign(s->capacity * 2, 0);
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
    if (!m_output)
        return 0;
    return AddStream(Decoder::OpenFile(file, flags & kStreamHalfRate, flags & kStreamExactSeek), flags,
                     nullptr);
}

Handle AudioLibrary::StreamCreateMemory(const void* data, std::size_t length, std::uint32_t flags)
{
    if (!m_output || !data)
        return 0;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return AddStream(Decoder::OpenMemory(std::vector<std::uint8_t>(bytes, bytes + length),
                                         flags & kStreamHalfRate, flags & kStreamExactSeek),
                     flags, nullptr);
}

Handle AudioLibrary::StreamCreateURL(const std::string& url, std::uint32_t flags,
                                     const std::string& localCopy)
{
    if (!m_output)
        return 0;
    auto source = std::make_shared<UrlSource>(url, localCopy, m_options.urlStallTimeout);
    auto decoder = Decoder::OpenFeed(flags & kStreamHalfRate);
    if (!decoder)
        return 0;
    // A short, bounded wait lets the stream start with its real sample rate;
    // a server that is slower than that still gets its stream.
    std::vector<std::uint8_t> chunk(16384);
    const auto deadline = std::chrono::steady_clock::now() + kUrlFormatWait;
    while (!decoder->RateKnown() && std::chrono::steady_clock::now() < deadline) {
        if (!source->WaitForData(std::chrono::milliseconds(50))) {
            if (source->Finished())
                break;
            continue;
        }
        const std::size_t n = source->Take(chunk.data(), chunk.size());
        decoder->Feed(chunk.data(), n);
        decoder->ProbeFormat();
    }
    if (!decoder->RateKnown() && source->Finished())
        return 0;
    return AddStream(std::move(decoder), flags, std::move(source));
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
    {
        std::lock_guard lock(m_mixer.Lock());
        m_mixer.Remove(s.get());
    }
    {
        std::lock_guard lock(s->processMutex);
        s->dsps.clear();
        s->effects.clear();
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
            frames = announced * 8 / (std::int64_t(kbps) * 1000) * s->frequency;
        else
            frames = s->decodedEnd;
    } else {
        std::lock_guard lock(m_mixer.Lock());
        frames = s->lengthFrames >= 0 ? s->lengthFrames : s->decodedEnd;
    }
    return std::uint32_t(std::clamp<std::int64_t>(frames * 4, 0, UINT32_MAX));
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
    if (!s || s->url)
        return false;
    const std::int64_t frame = position / 4;
    std::lock_guard decode(s->decodeMutex);
    if ((s->lengthFrames >= 0 && frame > s->lengthFrames) || !s->decoder->Seek(frame))
        return false;
    {
        std::lock_guard lock(m_mixer.Lock());
        s->decodedEnd = frame;
        s->playPos = double(frame);
        s->decodeEnded = false;
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
    // −1 (frequency, volume) and −101 (pan) leave a value as it is.
    bool rateChanged = false;
    {
        std::lock_guard lock(m_mixer.Lock());
        if (frequency != -1 && frequency != s->frequency) {
            s->frequency = std::clamp(frequency, 100, 200000);
            s->rateFromDecoder = false;
            rateChanged = true;
        }
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
    const auto s = Find(channel);
    if (!s || !proc)
        return 0;
    const Handle h = NewHandle();
    {
        std::lock_guard lock(s->processMutex);
        s->dsps.push_back({h, proc, user});
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

Handle AudioLibrary::ChannelSetFX(Handle channel)
{
    const auto s = Find(channel);
    if (!s || !(s->flags & kStreamFx))
        return 0;
    const Handle h = NewHandle();
    {
        std::lock_guard lock(s->processMutex);
        s->effects.push_back({h, EqParameters{}, PeakingEq{}, true});
    }
    std::lock_guard lock(m_streamsMutex);
    m_dspOwners[h] = channel;
    return h;
}

bool AudioLibrary::FXSetParameters(Handle fx, const EqParameters& parameters)
{
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
    std::lock_guard lock(s->processMutex);
    for (Stream::Fx& effect : s->effects) {
        if (effect.handle == fx) {
            effect.parameters = parameters;
            effect.dirty = true;
            return true;
        }
    }
    return false;
}

// ---- Decoding ahead ----

void AudioLibrary::Wake()
{
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakeRequested = true;
    }
    m_wake.notify_all();
}

void AudioLibrary::UpdateLoop()
{
    for (;;) {
        const std::chrono::milliseconds sleep = TimeUntilRefill();
        {
            // Whatever changes what must be decoded (a new stream, play, a
            // seek, a new buffer length) wakes this thread early.
            std::unique_lock lock(m_wakeMutex);
            m_wake.wait_for(lock, sleep, [this] { return m_stopping || m_wakeRequested; });
            m_wakeRequested = false;
            if (m_stopping)
                return;
        }
        Update();
        SuspendOutputWhenSilent();
    }
}

std::chrono::milliseconds AudioLibrary::TimeUntilRefill()
{
    using std::chrono::milliseconds;
    constexpr milliseconds kShortest{10}, kLongest{1000}, kNetwork{50};
    const std::vector<std::shared_ptr<Stream>> streams = StreamsNow();
    milliseconds sleep = kLongest;
    std::lock_guard lock(m_mixer.Lock());
    for (const auto& s : streams) {
        // Bytes keep arriving from the network whether or not it plays.
        if (s->url && !s->decodeEnded)
            sleep = std::min(sleep, kNetwork);
        if (!s->playing || s->decodeEnded || s->frequency <= 0)
            continue;
        const double lead = double(s->decodedEnd) - s->playPos;
        const double half = double(m_bufferSeconds) * s->frequency / 2;
        sleep = std::min(sleep, milliseconds(std::int64_t(std::max(0.0, lead - half) * 1000 / s->frequency)));
    }
    return std::max(sleep, kShortest);
}

std::vector<std::shared_ptr<Stream>> AudioLibrary::StreamsNow() const
{
    std::vector<std::shared_ptr<Stream>> streams;
    std::lock_guard lock(m_streamsMutex);
    for (const auto& [handle, stream] : m_streams)
        streams.push_back(stream);
    return streams;
}

void AudioLibrary::Update()
{
    for (const auto& s : StreamsNow())
        FillStream(*s, m_scratch);
}

void AudioLibrary::FillStream(Stream& s, std::vector<std::int16_t>& scratch)
{
    std::lock_guard decode(s.decodeMutex);
    if (s.freed)
        return;
    // Read before taking: bytes that arrive after the check are taken too,
    // so "finished" never hides data still waiting to be decoded.
    const bool urlFinished = s.url && s.url->Finished();
    if (s.url) {
        std::uint8_t bytes[16384];
        for (std::size_t n; (n = s.url->Take(bytes, sizeof bytes)) > 0;)
            s.decoder->Feed(bytes, n);
    }
    for (;;) {
        std::size_t room = 0;
        {
            std::lock_guard lock(m_mixer.Lock());
            if (s.decodeEnded)
                return;
            const auto heard = std::int64_t(std::floor(s.playPos));
            const auto wanted = std::int64_t(double(m_bufferSeconds) * s.frequency);
            if (s.decodedEnd - heard >= wanted)
                return;
            room =
                std::size_t(std::max<std::int64_t>(0, heard - 1 + std::int64_t(s.capacity) - s.decodedEnd));
        }
        const std::size_t want = std::min(room, kDecodeBlock);
        if (want == 0)
            return;
        std::size_t frames = 0;
        const Decoder::Status status = s.decoder->Read(scratch.data(), want, frames);
        if (frames > 0) {
            std::lock_guard lock(s.processMutex);
            for (Stream::Fx& fx : s.effects) {
                if (fx.dirty)
                    fx.filter.Configure(fx.parameters, s.decoder->Rate());
                fx.dirty = false;
                fx.filter.Process(scratch.data(), frames);
            }
            for (const Stream::Dsp& dsp : s.dsps)
                dsp.proc(dsp.handle, s.handle, scratch.data(), std::uint32_t(frames * 4), dsp.user);
        }
        const bool ended = status == Decoder::Status::End || status == Decoder::Status::Error ||
                           (status == Decoder::Status::NeedMore && urlFinished);
        {
            std::lock_guard lock(m_mixer.Lock());
            const auto at = std::size_t(s.decodedEnd % std::int64_t(s.capacity));
            const std::size_t first = std::min(frames, s.capacity - at);
            std::copy_n(scratch.data(), first * 2, s.ring.data() + at * 2);
            std::copy_n(scratch.data() + first * 2, (frames - first) * 2, s.ring.data());
            s.decodedEnd += std::int64_t(frames);
            if (s.rateFromDecoder && s.decoder->RateKnown()) {
                s.frequency = s.decoder->Rate();
                s.rateFromDecoder = false;
            }
            if (ended) {
                s.decodeEnded = true;
                if (!s.url)
                    s.lengthFrames = s.decodedEnd;
            }
        }
        if (ended || status == Decoder::Status::NeedMore || frames == 0)
            return;
    }
}

} // namespace velmoro::audio
