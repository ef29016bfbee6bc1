// URL streams against servers started on loopback: HTTP with and without a
// length, an ICY server with metadata, a server that stalls, one that drops
// the connection, one that is late, one that never ends, failed addresses,
// and FTP.
#include "audiotest.h"

#include "audio/urlsource.h"
#include "support/netservers.h"

#include <chrono>
#include <fstream>
#include <cstdio>
#include <thread>

using namespace velmoro::audio;
using velmoro::test::AudioFixture;
using velmoro::test::Peak;
using velmoro::test::ReadBytes;

namespace {

constexpr const char* kFile = velmoro::test::NetServers::kServedFile;

using Servers = velmoro::test::NetServers;

std::string Http(const char* path)
{
    return Servers::Http(path);
}

class UrlStream : public testing::Test {
protected:
    UrlStream() : m(0) {}

    // Renders until the stream's position has stood still for a quarter of a
    // second (its end, or a server that gave up) or the time is up; returns
    // what was heard.
    std::vector<std::int16_t> PlayToEnd(Handle s, std::chrono::seconds limit = std::chrono::seconds(20))
    {
        std::vector<std::int16_t> heard;
        const auto deadline = std::chrono::steady_clock::now() + limit;
        std::uint32_t last = 0;
        int still = 0;
        while (std::chrono::steady_clock::now() < deadline && still < 50) {
            const auto block = m.RenderStereo(4410);
            heard.insert(heard.end(), block.begin(), block.end());
            const std::uint32_t position = m.lib->ChannelGetPosition(s);
            still = position == last ? still + 1 : 0;
            last = position;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return heard;
    }

    // Renders until the stream is heard or the time is up.
    bool WaitUntilHeard(Handle s, std::chrono::seconds limit = std::chrono::seconds(10))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (m.lib->ChannelGetPosition(s) == 0 && std::chrono::steady_clock::now() < deadline) {
            m.Render(441);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return m.lib->ChannelGetPosition(s) > 0;
    }

    // Loopback servers send everything at once; letting it arrive before
    // playing keeps a faster-than-real-time test free of underruns.
    static void LetItArrive() { std::this_thread::sleep_for(std::chrono::milliseconds(300)); }

    std::string TempPath(const char* name) { return testing::TempDir() + name; }

    velmoro::test::ManualLibrary m;
};

} // namespace

TEST_F(UrlStream, HttpWithLengthPlaysWholeAndKeepsALocalCopy)
{
    const std::string copy = TempPath("velmoro-copy.mp3");
    const Handle s = m.lib->StreamCreateURL(Http("/file.mp3"), kStreamFx | kStreamExactSeek, copy);
    ASSERT_NE(s, 0u);
    LetItArrive();
    m.lib->Update();
    int frequency = 0;
    m.lib->ChannelGetAttributes(s, &frequency, nullptr, nullptr);
    EXPECT_EQ(frequency, 44100);
    // The announced length at the stream's bit rate: 97801 bytes at 256 kbit/s.
    EXPECT_NEAR(double(m.lib->StreamGetLength(s)), 97801.0 * 8 / 256000 * 44100 * 4, 44100 * 4);
    EXPECT_FALSE(m.lib->ChannelSetPosition(s, 0)); // no seeking in a download
    m.lib->StreamPlay(s, false, 0);
    const auto heard = PlayToEnd(s);
    EXPECT_NEAR(velmoro::test::ZeroCrossingFrequency(heard, 0, 44100), 1000, 1);
    EXPECT_NEAR(double(m.lib->ChannelGetPosition(s)), 3.0 * 44100 * 4, 44100 * 4 * 0.1);
    m.lib->StreamFree(s);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(AudioFixture(kFile)));
}

TEST_F(UrlStream, HttpWithoutLengthCountsWhatWasDecoded)
{
    const Handle s = m.lib->StreamCreateURL(Http("/nolength.mp3"), kStreamFx, "");
    ASSERT_NE(s, 0u);
    m.lib->StreamPlay(s, false, 0);
    PlayToEnd(s);
    EXPECT_NEAR(double(m.lib->StreamGetLength(s)), 3.0 * 44100 * 4, 44100 * 4 * 0.1);
}

TEST_F(UrlStream, IcyMetadataIsCutOutOfTheAudioOfTheFinalResponseOnly)
{
    // A redirect's icy-metaint says nothing about the body that follows it.
    for (const char* path : {"/icy", "/redirect-to-icy", "/redirect-icy"}) {
        SCOPED_TRACE(path);
        const std::string copy = TempPath("velmoro-icy.mp3");
        const Handle s = m.lib->StreamCreateURL(Http(path), kStreamFx, copy);
        ASSERT_NE(s, 0u);
        LetItArrive();
        m.lib->StreamPlay(s, false, 0);
        const auto heard = PlayToEnd(s);
        EXPECT_NEAR(velmoro::test::ZeroCrossingFrequency(heard, 0, 44100), 1000, 1);
        m.lib->StreamFree(s);
        EXPECT_EQ(ReadBytes(copy), ReadBytes(AudioFixture(kFile)));
    }
}

TEST_F(UrlStream, TheLocalCopyStopsWhileTheStreamGoesOn)
{
    using std::chrono_literals::operator""s;
    const auto whole = ReadBytes(AudioFixture(kFile));
    const std::string copy = TempPath("velmoro-stopped.mp3");
    constexpr std::size_t kUnreadable = std::size_t(-1);
    const struct {
        std::string path;
        UrlSourceOptions options;
        std::size_t copied; // bytes the copy keeps
        const char* logged; // part of the reason logged
    } cases[] = {
        {copy, {.stallTimeout = 10s, .localCopyCap = 10000}, 10000, "limit of 10000 bytes"},
        {copy, {.stallTimeout = 10s, .localCopyMinFreeShare = 1.01}, 0, "free, under 101%"},
        {"/dev/full", {.stallTimeout = 10s}, kUnreadable, "No space left on device"},
    };
    velmoro::test::LogCapture log;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.logged);
        const auto source = UrlSource::Start(Http("/file.mp3"), c.path, c.options);
        std::vector<std::uint8_t> received;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!(source->Finished() && source->Buffered() == 0) &&
               std::chrono::steady_clock::now() < deadline) {
            std::uint8_t part[4096];
            received.insert(received.end(), part, part + source->Take(part, sizeof part));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        source->Cancel(); // closes the copy
        EXPECT_EQ(received, whole);
        if (c.copied != kUnreadable) {
            EXPECT_EQ(ReadBytes(c.path),
                      std::vector(whole.begin(), whole.begin() + std::ptrdiff_t(c.copied)));
        }
        EXPECT_TRUE(log.Contains(c.logged));
    }

    // Played, a stream whose copy fails is heard whole.
    const Handle s = m.lib->StreamCreateURL(Http("/file.mp3"), kStreamFx, "/dev/full");
    ASSERT_NE(s, 0u);
    LetItArrive();
    m.lib->StreamPlay(s, false, 0);
    const auto heard = PlayToEnd(s);
    EXPECT_NEAR(velmoro::test::ZeroCrossingFrequency(heard, 0, 44100), 1000, 1);
    EXPECT_NEAR(double(m.lib->ChannelGetPosition(s)), 3.0 * 44100 * 4, 44100 * 4 * 0.1);
}

// Titles come seconds ahead of their audio, when the download runs ahead:
// each counts once the decoder reaches the audio that follows it.
TEST_F(UrlStream, StationTitlesCountWhenTheirAudioIsReached)
{
    const Handle s = m.lib->StreamCreateURL(Http("/icy-titles"), kStreamFx, "");
    ASSERT_NE(s, 0u);
    LetItArrive(); // the first three titles are downloaded by now
    StreamTags tags;
    ASSERT_TRUE(m.lib->StreamGetTags(s, 0, tags));
    EXPECT_EQ(tags.station, "Velmoro test");
    EXPECT_EQ(tags.title, "");
    EXPECT_FALSE(m.lib->StreamGetTags(s, tags.changes, tags));

    m.lib->StreamPlay(s, false, 0);
    std::vector<std::string> titles;
    std::vector<double> secondsHeard;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (m.lib->ChannelIsActive(s) && std::chrono::steady_clock::now() < deadline) {
        m.Render(441);
        if (m.lib->StreamGetTags(s, tags.changes, tags)) {
            titles.push_back(tags.title);
            secondsHeard.push_back(m.lib->ChannelGetPosition(s) / (44100.0 * 4));
        }
    }
    const std::string hostile = "\x01\x07"
                                "Evil\x1b[2J\r\n\xe2\x80\xae" +
                                std::string(4000, 'A');
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Primo brano", "Citt\xc3\xa0 pi\xc3\xb9 bella \xe2\x80\x93 \xc5\x9d",
                                        "Caff\xe8 \xd1"
                                        "and\xfa",
                                        hostile}));
    // Each comes when what follows it is heard: after 1, 7, 13 and 19
    // intervals of 4096 bytes at 256 kbit/s.
    ASSERT_EQ(secondsHeard.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(secondsHeard[i], (1 + 6 * int(i)) * 4096 * 8 / 256000.0, 0.1) << i;
    EXPECT_EQ(tags.station, "Velmoro test");
    // A stream from a file has no tags.
    const Handle file = m.lib->StreamCreateFile(AudioFixture(kFile), 0);
    EXPECT_FALSE(m.lib->StreamGetTags(file, 0, tags));

    // A name longer than any display is cut where no display would reach.
    const Handle longName = m.lib->StreamCreateURL(Http("/icy-longname"), kStreamFx, "");
    LetItArrive();
    ASSERT_TRUE(m.lib->StreamGetTags(longName, 0, tags));
    EXPECT_EQ(tags.station, std::string(1024, 'N'));
}

TEST_F(UrlStream, Ftp)
{
    const std::string url = "ftp://127.0.0.1:" + std::to_string(Servers::ftpPort) + "/" + kFile;
    const Handle s = m.lib->StreamCreateURL(url, kStreamFx, "");
    ASSERT_NE(s, 0u);
    m.lib->StreamPlay(s, false, 0);
    PlayToEnd(s);
    EXPECT_NEAR(double(m.lib->ChannelGetPosition(s)), 3.0 * 44100 * 4, 44100 * 4 * 0.1);
}

TEST_F(UrlStream, StalledAndDroppedServersEndOnlyTheirStream)
{
    // A short stall limit keeps the test quick.
    auto provider = std::make_unique<ManualProvider>();
    ManualProvider* p = provider.get();
    AudioLibrary lib(std::move(provider), LibraryOptions{false, std::chrono::milliseconds(1500)});
    ASSERT_TRUE(lib.Init(-1, 44100, 0) && lib.Start());
    const Handle stalled = lib.StreamCreateURL(Http("/stall"), 0, "");
    const Handle dropped = lib.StreamCreateURL(Http("/drop"), 0, "");
    const Handle local = lib.StreamCreateFile(AudioFixture("l3-v1-44100-cbr128-id3v2.mp3"), kStreamExactSeek);
    ASSERT_NE(stalled, 0u);
    ASSERT_NE(dropped, 0u);
    for (Handle h : {stalled, dropped, local})
        lib.StreamPlay(h, false, 0);
    const auto started = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - started < std::chrono::seconds(4)) {
        lib.Update();
        p->Current()->Step(441);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Both network streams have stopped at what they received; the file plays on.
    EXPECT_EQ(lib.ChannelGetLevel(stalled), 0u);
    EXPECT_EQ(lib.ChannelGetLevel(dropped), 0u);
    EXPECT_GT(lib.ChannelGetPosition(stalled), lib.ChannelGetPosition(dropped));
    EXPECT_LT(lib.ChannelGetPosition(stalled), 3u * 44100 * 4);
    EXPECT_GT(lib.ChannelGetLevel(local), 0u);
}

TEST_F(UrlStream, NeitherCreatingNorFreeingWaitsForTheServer)
{
    const Handle waiting = m.lib->StreamCreateURL(Http("/late"), kStreamFx, "");
    ASSERT_NE(waiting, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // libcurl waits for the server now
    const auto freeing = std::chrono::steady_clock::now();
    EXPECT_TRUE(m.lib->StreamFree(waiting));
    EXPECT_LT(std::chrono::steady_clock::now() - freeing, std::chrono::milliseconds(50));

    const auto before = std::chrono::steady_clock::now();
    const Handle s = m.lib->StreamCreateURL(Http("/late"), kStreamFx, "");
    const auto took = std::chrono::steady_clock::now() - before;
    ASSERT_NE(s, 0u);
    EXPECT_LT(took, std::chrono::milliseconds(50));
    // The audio comes later: neither rate nor length is known yet.
    int frequency = -1;
    ASSERT_TRUE(m.lib->ChannelGetAttributes(s, &frequency, nullptr, nullptr));
    EXPECT_EQ(frequency, 0);
    EXPECT_EQ(m.lib->StreamGetLength(s), 0u);
    EXPECT_TRUE(m.lib->StreamPlay(s, false, 0));
    EXPECT_TRUE(m.lib->ChannelIsActive(s));

    ASSERT_TRUE(WaitUntilHeard(s));
    const auto heard = PlayToEnd(s);
    EXPECT_NEAR(velmoro::test::ZeroCrossingFrequency(heard, 0, 44100), 1000, 1);
    m.lib->ChannelGetAttributes(s, &frequency, nullptr, nullptr);
    EXPECT_EQ(frequency, 44100);
    EXPECT_NEAR(double(m.lib->ChannelGetPosition(s)), 3.0 * 44100 * 4, 44100 * 4 * 0.1);
    EXPECT_FALSE(m.lib->ChannelIsActive(s));
}

TEST_F(UrlStream, AStreamNotPlayedHoldsTheServerBack)
{
    // The server sends as fast as it is taken: unbounded, a few seconds on
    // loopback would buffer gigabytes.
    const Handle s = m.lib->StreamCreateURL(Http("/endless"), kStreamFx, "");
    ASSERT_NE(s, 0u);
    std::size_t most = 0;
    const auto started = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - started < std::chrono::seconds(3)) {
        m.lib->Update();
        most = std::max(most, m.lib->NetworkBytesWaiting(s));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GT(most, 0u);
    EXPECT_LT(most, 1024u * 1024);

    // The held connection is alive: played, the stream goes on.
    m.lib->StreamPlay(s, false, 0);
    std::vector<std::int16_t> heard;
    for (int block = 0; block < 40; ++block) {
        const auto part = m.RenderStereo(4410);
        heard.insert(heard.end(), part.begin(), part.end());
        most = std::max(most, m.lib->NetworkBytesWaiting(s));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_NEAR(Peak(heard, 0, heard.size() / 4), 16384, 16384 * 0.06);
    EXPECT_GT(m.lib->ChannelGetPosition(s), 40u * 4410 * 4 * 9 / 10);
    EXPECT_TRUE(m.lib->ChannelIsActive(s));
    EXPECT_LT(most, 1024u * 1024);
}

TEST_F(UrlStream, FailedAddressesEndLikeAVanishedServerAndCopyNothing)
{
    velmoro::test::LogCapture log;
    const std::string copy = TempPath("velmoro-failed.mp3");
    for (const char* refused :
         {"notaprotocol://x", "file:///dev/zero", "FILE:///dev/zero", "ftps://127.0.0.1/x"}) {
        SCOPED_TRACE(refused);
        std::remove(copy.c_str());
        EXPECT_EQ(m.lib->StreamCreateURL(refused, 0, copy), 0u);
        EXPECT_TRUE(log.Contains(refused));
        EXPECT_FALSE(std::ifstream(copy).is_open());
    }
    const struct {
        std::string url;
        const char* logged; // part of the reason logged
        std::string copy;   // a local copy that must stay empty
    } cases[] = {
        {"http://127.0.0.1:1/none.mp3", "127.0.0.1:1/none.mp3", ""},
        {Http("/missing.mp3"), "404", ""},
        {Http("/notaudio"), "no MPEG audio", ""},
        {Http("/tofile"), "\"file\"", copy}, // a server cannot lead to local files
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        const Handle s = m.lib->StreamCreateURL(c.url, 0, c.copy);
        ASSERT_NE(s, 0u);
        ASSERT_TRUE(m.lib->StreamPlay(s, false, 0));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m.lib->ChannelIsActive(s) && std::chrono::steady_clock::now() < deadline) {
            m.Render(441);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_FALSE(m.lib->ChannelIsActive(s));
        int frequency = -1;
        m.lib->ChannelGetAttributes(s, &frequency, nullptr, nullptr);
        EXPECT_EQ(frequency, 0);
        EXPECT_EQ(m.lib->StreamGetLength(s), 0u);
        EXPECT_EQ(m.lib->ChannelGetPosition(s), 0u);
        EXPECT_TRUE(log.Contains(c.logged));
        m.lib->StreamFree(s);
        if (!c.copy.empty()) {
            EXPECT_TRUE(ReadBytes(c.copy).empty());
        }
    }
}
