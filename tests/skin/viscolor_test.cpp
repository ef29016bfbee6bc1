// viscolor.txt lines in the shapes skin authors wrote them.
#include "skin/viscolor.h"

#include <QString>

#include <gtest/gtest.h>

using namespace velmoro::skin;

namespace {

constexpr SkinColor Rgb(int r, int g, int b)
{
    return SkinColor(r) | SkinColor(g) << 8 | SkinColor(b) << 16;
}

ColorLine Parse(const char* line)
{
    return ParseColorLine(QString::fromLatin1(line));
}

// Each line shape and what it gives: its three numbers, pure blue when it has
// no three, or its built-in value kept when one of them is no number.
TEST(VisColorTest, LineShapes)
{
    struct Case {
        const char* line;
        ColorLine::Kind kind;
        SkinColor color;
    };
    const Case cases[] = {
        {"24,33,41", ColorLine::Read, Rgb(24, 33, 41)},
        {"0,0,0", ColorLine::Read, Rgb(0, 0, 0)},
        {"24, 33, 41", ColorLine::Read, Rgb(24, 33, 41)},
        {"24, 33, 41 // x", ColorLine::Read, Rgb(24, 33, 41)},
        {"24,33,41,// x", ColorLine::Read, Rgb(24, 33, 41)},
        {"24,33,41, // background", ColorLine::Read, Rgb(24, 33, 41)},
        {"\t 135,\t149 ,  97\t// comment", ColorLine::Read, Rgb(135, 149, 97)},
        {"24,33,41\tbackground", ColorLine::Read, Rgb(24, 33, 41)},
        {"1,2,3,4,5", ColorLine::Read, Rgb(1, 2, 3)},
        {"255,255,255//white", ColorLine::Read, Rgb(255, 255, 255)},
        {"0255,0255,0255", ColorLine::Read, Rgb(255, 255, 255)},
        {"1,2", ColorLine::PureBlue, kPureBlue},
        {"// only a comment", ColorLine::PureBlue, kPureBlue},
        {"   ", ColorLine::PureBlue, kPureBlue},
        {"12345 // one number", ColorLine::PureBlue, kPureBlue},
        {"1 // 2,3,4", ColorLine::PureBlue, kPureBlue},
        {"24,xx,41", ColorLine::NotNumeric, 0},
        {"24,,41", ColorLine::NotNumeric, 0},
        {"red,green,blue // names", ColorLine::NotNumeric, 0},
    };
    for (const Case& c : cases) {
        const ColorLine parsed = Parse(c.line);
        EXPECT_EQ(parsed.kind, c.kind) << c.line;
        if (c.kind != ColorLine::NotNumeric) {
            EXPECT_EQ(parsed.color, c.color) << c.line;
        }
    }
}

TEST(VisColorTest, ComponentsAreClampedToAByte)
{
    // Written as hex digit pairs, 300 would spill into the next component.
    EXPECT_EQ(Parse("300,1,2").color, Rgb(255, 1, 2));
    EXPECT_EQ(Parse("1,-5,2").color, Rgb(1, 0, 2));
}

TEST(VisColorTest, BuiltInTable)
{
    const SkinColorTable& t = BuiltInSkinColors();
    EXPECT_EQ(t[0], Rgb(0, 0, 0));
    EXPECT_EQ(t[1], Rgb(24, 33, 41));
    EXPECT_EQ(t[15], Rgb(49, 156, 8));
    EXPECT_EQ(t[17], Rgb(24, 132, 8));
    EXPECT_EQ(t[21], Rgb(160, 170, 175));
    EXPECT_EQ(t[23], Rgb(150, 150, 150));
    EXPECT_EQ(t[24], 0u);
}

TEST(VisColorTest, FileFillsFromIndexZeroAndStopsAt24)
{
    QByteArray thirty;
    for (int i = 0; i < 30; ++i)
        thirty += QByteArray::number(i) + ",1,2\r\n" + (i % 7 == 0 ? "\n" : "");
    SkinColorTable table = BuiltInSkinColors();
    ASSERT_EQ(ParseColorFile(thirty, table), 0);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(table[i], Rgb(i, 1, 2)) << i;

    QByteArray ten;
    for (int i = 0; i < 10; ++i)
        ten += QByteArray::number(100 + i) + ",0,0\n";
    table = BuiltInSkinColors();
    ASSERT_EQ(ParseColorFile(ten, table), 0);
    EXPECT_EQ(table[9], Rgb(109, 0, 0));
    EXPECT_EQ(table[10], BuiltInSkinColors()[10]);
    EXPECT_EQ(table[23], BuiltInSkinColors()[23]);

    // A line that is not numeric takes its index and leaves its colour.
    table = BuiltInSkinColors();
    EXPECT_EQ(ParseColorFile("9,9,9\n1,2\nbad,1,2\n5, 5, 5 // x\n", table), 1);
    EXPECT_EQ(table[0], Rgb(9, 9, 9));
    EXPECT_EQ(table[1], kPureBlue);
    EXPECT_EQ(table[2], BuiltInSkinColors()[2]);
    EXPECT_EQ(table[3], Rgb(5, 5, 5));
}

} // namespace
