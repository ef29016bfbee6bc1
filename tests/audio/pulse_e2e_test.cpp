// Plays a fixture through the PulseAudio output into the null sink of a
// private server (tests/e2e/with-pulseaudio), records the sink's monitor
// with parec, and finds the tone in the recording.
#include "audiotest.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace velmoro::audio;

// Opens the default device and plays the 1 kHz tone on it; 0 when it cannot.
Handle StartTone(AudioLibrary& lib)
{
    if (!lib.Init(-1, 44100, 0) || !lib.Start())
        return 0;
    const Handle s =
        lib.StreamCreateFile(velmoro::test::AudioFixture("sine1k-v1-44100-cbr256.mp3"), kStreamExactSeek);
    if (s != 0)
        lib.StreamPlay(s, false, 0);
    return s;
}

TEST(PulseAudioOutput, AToneIsHeardOnTheDevice)
{
    ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run under tests/e2e/with-pulseaudio";
    const std::string recording = testing::TempDir() + "velmoro-monitor.raw";
    const pid_t recorder = fork();
    if (recorder == 0) {
        execlp("parec", "parec", "-d", "nullsink.monitor", "--rate=44100", "--channels=2", "--format=s16le",
               "--raw", recording.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    AudioLibrary lib(MakePulseProvider());
    std::string description;
    ASSERT_TRUE(lib.GetDeviceDescription(0, description));
    EXPECT_EQ(description, "NullSink");
    EXPECT_FALSE(lib.GetDeviceDescription(5, description));
    EXPECT_FALSE(lib.Init(5, 44100, 0)); // no such device; the library stays usable
    const Handle s = StartTone(lib);
    ASSERT_NE(s, 0u);
    // The null sink of a fresh server answers its first requests slowly:
    // give the three seconds of tone time to be heard whole.
    const auto started = std::chrono::steady_clock::now();
    while (lib.ChannelGetPosition(s) < lib.StreamGetLength(s) &&
           std::chrono::steady_clock::now() - started < std::chrono::seconds(15))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const std::uint32_t position = lib.ChannelGetPosition(s);
    lib.Free();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    kill(recorder, SIGTERM);
    waitpid(recorder, nullptr, 0);

    EXPECT_GT(position, 2u * 44100 * 4);
    const std::vector<std::uint8_t> bytes = velmoro::test::ReadBytes(recording);
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    ASSERT_GT(samples.size(), 44100u) << "nothing was recorded";
    EXPECT_NEAR(velmoro::test::ZeroCrossingFrequency(samples, 0, 44100), 1000, 2);
    EXPECT_NEAR(velmoro::test::Peak(samples, 0), 16384, 16384 * 0.1);
}

// The output lets the sound server rest: while playing, the sink keeps a
// latency of tens of milliseconds; a few seconds after the last sound the
// stream is let go, and playing again connects a new one.
namespace {

std::string Command(const char* command)
{
    std::string text;
    if (FILE* out = popen(command, "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, out)) > 0;)
            text.append(buffer, n);
        pclose(out);
    }
    return text;
}

int ServerStreams()
{
    const std::string list = Command("pactl list short sink-inputs");
    return int(std::count(list.begin(), list.end(), '\n'));
}

// The latency the server configured for the null sink, from "configured N usec".
double NullSinkLatencyMs()
{
    const std::string sinks = Command("pactl list sinks");
    const std::size_t at = sinks.find("configured ");
    return at == std::string::npos ? -1 : std::stod(sinks.substr(at + 11)) / 1000;
}

bool PlaysOn(AudioLibrary& lib, Handle s, std::uint32_t from)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (lib.ChannelGetPosition(s) < from + 44100 * 4 / 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return lib.ChannelGetPosition(s) >= from + 44100 * 4 / 2;
}

} // namespace

TEST(PulseAudioOutput, LetsTheServerRestWhileSilentAndPlaysAgain)
{
    ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run under tests/e2e/with-pulseaudio";
    AudioLibrary lib(MakePulseProvider());
    const Handle s = StartTone(lib);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(PlaysOn(lib, s, 0));
    EXPECT_EQ(ServerStreams(), 1);
    // A sink held at its smallest latency wakes thousands of times a second.
    EXPECT_GE(NullSinkLatencyMs(), 20);

    lib.ChannelPause(s);
    // The library suspends the output within a second; five more let it go.
    std::this_thread::sleep_for(std::chrono::seconds(7));
    EXPECT_EQ(ServerStreams(), 0);

    const std::uint32_t paused = lib.ChannelGetPosition(s);
    lib.StreamPlay(s, false, 0);
    EXPECT_EQ(ServerStreams(), 1);
    EXPECT_TRUE(PlaysOn(lib, s, paused));
    lib.Free();
}

// What the server holds of the mixed sound is not heard yet: the position
// heard lags the mixed one by the stream's latency, about the 110 ms asked
// for and never nothing.
TEST(PulseAudioOutput, TheHeardPositionLagsTheMixedOneByTheLatency)
{
    ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run under tests/e2e/with-pulseaudio";
    AudioLibrary lib(MakePulseProvider());
    const Handle s = StartTone(lib);
    ASSERT_NE(s, 0u);
    // A fresh server's null sink is slow to start: wait for half a second mixed.
    const auto started = std::chrono::steady_clock::now();
    while (lib.ChannelGetPosition(s) < 44100 * 4 / 2 &&
           std::chrono::steady_clock::now() - started < std::chrono::seconds(15))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::uint32_t heard = lib.ChannelGetHeardPosition(s);
    const std::uint32_t mixed = lib.ChannelGetPosition(s);
    lib.Free();
    const double lagMs = double(mixed - heard) / (44100 * 4) * 1000;
    EXPECT_GT(heard, 0u);
    EXPECT_GT(lagMs, 10);
    EXPECT_LT(lagMs, 400);
}

// What the device information window lists under the record's lines.
TEST(PulseAudioOutput, ReportsTheServerAndTheSinkAsTheyAre)
{
    ASSERT_NE(std::getenv("PULSE_SERVER"), nullptr) << "run under tests/e2e/with-pulseaudio";
    const struct {
        std::uint32_t flags;
        const char* format;
        int channels;
    } cases[] = {{0, "s16le", 2}, {kInit8Bits | kInitMono, "u8", 1}};
    for (const auto& c : cases) {
        AudioLibrary lib(MakePulseProvider());
        DeviceReport report;
        EXPECT_FALSE(lib.GetDeviceReport(report)); // no device open yet
        ASSERT_TRUE(lib.Init(-1, 22050, c.flags));
        ASSERT_TRUE(lib.GetDeviceReport(report));
        EXPECT_EQ(report.server, "pulseaudio");
        EXPECT_FALSE(report.serverVersion.empty());
        EXPECT_EQ(report.sinkName, "nullsink");
        EXPECT_EQ(report.sinkDescription, "NullSink");
        EXPECT_EQ(report.sampleFormat, c.format);
        EXPECT_EQ(report.rate, 22050);
        EXPECT_EQ(report.channels, c.channels);
        EXPECT_GT(report.latencyMs, 20);
        EXPECT_LT(report.latencyMs, 500);
    }
}
