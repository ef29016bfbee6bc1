// A stream whose sample rate changes midway, as MPEG allows: one second of a
// 1 kHz tone at 44.1 kHz, then one at 48 kHz, joined into one stream.
#include "audiotest.h"

using namespace velmoro::audio;
using velmoro::test::AudioFixture;
using velmoro::test::ManualLibrary;
using velmoro::test::ReadBytes;
using velmoro::test::ZeroCrossingFrequency;

namespace {

constexpr std::uint32_t kFlags = kStreamFx | kStreamExactSeek;

Handle CreateTwoRateStream(ManualLibrary& m)
{
    std::vector<std::uint8_t> bytes = ReadBytes(AudioFixture("sine1k-v1-44100-part.mp3"));
    const std::vector<std::uint8_t> second = ReadBytes(AudioFixture("sine1k-v1-48000-part.mp3"));
    bytes.insert(bytes.end(), second.begin(), second.end());
    return m.lib->StreamCreateMemory(bytes.data(), bytes.size(), kFlags);
}

// The tone's frequency in output frames [from, to) of what was heard.
double ToneBetween(const std::vector<std::int16_t>& heard, std::size_t from, std::size_t to)
{
    const std::vector<std::int16_t> part(heard.begin() + std::ptrdiff_t(from * 2),
                                         heard.begin() + std::ptrdiff_t(to * 2));
    return ZeroCrossingFrequency(part, 0, 44100);
}

int Frequency(ManualLibrary& m, Handle s)
{
    int frequency = -1;
    m.lib->ChannelGetAttributes(s, &frequency, nullptr, nullptr);
    return frequency;
}

} // namespace

TEST(RateChange, EachPartPlaysAtItsOwnRateUnlessTheCallerSetOne)
{
    const struct {
        const char* name;
        std::vector<int> frequenciesSet;
        double secondPartTone;
        int secondPartFrequency;
    } cases[] = {
        {"following the decoder", {}, 1000, 48000},
        {"a frequency set wins", {44100}, 1000.0 * 44100 / 48000, 44100},
        {"frequency 0 follows the decoder again", {44100, 0}, 1000, 48000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ManualLibrary m;
        const Handle s = CreateTwoRateStream(m);
        ASSERT_NE(s, 0u);
        EXPECT_EQ(Frequency(m, s), 44100);
        for (int frequency : c.frequenciesSet)
            ASSERT_TRUE(m.lib->ChannelSetAttributes(s, frequency, -1, -101));
        m.lib->StreamPlay(s, false, 0);
        const auto heard = m.RenderStereo(2 * 44100);
        EXPECT_NEAR(ToneBetween(heard, 4410, 39690), 1000, 1);
        EXPECT_NEAR(ToneBetween(heard, 57330, 83790), c.secondPartTone, 1);
        EXPECT_EQ(Frequency(m, s), c.secondPartFrequency);
    }
}

TEST(RateChange, SeekingAcrossTheChangeTakesTheRateOfWhereItLands)
{
    ManualLibrary m;
    const Handle s = CreateTwoRateStream(m);
    ASSERT_NE(s, 0u);
    m.lib->StreamPlay(s, false, 0);
    m.Render(4410);
    // Frame 70000 of the stream's own frames is well into the second part.
    for (const auto& [frame, rate] : {std::pair{70000u, 48000}, {4410u, 44100}, {60000u, 48000}}) {
        SCOPED_TRACE(frame);
        ASSERT_TRUE(m.lib->ChannelSetPosition(s, frame * 4));
        const auto heard = m.RenderStereo(11025);
        EXPECT_NEAR(ToneBetween(heard, 441, 11025), 1000, 1);
        EXPECT_EQ(Frequency(m, s), rate);
    }
}
