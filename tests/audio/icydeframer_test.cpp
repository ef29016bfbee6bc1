#include "audio/icydeframer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <optional>
#include <string>
#include <utility>

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

// Each block whole, at its place in the audio, whatever the pieces; empty
// blocks and the zero padding are not handed on.
TEST(IcyDeframer, HandsOnEachMetadataBlockAtItsPlaceInTheAudio)
{
    std::vector<std::uint8_t> audio;
    const std::vector<std::uint8_t> stream = Framed(400, 64, audio);
    for (std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(65), stream.size()}) {
        IcyDeframer deframer(64);
        std::vector<std::uint8_t> out;
        std::vector<std::pair<std::size_t, std::size_t>> blocks; // audio offset, text length
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            const std::size_t before = out.size();
            std::vector<velmoro::audio::IcyMetadata> metadata;
            deframer.Push(stream.data() + at, std::min(piece, stream.size() - at), out, &metadata);
            for (const auto& m : metadata)
                blocks.emplace_back(before + m.audioOffset, m.text.size());
        }
        // Blocks of 16 and 32 'm's after intervals 2, 3, 5 and 6.
        EXPECT_EQ(blocks, (std::vector<std::pair<std::size_t, std::size_t>>{
                              {128, 16}, {192, 32}, {320, 16}, {384, 32}}))
            << piece;
    }
    IcyDeframer deframer(2);
    const std::vector<std::uint8_t> padded = {'a', 'b', 1, 'x', 'y', 0, 0, 0, 0, 0,
                                              0,   0,   0, 0,   0,   0, 0, 0, 0};
    std::vector<std::uint8_t> out;
    std::vector<velmoro::audio::IcyMetadata> metadata;
    deframer.Push(padded.data(), padded.size(), out, &metadata);
    ASSERT_EQ(metadata.size(), 1u);
    EXPECT_EQ(metadata[0].text, "xy");
}

TEST(IcyStreamTitle, TakesTheTitleWithItsApostrophes)
{
    using velmoro::audio::IcyStreamTitle;
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"StreamTitle='Artist - Song';StreamUrl='http://example.com';", "Artist - Song"},
        {"StreamTitle='Guns N' Roses - Don't Cry';", "Guns N' Roses - Don't Cry"},
        {"StreamTitle='Rock 'n' roll'", "Rock 'n' roll"},
        {"StreamTitle='';", ""},
        {"StreamTitle='cut short", "cut short"},
        {"StreamUrl='http://example.com';", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [block, title] : cases)
        EXPECT_EQ(IcyStreamTitle(block), title) << block;
}
