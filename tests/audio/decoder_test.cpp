// Decoding through libmpg123: exact seeking, half rate, bad input.
#include "audio/decoder.h"
#include "audiotest.h"

using velmoro::audio::Decoder;
using velmoro::test::AudioFixture;

namespace {

std::vector<std::int16_t> DecodeAll(Decoder& d)
{
    std::vector<std::int16_t> all;
    std::vector<std::int16_t> block(2 * 1000);
    for (;;) {
        std::size_t frames = 0;
        const Decoder::Status status = d.Read(block.data(), 1000, frames);
        all.insert(all.end(), block.begin(), block.begin() + std::ptrdiff_t(frames * 2));
        if (status != Decoder::Status::Ok)
            return all;
    }
}

} // namespace

TEST(Decoder, SeekingGivesTheSamplesOfDecodingFromTheStart)
{
    for (const char* name :
         {"sine1k-v1-44100-cbr256.mp3", "sine1k-v1-44100-vbr.mp3", "sine1k-v2-22050-cbr128.mp3",
          "sine1k-v2-24000-vbr.mp3", "l3-v1-44100-cbr128-id3v2.mp3"}) {
        SCOPED_TRACE(name);
        auto whole = Decoder::OpenFile(AudioFixture(name), {.exactSeek = true});
        ASSERT_TRUE(whole);
        const std::vector<std::int16_t> reference = DecodeAll(*whole);
        ASSERT_EQ(std::int64_t(reference.size() / 2), whole->LengthFrames());
        for (std::int64_t frame : {std::int64_t(0), std::int64_t(1), std::int64_t(1151), std::int64_t(10007),
                                   whole->LengthFrames() / 2, whole->LengthFrames() - 3}) {
            auto seeking = Decoder::OpenFile(AudioFixture(name), {.exactSeek = true});
            ASSERT_TRUE(seeking->Seek(frame));
            const std::vector<std::int16_t> rest = DecodeAll(*seeking);
            ASSERT_EQ(rest.size(), reference.size() - std::size_t(frame) * 2) << frame;
            EXPECT_TRUE(std::equal(rest.begin(), rest.end(), reference.begin() + frame * 2)) << frame;
        }
    }
}

TEST(Decoder, HalfRateHalvesRateAndLength)
{
    auto full = Decoder::OpenFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), {.exactSeek = true});
    auto half =
        Decoder::OpenFile(AudioFixture("sine1k-v1-44100-cbr256.mp3"), {.halfRate = true, .exactSeek = true});
    ASSERT_TRUE(full && half);
    EXPECT_EQ(full->Rate(), 44100);
    EXPECT_EQ(half->Rate(), 22050);
    EXPECT_NEAR(double(half->LengthFrames()), full->LengthFrames() / 2.0, 2);
    const std::vector<std::int16_t> samples = DecodeAll(*half);
    EXPECT_NEAR(velmoro::test::ZeroCrossingFrequency(samples, 0, 22050), 1000, 2);
}

TEST(Decoder, EveryLayerAndVersionDecodes)
{
    for (const char* name :
         {"l2-v1-48000-cbr192-stereo.mp2", "l2-v2-16000-cbr32-mono.mp2", "l3-v25-8000-cbr8-mono.mp3",
          "l3-v25-11025-cbr32-stereo.mp3", "sine1k-l2-48000.mp2"}) {
        auto d = Decoder::OpenFile(AudioFixture(name), {});
        ASSERT_TRUE(d) << name;
        EXPECT_GT(DecodeAll(*d).size(), 1000u) << name;
    }
}

TEST(Decoder, NoMpegAudioMakesNoDecoder)
{
    EXPECT_FALSE(Decoder::OpenMemory({}, {.exactSeek = true}));
    EXPECT_FALSE(Decoder::OpenMemory(std::vector<std::uint8_t>(5000, 'x'), {.exactSeek = true}));
    EXPECT_FALSE(Decoder::OpenMemory({0xFF, 0xFB, 0x90}, {}));
    EXPECT_FALSE(Decoder::OpenFile("/nonexistent/file.mp3", {}));
    // A cut file still decodes what it holds, and ends.
    std::vector<std::uint8_t> bytes = velmoro::test::ReadBytes(AudioFixture("sine1k-v1-44100-cbr256.mp3"));
    bytes.resize(bytes.size() / 3);
    auto cut = Decoder::OpenMemory(bytes, {.exactSeek = true});
    ASSERT_TRUE(cut);
    EXPECT_GT(DecodeAll(*cut).size(), 44100u);
}
