// The equalizer window painted from a coordinate skin: every element shows
// the sprite of its state, the sliders their frames and thumbs, and the
// value under the mouse at both ends of a slider.
#include "skincraft.h"

#include "skin/eqpainter.h"
#include "skin/skinsource.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

class EqPainterTest : public testing::Test {
protected:
    EqPainterTest()
    {
        WriteCoordEqualizerSkin(dir.path());
        skin.Load(*OpenSkinSource(dir.path()));
    }

    QImage Paint()
    {
        QImage image;
        PaintEqualizerWindow(skin, view, image);
        return image;
    }

    QTemporaryDir dir;
    EqualizerSkin skin;
    EqualizerView view;
};

TEST_F(EqPainterTest, TheWindowShowsBackgroundTitleBarButtonsAndCurveArea)
{
    const QImage image = Paint();
    ASSERT_EQ(image.size(), QSize(275, 116));
    EXPECT_TRUE(ShowsCoords(image, QRect(0, 0, 275, 14), kEqmainId, Span(0, 134, 275, 148)));
    EXPECT_TRUE(ShowsCoords(image, QRect(0, 14, 275, 102), kEqmainId, QRect(0, 14, 275, 102),
                            QRect(0, 40, 20, 76))); // beside the buttons and sliders
    EXPECT_TRUE(ShowsCoords(image, QRect(14, 18, 24, 12), kEqmainId, Span(10, 119, 34, 131)));
    EXPECT_TRUE(ShowsCoords(image, QRect(38, 18, 34, 12), kEqmainId, Span(34, 119, 68, 131)));
    EXPECT_TRUE(ShowsCoords(image, QRect(217, 18, 44, 12), kEqmainId, Span(224, 164, 268, 176)));
    EXPECT_TRUE(ShowsCoords(image, QRect(86, 17, 113, 19), kEqmainId, Span(0, 294, 113, 313)));
    // Sliders never drawn show the background.
    EXPECT_TRUE(ShowsCoords(image, QRect(239, 38, 14, 63), kEqmainId, QRect(239, 38, 14, 63)));
}

TEST_F(EqPainterTest, EachButtonStateHasItsSprite)
{
    struct Case {
        EqButtonLook look;
        QRect enable;
        QRect autoButton;
    };
    const Case cases[] = {
        {EqButtonLook::Off, Span(10, 119, 34, 131), Span(34, 119, 68, 131)},
        {EqButtonLook::On, Span(69, 119, 93, 131), Span(93, 119, 127, 131)},
        {EqButtonLook::PressedOff, Span(187, 119, 211, 131), Span(211, 119, 245, 131)},
        {EqButtonLook::PressedOn, Span(128, 119, 152, 131), Span(152, 119, 186, 131)},
    };
    for (const Case& c : cases) {
        view.enable = view.autoButton = c.look;
        const QImage image = Paint();
        EXPECT_TRUE(ShowsCoords(image, QRect(14, 18, 24, 12), kEqmainId, c.enable)) << int(c.look);
        EXPECT_TRUE(ShowsCoords(image, QRect(38, 18, 34, 12), kEqmainId, c.autoButton)) << int(c.look);
    }
    view.presetPressed = true;
    EXPECT_TRUE(ShowsCoords(Paint(), QRect(217, 18, 44, 12), kEqmainId, Span(224, 176, 268, 188)));
}

TEST_F(EqPainterTest, ASliderShowsTheFrameAndThumbOfItsPosition)
{
    struct Case {
        int position;
        QRect frame; // in eqmain.bmp, as wide as the slider
    };
    const Case cases[] = {
        {-14, Span(208, 229, 222, 292)}, // the top: the lower strip from x = 208
        {-1, Span(13, 229, 27, 292)},    {0, Span(208, 164, 222, 227)}, // the middle: the frame of 1
        {1, Span(208, 164, 222, 227)},   {14, Span(13, 164, 27, 227)},
    };
    for (const Case& c : cases) {
        for (bool pressed : {false, true}) {
            view.sliders[3] = EqSliderLook{c.position, pressed};
            const QImage image = Paint();
            const QRect slider(119, 38, 14, 63);
            const QRect thumb = QRect(0, 2 * (c.position + 14), 11, 11).translated(slider.topLeft());
            const QRect thumbShown = thumb.intersected(slider);
            EXPECT_TRUE(ShowsCoords(image, thumbShown, kEqmainId,
                                    QRect(pressed ? QPoint(0, 176) : QPoint(0, 164), thumbShown.size())))
                << c.position;
            EXPECT_TRUE(ShowsCoords(image, slider, kEqmainId, c.frame, QRect(131, 38, 2, 63))) << c.position;
            // The frame below the thumb, where the thumb leaves it.
            if (c.position < 12) {
                EXPECT_TRUE(ShowsCoords(image, slider, kEqmainId, c.frame, QRect(119, 100, 14, 1)))
                    << c.position;
            }
        }
    }
}

TEST(EqLayoutTest, TheMouseGivesTheValueAtBothEndsAndBeyond)
{
    const std::pair<int, int> cases[] = {{-30, -14}, {0, -14}, {1, -14}, {2, -13}, {32, 0},
                                         {62, 13},   {63, 14}, {64, 14}, {200, 14}};
    for (const auto& [y, position] : cases)
        EXPECT_EQ(EqPositionAt(y), position) << "y = " << y;
}

TEST_F(EqPainterTest, TheCurveJoinsItsColumnsInTheSkinsColours)
{
    view.curve.assign(113, 0.0);
    for (int column = 60; column < 113; ++column)
        view.curve[std::size_t(column)] = 14; // a step up to the top row
    const QImage image = Paint();
    EXPECT_EQ(image.pixel(86 + 10, 17 + 9), CoordColor(kEqmainId, 115, 294 + 9));
    EXPECT_EQ(image.pixel(86 + 100, 17 + 0), CoordColor(kEqmainId, 115, 294));
    for (int row = 0; row < 9; ++row) // the step is joined
        EXPECT_EQ(image.pixel(86 + 60, 17 + row), CoordColor(kEqmainId, 115, 294 + row)) << row;
    EXPECT_TRUE(ShowsCoords(image, QRect(86 + 10, 17, 1, 9), kEqmainId, QRect(10, 294, 1, 9)));
    EXPECT_EQ(EqCurveRow(-40), 18);
    EXPECT_NEAR(EqCurveFrequency(0), 20, 1e-9);
    EXPECT_NEAR(EqCurveFrequency(112), 20000, 1e-6);
}

TEST(EqSkinTest, ASkinWithoutEqmainKeepsTheBuiltInSheet)
{
    QTemporaryDir dir;
    WriteCoordPlaylistSkin(dir.path());
    EqualizerSkin skin;
    const QImage builtIn = skin.Sheet();
    skin.Load(*OpenSkinSource(dir.path()));
    EXPECT_EQ(skin.Sheet(), builtIn);
    EXPECT_EQ(builtIn.size(), QSize(275, 315));
}

} // namespace
