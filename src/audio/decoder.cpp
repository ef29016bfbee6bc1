#include "audio/decoder.h"

#include "audio/log.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <sys/types.h>

namespace velmoro::audio {

namespace {

// mpg123_init is needed once per process by older library versions.
void InitOnce()
{
    static const int once = [] { return mpg123_init(); }();
    (void)once;
}

struct MemoryView {
    std::vector<std::uint8_t>* bytes;
    std::int64_t* pos;
};

mpg123_ssize_t MemoryRead(void* handle, void* buffer, size_t count)
{
    auto* view = static_cast<MemoryView*>(handle);
    const auto size = std::int64_t(view->bytes->size());
    const std::int64_t n = std::clamp<std::int64_t>(size - *view->pos, 0, std::int64_t(count));
    if (n > 0)
        std::memcpy(buffer, view->bytes->data() + *view->pos, std::size_t(n));
    *view->pos += n;
    return mpg123_ssize_t(n);
}

off_t MemorySeek(void* handle, off_t offset, int whence)
{
    auto* view = static_cast<MemoryView*>(handle);
    const auto size = std::int64_t(view->bytes->size());
    std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? *view->pos : size;
    const std::int64_t target = base + offset;
    if (target < 0 || target > size)
        return -1;
    *view->pos = target;
    return off_t(target);
}

void DeleteView(void* handle)
{
    delete static_cast<MemoryView*>(handle);
}

} // namespace

Decoder::Decoder() = default;

Decoder::~Decoder()
{
    if (m_handle) {
        mpg123_close(m_handle);
        mpg123_delete(m_handle);
    }
}

bool Decoder::Configure(const DecoderOptions& options)
{
    InitOnce();
    int error = 0;
    m_handle = mpg123_new(nullptr, &error);
    if (!m_handle)
        return false;
    mpg123_param(m_handle, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_QUIET, 0);
    if (options.halfRate)
        mpg123_param(m_handle, MPG123_DOWN_SAMPLE, 1, 0);
    mpg123_format_none(m_handle);
    return mpg123_format2(m_handle, 0, MPG123_STEREO, MPG123_ENC_SIGNED_16) == MPG123_OK;
}

// Finds the first frame, so a source without MPEG audio makes no decoder,
// and with exactSeek scans the whole stream for an exact frame index.
bool Decoder::Prime(const DecoderOptions& options)
{
    if (options.exactSeek && mpg123_scan(m_handle) != MPG123_OK)
        return false;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(m_handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
        return false;
    m_rate = int(rate);
    return true;
}

std::unique_ptr<Decoder> Decoder::OpenFile(const std::string& path, const DecoderOptions& options)
{
    std::unique_ptr<Decoder> d(new Decoder);
    if (!d->Configure(options))
        return nullptr;
    if (mpg123_open(d->m_handle, path.c_str()) != MPG123_OK) {
        Log(LogLevel::Warning, "cannot open " + path + ": " + d->LastError());
        return nullptr;
    }
    if (!d->Prime(options)) {
        Log(LogLevel::Warning, "no MPEG audio in " + path);
        return nullptr;
    }
    return d;
}

std::unique_ptr<Decoder> Decoder::OpenMemory(std::vector<std::uint8_t> bytes, const DecoderOptions& options)
{
    std::unique_ptr<Decoder> d(new Decoder);
    d->m_memory = std::make_unique<MemorySource>(MemorySource{std::move(bytes), 0});
    if (!d->Configure(options))
        return nullptr;
    auto* view = new MemoryView{&d->m_memory->bytes, &d->m_memory->pos};
    if (mpg123_replace_reader_handle(d->m_handle, MemoryRead, MemorySeek, DeleteView) != MPG123_OK ||
        mpg123_open_handle(d->m_handle, view) != MPG123_OK) {
        delete view;
        return nullptr;
    }
    if (!d->Prime(options)) {
        Log(LogLevel::Warning,
            "no MPEG audio in the " + std::to_string(d->m_memory->bytes.size()) + " bytes given");
        return nullptr;
    }
    return d;
}

std::unique_ptr<Decoder> Decoder::OpenFeed(const DecoderOptions& options)
{
    std::unique_ptr<Decoder> d(new Decoder);
    d->m_feed = true;
    if (!d->Configure(options) || mpg123_open_feed(d->m_handle) != MPG123_OK)
        return nullptr;
    return d;
}

void Decoder::Feed(const std::uint8_t* bytes, std::size_t length)
{
    if (m_feed && length > 0)
        mpg123_feed(m_handle, bytes, length);
}

std::size_t Decoder::FedBytesWaiting() const
{
    long bytes = 0;
    if (!m_feed || mpg123_getstate(m_handle, MPG123_BUFFERFILL, &bytes, nullptr) != MPG123_OK)
        return 0;
    return std::size_t(std::max(0L, bytes));
}

Decoder::Status Decoder::Read(std::int16_t* out, std::size_t maxFrames, std::size_t& frames)
{
    frames = 0;
    if (m_nextRate > 0)
        m_rate = std::exchange(m_nextRate, 0);
    while (frames < maxFrames) {
        size_t done = 0;
        const int r = mpg123_read(m_handle, reinterpret_cast<unsigned char*>(out + 2 * frames),
                                  (maxFrames - frames) * 4, &done);
        frames += done / 4;
        if (r == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            if (mpg123_getformat(m_handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0)
                continue;
            // The frames so far were at the old rate: they go out on their own.
            if (frames > 0 && int(rate) != m_rate) {
                m_nextRate = int(rate);
                return Status::Ok;
            }
            m_rate = int(rate);
            continue;
        }
        if (r == MPG123_OK)
            continue;
        if (r == MPG123_NEED_MORE)
            return frames > 0 ? Status::Ok : (m_feed ? Status::NeedMore : Status::End);
        if (r == MPG123_DONE)
            return frames > 0 ? Status::Ok : Status::End;
        return frames > 0 ? Status::Ok : Status::Error;
    }
    return Status::Ok;
}

// Frames decoded ahead of a seek target refill the bit reservoir and the
// synthesis filter, so a seek lands on exactly the samples a straight decode
// gives. The synthesis buffer alternates with every granule, and MPEG 2 frames
// hold one granule: decoding must restart on a frame of the same parity as
// the first, or rounding differs by one step here and there.
bool Decoder::Seek(std::int64_t frame)
{
    if (m_feed)
        return false;
    constexpr long kPreframes = 9;
    for (long extra = 0; extra < 2; ++extra) {
        mpg123_param(m_handle, MPG123_PREFRAMES, kPreframes + extra, 0);
        mpg123_seek(m_handle, 0, SEEK_SET); // a fresh seek, not a no-op at the same place
        if (mpg123_seek(m_handle, off_t(frame), SEEK_SET) < 0)
            return false;
        const off_t target = mpg123_tellframe(m_handle);
        if (target <= kPreframes + extra || (target - kPreframes - extra) % 2 == 0)
            return true;
    }
    return true;
}

std::int64_t Decoder::LengthFrames() const
{
    const off_t length = mpg123_length(m_handle);
    return length < 0 ? -1 : std::int64_t(length);
}

std::string Decoder::LastError() const
{
    return mpg123_strerror(m_handle);
}

int Decoder::BitRateKbps() const
{
    mpg123_frameinfo info{};
    if (mpg123_info(m_handle, &info) != MPG123_OK)
        return 0;
    return info.bitrate;
}

} // namespace velmoro::audio
