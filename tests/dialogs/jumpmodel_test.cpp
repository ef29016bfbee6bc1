// The jump dialogs' rules: the search, the row a double click stands for,
// the mm:ss entry and the byte position it moves to.
#include "dialogs/jumpmodel.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velmoro::dialogs;

TEST(JumpRows, FilterComparesInUpperCaseAndListsEveryRowForBlanks)
{
    const JumpRows rows(
        {"1. ROCK anthem", "2. Jazz", "3. Rock me", "4. hard rock", "5. Jazz", "6. Rocky road"});
    struct Case {
        QString query;
        QStringList expected;
    };
    const Case cases[] = {
        {"", rows.Rows()},
        {"   ", rows.Rows()}, // blanks only: every row, once
        {"rock", {"1. ROCK anthem", "3. Rock me", "4. hard rock", "6. Rocky road"}},
        {"ROCK ", {"1. ROCK anthem", "3. Rock me"}}, // the query itself is not trimmed
        {"jazz", {"2. Jazz", "5. Jazz"}},
        {"polka", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rows.Filter(c.query), c.expected) << c.query.toStdString();
    EXPECT_TRUE(JumpRows().Filter("x").isEmpty());
    EXPECT_TRUE(JumpRows().Filter(" ").isEmpty());
}

TEST(JumpRows, TheLastEqualRowStandsForItsEntry)
{
    const JumpRows rows({"Jazz", "Rock", "Jazz", "jazz"});
    EXPECT_EQ(rows.IndexOfRow("Jazz"), 2);
    EXPECT_EQ(rows.IndexOfRow("jazz"), 3);
    EXPECT_EQ(rows.IndexOfRow("Rock"), 1);
    EXPECT_EQ(rows.IndexOfRow("Roc"), std::nullopt);
}

TEST(JumpPosition, MinutesAndSeconds)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> seconds;
    };
    const Case cases[] = {
        {"02:30", 150},  {"2:5", 125},
        {"10:005", 600}, {"1:75", 135},
        {"0:00", 0},     {":30", {}},
        {"230", {}},     {"02:", {}},
        {"a:10", {}},    {"2:x5", {}},
        {"-1:30", {}},   {" 2:30", {}},
        {"", {}},        {"9999999999999:00", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseMinutesSeconds(QString::fromLatin1(c.text)), c.seconds) << c.text;
}

TEST(JumpPosition, BytesOfASecondInSixtyFourBits)
{
    // 150 of 300 seconds: half of the length.
    EXPECT_EQ(JumpPositionBytes(150, 1'000'000, 300), 500'000u);
    // truncated, not rounded: 1 × 10 / 3.
    EXPECT_EQ(JumpPositionBytes(1, 10, 3), 3u);
    // A two-hour stream of 1.2 GB: 1 hour × its length passes 2^31 long before
    // the division brings it back.
    EXPECT_EQ(JumpPositionBytes(3600, 1'270'080'000, 7200), 635'040'000u);
    EXPECT_EQ(JumpPositionBytes(7199, 4'000'000'000u, 7200), 3'999'444'444u);
    // Past the end: as far as a position goes, for the library to refuse.
    constexpr auto kLast = std::numeric_limits<std::uint32_t>::max();
    EXPECT_EQ(JumpPositionBytes(20000, 4'000'000'000u, 7200), kLast);
    EXPECT_EQ(JumpPositionBytes(std::int64_t(1) << 40, 1000, 10), kLast);
    // Nothing to divide by: the entry is refused.
    EXPECT_EQ(JumpPositionBytes(10, 1000, 0), std::nullopt);
    EXPECT_EQ(JumpPositionBytes(10, 0, 0), std::nullopt);
    EXPECT_EQ(JumpPositionBytes(10, 0, 100), 0u);
}
