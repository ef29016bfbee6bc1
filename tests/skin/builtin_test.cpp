// The built-in skin: complete, at the standard sizes, with every sprite the
// drawing uses distinct from its neighbours.
#include "skin/bmpreader.h"
#include "skin/clutterbar.h"
#include "skin/skingeometry.h"
#include "skin/skinset.h"
#include "skin/spritecanvas.h"

#include <QFile>
#include <gtest/gtest.h>

#include <set>

using namespace velmoro::skin;

namespace {

QImage Cell(const QImage& sheet, QRect r)
{
    return sheet.copy(r);
}

bool Uniform(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

class BuiltInSkinTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadDefaultSkin(m_set), 0); }
    SkinSet m_set;
};

TEST_F(BuiltInSkinTest, EveryElementAtItsStandardSize)
{
    for (const BitmapSlot& slot : BitmapSlots()) {
        ASSERT_TRUE(QFile::exists(BuiltInResourcePath(slot.resource, "bmp"))) << slot.resource;
        EXPECT_EQ((m_set.*slot.bitmap).size(), slot.size) << slot.resource;
    }
    for (const CursorSlot& slot : CursorSlots()) {
        if (slot.resource == nullptr)
            continue;
        ASSERT_TRUE(m_set.Cursors[slot.slot].has_value()) << slot.resource;
        EXPECT_TRUE(m_set.Cursors[slot.slot]->image.rect().contains(m_set.Cursors[slot.slot]->hotspot));
    }
    // The built-in skin has no menu cursor and leaves that slot alone; nor
    // does it decide where the balance pictures come from.
    m_set.Cursors[kMainMenuCursorSlot] = CursorImage{QImage(4, 4, QImage::Format_ARGB32), QPoint(1, 1)};
    m_set.BalanceFromVolume = true;
    LoadDefaultSkin(m_set);
    EXPECT_EQ(m_set.Cursors[kMainMenuCursorSlot]->hotspot, QPoint(1, 1));
    EXPECT_TRUE(m_set.BalanceFromVolume);
}

TEST_F(BuiltInSkinTest, FontHasEveryCharacter)
{
    const QImage blank = Cell(m_set.TextBitmap, {142, 0, 5, 6});
    EXPECT_TRUE(Uniform(blank));
    const QString characters = QStringLiteral(
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\"@\u2026.:()-'!_+\\/[]^&%,=$#\u00C5\u00D6\u00C4?*");
    std::set<QByteArray> seen;
    for (QChar c : characters) {
        const QImage cell = Cell(m_set.TextBitmap, QRect(GlyphCell(c), QSize(5, 6)));
        EXPECT_FALSE(Uniform(cell)) << char(c.unicode());
        seen.insert(QByteArray(reinterpret_cast<const char*>(cell.constBits()), cell.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), std::size_t(characters.size())); // no two characters alike

    std::set<QByteArray> digits;
    for (int d = 0; d <= 10; ++d) {
        const QImage cell = Cell(m_set.NumbersBitmap, {9 * d, 0, 9, 13});
        digits.insert(QByteArray(reinterpret_cast<const char*>(cell.constBits()), cell.sizeInBytes()));
    }
    EXPECT_EQ(digits.size(), 11u);
}

TEST_F(BuiltInSkinTest, PressedAndLitStatesDiffer)
{
    struct Pair {
        const QImage* sheet;
        QRect a;
        QRect b;
    };
    const Pair pairs[] = {
        {&m_set.CButtonsBitmap, {0, 0, 23, 17}, {0, 18, 23, 17}},
        {&m_set.CButtonsBitmap, {92, 0, 22, 17}, {92, 18, 22, 17}},
        {&m_set.CButtonsBitmap, {114, 0, 21, 15}, {114, 16, 21, 15}},
        {&m_set.ShufRepBitmap, {28, 0, 47, 15}, {28, 30, 47, 15}},
        {&m_set.ShufRepBitmap, {28, 30, 47, 15}, {28, 45, 47, 15}},
        {&m_set.ShufRepBitmap, {0, 0, 29, 15}, {0, 15, 29, 15}},
        {&m_set.ShufRepBitmap, {0, 61, 23, 11}, {0, 73, 23, 11}},
        {&m_set.ShufRepBitmap, {23, 61, 23, 11}, {69, 73, 23, 11}},
        {&m_set.TitlebarBitmap, {27, 0, 274, 14}, {27, 15, 274, 14}},
        {&m_set.TitlebarBitmap, {18, 0, 9, 9}, {18, 9, 9, 9}},
        {&m_set.TitlebarBitmap, {0, 18, 9, 9}, {0, 27, 9, 9}},
        {&m_set.VolumeBitmap, {15, 422, 14, 11}, {0, 422, 14, 11}},
        {&m_set.PosBarBitmap, {248, 0, 29, 10}, {278, 0, 29, 10}},
        {&m_set.MonoSterBitmap, {0, 0, 29, 12}, {0, 12, 29, 12}},
        {&m_set.PlayPausBitmap, {0, 0, 9, 9}, {27, 0, 9, 9}},
        {&m_set.PlayPausBitmap, {36, 0, 3, 9}, {39, 0, 1, 9}},
    };
    for (const Pair& p : pairs)
        EXPECT_NE(Cell(*p.sheet, p.a).scaled(p.b.size()), Cell(*p.sheet, p.b)) << p.a.x() << "," << p.a.y();
    for (int f = 1; f < 28; ++f) {
        EXPECT_NE(Cell(m_set.VolumeBitmap, {0, 15 * (f - 1), 68, 13}),
                  Cell(m_set.VolumeBitmap, {0, 15 * f, 68, 13}))
            << f;
        EXPECT_NE(Cell(m_set.BalanceBitmap, {9, 15 * (f - 1), 38, 13}),
                  Cell(m_set.BalanceBitmap, {9, 15 * f, 38, 13}))
            << f;
    }
}

// The cells the player copies beside the classic ones are painted whole:
// the 29 columns of the position thumbs, the clutterbar with each button
// lit apart, and the shade mode's position bar with a thumb for each third.
TEST_F(BuiltInSkinTest, TheLaterCellsArePainted)
{
    const QImage& posbar = m_set.PosBarBitmap;
    for (const auto& [inside, outside] : {std::pair{248, 247}, std::pair{276, 277}, std::pair{278, 277}})
        EXPECT_NE(Cell(posbar, {inside, 0, 1, 10}), Cell(posbar, {outside, 0, 1, 10})) << inside;

    const QImage& titlebar = m_set.TitlebarBitmap;
    std::set<QByteArray> lit;
    for (const ClutterButtonCell& button : ClutterButtons()) {
        const QRect unlit(kClutterBarCell + button.area.topLeft() - kClutterBarArea.topLeft(),
                          button.area.size());
        const QImage on = Cell(titlebar, QRect(button.litAt, button.area.size()));
        EXPECT_FALSE(Uniform(Cell(titlebar, unlit))) << button.id;
        EXPECT_NE(Cell(titlebar, unlit), on) << button.id;
        lit.insert(QByteArray(reinterpret_cast<const char*>(on.constBits()), on.sizeInBytes()));
    }
    EXPECT_EQ(lit.size(), ClutterButtons().size()); // each its own letter

    std::set<QByteArray> shade;
    for (const QRect cell : {kShadePositionGroove, ShadePositionThumbCell(0), ShadePositionThumbCell(128),
                             ShadePositionThumbCell(256)}) {
        const QImage picture = Cell(titlebar, cell);
        EXPECT_FALSE(Uniform(picture)) << cell.x();
        shade.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
    }
    EXPECT_EQ(shade.size(), 4u);
}

TEST_F(BuiltInSkinTest, LaterWindowsFindTheirPictures)
{
    const std::pair<const char*, QSize> sheets[] = {
        {"PLEDIT", {280, 186}}, {"EQMAIN", {275, 315}}, {"VISBG", {83, 22}}};
    for (const auto& [name, size] : sheets) {
        QFile file(BuiltInResourcePath(name, "bmp"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const std::optional<QImage> image = ReadSkinBitmap(file.readAll());
        ASSERT_TRUE(image.has_value()) << name;
        EXPECT_EQ(image->size(), size) << name;
    }
    QFile colours(BuiltInResourcePath("PLEDIT", "txt"));
    ASSERT_TRUE(colours.open(QIODevice::ReadOnly));
    const QByteArray text = colours.readAll();
    for (const char* key : {"[Text]", "Normal=#", "Current=#", "NormalBG=#", "SelectedBG=#", "Font="})
        EXPECT_TRUE(text.contains(key)) << key;
}

} // namespace
