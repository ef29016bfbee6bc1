// The crossfade graph against reference images, and the pixels that the
// drawing rule fixes.
#include "options/crossfadegraph.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace velmoro;
using options::CrossfadeShape;
using options::DrawCrossfadeGraph;
using options::GraphCaption;

namespace {

// On a mismatch the drawn image is kept beside the build for review.
testing::AssertionResult MatchesReference(const QImage& image, const char* name)
{
    const QImage reference(QStringLiteral(VELMORO_OPTIONS_REFERENCES "/") + name);
    if (!reference.isNull() && reference.convertToFormat(QImage::Format_RGB32) == image)
        return testing::AssertionSuccess();
    const QString actual = QStringLiteral(VELMORO_OPTIONS_ACTUAL_DIR "/") + name + ".actual.png";
    image.save(actual);
    return testing::AssertionFailure() << name << (reference.isNull() ? " has no reference" : " differs")
                                       << ": see " << actual.toStdString();
}

} // namespace

TEST(CrossfadeGraph, MatchesTheReferenceImages)
{
    EXPECT_TRUE(MatchesReference(DrawCrossfadeGraph({}, GraphCaption::Omitted), "crossfade-start.png"));
    EXPECT_TRUE(
        MatchesReference(DrawCrossfadeGraph({30, 7, 45, 60}, GraphCaption::Omitted), "crossfade-edited.png"));
    EXPECT_TRUE(MatchesReference(DrawCrossfadeGraph({1, 100, 50, 1}, GraphCaption::Omitted),
                                 "crossfade-extremes.png"));
}

TEST(CrossfadeGraph, PixelsOfTheRule)
{
    const QImage g = DrawCrossfadeGraph({20, 40, 30, 90}, GraphCaption::Omitted);
    ASSERT_EQ(g.size(), QSize(119, 55));
    const QRgb black = qRgb(0, 0, 0), grid = qRgb(0x2A, 0x2A, 0x2A), red = qRgb(255, 0, 0),
               blue = qRgb(0, 0, 255);
    const struct {
        int x, y;
        QRgb colour;
    } pixels[] = {
        {0, 0, grid},    {1, 0, black},   {2, 54, grid},  {1, 1, black},  {118, 2, grid},
        {0, 15, red},    {19, 15, red},   {20, 15, red},  {50, 35, red}, // down 40 over 100 − 40
        {80, 15, black}, {118, 15, blue}, {90, 15, blue}, {89, 15, blue}, {88, 19, blue}, // down 40 over 10
        {61, 16, black},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(g.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
}

// The title is drawn over the top left only; the rest is the same picture.
TEST(CrossfadeGraph, TitleStaysInItsCorner)
{
    const QImage plain = DrawCrossfadeGraph({}, GraphCaption::Omitted);
    const QImage titled = DrawCrossfadeGraph({});
    int white = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (titled.pixel(x, y) == plain.pixel(x, y))
                continue;
            EXPECT_TRUE(x >= 10 && y >= 5 && y < 20) << x << "," << y;
            white += titled.pixel(x, y) == qRgb(255, 255, 255);
        }
    EXPECT_GT(white, 20);
}
