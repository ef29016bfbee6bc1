// The --render-skin command: options reach the picture, failures reach the
// exit status.
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
    EXPECT_EQ(DecodeCoord(image->pixel(2 * 61, 2 * 26)), (Coord{kNumbersId, 63, 0})); // "7"
    EXPECT_EQ(DecodeCoord(image->pixel(2 * 24, 2 * 28)), (Coord{kPlayPausId, 9, 0}));
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
    EXPECT_EQ(
        RunRenderSkinCommand({QStringLiteral("-"), dir.filePath(QStringLiteral("missing/dir/out.png"))}), 1);
}

} // namespace
