// The built-in skin's playlist window, drawn by velmoro-render-skin, against
// pictures under references/ pixel for pixel. The rows' glyphs come from the
// fonts scripts/install-deps installs (fonts-liberation2 stands in for
// Arial); another font set gives other pictures.
//
// To regenerate a picture after a deliberate change of look, run the
// case's arguments from the source directory with the picture's name, e.g.
//   velmoro-render-skin - tests/skin/references/playlist-431x320.png
//     --playlist 431x320 --current 1 --selected 3 --marked 1,2
//     --list-info "3/12 (41MB)" --list-time 01:02 --thumb 40
// (the second case reads tests/skin/references/playlist-rows.txt), look at
// the picture, and commit it. A failing run leaves what it drew as
// <name>.actual.png in the test's build directory.
#include "skincraft.h"

#include "skin/rendercommand.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

const QDir kReferences(QStringLiteral(VELMORO_SKIN_REFERENCES));

TEST(PlaylistReferenceTest, BuiltInSkinLooksAsCommitted)
{
    struct Case {
        const char* picture;
        QStringList arguments;
    };
    const Case cases[] = {
        {"playlist-431x320.png",
         {"--playlist", "431x320", "--current", "1", "--selected", "3", "--marked", "1,2", "--list-info",
          "3/12 (41MB)", "--list-time", "01:02", "--thumb", "40"}},
        // Rows of the list's own text: accents, a row wider than the window,
        // the list scrolled and its end in sight; the status as the tool
        // makes it up ("9/24 (0MB)", "00:00").
        {"playlist-300x375.png",
         {"--playlist", "300x375", "--rows", kReferences.filePath("playlist-rows.txt"), "--top", "3",
          "--current", "8", "--selected", "5", "--marked", "4,5,20", "--thumb", "120", "--thumb-held"}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(RendersAsReference(kReferences, QStringLiteral(VELMORO_SKIN_ACTUAL_DIR),
                                       QString::fromLatin1(c.picture), c.arguments));
}

TEST(PlaylistReferenceTest, CommandRefusesBadPlaylistOptions)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    const QStringList refused[] = {
        {"--playlist", "431"},
        {"--playlist", "0x320"},
        {"--playlist", "9000x320"},
        {"--playlist", "431x320", "--marked", "1,due"},
        {"--playlist", "431x320", "--top", "alto"},
        {"--playlist", "431x320", "--rows", dir.filePath(QStringLiteral("missing.txt"))},
    };
    for (const QStringList& arguments : refused)
        EXPECT_EQ(RunRenderSkinCommand(QStringList{QStringLiteral("-"), out} + arguments), 2)
            << arguments.join(u' ').toStdString();
    EXPECT_FALSE(QFile::exists(out));

    // A skin folder's own pictures, scaled.
    WriteCoordPlaylistSkin(dir.path());
    ASSERT_EQ(RunRenderSkinCommand({dir.path(), out, QStringLiteral("--playlist"), QStringLiteral("275x350"),
                                    QStringLiteral("--scale"), QStringLiteral("2")}),
              0);
    const QImage image(out);
    EXPECT_EQ(image.size(), QSize(550, 700));
    EXPECT_EQ(DecodeCoord(image.pixel(2 * 10, 2 * 5)), (Coord{kPleditId, 10, 5}));
}

} // namespace
