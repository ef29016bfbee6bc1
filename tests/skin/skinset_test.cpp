// Loading skin directories over the built-in skin: which file fills which
// slot, the fallbacks, and what a broken file leaves behind.
#include "skincraft.h"

#include "skin/skindirectory.h"
#include "skin/skinset.h"
#include "skin/skinwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

class SkinSetTest : public testing::Test {
protected:
    QString Dir() const { return m_dir.path(); }
    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // Id of the coordinate sheet shown by a bitmap.
    static int SheetOf(const QImage& image) { return DecodeCoord(image.pixel(1, 1)).id; }

    SkinSet Defaults()
    {
        SkinSet set;
        LoadDefaultSkin(set);
        return set;
    }

    QTemporaryDir m_dir;
};

TEST_F(SkinSetTest, MissingDirectoryIsTheBuiltInSkin)
{
    SkinSet set;
    set.BalanceFromVolume = true;
    EXPECT_EQ(LoadSkin(set, Dir() + "/nowhere"), 0);
    const SkinSet defaults = Defaults();
    for (const BitmapSlot& slot : BitmapSlots()) {
        EXPECT_EQ(set.*slot.bitmap, defaults.*slot.bitmap) << slot.file;
        EXPECT_EQ((set.*slot.bitmap).size(), slot.size) << slot.file;
    }
    EXPECT_EQ(set.SkinColors, BuiltInSkinColors());
    // Without balance.bmp the slider borrows the volume pictures.
    EXPECT_TRUE(set.BalanceFromVolume);
}

TEST_F(SkinSetTest, EveryBitmapLandsInItsSlotWhateverTheCase)
{
    for (bool upper : {false, true}) {
        QTemporaryDir dir;
        WriteCoordSkin(dir.path(), {}, upper);
        SkinSet set;
        ASSERT_EQ(LoadSkin(set, dir.path()), 0);
        for (const CoordSheet& sheet : CoordSheets()) {
            const BitmapSlot& slot = BitmapSlots()[std::size_t(sheet.id - kMainId)];
            EXPECT_EQ(SheetOf(set.*slot.bitmap), sheet.id) << slot.file;
        }
        EXPECT_FALSE(set.BalanceFromVolume);
    }
    // Mixed case, and two names differing only in case: the exact one wins.
    WriteFile(Path("Main.Bmp"), EncodeBmp24(CoordImage(kTextId, {275, 116})));
    WriteFile(Path("MAIN.BMP"), EncodeBmp24(CoordImage(kMonoSterId, {275, 116})));
    WriteFile(Path("VoLuMe.bMp"), EncodeBmp24(CoordImage(kVolumeId, {68, 433})));
    SkinSet set;
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(SheetOf(set.MainBitmap), kMonoSterId); // "MAIN.BMP" sorts before "Main.Bmp"
    EXPECT_EQ(SheetOf(set.VolumeBitmap), kVolumeId);
    WriteFile(Path("main.bmp"), EncodeBmp24(CoordImage(kMainId, {275, 116})));
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(SheetOf(set.MainBitmap), kMainId);
}

TEST_F(SkinSetTest, ExtendedNumbersWinAndBalanceFallsBack)
{
    WriteCoordSkin(Dir(), {"balance.bmp"});
    SkinSet set;
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(SheetOf(set.NumbersBitmap), kNumbersId);
    EXPECT_TRUE(set.BalanceFromVolume);
    EXPECT_EQ(set.BalanceBitmap, Defaults().BalanceBitmap);

    WriteFile(Path("NUMS_EX.BMP"), EncodeBmp24(CoordImage(kNumsExId, {108, 13})));
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(SheetOf(set.NumbersBitmap), kNumsExId);

    WriteFile(Path("balance.png"), EncodePng(CoordImage(kBalanceId, {68, 433})));
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_FALSE(set.BalanceFromVolume);
    EXPECT_EQ(SheetOf(set.BalanceBitmap), kBalanceId);
}

TEST_F(SkinSetTest, SmallAndLargeSheetsLoadAsTheyAre)
{
    WriteFile(Path("cbuttons.bmp"), EncodeBmp24(CoordImage(kCButtonsId, {20, 5})));
    WriteFile(Path("posbar.bmp"), EncodeBmp24(CoordImage(kPosBarId, {400, 300})));
    SkinSet set;
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(set.CButtonsBitmap.size(), QSize(20, 5));
    EXPECT_EQ(set.PosBarBitmap.size(), QSize(400, 300));
}

// Skins made for later players carry PNG pictures, as .png files or under
// the .bmp names; a .bmp of the same name wins over the .png.
TEST_F(SkinSetTest, PngPicturesLoadUnderEitherName)
{
    WriteCoordSkin(Dir(), {"main.bmp", "volume.bmp", "text.bmp"});
    WriteFile(Path("Main.PNG"), EncodePng(CoordImage(kMainId, {275, 116})));
    WriteFile(Path("volume.bmp"), EncodePng(CoordImage(kVolumeId, {68, 433})));
    WriteFile(Path("posbar.png"), EncodePng(CoordImage(kTextId, {307, 10})));
    WriteFile(Path("text.png"), "\x89PNG but nothing more");
    SkinSet set;
    EXPECT_EQ(LoadSkin(set, Dir()), -1); // the broken text.png is read, and fails
    EXPECT_EQ(SheetOf(set.MainBitmap), kMainId);
    EXPECT_EQ(SheetOf(set.VolumeBitmap), kVolumeId);
    EXPECT_EQ(SheetOf(set.PosBarBitmap), kPosBarId);

    ASSERT_TRUE(QFile::remove(Path("text.png")));
    WriteFile(Path("text.png"), PngClaimingSize(100000, 100000)); // refused before decoding
    EXPECT_EQ(LoadSkin(set, Dir()), -1);
    EXPECT_EQ(set.TextBitmap, Defaults().TextBitmap);
}

TEST_F(SkinSetTest, SpecialFilesAreNoSkinFiles)
{
    // Reading a FIFO would block the load for good, also behind a link; a
    // link to a regular file is read as that file.
    const auto fifo = [&](const char* name) {
        return mkfifo(QFile::encodeName(Path(name)).constData(), 0600);
    };
    const auto link = [&](const char* target, const char* name) {
        return symlink(target, QFile::encodeName(Path(name)).constData());
    };
    ASSERT_EQ(fifo("pipe"), 0);
    ASSERT_EQ(link("pipe", "main.bmp"), 0);
    ASSERT_EQ(fifo("titlebar.bmp"), 0);
    WriteFile(Path("colours"), "1,2,3\n");
    ASSERT_EQ(link("colours", "viscolor.txt"), 0);
    const SkinDirectory files(Dir());
    EXPECT_FALSE(files.Has("main.bmp"));
    EXPECT_FALSE(files.Has("titlebar.bmp"));
    EXPECT_EQ(files.Read("viscolor.txt", 100), QByteArray("1,2,3\n"));

    SkinSet set;
    EXPECT_EQ(LoadSkin(set, Dir()), 0);
    const SkinSet defaults = Defaults();
    EXPECT_EQ(set.MainBitmap, defaults.MainBitmap);
    EXPECT_EQ(set.TitlebarBitmap, defaults.TitlebarBitmap);
    EXPECT_EQ(set.SkinColors[0], 0x00030201u);
}

TEST_F(SkinSetTest, AFileThatBecameAFifoSinceTheListingIsNotRead)
{
    WriteFile(Path("main.bmp"), "BM");
    const SkinDirectory files(Dir());
    ASSERT_TRUE(files.Has("main.bmp"));
    ASSERT_TRUE(QFile::remove(Path("main.bmp")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path("main.bmp")).constData(), 0600), 0);
    EXPECT_FALSE(files.Read("main.bmp", 100).has_value());
}

TEST_F(SkinSetTest, ColourFile)
{
    QByteArray thirty;
    for (int i = 0; i < 30; ++i)
        thirty += QByteArray::number(i) + ",2,3\n";
    WriteFile(Path("VisColor.TXT"), thirty);
    SkinSet set;
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(set.SkinColors[24], 24u | 2u << 8 | 3u << 16);

    WriteFile(Path("VisColor.TXT"), "7,7,7\n");
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(set.SkinColors[0], 0x00070707u);
    EXPECT_EQ(set.SkinColors[1], BuiltInSkinColors()[1]); // each load starts from the built-in colours
    EXPECT_EQ(set.SkinColors[24], 0u);
}

TEST_F(SkinSetTest, CursorFilesReplaceTheirSlots)
{
    WriteFile(Path("Normal.CUR"), EncodeCursor(CursorPicture(qRgb(200, 0, 0)), QPoint(4, 5)));
    WriteFile(Path("volbal.cur"),
              CraftAnimatedCursor({EncodeCursor(CursorPicture(qRgb(0, 0, 200)), QPoint(9, 9))}, {}));
    WriteFile(Path("close.cur"), "not a cursor");
    SkinSet set;
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    ASSERT_TRUE(set.Cursors[5].has_value());
    EXPECT_EQ(set.Cursors[5]->image.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(set.Cursors[5]->hotspot, QPoint(4, 5));
    ASSERT_TRUE(set.Cursors[24].has_value());
    EXPECT_EQ(set.Cursors[24]->hotspot, QPoint(9, 9));
    // An unreadable cursor keeps the built-in one.
    ASSERT_TRUE(set.Cursors[22].has_value());
    EXPECT_EQ(set.Cursors[22]->image, Defaults().Cursors[22]->image);

    // MAINMENU.cur fills slot 27; without it the slot stays as it was.
    EXPECT_FALSE(set.Cursors[27].has_value());
    WriteFile(Path("mainmenu.cur"), EncodeCursor(CursorPicture(qRgb(0, 200, 0)), QPoint(2, 2)));
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    ASSERT_TRUE(set.Cursors[27].has_value());
    QTemporaryDir other;
    ASSERT_EQ(LoadSkin(set, other.path()), 0);
    ASSERT_TRUE(set.Cursors[27].has_value());
    EXPECT_EQ(set.Cursors[27]->image.pixel(0, 0), qRgb(0, 200, 0));
    EXPECT_FALSE(set.Cursors[5].has_value() && set.Cursors[5]->image.pixel(0, 0) == qRgb(200, 0, 0));
}

// Later skins name some cursors differently; their names count only where
// the classic name is absent.
TEST_F(SkinSetTest, LaterCursorNamesFillTheSameSlots)
{
    const std::pair<const char*, int> later[] = {
        {"titlebar.cur", 8}, {"WinBut.cur", 19}, {"volbar.cur", 24}, {"mmenu.cur", 27}};
    for (const auto& [file, slot] : later)
        WriteFile(Path(file), EncodeCursor(CursorPicture(qRgb(0, 0, 200)), QPoint(slot, 1)));
    SkinSet set;
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    for (const auto& [file, slot] : later) {
        ASSERT_TRUE(set.Cursors[std::size_t(slot)].has_value()) << file;
        EXPECT_EQ(set.Cursors[std::size_t(slot)]->hotspot, QPoint(slot, 1)) << file;
    }

    WriteFile(Path("volbal.cur"), EncodeCursor(CursorPicture(qRgb(200, 0, 0)), QPoint(3, 3)));
    WriteFile(Path("pwinbut.cur"), "not a cursor"); // present: the built-in one stays
    ASSERT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(set.Cursors[24]->hotspot, QPoint(3, 3));
    EXPECT_EQ(set.Cursors[19]->image, Defaults().Cursors[19]->image);
}

TEST_F(SkinSetTest, UnreadableBitmapStopsTheLoadWhereItWas)
{
    WriteCoordSkin(Dir());
    WriteFile(Path("normal.cur"), EncodeCursor(CursorPicture(qRgb(200, 0, 0)), QPoint(4, 5)));
    WriteFile(Path("viscolor.txt"), "1,1,1\n");
    WriteFile(Path("volume.bmp"), "BM this is no bitmap");
    SkinSet set;
    EXPECT_EQ(LoadSkin(set, Dir()), -1);
    EXPECT_EQ(SheetOf(set.MainBitmap), kMainId);
    EXPECT_EQ(SheetOf(set.CButtonsBitmap), kCButtonsId);
    EXPECT_EQ(set.VolumeBitmap, Defaults().VolumeBitmap);
    EXPECT_EQ(set.PosBarBitmap, Defaults().PosBarBitmap);
    EXPECT_FALSE(set.Cursors[5].has_value() && set.Cursors[5]->hotspot == QPoint(4, 5));
    EXPECT_EQ(set.SkinColors, BuiltInSkinColors());

    WriteCoordSkin(Dir());
    // A colour that is not numeric keeps its built-in value; the skin loads.
    WriteFile(Path("viscolor.txt"), "1,1,1\n2,2,x\n3,3,3 // x\n");
    EXPECT_EQ(LoadSkin(set, Dir()), 0);
    EXPECT_EQ(SheetOf(set.MonoSterBitmap), kMonoSterId);
    EXPECT_EQ(set.Cursors[5]->hotspot, QPoint(4, 5));
    EXPECT_EQ(set.SkinColors[0], 0x00010101u);
    EXPECT_EQ(set.SkinColors[1], BuiltInSkinColors()[1]);
    EXPECT_EQ(set.SkinColors[2], 0x00030303u);
}

} // namespace
