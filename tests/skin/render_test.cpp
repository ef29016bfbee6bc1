// The --render-skin command: options reach the picture, failures reach the
// exit status.
#include "archivecraft.h"
#include "skincraft.h"

#include "skin/rendercommand.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

TEST(RenderSkinTest, OptionsShapeThePicture)
{
    QTemporaryDir dir;
    WriteCoordSkin(dir.path());
    RenderOptions o;
    o.skinDirectory = dir.path();
    o.progress = QStringLiteral("07:35");
    o.status = QStringLiteral("pause");
    o.checked = {QStringLiteral("eq")};
    o.scale = 2;
    std::optional<QImage> image = RenderSkin(o, nullptr);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), QSize(550, 232));
    EXPECT_EQ(DecodeCoord(image->pixel(2 * 48, 2 * 26)), (Coord{kNumbersId, 0, 0}));  // "0"
    EXPECT_EQ(DecodeCoord(image->pixel(2 * 60, 2 * 26)), (Coord{kNumbersId, 63, 0})); // "7"
    EXPECT_EQ(DecodeCoord(image->pixel(2 * 26, 2 * 28)), (Coord{kPlayPausId, 9, 0}));
    EXPECT_EQ(DecodeCoord(image->pixel(2 * 219, 2 * 58)), (Coord{kShufRepId, 0, 73}));
    EXPECT_EQ(DecodeCoord(image->pixel(0, 0)), (Coord{kTitlebarId, 27, 0}));

    o.shade = true;
    o.inactive = true;
    o.scale = 1;
    image = RenderSkin(o, nullptr);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->size(), QSize(275, 14));
    EXPECT_EQ(DecodeCoord(image->pixel(0, 0)), (Coord{kTitlebarId, 27, 42}));
}

TEST(RenderSkinTest, CommandReportsFailures)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    EXPECT_EQ(
        RunRenderSkinCommand({QStringLiteral("-"), out, QStringLiteral("--volume"), QStringLiteral("30")}),
        0);
    EXPECT_FALSE(QImage(out).isNull());
    EXPECT_EQ(RunRenderSkinCommand({QStringLiteral("-")}), 2);
    EXPECT_EQ(
        RunRenderSkinCommand({QStringLiteral("-"), out, QStringLiteral("--volume"), QStringLiteral("alto")}),
        2);
    WriteFile(dir.filePath(QStringLiteral("main.bmp")), "BM not really");
    EXPECT_EQ(RunRenderSkinCommand({dir.path(), out}), 1);
    // Neither a missing skin nor a broken archive is drawn as the built-in one.
    WriteFile(dir.filePath(QStringLiteral("broken.wsz")), "PK not really");
    for (const QString& skin :
         {dir.filePath(QStringLiteral("nowhere")), dir.filePath(QStringLiteral("broken.wsz"))})
        for (const QStringList& window :
             {QStringList(), QStringList{QStringLiteral("--playlist"), QStringLiteral("275x116")}})
            EXPECT_EQ(RunRenderSkinCommand(QStringList{skin, out} + window), 1)
                << qPrintable(skin) << qPrintable(window.join(u' '));
    EXPECT_EQ(
        RunRenderSkinCommand({QStringLiteral("-"), dir.filePath(QStringLiteral("missing/dir/out.png"))}), 1);
}

TEST(RenderSkinTest, AnArchiveRendersAsItsFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("folder"));
    QDir().mkpath(folder);
    WriteCoordSkin(folder);
    WriteCoordPlaylistSkin(folder, "[Text]\nNormal=#00FF00\n");
    const QString archive = dir.filePath(QStringLiteral("skin.wsz"));
    WriteFile(archive, CraftZip(FolderEntries(folder, QStringLiteral("Skin\\"))));

    RenderOptions o;
    o.progress = QStringLiteral("12:34");
    o.status = QStringLiteral("play");
    for (const QSize playlist : {QSize(), QSize(275, 232)}) {
        o.playlistSize = playlist;
        const std::optional<QImage> builtIn = RenderSkin(o, nullptr);
        o.skinDirectory = folder;
        const std::optional<QImage> fromFolder = RenderSkin(o, nullptr);
        o.skinDirectory = archive;
        const std::optional<QImage> fromArchive = RenderSkin(o, nullptr);
        o.skinDirectory.clear();
        ASSERT_TRUE(builtIn && fromFolder && fromArchive);
        EXPECT_EQ(*fromArchive, *fromFolder);
        EXPECT_NE(*fromArchive, *builtIn);
    }
}

} // namespace
