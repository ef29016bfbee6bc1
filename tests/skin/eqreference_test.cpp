// The built-in skin's equalizer window, drawn by velmoro-render-skin,
// against pictures under references/ pixel for pixel, and a coordinate
// skin's window, whose pixels tell where each came from.
//
// To regenerate a picture after a deliberate change of look, run the case's
// arguments from the source directory with the picture's name, e.g.
//   velmoro-render-skin - tests/skin/references/equalizer.png --equalizer
//     --eq-sliders 1,1
// look at the picture, and commit it.
#include "skincraft.h"

#include "skin/eqlayout.h"
#include "skin/rendercommand.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

const QDir kReferences(QStringLiteral(VELMORO_SKIN_REFERENCES));

TEST(EqReferenceTest, BuiltInSkinLooksAsCommitted)
{
    // As a fresh window shows it; and with every state the window can show.
    EXPECT_TRUE(RendersAsReference(kReferences, QStringLiteral(VELMORO_SKIN_ACTUAL_DIR),
                                   QStringLiteral("equalizer.png"), {"--equalizer", "--eq-sliders", "1,1"}));
    EXPECT_TRUE(RendersAsReference(
        kReferences, QStringLiteral(VELMORO_SKIN_ACTUAL_DIR), QStringLiteral("equalizer-states.png"),
        {"--equalizer", "--eq-sliders", "-14,14,0,-7,7,-1,1,-3,3,-10,10", "--eq-held", "0,5", "--eq-on",
         "enable,auto", "--eq-pressed", "auto,preset"}));
}

TEST(EqReferenceTest, ACoordinateSkinShowsEachSpriteInItsPlace)
{
    QTemporaryDir dir;
    WriteCoordEqualizerSkin(dir.path());
    const QString out = dir.filePath(QStringLiteral("eq.png"));
    ASSERT_EQ(RunRenderSkinCommand({dir.path(), out, "--equalizer", "--eq-sliders", "-14,14", "--eq-held",
                                    "1", "--eq-on", "enable", "--eq-pressed", "enable,preset"}),
              0);
    const QImage image = QImage(out).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), kEqWindowSize);
    EXPECT_TRUE(ShowsCoords(image, QRect(0, 0, 275, 14), kEqmainId, kEqTitleBarSprite));
    EXPECT_TRUE(ShowsCoords(image, kEqEnableButton, kEqmainId, kEqEnablePressedOnSprite));
    EXPECT_TRUE(ShowsCoords(image, kEqAutoButton, kEqmainId, kEqAutoOffSprite));
    EXPECT_TRUE(ShowsCoords(image, kEqPresetButton, kEqmainId, kEqPresetPressedSprite));
    EXPECT_TRUE(ShowsCoords(image, kEqCurve, kEqmainId, kEqCurveSprite));
    EXPECT_TRUE(ShowsCoords(image, QRect(21, 38, 11, 11), kEqmainId, kEqThumbSprite));
    EXPECT_TRUE(ShowsCoords(image, QRect(21, 38, 14, 63), kEqmainId, Span(208, 229, 222, 292),
                            QRect(21, 49, 14, 52)));
    EXPECT_TRUE(ShowsCoords(image, QRect(79, 94, 11, 7), kEqmainId, QRect(0, 176, 11, 7)));
    EXPECT_TRUE(ShowsCoords(image, QRect(99, 38, 14, 63), kEqmainId, QRect(99, 38, 14, 63)));
    // A sheet too small for the sliders' strips: what it lacks stays background.
    WriteCoordEqualizerSkin(dir.path(), QSize(275, 160));
    ASSERT_EQ(RunRenderSkinCommand({dir.path(), out, "--equalizer", "--eq-sliders", "5"}), 0);
    EXPECT_TRUE(ShowsCoords(QImage(out), QRect(0, 14, 275, 102), kEqmainId, QRect(0, 14, 275, 102),
                            QRect(40, 40, 30, 60)));
}

} // namespace
