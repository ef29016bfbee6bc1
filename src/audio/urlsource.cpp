#include "audio/urlsource.h"

#include "audio/curlapi.h"
#include "audio/log.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iterator>
#include <cstring>
#include <string_view>
#include <sys/statvfs.h>
#include <thread>

namespace velmoro::audio {

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b)); });
}

struct Easy {
    explicit Easy(const CurlApi* api) : api(api), curl(api ? api->easy_init() : nullptr) {}
    ~Easy()
    {
        if (!api)
            return;
        api->slist_free_all(aliases);
        api->slist_free_all(headers);
        if (curl)
            api->easy_cleanup(curl);
    }
    Easy(const Easy&) = delete;
    Easy& operator=(const Easy&) = delete;

    const CurlApi* api;
    CURL* curl;
    curl_slist* aliases = nullptr;
    curl_slist* headers = nullptr;
};

using Clock = std::chrono::steady_clock;

constexpr const char* kProtocols = "http,https,ftp";

struct Transfer {
    UrlSource* source;
    const CurlApi* api;
    CURL* curl;
    Clock::time_point lastBytes = Clock::now();
    bool lengthKnown = false;
    bool stalled = false;
};

} // namespace

bool UrlSource::Supported(const std::string& url)
{
    static constexpr std::string_view kSchemes[] = {"http://", "https://", "ftp://"};
    return std::any_of(std::begin(kSchemes), std::end(kSchemes),
                       [&](std::string_view scheme) { return StartsWithNoCase(url, scheme); });
}

LocalCopy::LocalCopy(std::string path, const UrlSourceOptions& options)
    : m_path(std::move(path)), m_cap(options.localCopyCap), m_minFreeShare(options.localCopyMinFreeShare)
{
    if (!m_path.empty() && !(m_file = std::fopen(m_path.c_str(), "wb")))
        Log(LogLevel::Warning, "cannot write the local copy " + m_path + ": " + std::strerror(errno));
}

void LocalCopy::Write(const std::uint8_t* bytes, std::size_t length)
{
    if (!m_file)
        return;
    if (m_written >= m_nextDiskCheck) {
        if (!DiskHasRoom())
            return;
        m_nextDiskCheck = m_written + kDiskCheckInterval;
    }
    const auto part = std::size_t(std::min<std::int64_t>(std::int64_t(length), m_cap - m_written));
    if (std::fwrite(bytes, 1, part, m_file) != part)
        return Stop(std::strerror(errno));
    m_written += std::int64_t(part);
    if (m_written >= m_cap)
        Stop("it reached its limit of " + std::to_string(m_cap) + " bytes");
}

void LocalCopy::Flush()
{
    if (m_file && std::fflush(m_file) != 0)
        Stop(std::strerror(errno));
}

void LocalCopy::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

void LocalCopy::Stop(const std::string& why)
{
    Log(LogLevel::Warning, "the local copy " + m_path + " stops after " + std::to_string(m_written) +
                               " bytes (the stream plays on): " + why);
    Close();
}

// A worker-thread call, once every few megabytes: cheap next to the writes.
bool LocalCopy::DiskHasRoom()
{
    struct statvfs disk = {};
    if (fstatvfs(fileno(m_file), &disk) != 0 || disk.f_blocks == 0)
        return true; // nothing to go by: write errors still stop the copy
    const double freeShare = double(disk.f_bavail) / double(disk.f_blocks);
    if (freeShare >= m_minFreeShare)
        return true;
    Stop("its disk has " + std::to_string(int(freeShare * 100)) + "% free, under " +
         std::to_string(int(m_minFreeShare * 100)) + "%");
    return false;
}

UrlSource::UrlSource(std::string url, std::string localCopy, const UrlSourceOptions& options)
    : m_url(std::move(url)), m_stallTimeout(options.stallTimeout), m_localCopy(std::move(localCopy), options)
{
}

// The worker is never joined: a transfer inside libcurl notices a cancel
// only at its next callback, and the control thread must not wait for that.
std::shared_ptr<UrlSource> UrlSource::Start(std::string url, std::string localCopy,
                                            const UrlSourceOptions& options)
{
    std::shared_ptr<UrlSource> source(new UrlSource(std::move(url), std::move(localCopy), options));
    std::thread([source] { source->Run(); }).detach();
    return source;
}

void UrlSource::Cancel()
{
    {
        std::lock_guard lock(m_mutex);
        m_cancel = true;
    }
    m_room.notify_all();
    std::lock_guard file(m_fileMutex);
    m_localCopy.Close();
}

std::size_t UrlSource::Take(std::uint8_t* out, std::size_t max)
{
    std::size_t n = 0;
    {
        std::lock_guard lock(m_mutex);
        n = std::min(max, m_buffer.size());
        if (!m_pendingTitles.empty() && m_pendingTitles.front().audioOffset > m_taken)
            n = std::min(n, std::size_t(m_pendingTitles.front().audioOffset - m_taken));
        std::copy_n(m_buffer.begin(), n, out);
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + std::ptrdiff_t(n));
        m_taken += std::int64_t(n);
    }
    if (n > 0)
        m_room.notify_all();
    return n;
}

std::size_t UrlSource::Buffered()
{
    std::lock_guard lock(m_mutex);
    return m_buffer.size();
}

void UrlSource::SetBufferLimit(std::size_t bytes)
{
    {
        std::lock_guard lock(m_mutex);
        m_limit = bytes;
    }
    m_room.notify_all();
}

void UrlSource::Run()
{
    const CurlApi* curl = Curl();
    Easy easy(curl);
    Transfer transfer{this, curl, easy.curl};
    if (!curl)
        Log(LogLevel::Warning, "no network streams: libcurl cannot be loaded");
    if (easy.curl) {
        char error[CURL_ERROR_SIZE] = {};
        easy.aliases = curl->slist_append(nullptr, "ICY 200 OK");
        easy.headers = curl->slist_append(nullptr, "Icy-MetaData: 1");
        // Kept to what a radio or a download is served over, redirects
        // included: a server must not make the player read local files
        // (file://) or speak to other services. A libcurl that cannot be
        // told so is not trusted with the address at all.
        if (curl->easy_setopt(easy.curl, CURLOPT_PROTOCOLS_STR, kProtocols) != CURLE_OK ||
            curl->easy_setopt(easy.curl, CURLOPT_REDIR_PROTOCOLS_STR, kProtocols) != CURLE_OK) {
            Log(LogLevel::Warning, m_url + ": this libcurl cannot be limited to " + kProtocols);
            m_finished = true;
            return;
        }
        curl->easy_setopt(easy.curl, CURLOPT_URL, m_url.c_str());
        curl->easy_setopt(easy.curl, CURLOPT_ERRORBUFFER, error);
        curl->easy_setopt(easy.curl, CURLOPT_FOLLOWLOCATION, 1L);
        curl->easy_setopt(easy.curl, CURLOPT_MAXREDIRS, 5L);
        curl->easy_setopt(easy.curl, CURLOPT_HTTP200ALIASES, easy.aliases);
        curl->easy_setopt(easy.curl, CURLOPT_HTTPHEADER, easy.headers);
        curl->easy_setopt(easy.curl, CURLOPT_USERAGENT, "Velmoro");
        curl->easy_setopt(easy.curl, CURLOPT_CONNECTTIMEOUT, long(kConnectTimeout.count()));
        curl->easy_setopt(easy.curl, CURLOPT_FAILONERROR, 1L);
        curl->easy_setopt(easy.curl, CURLOPT_NOSIGNAL, 1L);
        curl->easy_setopt(easy.curl, CURLOPT_HEADERFUNCTION, &UrlSource::OnHeader);
        curl->easy_setopt(easy.curl, CURLOPT_HEADERDATA, &transfer);
        curl->easy_setopt(easy.curl, CURLOPT_WRITEFUNCTION, &UrlSource::OnBody);
        curl->easy_setopt(easy.curl, CURLOPT_WRITEDATA, &transfer);
        curl->easy_setopt(easy.curl, CURLOPT_NOPROGRESS, 0L);
        curl->easy_setopt(easy.curl, CURLOPT_XFERINFOFUNCTION, &UrlSource::OnProgress);
        curl->easy_setopt(easy.curl, CURLOPT_XFERINFODATA, &transfer);
        const CURLcode result = curl->easy_perform(easy.curl);
        const std::string what = m_url + " after " + std::to_string(m_received) + " bytes: ";
        if (transfer.stalled)
            Log(LogLevel::Warning,
                what + "the server sent nothing for " + std::to_string(m_stallTimeout.count()) + " ms");
        else if (result != CURLE_OK && !m_cancel)
            Log(LogLevel::Warning, what + (error[0] ? error : curl->easy_strerror(result)));
        else if (!m_cancel)
            Log(LogLevel::Debug, what + "the server ended the stream");
    }
    {
        std::lock_guard file(m_fileMutex);
        m_localCopy.Flush();
    }
    m_finished = true;
}

std::size_t UrlSource::OnHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const std::string_view line(data, size * count);
    // Each response of a redirect chain brings its own headers: only the
    // last one's framing describes the body that follows.
    if (StartsWithNoCase(line, "HTTP/") || StartsWithNoCase(line, "ICY ")) {
        t->source->m_deframer = IcyDeframer();
        t->source->m_icy = false;
    } else if (StartsWithNoCase(line, "icy-name:")) {
        std::string_view name = line.substr(9);
        const std::size_t begin = name.find_first_not_of(" \t");
        const std::size_t end = name.find_last_not_of(" \t\r\n");
        name = begin == std::string_view::npos ? std::string_view() : name.substr(begin, end - begin + 1);
        // A header line may be as long as the server likes; no display shows
        // more than this, and the name is copied on every look at it.
        constexpr std::size_t kMaxStationBytes = 1024;
        name = name.substr(0, kMaxStationBytes);
        std::lock_guard lock(t->source->m_mutex);
        t->source->m_station = name;
    } else if (StartsWithNoCase(line, "icy-metaint:")) {
        const auto interval = std::size_t(std::strtoul(std::string(line.substr(12)).c_str(), nullptr, 10));
        t->source->m_deframer = IcyDeframer(interval);
        t->source->m_icy = interval > 0;
    }
    return size * count;
}

std::size_t UrlSource::OnBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    UrlSource* self = t->source;
    if (!t->lengthKnown) {
        t->lengthKnown = true;
        curl_off_t length = -1;
        // A live (ICY) stream has no length, whatever a server may claim.
        if (!self->m_icy &&
            t->api->easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
            length > 0)
            self->m_announced = std::int64_t(length);
    }
    if (!self->WaitForRoom())
        return 0; // ends the transfer
    t->lastBytes = Clock::now();
    self->Deliver(reinterpret_cast<const std::uint8_t*>(data), size * count);
    return size * count;
}

// The worker waits here, on its own thread, never the decoder or the device:
// while it does not read, the server's sending blocks too.
bool UrlSource::WaitForRoom()
{
    std::unique_lock lock(m_mutex);
    m_room.wait(lock, [this] { return m_cancel || m_buffer.size() < m_limit; });
    return !m_cancel;
}

int UrlSource::OnProgress(void* user, long long, long long, long long, long long)
{
    auto* t = static_cast<Transfer*>(user);
    if (t->source->m_cancel)
        return 1;
    t->stalled = Clock::now() - t->lastBytes > t->source->m_stallTimeout;
    return t->stalled ? 1 : 0;
}

void UrlSource::Deliver(const std::uint8_t* bytes, std::size_t length)
{
    m_audio.clear();
    m_metadata.clear();
    m_deframer.Push(bytes, length, m_audio, &m_metadata);
    {
        // A cancelled source's file may already belong to the next stream.
        std::lock_guard file(m_fileMutex);
        if (!m_cancel)
            m_localCopy.Write(m_audio.data(), m_audio.size());
    }
    std::lock_guard lock(m_mutex);
    for (IcyMetadata& block : m_metadata)
        if (std::optional<std::string> title = IcyStreamTitle(block.text))
            QueueTitle(m_received + std::int64_t(block.audioOffset), std::move(*title));
    m_buffer.insert(m_buffer.end(), m_audio.begin(), m_audio.end());
    m_received += std::int64_t(m_audio.size());
}

// An empty title, or the same one again (stations repeat it in every block),
// changes nothing.
void UrlSource::QueueTitle(std::int64_t audioOffset, std::string title)
{
    if (title.empty() || title == m_lastTitleQueued)
        return;
    if (m_pendingTitles.size() == kMaxPendingTitles)
        m_pendingTitles.pop_front();
    m_lastTitleQueued = title;
    m_pendingTitles.push_back({audioOffset, std::move(title)});
}

std::string UrlSource::Station()
{
    std::lock_guard lock(m_mutex);
    return m_station;
}

bool UrlSource::NextTitleReached(std::string& title)
{
    std::lock_guard lock(m_mutex);
    if (m_pendingTitles.empty() || m_pendingTitles.front().audioOffset > m_taken)
        return false;
    title = std::move(m_pendingTitles.front().title);
    m_pendingTitles.pop_front();
    return true;
}

} // namespace velmoro::audio
