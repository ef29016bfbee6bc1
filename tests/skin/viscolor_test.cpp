// viscolor.txt lines in the shapes skin authors wrote them.
#include "skin/viscolor.h"

#include <gtest/gtest.h>

using namespace velmoro::skin;

namespace {

constexpr SkinColor Rgb(int r, int g, int b)
{
    return SkinColor(r) | SkinColor(g) << 8 | SkinColor(b) << 16;
}

std::optional<SkinColor> Parse(const char* line)
{
    return ParseColorLine(QString::fromLatin1(line));
}

TEST(VisColorTest, LineShapes)
{
    EXPECT_EQ(Parse("24,33,41"), Rgb(24, 33, 41));
    EXPECT_EQ(Parse("24,33,41, // background"), Rgb(24, 33, 41));
    EXPECT_EQ(Parse("24,33,41 // background"), Rgb(24, 33, 41));
    EXPECT_EQ(Parse("24,33,41\t// tabbed comment"), Rgb(24, 33, 41));
    EXPECT_EQ(Parse("1,2,3,4,5"), Rgb(1, 2, 3));
    EXPECT_EQ(Parse("255,255,255//white"), Rgb(255, 255, 255));
    EXPECT_EQ(Parse("24, 33,41\t// blank after a comma"), Rgb(24, 33, 41));
}

TEST(VisColorTest, WrongLengthsArePureBlue)
{
    EXPECT_EQ(Parse("1,2"), kPureBlue); // too short
    EXPECT_EQ(Parse("// only a comment"), kPureBlue);
    EXPECT_EQ(Parse("24, 33, 41"), kPureBlue);     // cut at the first blank: "24,"
    EXPECT_EQ(Parse("0255,0255,0255"), kPureBlue); // 14 characters
    EXPECT_EQ(Parse("   "), kPureBlue);
}

TEST(VisColorTest, NonNumericPartIsAnError)
{
    EXPECT_FALSE(Parse("24,xx,41").has_value());
    EXPECT_FALSE(Parse("24,,41").has_value());
    EXPECT_FALSE(Parse("abcdefg // no commas").has_value());
    EXPECT_FALSE(Parse("12345 // one number").has_value());
}

TEST(VisColorTest, ComponentsAreClampedToAByte)
{
    // Written as hex digit pairs, 300 would spill into the next component.
    EXPECT_EQ(Parse("300,1,2"), Rgb(255, 1, 2));
    EXPECT_EQ(Parse("1,-5,2"), Rgb(1, 0, 2));
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
    ASSERT_TRUE(ParseColorFile(thirty, table));
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(table[i], Rgb(i, 1, 2)) << i;

    QByteArray ten;
    for (int i = 0; i < 10; ++i)
        ten += QByteArray::number(100 + i) + ",0,0\n";
    table = BuiltInSkinColors();
    ASSERT_TRUE(ParseColorFile(ten, table));
    EXPECT_EQ(table[9], Rgb(109, 0, 0));
    EXPECT_EQ(table[10], BuiltInSkinColors()[10]);
    EXPECT_EQ(table[23], BuiltInSkinColors()[23]);

    table = BuiltInSkinColors();
    EXPECT_FALSE(ParseColorFile("9,9,9\n1,2\nbad,1,2\n5,5,5\n", table));
    EXPECT_EQ(table[0], Rgb(9, 9, 9));
    EXPECT_EQ(table[1], kPureBlue);
    EXPECT_EQ(table[2], BuiltInSkinColors()[2]);
    EXPECT_EQ(table[3], BuiltInSkinColors()[3]);
}

} // namespace
