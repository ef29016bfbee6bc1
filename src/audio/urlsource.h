#pragma once
// Downloads an HTTP(S) or FTP address on a worker thread (libcurl) into a
// buffer that the decoder takes from, and into the local copy file when one
// is named. Shoutcast/Icecast answers ("ICY 200 OK", icy-metaint) are taken
// as HTTP, and their metadata blocks are cut out of the audio.
//
// The buffer is bounded: when it holds the limit, the worker waits until the
// decoder takes from it, and the server is held back by TCP. A server that
// gives up on a reader kept waiting ends the stream like any vanished server.
//
// The local copy only ever stops, never the stream: at its size cap, when
// its disk runs nearly full, or at a write error; the reason is logged.
#include "audio/icydeframer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace velmoro::audio {

struct UrlSourceOptions {
    // A server that sends nothing for this long has stalled: the stream ends.
    std::chrono::milliseconds stallTimeout;
    // An endless radio would otherwise fill the disk.
    std::int64_t localCopyCap = std::int64_t(2) << 30;
    // The copy stops when its disk has less than this share of its space free.
    double localCopyMinFreeShare = 0.05;
};

// The file a stream is saved to while it plays. Not thread-safe.
class LocalCopy {
public:
    // An empty path makes no copy.
    LocalCopy(std::string path, const UrlSourceOptions& options);
    ~LocalCopy() { Close(); }
    LocalCopy(const LocalCopy&) = delete;
    LocalCopy& operator=(const LocalCopy&) = delete;

    void Write(const std::uint8_t* bytes, std::size_t length);
    // Hands what was written to the system; a failure stops the copy.
    void Flush();
    void Close();

private:
    // Free space is asked for at the start and then after every this many bytes.
    static constexpr std::int64_t kDiskCheckInterval = 4 << 20;

    void Stop(const std::string& why);
    bool DiskHasRoom();

    std::string m_path;
    std::FILE* m_file = nullptr;
    std::int64_t m_cap;
    double m_minFreeShare;
    std::int64_t m_written = 0;
    std::int64_t m_nextDiskCheck = 0;
};

class UrlSource {
public:
    static constexpr std::chrono::seconds kConnectTimeout{10};

    static constexpr std::size_t kDefaultLimit = 64 * 1024;

    // Whether the address is of a protocol a source can download.
    static bool Supported(const std::string& url);

    // Starts the download. The worker holds the source until it ends.
    static std::shared_ptr<UrlSource> Start(std::string url, std::string localCopy,
                                            const UrlSourceOptions& options);
    UrlSource(const UrlSource&) = delete;
    UrlSource& operator=(const UrlSource&) = delete;

    // Ends the download without waiting for the worker, which may be inside
    // libcurl for up to a second more: it writes nothing from now on, and the
    // local copy is closed on return.
    void Cancel();

    // Moves up to max received audio bytes to out; never waits. A take
    // stops where a station's title begins, so that the title's audio
    // starts with the next take.
    std::size_t Take(std::uint8_t* out, std::size_t max);
    // Received audio bytes not yet taken.
    std::size_t Buffered();
    // Above this many bytes the download waits; one delivery from the
    // network may go past it.
    void SetBufferLimit(std::size_t bytes);
    // True once no more bytes will come: the transfer ended, failed or stalled.
    bool Finished() const { return m_finished; }
    // Audio bytes the server announced, or −1.
    std::int64_t AnnouncedLength() const { return m_announced; }
    // Audio bytes received so far.
    std::int64_t Received() const { return m_received; }
    const std::string& Url() const { return m_url; }
    // The station's name from the response's icy-name, empty without one.
    std::string Station();
    // A new song title whose audio the next take begins with, or an earlier
    // one not yet handed on; false when there is none.
    bool NextTitleReached(std::string& title);

private:
    UrlSource(std::string url, std::string localCopy, const UrlSourceOptions& options);
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user);
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user);
    static int OnProgress(void* user, long long, long long, long long, long long);
    void Run();
    // False once the source is cancelled.
    bool WaitForRoom();
    void Deliver(const std::uint8_t* bytes, std::size_t length);
    // With m_mutex held.
    void QueueTitle(std::int64_t audioOffset, std::string title);

    std::string m_url;
    std::chrono::milliseconds m_stallTimeout;
    std::mutex m_fileMutex; // a slow disk holds back neither the decoder nor Take
    LocalCopy m_localCopy;  // under m_fileMutex

    std::mutex m_mutex;
    std::condition_variable m_room;
    std::deque<std::uint8_t> m_buffer;
    std::size_t m_limit = kDefaultLimit;
    std::atomic<bool> m_cancel{false}; // set under m_mutex, so a waiting worker never misses it

    IcyDeframer m_deframer; // set up from the icy-metaint header
    bool m_icy = false;
    std::vector<std::uint8_t> m_audio;   // scratch for one delivery
    std::vector<IcyMetadata> m_metadata; // scratch for one delivery

    // A title applies from its place in the audio on, which the download
    // reaches seconds before it is heard. Under m_mutex.
    struct PendingTitle {
        std::int64_t audioOffset;
        std::string title;
    };
    static constexpr std::size_t kMaxPendingTitles = 32; // beyond, the oldest is dropped
    std::deque<PendingTitle> m_pendingTitles;
    std::string m_lastTitleQueued;
    std::int64_t m_taken = 0;
    std::string m_station;

    std::atomic<bool> m_finished{false};
    std::atomic<std::int64_t> m_announced{-1};
    std::atomic<std::int64_t> m_received{0};
};

} // namespace velmoro::audio
