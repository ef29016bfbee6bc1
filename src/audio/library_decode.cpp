// The update thread: decodes ahead of what is heard into each stream's ring.
#include "audio/library.h"

#include "audio/log.h"
#include "audio/urlsource.h"

#include <algorithm>
#include <cmath>

namespace velmoro::audio {

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

namespace {

// A network stream holds this much audio undecoded beyond its decoded
// buffer; then the download waits.
constexpr double kNetworkAheadSeconds = 4;
constexpr std::size_t kNetworkAheadLeast = 32 * 1024;

// The titles whose audio comes with the next feed begin with the next frame
// decoded: takes stop where a title begins, and the decoder has decoded all
// it could of what it was fed before.
void CollectTitles(Stream& s)
{
    std::string title;
    while (s.url->NextTitleReached(title)) {
        std::lock_guard lock(s.tagsMutex);
        if (s.titlesAhead.size() == Stream::kMaxTitlesAhead)
            s.titlesAhead.pop_front();
        s.titlesAhead.push_back({s.decodedEnd, std::move(title)});
    }
}

// Reads a block. A network stream's decoder is fed only as it runs dry, so
// what the server sends waits in the download's bounded buffer: a stream that
// is not played holds the server back instead of growing without end.
Decoder::Status ReadFed(Stream& s, std::int16_t* out, std::size_t want, std::size_t& frames)
{
    for (;;) {
        const Decoder::Status status = s.decoder->Read(out, want, frames);
        if (status != Decoder::Status::NeedMore || !s.url)
            return status;
        // Read before taking: bytes that arrive after the check are taken too,
        // so "finished" never hides data still waiting to be decoded.
        const bool finished = s.url->Finished();
        CollectTitles(s);
        std::uint8_t bytes[16384];
        const std::size_t n = s.url->Take(bytes, sizeof bytes);
        if (n == 0)
            return finished ? Decoder::Status::End : Decoder::Status::NeedMore;
        s.decoder->Feed(bytes, n);
        if (const int kbps = s.decoder->BitRateKbps(); kbps > 0)
            s.url->SetBufferLimit(
                std::max(kNetworkAheadLeast, std::size_t(kNetworkAheadSeconds * kbps * 1000 / 8)));
    }
}

// A source that failed to download has logged its reason already.
void LogWhyItEnded(const Stream& s, Decoder::Status status)
{
    const std::string what = "stream " + std::to_string(s.handle) + (s.url ? " from " + s.url->Url() : "");
    if (status == Decoder::Status::Error)
        Log(LogLevel::Warning, what + " ends: " + s.decoder->LastError());
    else if (s.url && s.decodedEnd == 0 && s.url->Received() > 0)
        Log(LogLevel::Warning,
            what + " ends: no MPEG audio in " + std::to_string(s.url->Received()) + " bytes");
}

// With the stream's decode lock held, which every change of decodedEnd holds too.
void Process(Stream& s, std::int16_t* samples, std::size_t frames)
{
    const auto position = std::uint32_t(std::clamp<std::int64_t>(s.decodedEnd * 4, 0, UINT32_MAX));
    std::lock_guard lock(s.processMutex);
    for (const Stream::Dsp& dsp : s.dsps)
        if (dsp.positioned)
            dsp.positioned(dsp.handle, s.handle, samples, std::uint32_t(frames * 4), position, dsp.user);
        else
            dsp.proc(dsp.handle, s.handle, samples, std::uint32_t(frames * 4), dsp.user);
}

} // namespace

void AudioLibrary::FillStream(Stream& s, std::vector<std::int16_t>& scratch)
{
    std::lock_guard decode(s.decodeMutex);
    if (s.freed)
        return;
    for (;;) {
        std::size_t room = 0;
        {
            std::lock_guard lock(m_mixer.Lock());
            // Each block may change the rate: wait for the mixer to hear the
            // changes already stored before decoding more.
            if (s.decodeEnded || s.RateChangesFull())
                return;
            const auto heard = std::int64_t(std::floor(s.playPos));
            const int rate = s.frequency > 0 ? s.frequency : 48000; // still unknown: the highest
            const auto wanted = std::int64_t(double(m_bufferSeconds) * rate);
            if (s.decodedEnd - heard >= wanted)
                return;
            room =
                std::size_t(std::max<std::int64_t>(0, heard - 1 + std::int64_t(s.capacity) - s.decodedEnd));
        }
        const std::size_t want = std::min(room, kDecodeBlock);
        if (want == 0)
            return;
        std::size_t frames = 0;
        const Decoder::Status status = ReadFed(s, scratch.data(), want, frames);
        if (frames > 0)
            Process(s, scratch.data(), frames);
        const bool ended = status == Decoder::Status::End || status == Decoder::Status::Error;
        if (ended)
            LogWhyItEnded(s, status);
        {
            std::lock_guard lock(m_mixer.Lock());
            if (frames > 0)
                s.StoreRate(s.decoder->Rate());
            const auto at = std::size_t(s.decodedEnd % std::int64_t(s.capacity));
            const std::size_t first = std::min(frames, s.capacity - at);
            std::copy_n(scratch.data(), first * 2, s.ring.data() + at * 2);
            std::copy_n(scratch.data() + first * 2, (frames - first) * 2, s.ring.data());
            s.decodedEnd += std::int64_t(frames);
            if (ended) {
                s.decodeEnded = true;
                if (!s.url)
                    s.lengthFrames = s.decodedEnd;
                // Nothing left to hear (a network stream that never sent
                // audio): it stops now, not when the device next pulls.
                if (s.playPos >= double(s.decodedEnd))
                    s.playing = false;
            }
        }
        if (ended || status == Decoder::Status::NeedMore || frames == 0)
            return;
    }
}

std::size_t AudioLibrary::NetworkBytesWaiting(Handle stream) const
{
    const auto s = Find(stream);
    if (!s || !s->url)
        return 0;
    std::lock_guard decode(s->decodeMutex);
    return s->url->Buffered() + s->decoder->FedBytesWaiting();
}

} // namespace velmoro::audio
