#include "support/mpegcraft.h"
#include "trackinfo/mpegheader.h"

#include <gtest/gtest.h>

using namespace velmoro::trackinfo;
using velmoro::test::HeaderFields;
using velmoro::test::MakeHeader;

namespace {

TMPEGAudioData FileRecord(std::int32_t length = 100000)
{
    TMPEGAudioData d;
    d.FileLength = length;
    d.FileDateTime = 0x5A210000;
    return d;
}

struct Decoded {
    bool valid;
    TMPEGAudioData d;
};

Decoded Decode(const HeaderFields& f, std::int64_t audioBytes = 100000)
{
    Decoded r{false, FileRecord()};
    r.valid = DecodeHeader(MakeHeader(f), r.d, audioBytes);
    return r;
}

} // namespace

TEST(HeaderDecode, VersionsLayersAndSampleRates)
{
    struct Case {
        unsigned versionBits, rateIndex;
        int version, sampleRate;
    };
    const Case cases[] = {
        {3, 0, 1, 44100}, {3, 1, 1, 48000}, {3, 2, 1, 32000}, {2, 0, 2, 22050}, {2, 1, 2, 24000},
        {2, 2, 2, 16000}, {0, 0, 3, 11025}, {0, 1, 3, 12000}, {0, 2, 3, 8000},
    };
    for (const Case& c : cases) {
        for (unsigned layerBits = 1; layerBits <= 3; ++layerBits) {
            const Decoded r = Decode({.versionBits = c.versionBits,
                                      .layerBits = layerBits,
                                      .bitRateIndex = 4,
                                      .sampleRateIndex = c.rateIndex});
            SCOPED_TRACE(testing::Message()
                         << "version bits " << c.versionBits << " layer bits " << layerBits);
            EXPECT_TRUE(r.valid);
            EXPECT_EQ(r.d.Version, c.version);
            EXPECT_EQ(r.d.Layer, 4 - layerBits);
            EXPECT_EQ(r.d.SampleRate, c.sampleRate);
            // The reserved rate index of the same version never decodes as valid.
            EXPECT_FALSE(
                Decode({.versionBits = c.versionBits, .layerBits = layerBits, .sampleRateIndex = 3}).valid);
        }
    }
    EXPECT_FALSE(Decode({.versionBits = 1}).valid);
    EXPECT_EQ(Decode({.versionBits = 1}).d.Version, 0);
    const Decoded reservedLayer = Decode({.layerBits = 0});
    EXPECT_FALSE(reservedLayer.valid);
    EXPECT_EQ(reservedLayer.d.Layer, 0);
}

TEST(HeaderDecode, BitRateTables)
{
    struct Row {
        unsigned versionBits, layerBits;
        int rates[16];
    };
    const Row rows[] = {
        {3, 3, {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0}},
        {3, 2, {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0}},
        {3, 1, {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
        {2, 3, {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},
        {2, 2, {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
        {0, 1, {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
        {0, 3, {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0}},
    };
    for (const Row& row : rows) {
        for (unsigned i = 0; i < 16; ++i) {
            const Decoded r =
                Decode({.versionBits = row.versionBits, .layerBits = row.layerBits, .bitRateIndex = i});
            SCOPED_TRACE(testing::Message() << "version bits " << row.versionBits << " layer bits "
                                            << row.layerBits << " index " << i);
            EXPECT_EQ(r.d.BitRate, row.rates[i]);
            // Free format (index 0) and the forbidden index 15 are never valid.
            EXPECT_EQ(r.valid, i != 0 && i != 15);
        }
    }
}

TEST(HeaderDecode, FlagsAndModes)
{
    const Decoded plain = Decode({.protection = 1, .mode = 3});
    EXPECT_TRUE(plain.d.ErrorProt);
    EXPECT_FALSE(plain.d.Copyright);
    EXPECT_FALSE(plain.d.Original);
    EXPECT_FALSE(plain.d.Padding);
    EXPECT_EQ(plain.d.Mode, 3);
    const Decoded flagged = Decode({.protection = 0, .padding = 1, .mode = 1, .copyright = 1, .original = 1});
    EXPECT_FALSE(flagged.d.ErrorProt);
    EXPECT_TRUE(flagged.d.Copyright);
    EXPECT_TRUE(flagged.d.Original);
    EXPECT_TRUE(flagged.d.Padding);
    EXPECT_EQ(flagged.d.Mode, 1);
}

TEST(HeaderDecode, FrameLengthsFollowEachLayerAndVersion)
{
    struct Case {
        HeaderFields f;
        int frameLength;
    };
    const Case cases[] = {
        // Layer I counts 4-byte slots, padding is one slot.
        {{.versionBits = 3, .layerBits = 3, .bitRateIndex = 1, .sampleRateIndex = 1}, 32},
        {{.versionBits = 3, .layerBits = 3, .bitRateIndex = 12, .sampleRateIndex = 0}, 416},
        {{.versionBits = 3, .layerBits = 3, .bitRateIndex = 12, .sampleRateIndex = 0, .padding = 1}, 420},
        {{.versionBits = 2, .layerBits = 3, .bitRateIndex = 1, .sampleRateIndex = 0}, 68},
        // Layer II: 1152 samples in every version.
        {{.versionBits = 3, .layerBits = 2, .bitRateIndex = 10, .sampleRateIndex = 1}, 576},
        {{.versionBits = 2, .layerBits = 2, .bitRateIndex = 8, .sampleRateIndex = 1}, 384},
        // Layer III: 1152 samples in MPEG 1, 576 in MPEG 2 and 2.5.
        {{.versionBits = 3, .layerBits = 1, .bitRateIndex = 9, .sampleRateIndex = 0}, 417},
        {{.versionBits = 3, .layerBits = 1, .bitRateIndex = 9, .sampleRateIndex = 0, .padding = 1}, 418},
        {{.versionBits = 2, .layerBits = 1, .bitRateIndex = 8, .sampleRateIndex = 0}, 208},
        {{.versionBits = 0, .layerBits = 1, .bitRateIndex = 1, .sampleRateIndex = 2}, 72},
        {{.versionBits = 0, .layerBits = 1, .bitRateIndex = 4, .sampleRateIndex = 0, .padding = 1}, 209},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << MakeHeader(c.f));
        EXPECT_EQ(Decode(c.f).d.FrameLength, c.frameLength);
    }
    EXPECT_EQ(Decode({.sampleRateIndex = 3}).d.FrameLength, 0);
}

TEST(HeaderDecode, DurationFromBitRate)
{
    // 128 kbit/s: 16000 bytes a second.
    EXPECT_EQ(Decode({.bitRateIndex = 9}, 16000 * 12 + 15999).d.Duration, 12);
    EXPECT_EQ(Decode({.bitRateIndex = 0}, 16000 * 12).d.Duration, 0);
    // Saturates instead of wrapping: 8 kbit/s over 2 GB is far past 65535 s.
    EXPECT_EQ(Decode({.versionBits = 2, .bitRateIndex = 1}, 2'000'000'000).d.Duration, 65535);
}

TEST(HeaderDecode, NonHeadersClearTheHeaderFields)
{
    TMPEGAudioData d = FileRecord();
    ASSERT_TRUE(DecodeHeader(MakeHeader({.padding = 1, .mode = 2}), d, 1000));
    EXPECT_FALSE(DecodeHeader(0xFFC00000u, d, 1000)); // 10 sync bits only
    EXPECT_EQ(d.Version, 0);
    EXPECT_EQ(d.SampleRate, 0);
    EXPECT_EQ(d.BitRate, 0);
    EXPECT_EQ(d.Mode, 0);
    EXPECT_FALSE(d.Padding);
    EXPECT_EQ(d.FrameLength, 0);
}

TEST(HeaderDecode, ValidityNeedsAFileIdentity)
{
    const std::uint32_t h = MakeHeader({});
    TMPEGAudioData d;
    d.FileDateTime = 1;
    d.FileLength = 5;
    EXPECT_FALSE(DecodeHeader(h, d, 5));
    d.FileLength = 6;
    EXPECT_TRUE(DecodeHeader(h, d, 6));
    d.FileDateTime = 0;
    EXPECT_FALSE(DecodeHeader(h, d, 6));
    d.FileDateTime = 1;
    d.BitRate = -1;
    d.SampleRate = 44100;
    d.Version = 1;
    d.Layer = 3;
    EXPECT_TRUE(IsValidRecord(d));
    d.BitRate = -2;
    EXPECT_FALSE(IsValidRecord(d));
}

TEST(XingHeader, OffsetsAndSamplesPerFrame)
{
    EXPECT_EQ(XingOffset(1, 0), 36);
    EXPECT_EQ(XingOffset(1, 2), 36);
    EXPECT_EQ(XingOffset(1, 3), 21);
    EXPECT_EQ(XingOffset(2, 1), 21);
    EXPECT_EQ(XingOffset(3, 3), 13);
    EXPECT_EQ(SamplesPerFrame(1, 1), 384);
    EXPECT_EQ(SamplesPerFrame(3, 1), 384);
    EXPECT_EQ(SamplesPerFrame(2, 2), 1152);
    EXPECT_EQ(SamplesPerFrame(1, 3), 1152);
    EXPECT_EQ(SamplesPerFrame(2, 3), 576);
    EXPECT_EQ(SamplesPerFrame(3, 3), 576);
}

TEST(XingHeader, DurationAndAverageFrameLength)
{
    TMPEGAudioData d = FileRecord(1'000'000);
    d.Version = 2;
    d.Layer = 3;
    d.SampleRate = 22050;
    // 576 samples a frame at 22050 Hz: 3828 frames are 99.99 s.
    ApplyXing(ParseXing(QByteArray::fromHex("0000000F00000EF4")), d);
    EXPECT_EQ(d.BitRate, -1);
    EXPECT_EQ(d.Duration, 100);
    EXPECT_EQ(d.FrameLength, 1'000'000 / 3828);

    // Halves round to even: one frame of 1152 samples at 2304 Hz is 0.5 s.
    TMPEGAudioData half = FileRecord();
    half.Version = 1;
    half.Layer = 2;
    half.SampleRate = 2304;
    ApplyXing(XingInfo{1, 1}, half);
    EXPECT_EQ(half.Duration, 0);
    ApplyXing(XingInfo{1, 3}, half); // 1.5 s
    EXPECT_EQ(half.Duration, 2);
}

TEST(XingHeader, WithoutFrameCount)
{
    // Flags without bit 0: bytes follow, but no frame count among them.
    const XingInfo xing = ParseXing(QByteArray::fromHex("0000000E00001234"));
    EXPECT_EQ(xing.frames, 0u);
    TMPEGAudioData d = FileRecord();
    d.SampleRate = 44100;
    d.Duration = 99;
    d.FrameLength = 417;
    ApplyXing(xing, d);
    EXPECT_EQ(d.BitRate, -1);
    EXPECT_EQ(d.Duration, 0);
    EXPECT_EQ(d.FrameLength, 0);
    // Truncated flags or count.
    EXPECT_EQ(ParseXing(QByteArray::fromHex("000000")).frames, 0u);
    EXPECT_EQ(ParseXing(QByteArray::fromHex("0000000100")).frames, 0u);
}

TEST(Id3v2, SizeOfWellFormedTagsOnly)
{
    using velmoro::test::Id3v2Tag;
    EXPECT_EQ(Id3v2TagSize(Id3v2Tag(1000, 'x'), 5000), 1010);
    EXPECT_EQ(Id3v2TagSize(Id3v2Tag(1000, 'x', true), 5000), 1020);
    EXPECT_EQ(Id3v2TagSize(Id3v2Tag(300000, 'x'), 400000), 300010);
    // A tag that claims more than the file holds, a size byte with its top bit
    // set, or a version of 0xFF is no tag at all.
    EXPECT_EQ(Id3v2TagSize(Id3v2Tag(1000, 'x'), 1010), 0);
    QByteArray bad = Id3v2Tag(10, 'x');
    bad[7] = char(0x80);
    EXPECT_EQ(Id3v2TagSize(bad, 5000), 0);
    bad = Id3v2Tag(10, 'x');
    bad[3] = char(0xFF);
    EXPECT_EQ(Id3v2TagSize(bad, 5000), 0);
    EXPECT_EQ(Id3v2TagSize("ID3", 5000), 0);
    EXPECT_EQ(Id3v2TagSize("XYZ\x03\x00\x00\x00\x00\x00\x10", 5000), 0);
}
