// Skin bitmaps of every flavour real skins use, and bytes that are not quite
// a bitmap.
#include "skincraft.h"

#include "skin/bmpreader.h"
#include "skin/skinwriter.h"

#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

// A picture of odd width (row padding) in colours every depth holds exactly.
QImage FourColours(int width = 13, int height = 7)
{
    const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colours[(x / 3 + y) % 4]);
    return image;
}

QImage TwoColours()
{
    QImage image = FourColours();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + 2 * y) % 5 ? qRgb(255, 255, 255) : qRgb(0, 0, 255));
    return image;
}

void ExpectSameImage(const QImage& actual, const QImage& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    EXPECT_EQ(actual.format(), QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(actual.pixel(x, y), expected.pixel(x, y) | 0xFF000000u) << "at " << x << "," << y;
}

struct FlavourCase {
    const char* name;
    BmpFlavour flavour;
    bool twoColours = false;
};

class BmpFlavourTest : public testing::TestWithParam<FlavourCase> {};

TEST_P(BmpFlavourTest, DecodesEveryPixel)
{
    const QImage picture = GetParam().twoColours ? TwoColours() : FourColours();
    const std::optional<QImage> decoded = ReadSkinBitmap(CraftBmp(picture, GetParam().flavour));
    ASSERT_TRUE(decoded.has_value());
    ExpectSameImage(*decoded, picture);
}

using C = BmpCompression;
INSTANTIATE_TEST_SUITE_P(
    Flavours, BmpFlavourTest,
    testing::Values(
        FlavourCase{"mono", {1}, true}, FlavourCase{"twobit", {2}}, FlavourCase{"four", {4}},
        FlavourCase{"eight", {8}}, FlavourCase{"rle4", {4, C::Rle}}, FlavourCase{"rle8", {8, C::Rle}},
        FlavourCase{"rgb555", {16}},
        FlavourCase{"rgb565", {16, C::BitFields, 40, false, {0xF800, 0x7E0, 0x1F, 0}}},
        FlavourCase{"rgb24", {24}}, FlavourCase{"rgb32", {32}},
        FlavourCase{"bgr32fields", {32, C::BitFields, 40, false, {0xFF, 0xFF00, 0xFF0000, 0}}},
        FlavourCase{"core8", {8, C::Rgb, 12}}, FlavourCase{"core24", {24, C::Rgb, 12}},
        FlavourCase{"v2fields", {16, C::BitFields, 52, false, {0xF800, 0x7E0, 0x1F, 0}}},
        FlavourCase{"v3alpha", {32, C::BitFields, 56, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}},
        FlavourCase{"v4", {24, C::Rgb, 108}},
        FlavourCase{"v5fields", {32, C::BitFields, 124, false, {0xFF0000, 0xFF00, 0xFF, 0}}},
        FlavourCase{"v5eight", {8, C::Rgb, 124}}, FlavourCase{"topdown24", {24, C::Rgb, 40, true}},
        FlavourCase{"topdown8", {8, C::Rgb, 40, true}}, FlavourCase{"topdownrle8", {8, C::Rle, 40, true}}),
    [](const testing::TestParamInfo<FlavourCase>& info) { return std::string(info.param.name); });

TEST(BmpReaderTest, RleDeltasAndOddLiteralsLandInPlace)
{
    const std::vector<QRgb> palette = {qRgb(1, 1, 1), qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    // 6 x 3, bottom-up: a run and a 3-pixel literal (padded to 4 bytes) in
    // the lowest row, then a delta one row up and a single pixel there;
    // skipped pixels keep index 0.
    const QByteArray rle8("\x02\x01"
                          "\x00\x03\x02\x03\x02\x00"
                          "\x00\x02\x00\x01"
                          "\x01\x03"
                          "\x00\x01",
                          16);
    const std::optional<QImage> image8 = ReadSkinBitmap(CraftRawBmp(6, 3, 8, 1, palette, rle8));
    ASSERT_TRUE(image8.has_value());
    const int expect8[3][6] = {{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 3}, {1, 1, 2, 3, 2, 0}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image8->pixel(x, y), palette[expect8[y][x]] | 0xFF000000u) << x << "," << y;

    // RLE4: an odd run alternates its two nibbles; a literal of 5 nibbles
    // takes 3 bytes and a pad byte; a delta skips within the upper row.
    const QByteArray rle4("\x03\x12"
                          "\x00\x05\x32\x12\x30\x00"
                          "\x00\x00"
                          "\x00\x02\x02\x00"
                          "\x01\x30"
                          "\x00\x01",
                          18);
    const std::optional<QImage> image4 = ReadSkinBitmap(CraftRawBmp(8, 2, 4, 2, palette, rle4));
    ASSERT_TRUE(image4.has_value());
    const int bottom[8] = {1, 2, 1, 3, 2, 1, 2, 3};
    const int top[8] = {0, 0, 3, 0, 0, 0, 0, 0};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(image4->pixel(x, 1), palette[bottom[x]] | 0xFF000000u) << x;
        EXPECT_EQ(image4->pixel(x, 0), palette[top[x]] | 0xFF000000u) << x;
    }
}

TEST(BmpReaderTest, ToleratesWhatOldWritersGotWrong)
{
    const QImage picture = FourColours();
    QByteArray file = CraftBmp(picture, {24});

    QByteArray badOffset = file; // a pixel offset inside the header
    badOffset[10] = 20;
    badOffset[11] = badOffset[12] = badOffset[13] = 0;
    ExpectSameImage(*ReadSkinBitmap(badOffset), picture);

    // A truncated file gives the rows it holds (bottom-up: the lowest ones).
    const int stride = (13 * 3 + 3) / 4 * 4;
    const std::optional<QImage> cut = ReadSkinBitmap(file.left(54 + 2 * stride + 5));
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->pixel(0, 6), picture.pixel(0, 6));
    EXPECT_EQ(cut->pixel(12, 5), picture.pixel(12, 5));
    EXPECT_EQ(cut->pixel(1, 4), picture.pixel(1, 4));
    EXPECT_EQ(cut->pixel(4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(cut->pixel(0, 0), qRgb(0, 0, 0));

    // A palette index past the palette is black.
    const std::optional<QImage> outside =
        ReadSkinBitmap(CraftRawBmp(1, 1, 8, 0, {qRgb(9, 9, 9)}, QByteArray("\x05\0\0\0", 4)));
    ASSERT_TRUE(outside.has_value());
    EXPECT_EQ(outside->pixel(0, 0), qRgb(0, 0, 0));

    // All-zero alpha bytes of a 32-bit picture are padding, not transparency.
    EXPECT_EQ(qAlpha(ReadSkinBitmap(CraftBmp(picture, {32}))->pixel(3, 3)), 255);
}

TEST(BmpReaderTest, PngUnderABmpNameLoads)
{
    const QImage picture = FourColours();
    ExpectSameImage(*ReadSkinBitmap(EncodePng(picture)), picture);
}

TEST(BmpReaderTest, PngSizeIsCappedBeforeDecoding)
{
    struct PngCase {
        const char* what;
        QByteArray png;
        bool loads;
    };
    const PngCase cases[] = {
        {"within the caps", EncodePng(QImage(2000, 1000, QImage::Format_Mono)), true},
        {"9 million pixels", EncodePng(QImage(3000, 3000, QImage::Format_Mono)), false},
        {"a side over 8192", EncodePng(QImage(9000, 1, QImage::Format_Mono)), false},
        {"a forged header", PngClaimingSize(100000, 100000), false},
        {"a header claiming more than it holds", PngClaimingSize(40, 40), false},
    };
    for (const PngCase& c : cases) {
        const std::optional<QImage> image = ReadSkinBitmap(c.png);
        EXPECT_EQ(image.has_value(), c.loads) << c.what;
        if (image) {
            EXPECT_EQ(image->format(), QImage::Format_RGB32) << c.what;
        }
    }
}

TEST(BmpReaderTest, RefusesWhatIsNoBitmapAndSurvivesEveryCut)
{
    EXPECT_FALSE(ReadSkinBitmap(QByteArray()).has_value());
    EXPECT_FALSE(ReadSkinBitmap(QByteArray("hello, world, this is text")).has_value());
    EXPECT_FALSE(ReadSkinBitmap(CraftRawBmp(0, 5, 24, 0, {}, QByteArray(16, '\0'))).has_value());
    EXPECT_FALSE(
        ReadSkinBitmap(CraftRawBmp(1, 1, 24, 4, {}, QByteArray(16, '\0'))).has_value()); // JPEG inside
    // A forged size is refused before anything is allocated.
    EXPECT_FALSE(ReadSkinBitmap(CraftRawBmp(100000, 100000, 24, 0, {}, QByteArray(16, '\0'))).has_value());
    EXPECT_FALSE(ReadSkinBitmap(CraftRawBmp(5000, -5000, 8, 1, {}, QByteArray(16, '\0'))).has_value());

    for (const QByteArray& file :
         {CraftBmp(FourColours(), {8, BmpCompression::Rle}), CraftBmp(FourColours(), {4}),
          CraftBmp(FourColours(), {16, BmpCompression::BitFields, 124, false, {0xF800, 0x7E0, 0x1F, 0}})}) {
        for (qsizetype n = 0; n <= file.size(); ++n)
            (void)ReadSkinBitmap(file.left(n));
    }
}

} // namespace
