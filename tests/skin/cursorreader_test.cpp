// Cursor files as skins carry them: static cursors with masks, junk in the
// reserved word, animated cursors under a .cur name.
#include "skincraft.h"

#include "skin/cursorreader.h"
#include "skin/skinwriter.h"

#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

TEST(CursorReaderTest, StaticCursorKeepsHotspotColoursAndMask)
{
    const std::optional<CursorImage> mono = ReadCursor(
        CraftMonoCursor(32, QPoint(7, 3), {QPoint(1, 1), QPoint(30, 2)}, {QPoint(0, 0), QPoint(31, 31)}));
    ASSERT_TRUE(mono.has_value());
    EXPECT_EQ(mono->hotspot, QPoint(7, 3));
    ASSERT_EQ(mono->image.size(), QSize(32, 32));
    EXPECT_EQ(mono->image.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(mono->image.pixel(30, 2), qRgb(0, 0, 0));
    EXPECT_EQ(mono->image.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(mono->image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(mono->image.pixel(31, 31)), 0);

    QImage picture = CursorPicture(qRgba(10, 20, 30, 255), 24);
    picture.setPixel(23, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(2, 20, qRgba(100, 50, 25, 128));
    const std::optional<CursorImage> rgba = ReadCursor(EncodeCursor(picture, QPoint(12, 20)));
    ASSERT_TRUE(rgba.has_value());
    EXPECT_EQ(rgba->hotspot, QPoint(12, 20));
    EXPECT_EQ(rgba->image.pixel(0, 23), qRgba(10, 20, 30, 255));
    EXPECT_EQ(rgba->image.pixel(2, 20), qRgba(100, 50, 25, 128));
    EXPECT_EQ(qAlpha(rgba->image.pixel(23, 0)), 0);
}

TEST(CursorReaderTest, HotspotOutsideThePictureIsPulledIn)
{
    const std::optional<CursorImage> cursor =
        ReadCursor(EncodeCursor(CursorPicture(qRgb(1, 2, 3), 16), QPoint(40, 99)));
    ASSERT_TRUE(cursor.has_value());
    EXPECT_EQ(cursor->hotspot, QPoint(15, 15));
}

TEST(CursorReaderTest, AnimatedCursorGivesItsFirstStep)
{
    const QByteArray red = EncodeCursor(CursorPicture(qRgb(255, 0, 0)), QPoint(1, 2));
    const QByteArray green = EncodeCursor(CursorPicture(qRgb(0, 255, 0)), QPoint(3, 4));

    const std::optional<CursorImage> plain = ReadCursor(CraftAnimatedCursor({red, green}, {}));
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(plain->hotspot, QPoint(1, 2));

    const std::optional<CursorImage> sequenced = ReadCursor(CraftAnimatedCursor({red, green}, {1, 0}));
    ASSERT_TRUE(sequenced.has_value());
    EXPECT_EQ(sequenced->image.pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_EQ(sequenced->hotspot, QPoint(3, 4));

    // A sequence naming a frame that is not there falls back to the first.
    const std::optional<CursorImage> missing = ReadCursor(CraftAnimatedCursor({red, green}, {7}));
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->image.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(CursorReaderTest, OversizedPicturesAreRefusedBeforeDecoding)
{
    // Many entries naming one large picture: each is refused by the size in
    // its header, so the cursor costs no more than its small picture.
    const QByteArray small = EncodePng(CursorPicture(qRgb(0, 0, 200)));
    const QByteArray wide = EncodePng(QImage(1025, 1, QImage::Format_Mono));
    const QByteArray forged = PngClaimingSize(5000, 5000);
    const QByteArray hugeDib = CraftRawBmp(2000, 4000, 1, 0, {}, QByteArray(64, '\0')).sliced(14);
    std::vector<int> forgedThenSmall(64, 0); // the most entries a cursor is searched for
    forgedThenSmall.back() = 1;
    struct CursorCase {
        const char* what;
        std::vector<QByteArray> pictures;
        std::vector<int> entries;
        bool loads;
    };
    const CursorCase cases[] = {
        {"the small one after 63 forged", {forged, small}, forgedThenSmall, true},
        {"only forged", {forged}, std::vector<int>(64, 0), false},
        {"a PNG wider than a cursor", {wide}, {0}, false},
        {"a bitmap larger than a cursor", {hugeDib}, {0, 0}, false},
    };
    for (const CursorCase& c : cases) {
        const std::optional<CursorImage> cursor = ReadCursor(CraftCursorOfPictures(c.pictures, c.entries));
        ASSERT_EQ(cursor.has_value(), c.loads) << c.what;
        if (cursor) {
            EXPECT_EQ(cursor->image.pixel(5, 5), qRgb(0, 0, 200)) << c.what;
        }
    }
}

TEST(CursorReaderTest, RefusesJunkAndSurvivesEveryCut)
{
    EXPECT_FALSE(ReadCursor(QByteArray()).has_value());
    EXPECT_FALSE(ReadCursor(QByteArray("RIFF\x04\0\0\0ACON", 12)).has_value());
    EXPECT_FALSE(ReadCursor(QByteArray(64, '\xFF')).has_value());

    const QByteArray still = CraftMonoCursor(32, QPoint(1, 1), {}, {});
    const QByteArray animated =
        CraftAnimatedCursor({still, EncodeCursor(CursorPicture(qRgb(5, 5, 5), 8), {})}, {1});
    for (const QByteArray& file : {still, animated})
        for (qsizetype n = 0; n < file.size(); ++n)
            (void)ReadCursor(file.left(n));
}

} // namespace
