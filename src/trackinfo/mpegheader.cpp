#include "trackinfo/mpegheader.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmoro::trackinfo {

namespace {

constexpr std::int32_t kSampleRates[4][4] = {
    {0, 0, 0, 0},
    {44100, 48000, 32000, 0}, // MPEG 1
    {22050, 24000, 16000, 0}, // MPEG 2
    {11025, 12000, 8000, 0},  // MPEG 2.5
};

constexpr std::int32_t kBitRatesV1[4][16] = {
    {},
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
};

constexpr std::int32_t kBitRatesV2[4][16] = {
    {},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};

constexpr std::uint8_t kVersionOfBits[4] = {3, 0, 2, 1};

template <typename T> T Saturate(std::int64_t value)
{
    return T(std::clamp<std::int64_t>(value, 0, std::numeric_limits<T>::max()));
}

std::uint32_t BigEndian32(QByteArrayView b, qsizetype at)
{
    return std::uint32_t(std::uint8_t(b[at])) << 24 | std::uint32_t(std::uint8_t(b[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 8 | std::uint32_t(std::uint8_t(b[at + 3]));
}

// Frame length in bytes. Layer I counts in 4-byte slots, and MPEG 2 and 2.5
// Layer III frames carry half the samples of MPEG 1 ones, hence half the bytes.
std::uint16_t FrameLengthOf(const TMPEGAudioData& d)
{
    if (d.SampleRate <= 0)
        return 0;
    const double perRate = double(d.BitRate) / double(d.SampleRate);
    std::int64_t length = 0;
    if (d.Layer == 1)
        length = (std::int64_t(std::trunc(12000.0 * perRate)) + d.Padding) * 4;
    else if (d.Layer == 3 && d.Version != 1)
        length = std::int64_t(std::trunc(72000.0 * perRate + d.Padding));
    else
        length = std::int64_t(std::trunc(144000.0 * perRate + d.Padding));
    return Saturate<std::uint16_t>(length);
}

} // namespace

bool IsValidRecord(const TMPEGAudioData& d)
{
    return d.FileLength > 5 && d.Version != 0 && d.Layer != 0 && d.FileDateTime != 0 && d.BitRate >= -1 &&
           d.BitRate != 0 && d.SampleRate > 0;
}

bool DecodeHeader(std::uint32_t h, TMPEGAudioData& d, std::int64_t audioBytes)
{
    d.Version = 0;
    d.Layer = 0;
    d.SampleRate = 0;
    d.BitRate = 0;
    d.Mode = 0;
    d.Copyright = d.Original = d.ErrorProt = d.Padding = false;
    d.FrameLength = 0;
    if ((h & 0xFFE00000u) != 0xFFE00000u)
        return false;

    d.Version = kVersionOfBits[h >> 19 & 3];
    if (d.Version == 0)
        return false;
    const unsigned layerBits = h >> 17 & 3;
    d.Layer = layerBits == 0 ? 0 : std::uint8_t(4 - layerBits);
    d.SampleRate = kSampleRates[d.Version][h >> 10 & 3];
    d.ErrorProt = h >> 16 & 1;
    d.Copyright = h >> 3 & 1;
    d.Original = h >> 2 & 1;
    d.Mode = std::uint8_t(h >> 6 & 3);
    d.Padding = h >> 9 & 1;
    const unsigned rateIndex = h >> 12 & 15;
    d.BitRate = d.Version == 1 ? kBitRatesV1[d.Layer][rateIndex] : kBitRatesV2[d.Layer][rateIndex];
    d.Duration =
        d.BitRate > 0 ? Saturate<std::uint16_t>(audioBytes * 8 / (std::int64_t(d.BitRate) * 1000)) : 0;
    d.FrameLength = FrameLengthOf(d);
    return IsValidRecord(d);
}

int XingOffset(std::uint8_t version, std::uint8_t mode)
{
    if (version == 1)
        return mode == 3 ? 21 : 36;
    return mode == 3 ? 13 : 21;
}

int SamplesPerFrame(std::uint8_t version, std::uint8_t layer)
{
    if (layer == 1)
        return 384;
    if (layer == 3 && version != 1)
        return 576;
    return 1152;
}

XingInfo ParseXing(QByteArrayView afterTag)
{
    XingInfo xing;
    if (afterTag.size() < 4)
        return xing;
    xing.flags = BigEndian32(afterTag, 0);
    if ((xing.flags & 1) && afterTag.size() >= 8)
        xing.frames = BigEndian32(afterTag, 4);
    return xing;
}

void ApplyXing(const XingInfo& xing, TMPEGAudioData& d)
{
    d.BitRate = -1;
    if (xing.frames == 0 || d.SampleRate <= 0) {
        d.Duration = 0;
        d.FrameLength = 0;
        return;
    }
    const double seconds = double(SamplesPerFrame(d.Version, d.Layer)) / d.SampleRate * xing.frames;
    d.Duration = Saturate<std::uint16_t>(std::int64_t(std::nearbyint(seconds)));
    d.FrameLength = Saturate<std::uint16_t>(std::int64_t(d.FileLength) / xing.frames);
}

std::int64_t Id3v2TagSize(QByteArrayView head, std::int64_t fileSize)
{
    if (head.size() < 10 || head[0] != 'I' || head[1] != 'D' || head[2] != '3')
        return 0;
    const auto byte = [&](int i) { return std::uint8_t(head[i]); };
    if (byte(3) == 0xFF || byte(4) == 0xFF)
        return 0;
    std::int64_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (byte(i) & 0x80)
            return 0;
        size = size << 7 | byte(i);
    }
    const bool footer = byte(5) & 0x10;
    const std::int64_t total = 10 + size + (footer ? 10 : 0);
    return total < fileSize ? total : 0;
}

} // namespace velmoro::trackinfo
