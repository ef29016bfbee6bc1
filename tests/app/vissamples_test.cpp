// The record of positioned samples between the update thread and the UI.
#include "app/vissamples.h"

#include <gtest/gtest.h>

#include <vector>

using velmoro::app::VisSamples;

namespace {

// Frame f of these blocks holds (f, −f).
std::vector<std::int16_t> Frames(std::int64_t first, std::size_t count)
{
    std::vector<std::int16_t> out;
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(std::int16_t(first + std::int64_t(i)));
        out.push_back(std::int16_t(-(first + std::int64_t(i))));
    }
    return out;
}

struct Held {
    std::size_t count;
    std::vector<std::int16_t> samples;
};

Held Read(const VisSamples& record, std::uint32_t stream, std::int64_t from, std::size_t count)
{
    Held held{0, std::vector<std::int16_t>(count * 2)};
    held.count = record.Read(stream, from, count, held.samples.data());
    return held;
}

std::vector<std::int64_t> BlockStarts(const VisSamples& record, std::uint32_t stream)
{
    std::vector<VisSamples::Block> blocks;
    record.Blocks(stream, blocks);
    std::vector<std::int64_t> starts;
    for (const auto& b : blocks)
        starts.push_back(b.position);
    return starts;
}

} // namespace

TEST(VisSamples, KeepsFollowingBlocksAndTheNewestWhenFull)
{
    VisSamples record(7, 3); // the blocks at 13 and 19 wrap round the end of the record
    for (std::int64_t at : {10, 13, 16, 19})
        record.Push(1, at, Frames(at, 3).data(), 3);
    // 7 frames held: 15..21; the block at 13 lost its first frames.
    EXPECT_EQ(BlockStarts(record, 1), (std::vector<std::int64_t>{16, 19}));
    const Held held = Read(record, 1, 12, 4);
    EXPECT_EQ(held.count, 1u);
    EXPECT_EQ(held.samples, (std::vector<std::int16_t>{0, 0, 0, 0, 0, 0, 15, -15}));
    EXPECT_EQ(Read(record, 1, 19, 4).samples, (std::vector<std::int16_t>{19, -19, 20, -20, 21, -21, 0, 0}));
    EXPECT_EQ(Read(record, 2, 16, 2).count, 0u); // another stream's
}

TEST(VisSamples, ASeekOrAnotherStreamStartsAfresh)
{
    struct Case {
        const char* what;
        std::uint32_t stream;
        std::int64_t at;
    };
    for (const Case c : {Case{"seek back", 1, 0}, Case{"seek ahead", 1, 500}, Case{"new stream", 2, 4}}) {
        SCOPED_TRACE(c.what);
        VisSamples record;
        record.Push(1, 0, Frames(0, 4).data(), 4);
        record.Push(c.stream, c.at, Frames(c.at, 2).data(), 2);
        EXPECT_EQ(BlockStarts(record, c.stream), (std::vector<std::int64_t>{c.at}));
        EXPECT_EQ(Read(record, c.stream, c.at - 1, 4).count, 2u);
    }
}
