// The quirk skin (quirkskin.h) as the renderer draws it: each quirk read the
// way skins are painted for, and the whole window against pictures under
// references/ pixel for pixel.
//
// To regenerate a picture after a deliberate change of look, write the
// skin with velmoro-make-quirk-skin, render it with the case's arguments
// below to the picture's name under tests/skin/references/, look at it and
// commit it. A failing run leaves <name>.actual.png in the test's build
// directory.
#include "quirkskin.h"
#include "skincraft.h"

#include "skin/rendercommand.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

const QDir kReferences(QStringLiteral(VELMORO_SKIN_REFERENCES));

class QuirkSkinTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_skin = m_dir.filePath(QStringLiteral("Quirky.wsz"));
        WriteFile(m_skin, QuirkSkinArchive());
    }

    QImage Render(const QString& picture, const QStringList& arguments)
    {
        const QString drawn = m_dir.filePath(picture);
        EXPECT_EQ(RunRenderSkinCommand(QStringList{m_skin, drawn} + arguments), 0) << picture.toStdString();
        return QImage(drawn).convertToFormat(QImage::Format_ARGB32);
    }

    QTemporaryDir m_dir;
    QString m_skin;
};

TEST_F(QuirkSkinTest, EachQuirkDrawsAsSkinsArePaintedFor)
{
    const QImage main =
        Render(QStringLiteral("quirks-main.png"),
               {"--time", "03:21", "--volume", "80", "--position", "128", "--meters", "50,25", "--status",
                "play", "--stereo", "mono", "--bitrate", "128", "--frequency", "44100", "--title", "QUIRKS"});
    ASSERT_EQ(main.size(), QSize(275, 116));
    // region.txt cuts the corners.
    EXPECT_EQ(qAlpha(main.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(main.pixel(274, 115)), 0);
    EXPECT_EQ(DecodeCoord(main.pixel(5, 0)).id, kTitlebarId);
    // A larger main.bmp shows its own top-left part; a PNG under a .bmp name
    // and one as a .png are read.
    EXPECT_EQ(DecodeCoord(main.pixel(5, 40)), (Coord{kMainId, 5, 40}));
    EXPECT_TRUE(ShowsCoords(main, {10, 22, 8, 43}, kTitlebarId, {304, 0, 8, 43}));
    EXPECT_TRUE(ShowsCoords(main, {16, 88, 23, 18}, kCButtonsId, {0, 0, 23, 18}));
    // The later of two names in different case wins.
    EXPECT_TRUE(ShowsCoords(main, {212, 41, 27, 12}, kMonoSterId, {29, 0, 27, 12}));
    // Short sheets: no volume thumb, a six-row position bar over the background.
    EXPECT_TRUE(ShowsCoords(main, {107, 57, 68, 13}, kVolumeId, {0, 315, 68, 13}));
    EXPECT_TRUE(ShowsCoords(main, {125, 72, 29, 6}, kPosBarId, {248, 0, 29, 6}));
    EXPECT_EQ(DecodeCoord(main.pixel(130, 79)), (Coord{kMainId, 130, 79}));
    // viscolor.txt with blanks, tabs and comments: colour 17 starts the meter.
    EXPECT_EQ(main.pixel(24, 46), qRgb(170, 80, 200));
    EXPECT_EQ(main.pixel(101, 46), qRgb(10, 240, 200));
    EXPECT_TRUE(MatchesReference(main, kReferences.filePath(QStringLiteral("quirks-main.png")),
                                 QStringLiteral(VELMORO_SKIN_ACTUAL_DIR)));

    const QImage shade = Render(QStringLiteral("quirks-shade.png"), {"--shade", "--position", "200"});
    ASSERT_EQ(shade.size(), QSize(275, 14));
    EXPECT_EQ(qAlpha(shade.pixel(135, 5)), 0); // the notch of [WindowShade]
    EXPECT_NE(qAlpha(shade.pixel(0, 0)), 0);
    EXPECT_TRUE(ShowsCoords(shade, {236, 4, 3, 7}, kTitlebarId, {23, 36, 3, 7}));
    EXPECT_TRUE(MatchesReference(shade, kReferences.filePath(QStringLiteral("quirks-shade.png")),
                                 QStringLiteral(VELMORO_SKIN_ACTUAL_DIR)));
}

// The playlist and equalizer windows take their sheets from the archive;
// region.txt's [Equalizer] cuts the equalizer window's lower right corner.
TEST_F(QuirkSkinTest, TheOtherWindowsTakeTheirSheetsAndShape)
{
    const QImage playlist = Render(QStringLiteral("quirks-playlist.png"), {"--playlist", "275x116"});
    EXPECT_TRUE(ShowsCoords(playlist, {0, 0, 25, 20}, kPleditId, {0, 0, 25, 20}));
    const QImage equalizer = Render(QStringLiteral("quirks-equalizer.png"), {"--equalizer"});
    ASSERT_EQ(equalizer.size(), QSize(275, 116));
    EXPECT_EQ(DecodeCoord(equalizer.pixel(5, 40)), (Coord{kEqmainId, 5, 40}));
    EXPECT_EQ(qAlpha(equalizer.pixel(274, 115)), 0);
    EXPECT_EQ(qAlpha(equalizer.pixel(270, 112)), 255); // left of the cut
    EXPECT_EQ(qAlpha(equalizer.pixel(0, 115)), 255);
}

} // namespace
