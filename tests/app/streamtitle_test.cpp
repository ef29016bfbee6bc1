#include "app/streamtitle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using velmoro::app::CleanStationText;
using velmoro::app::kMaxStationTextChars;
using velmoro::app::StreamTitleText;
using velmoro::audio::StreamTags;

TEST(StationText, DecodedPrintableAndShort)
{
    const std::string longHostile = "\x01\x07"
                                    "Evil\x1b[2J\r\n\xe2\x80\xae" +
                                    std::string(4000, 'A');
    const QString emoji = QString::fromUtf8("\xf0\x9f\x8e\xb5"); // two UTF-16 units
    const std::string splitAtCut = std::string(kMaxStationTextChars - 4, 'a') + emoji.toStdString() + "tail";
    const struct {
        std::string bytes;
        QString shown;
    } cases[] = {
        {"Primo brano", "Primo brano"},
        {"Citt\xc3\xa0 \xe2\x80\x93 \xc5\x9d", QString::fromUtf8("Città – ŝ")},
        {"Caff\xe8 \xd1"
         "and\xfa",
         QString::fromUtf8("Caffè Ñandú")}, // not UTF-8: Latin-1
        {"  tab\there\r\nnew\x7fline  ", "tab here new line"},
        {"left\xe2\x80\xaeright", "left right"}, // a direction override
        {longHostile, "Evil [2J " + QString(kMaxStationTextChars - 12, u'A') + "..."},
        {splitAtCut, QString(kMaxStationTextChars - 4, u'a') + "..."},
        {"", ""},
    };
    for (const auto& c : cases) {
        const QString shown = CleanStationText(c.bytes);
        EXPECT_EQ(shown, c.shown) << c.bytes.substr(0, 40);
        EXPECT_LE(shown.size(), kMaxStationTextChars);
    }
}

TEST(StationText, TitleIsNameAndSongOnceASongCame)
{
    const struct {
        StreamTags tags;
        std::optional<QString> title;
    } cases[] =
        {
            {{"Radio", "", 1}, std::nullopt},  {{"", "", 0}, std::nullopt},
            {{"", "Song", 1}, "Song"},         {{"Radio", "Song", 2}, "Radio - Song"},
            {{"\x01\x02", "Song", 2}, "Song"}, // a name of control characters is none
        };
    for (const auto& c : cases)
        EXPECT_EQ(StreamTitleText(c.tags), c.title) << c.tags.station << '|' << c.tags.title;
}
