// The library on a manual device: what is heard of streams, their volumes,
// pan, fades, positions, levels, spectra, DSP functions and effects.
#include "audiotest.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <thread>

using namespace velmoro::audio;
using velmoro::test::AudioFixture;
using velmoro::test::ManualLibrary;
using velmoro::test::Peak;
using velmoro::test::ZeroCrossingFrequency;

namespace {

constexpr std::uint32_t kFlags = kStreamFx | kStreamExactSeek;
// The sine fixtures are at half of full scale.
constexpr int kHalfScale = 16384;

} // namespace

TEST(AudioLibrary, PlaysASineAtItsFrequencyAndLevel)
{
    for (const char* name :
         {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3", "sine1k-l2-48000.mp2"}) {
        SCOPED_TRACE(name);
        ManualLibrary m;
        ASSERT_TRUE(m.initialized);
        const Handle s = m.lib->StreamCreateFile(AudioFixture(name), kFlags);
        ASSERT_NE(s, 0u);
        ASSERT_TRUE(m.lib->StreamPlay(s, false, 0));
        const auto out = m.RenderStereo(44100);
        EXPECT_NEAR(ZeroCrossingFrequency(out, 0, 44100), 1000, 1);
        EXPECT_NEAR(ZeroCrossingFrequency(out, 1, 44100), 1000, 1);
        EXPECT_NEAR(Peak(out, 0, 4410), kHalfScale, kHalfScale * 0.06);
        EXPECT_NEAR(Peak(out, 1, 4410), kHalfScale, kHalfScale * 0.06);
    }
}

TEST(AudioLibrary, HalfRateStreamsPlayAtHalfRate)
{
    ManualLibrary m;
    const Handle s =
        m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags | kStreamHalfRate);
    int frequency = 0;
    ASSERT_TRUE(m.lib->ChannelGetAttributes(s, &frequency, nullptr, nullptr));
    EXPECT_EQ(frequency, 22050);
    m.lib->StreamPlay(s, false, 0);
    const auto out = m.RenderStereo(44100);
    EXPECT_NEAR(ZeroCrossingFrequency(out, 0, 44100), 1000, 1); // the pitch is kept
    // Positions count bytes of the half-rate PCM: one second is 22050 frames.
    EXPECT_NEAR(double(m.lib->ChannelGetPosition(s)), 22050.0 * 4, 8);
    EXPECT_NEAR(double(m.lib->StreamGetLength(s)), 3.0 * 22050 * 4, 22050 * 4 * 0.1);
}

TEST(AudioLibrary, PositionsLengthAndSeeking)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-vbr.mp3"), kFlags);
    const std::uint32_t length = m.lib->StreamGetLength(s);
    EXPECT_NEAR(double(length), 3.0 * 44100 * 4, 44100 * 4 * 0.1);
    EXPECT_EQ(length % 4, 0u);
    EXPECT_EQ(m.lib->ChannelGetPosition(s), 0u);
    m.lib->StreamPlay(s, false, 0);
    m.Render(4410);
    EXPECT_EQ(m.lib->ChannelGetPosition(s), 4410u * 4);

    EXPECT_FALSE(m.lib->ChannelSetPosition(s, length + 4));
    EXPECT_TRUE(m.lib->ChannelSetPosition(s, 88200 * 4));
    EXPECT_EQ(m.lib->ChannelGetPosition(s), 88200u * 4);
    m.Render(441);
    EXPECT_EQ(m.lib->ChannelGetPosition(s), 88641u * 4);

    // Pausing holds the position; playing resumes there.
    m.lib->ChannelPause(s);
    m.Render(4410);
    EXPECT_EQ(m.lib->ChannelGetPosition(s), 88641u * 4);
    m.lib->StreamPlay(s, false, 0);
    m.Render(441);
    EXPECT_EQ(m.lib->ChannelGetPosition(s), 89082u * 4);

    // Played to the end, the stream stops there.
    m.Render(3 * 44100);
    EXPECT_EQ(m.lib->ChannelGetPosition(s), m.lib->StreamGetLength(s));
    EXPECT_EQ(m.lib->ChannelGetLevel(s), 0u);
}

TEST(AudioLibrary, TwoStreamsWithTheirOwnVolumeAndPan)
{
    ManualLibrary m;
    const Handle left = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    const Handle right = m.lib->StreamCreateFile(AudioFixture("sine1k-v2-22050-cbr128.mp3"), kFlags);
    ASSERT_TRUE(m.lib->ChannelSetAttributes(left, -1, 100, -100));
    ASSERT_TRUE(m.lib->ChannelSetAttributes(right, -1, 50, 100));
    int frequency = 0, volume = 0, pan = 0;
    m.lib->ChannelGetAttributes(right, &frequency, &volume, &pan);
    EXPECT_EQ(frequency, 22050);
    EXPECT_EQ(volume, 50);
    EXPECT_EQ(pan, 100);
    m.lib->StreamPlay(left, false, 0);
    m.lib->StreamPlay(right, false, 0);
    const auto out = m.RenderStereo(8820);
    // Hard left and hard right: each channel holds one stream, at its volume.
    EXPECT_NEAR(Peak(out, 0, 4410), kHalfScale, kHalfScale * 0.06);
    EXPECT_NEAR(Peak(out, 1, 4410), kHalfScale / 2, kHalfScale * 0.04);
    const std::uint32_t leftLevel = m.lib->ChannelGetLevel(left);
    const std::uint32_t rightLevel = m.lib->ChannelGetLevel(right);
    EXPECT_NEAR(double(leftLevel & 0xFFFF), 64, 4);
    EXPECT_EQ(leftLevel >> 16, 0u);
    EXPECT_EQ(rightLevel & 0xFFFF, 0u);
    EXPECT_NEAR(double(rightLevel >> 16), 32, 3);

    // At pan 50 the far channel is 3 dB down, the near one whole.
    m.lib->ChannelSetAttributes(left, -1, 100, 50);
    m.lib->ChannelPause(right);
    m.Render(4410);
    const std::uint32_t level = m.lib->ChannelGetLevel(left);
    EXPECT_NEAR(double(level & 0xFFFF), 64 * 0.7071, 3);
    EXPECT_NEAR(double(level >> 16), 64, 4);
}

TEST(AudioLibrary, GlobalVolumesAndCurves)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    m.lib->StreamPlay(s, false, 0);
    m.lib->SetGlobalVolumes(0, 0, 50);
    m.lib->SetVolume(50);
    EXPECT_NEAR(Peak(m.RenderStereo(4410), 0, 441), kHalfScale / 4, kHalfScale * 0.03);
    m.lib->SetLogCurves(true, false);
    m.lib->SetGlobalVolumes(0, 0, 100);
    m.lib->SetVolume(50); // −20 dB
    EXPECT_NEAR(Peak(m.RenderStereo(4410), 0, 441), kHalfScale / 10, kHalfScale * 0.02);
    m.lib->SetVolume(0);
    EXPECT_EQ(Peak(m.RenderStereo(4410), 0, 441), 0);
}

TEST(AudioLibrary, FadeInOnePointStepsHasNoJumps)
{
    // The same stream at full volume shows the largest step the signal has.
    ManualLibrary full;
    const Handle reference = full.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    full.lib->StreamPlay(reference, false, 0);
    const auto steady = full.RenderStereo(44100);
    int signalStep = 0;
    for (std::size_t i = 2; i < steady.size(); ++i)
        signalStep = std::max(signalStep, std::abs(steady[i] - steady[i - 2]));

    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    m.lib->ChannelSetAttributes(s, -1, 0, 0);
    m.lib->StreamPlay(s, false, 0);
    std::vector<std::int16_t> faded;
    for (int volume = 1; volume <= 100; ++volume) {
        const auto block = m.RenderStereo(441); // one 10 ms tick
        faded.insert(faded.end(), block.begin(), block.end());
        m.lib->ChannelSetAttributes(s, -1, volume, -101);
    }
    int fadeStep = 0;
    for (std::size_t i = 2; i < faded.size(); ++i)
        fadeStep = std::max(fadeStep, std::abs(faded[i] - faded[i - 2]));
    EXPECT_LE(fadeStep, signalStep + 2);
    EXPECT_NEAR(Peak(faded, 0, faded.size() / 2 - 441), kHalfScale, kHalfScale * 0.07);
}

TEST(AudioLibrary, EightBitAndMonoOutput)
{
    ManualLibrary reference;
    const Handle r = reference.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    reference.lib->ChannelSetAttributes(r, -1, 100, 100); // right only
    reference.lib->StreamPlay(r, false, 0);
    const auto stereo16 = reference.RenderStereo(4410);

    ManualLibrary m(kInit8Bits | kInitMono);
    ASSERT_TRUE(m.initialized);
    EXPECT_EQ(m.Output().Format().bits, 8);
    EXPECT_EQ(m.Output().Format().channels, 1);
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    m.lib->ChannelSetAttributes(s, -1, 100, 100);
    m.lib->StreamPlay(s, false, 0);
    const auto mono8 = m.Render(4410);
    ASSERT_EQ(mono8.size(), 4410u);
    for (std::size_t i = 0; i < mono8.size(); i += 97) {
        const int expected = ((stereo16[2 * i] + stereo16[2 * i + 1]) / 2 >> 8) + 128;
        EXPECT_NEAR(int(mono8[i]), expected, 1) << i;
    }
}

namespace {

struct DspLog {
    std::vector<std::int16_t> samples;
    int calls = 0;
    Handle channel = 0;
};

void RecordDsp(Handle, Handle channel, void* buffer, std::uint32_t length, void* user)
{
    auto* log = static_cast<DspLog*>(user);
    const auto* samples = static_cast<const std::int16_t*>(buffer);
    log->samples.insert(log->samples.end(), samples, samples + length / 2);
    log->channel = channel;
    ++log->calls;
}

} // namespace

TEST(AudioLibrary, DspSeesEveryDecodedBlockUntilRemoved)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    DspLog log;
    const Handle dsp = m.lib->ChannelSetDSP(s, RecordDsp, &log);
    ASSERT_NE(dsp, 0u);
    m.lib->StreamPlay(s, false, 0);
    const auto out = m.RenderStereo(22050);
    EXPECT_GT(log.calls, 0);
    EXPECT_EQ(log.channel, s);
    // What the DSP saw is what was then heard, once the start-up ramp of the
    // first block is over.
    ASSERT_GE(log.samples.size(), out.size());
    EXPECT_TRUE(std::equal(out.begin() + 882, out.end(), log.samples.begin() + 882));

    ASSERT_TRUE(m.lib->ChannelRemoveDSP(s, dsp));
    const int calls = log.calls;
    m.Render(44100);
    EXPECT_EQ(log.calls, calls);
    EXPECT_FALSE(m.lib->ChannelRemoveDSP(s, dsp));
}

TEST(AudioLibrary, LevelsAndSpectrumOfAKnownTone)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    m.lib->StreamPlay(s, false, 0);
    m.Render(8820);
    const std::uint32_t level = m.lib->ChannelGetLevel(s);
    EXPECT_NEAR(double(level & 0xFFFF), 64, 4);
    EXPECT_NEAR(double(level >> 16), 64, 4);

    std::array<float, kFftBins> bins{};
    ASSERT_TRUE(m.lib->GetFFTSamples(s, bins));
    const auto peak = std::max_element(bins.begin(), bins.end()) - bins.begin();
    EXPECT_EQ(peak, 23); // 1000 Hz / (44100 Hz / 1024)
    EXPECT_NEAR(bins[23], 0.5, 0.05);
    EXPECT_LT(bins[100], 0.01);
}

TEST(AudioLibrary, EqualizerBoostsAndCutsItsBandOnly)
{
    const auto peakWith = [](const EqParameters* eq) {
        ManualLibrary m;
        const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
        if (eq) {
            const Handle fx = m.lib->ChannelSetFX(s, FxKind::PeakingEq);
            EXPECT_NE(fx, 0u);
            EXPECT_TRUE(m.lib->FXSetParameters(fx, *eq));
        }
        m.lib->StreamPlay(s, false, 0);
        return Peak(m.RenderStereo(22050), 0, 11025);
    };
    const double plain = peakWith(nullptr);
    const auto dB = [&](double peak) { return 20 * std::log10(peak / plain); };
    const EqParameters boost{1000, 12, 6};
    const EqParameters cut{1000, 12, -9};
    const EqParameters far{8000, 3, 12};
    EXPECT_NEAR(dB(peakWith(&boost)), 6, 0.5);
    EXPECT_NEAR(dB(peakWith(&cut)), -9, 0.5);
    EXPECT_NEAR(dB(peakWith(&far)), 0, 0.5);

    ManualLibrary m;
    EXPECT_FALSE(m.lib->FXSetParameters(0, boost));
    const Handle noFx = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kStreamExactSeek);
    EXPECT_EQ(m.lib->ChannelSetFX(noFx, FxKind::PeakingEq), 0u); // created without the effects flag
}

TEST(AudioLibrary, InvalidAndFreedHandlesFailQuietly)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    ASSERT_TRUE(m.lib->StreamFree(s));
    std::array<float, kFftBins> bins{};
    for (Handle h : {Handle(0), s, Handle(12345)}) {
        int f = 0;
        EXPECT_FALSE(m.lib->StreamPlay(h, false, 0));
        EXPECT_FALSE(m.lib->StreamFree(h));
        EXPECT_FALSE(m.lib->ChannelStop(h));
        EXPECT_FALSE(m.lib->ChannelPause(h));
        EXPECT_EQ(m.lib->StreamGetLength(h), 0u);
        EXPECT_EQ(m.lib->ChannelGetPosition(h), 0u);
        EXPECT_FALSE(m.lib->ChannelSetPosition(h, 0));
        EXPECT_FALSE(m.lib->ChannelGetAttributes(h, &f, &f, &f));
        EXPECT_FALSE(m.lib->ChannelSetAttributes(h, 44100, 50, 0));
        EXPECT_EQ(m.lib->ChannelGetLevel(h), 0u);
        EXPECT_EQ(m.lib->ChannelSetDSP(h, RecordDsp, nullptr), 0u);
        EXPECT_FALSE(m.lib->ChannelRemoveDSP(h, 1));
        EXPECT_EQ(m.lib->ChannelSetFX(h, FxKind::PeakingEq), 0u);
        EXPECT_FALSE(m.lib->GetFFTSamples(h, bins));
    }
    // A new stream never gets the freed handle back.
    const Handle again = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    EXPECT_NE(again, s);
    // After Free every handle is gone, and the library can be opened again.
    m.lib->Free();
    EXPECT_FALSE(m.lib->StreamPlay(again, false, 0));
    EXPECT_EQ(m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags), 0u);
    EXPECT_TRUE(m.lib->Init(-1, 44100, 0));
}

TEST(AudioLibrary, DevicesAndFailedOpens)
{
    velmoro::test::LogCapture log;
    auto provider = std::make_unique<ManualProvider>();
    ManualProvider* p = provider.get();
    AudioLibrary lib(std::move(provider), LibraryOptions{false});
    std::string description;
    EXPECT_TRUE(lib.GetDeviceDescription(0, description));
    EXPECT_FALSE(description.empty());
    EXPECT_FALSE(lib.GetDeviceDescription(1, description));
    EXPECT_FALSE(lib.Init(7, 44100, 0)); // no such device
    DeviceInfo info;
    EXPECT_FALSE(lib.GetInfo(info));
    EXPECT_EQ(lib.StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags), 0u);
    EXPECT_TRUE(log.Contains("no device open"));
    p->failOpen = true;
    EXPECT_FALSE(lib.Init(-1, 44100, 0)); // busy
    EXPECT_TRUE(log.Contains("busy"));
    p->failOpen = false;
    EXPECT_FALSE(lib.Init(-1, 500, 0));
    EXPECT_TRUE(log.Contains("500 Hz"));
    EXPECT_TRUE(lib.Init(-1, 44100, kInit3D));
    EXPECT_FALSE(lib.Init(-1, 44100, 0)); // already open
    EXPECT_TRUE(log.Contains("already open"));
    ASSERT_TRUE(lib.GetInfo(info));
    EXPECT_EQ(info.size, 44u);
    EXPECT_NE(info.flags & 0x8, 0u); // 16-bit output
    EXPECT_GT(info.maxrate, info.minrate);
}

TEST(AudioLibrary, BadFilesMakeNoStreamAndSayWhy)
{
    velmoro::test::LogCapture log;
    ManualLibrary m;
    EXPECT_EQ(m.lib->StreamCreateFile("/nonexistent.mp3", kFlags), 0u);
    EXPECT_TRUE(log.Contains("cannot open /nonexistent.mp3"));
    const std::string notMpeg = testing::TempDir() + "velmoro-not-mpeg.mp3";
    std::ofstream(notMpeg) << std::string(10000, 'B');
    EXPECT_EQ(m.lib->StreamCreateFile(notMpeg, kFlags), 0u);
    EXPECT_TRUE(log.Contains("no MPEG audio in " + notMpeg));
    const std::vector<std::uint8_t> junk(10000, 0x42);
    EXPECT_EQ(m.lib->StreamCreateMemory(junk.data(), junk.size(), kFlags), 0u);
    EXPECT_EQ(m.lib->StreamCreateMemory(junk.data(), 0, kFlags), 0u);
    // A truncated file plays what it has and stops at its end.
    std::vector<std::uint8_t> bytes = velmoro::test::ReadBytes(AudioFixture("sine1k-v1-44100-cbr256.mp3"));
    bytes.resize(bytes.size() / 4);
    const Handle cut = m.lib->StreamCreateMemory(bytes.data(), bytes.size(), kFlags);
    ASSERT_NE(cut, 0u);
    m.lib->StreamPlay(cut, false, 0);
    m.Render(2 * 44100);
    EXPECT_EQ(m.lib->ChannelGetPosition(cut), m.lib->StreamGetLength(cut));
    EXPECT_GT(m.lib->StreamGetLength(cut), 0u);
}

// Sizes and values from outside that break the contract: a debug build stops
// at once, a release build refuses them.
TEST(AudioLibraryDeathTest, BrokenArgumentsAreRefused)
{
    ManualLibrary m;
    const Handle s = m.lib->StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), kFlags);
    const Handle fx = m.lib->ChannelSetFX(s, FxKind::PeakingEq);
    ASSERT_NE(fx, 0u);
    EXPECT_DEBUG_DEATH(EXPECT_EQ(m.lib->StreamCreateMemory(nullptr, 100, kFlags), 0u), "check failed");
    const EqParameters notANumber{1000, std::nanf(""), 6};
    EXPECT_DEBUG_DEATH(EXPECT_FALSE(m.lib->FXSetParameters(fx, notANumber)), "check failed");
}

// The device runs only while something plays: stopped within a moment of the
// last stream pausing, running again as soon as one plays.
TEST(AudioLibrary, TheDeviceSleepsWhileNothingPlays)
{
    auto provider = std::make_unique<ManualProvider>();
    ManualProvider* p = provider.get();
    AudioLibrary lib(std::move(provider)); // with its update thread
    ASSERT_TRUE(lib.Init(-1, 44100, 0));
    ASSERT_TRUE(lib.Start());
    const auto stopsSoon = [&] {
        for (int i = 0; i < 300 && p->Current()->Started(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return !p->Current()->Started();
    };
    EXPECT_TRUE(stopsSoon());

    const Handle s = lib.StreamCreateFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), 0);
    ASSERT_NE(s, 0u);
    EXPECT_FALSE(p->Current()->Started());
    ASSERT_TRUE(lib.StreamPlay(s, false, 0));
    EXPECT_TRUE(p->Current()->Started());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(p->Current()->Started()); // still playing: never suspended under it
    p->Current()->Step(441);
    EXPECT_FALSE(p->Current()->Captured().empty());

    ASSERT_TRUE(lib.ChannelPause(s));
    EXPECT_TRUE(stopsSoon());
    ASSERT_TRUE(lib.StreamPlay(s, false, 0));
    EXPECT_TRUE(p->Current()->Started());
    ASSERT_TRUE(lib.StreamFree(s));
    EXPECT_TRUE(stopsSoon());
}
