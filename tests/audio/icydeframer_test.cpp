#include "audio/icydeframer.h"

#include <gtest/gtest.h>

#include <numeric>

using velmoro::audio::IcyDeframer;

namespace {

// Audio bytes 0, 1, 2 … with a metadata block after every `interval`.
std::vector<std::uint8_t> Framed(std::size_t audioBytes, std::size_t interval,
                                 std::vector<std::uint8_t>& audio)
{
    std::vector<std::uint8_t> stream;
    for (std::size_t i = 0; i < audioBytes; ++i) {
        audio.push_back(std::uint8_t(i * 7));
        stream.push_back(std::uint8_t(i * 7));
        if ((i + 1) % interval == 0) {
            const std::size_t blocks = (i / interval) % 3; // 0, 16 or 32 bytes of text
            stream.push_back(std::uint8_t(blocks));
            stream.insert(stream.end(), blocks * 16, 'm');
        }
    }
    return stream;
}

} // namespace

TEST(IcyDeframer, RemovesEveryMetadataBlockWhateverThePieces)
{
    std::vector<std::uint8_t> audio;
    const std::vector<std::uint8_t> stream = Framed(1000, 64, audio);
    for (std::size_t piece :
         {std::size_t(1), std::size_t(3), std::size_t(64), std::size_t(65), stream.size()}) {
        IcyDeframer deframer(64);
        std::vector<std::uint8_t> out;
        for (std::size_t at = 0; at < stream.size(); at += piece)
            deframer.Push(stream.data() + at, std::min(piece, stream.size() - at), out);
        EXPECT_EQ(out, audio) << piece;
    }
}

TEST(IcyDeframer, WithoutIntervalEverythingIsAudio)
{
    IcyDeframer deframer;
    const std::vector<std::uint8_t> bytes = {1, 0, 255, 3};
    std::vector<std::uint8_t> out;
    deframer.Push(bytes.data(), bytes.size(), out);
    EXPECT_EQ(out, bytes);
}
