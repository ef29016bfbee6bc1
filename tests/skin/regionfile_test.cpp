// region.txt files in the shapes skins ship them, and the malformed ones
// that must leave the windows rectangular.
#include "skin/regionfile.h"

#include <QByteArray>

#include <gtest/gtest.h>

using namespace velmoro::skin;

namespace {

QPolygon Corners(std::initializer_list<int> xy)
{
    QPolygon polygon;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        polygon << QPoint(*it, *(it + 1));
    return polygon;
}

TEST(RegionFileTest, SectionsGiveTheirPolygons)
{
    const QByteArray text = "; a main window with a notch\r\n"
                            "[normal]\r\n"
                            "NumPoints = 4, 4\r\n"
                            "PointList=0,0, 275,0, 275,14, 0,14  3,14 272,14 272,116 3,116\r\n"
                            "PointList=1,1,1,1\r\n" // a repeated key: the first counts
                            "\r\n"
                            "[WindowShade]\n"
                            "NumPoints=3\n"
                            "PointList=0 0\t275 0,,0 14,\n"
                            "[Equalizer]\n"
                            "[Something]\n"
                            "NumPoints=x\n";
    const std::optional<WindowRegions> regions = ParseRegionFile(text);
    ASSERT_TRUE(regions);
    const Polygons& normal = regions->Of(RegionShape::Normal);
    ASSERT_EQ(normal.size(), 2u);
    EXPECT_EQ(normal[0], Corners({0, 0, 275, 0, 275, 14, 0, 14}));
    EXPECT_EQ(normal[1], Corners({3, 14, 272, 14, 272, 116, 3, 116}));
    EXPECT_EQ(regions->Of(RegionShape::WindowShade), Polygons{Corners({0, 0, 275, 0, 0, 14})});
    EXPECT_TRUE(regions->Of(RegionShape::Equalizer).empty());
    EXPECT_TRUE(regions->Of(RegionShape::EqualizerShade).empty());
    EXPECT_TRUE(ParseRegionFile(""));
}

TEST(RegionFileTest, MalformedFilesAreRefusedWhole)
{
    const char* const files[] = {
        "[Normal]\nNumPoints=4\nPointList=0,0,10,0,10,10\n",          // too few corners
        "[Normal]\nNumPoints=4\nPointList=0,0,10,0,10,10,0,10,5,5\n", // too many numbers
        "[Normal]\nNumPoints=2\nPointList=0,0,10,0\n",                // no polygon
        "[Normal]\nNumPoints=3\n",                                    // no corners
        "[Normal]\nPointList=0,0,10,0,10,10\n",                       // no count
        "[Normal]\nNumPoints=3\nPointList=0,0,10,0,10,ten\n",
        "[Normal]\nNumPoints=-3\nPointList=0,0,10,0,10,10\n",
        "[Normal]\nNumPoints=3\nPointList=0,0,10,0,10,99999\n", // far beyond any window
        "[Normal]\nNumPoints=3\nPointList=0,0,10,0,10,10\n[EqualizerWS]\nNumPoints=3,\nPointList=1\n",
        "[Normal]\nNumPoints=100000\nPointList=0,0\n",
    };
    for (const char* file : files)
        EXPECT_FALSE(ParseRegionFile(QByteArray(file))) << file;
}

// Windows' regions leave out the right and bottom edges of a polygon: a
// rectangle of the window's size covers the window exactly.
TEST(RegionFileTest, MasksCoverTheWindowPixelsAtEachScale)
{
    const Polygons window{Corners({0, 0, 275, 0, 275, 116, 0, 116})};
    EXPECT_EQ(ShapeMask(window, 1), QRegion(0, 0, 275, 116));
    EXPECT_EQ(ShapeMask(window, 2), QRegion(0, 0, 550, 232));
    const Polygons twoBoxes{Corners({0, 0, 10, 0, 10, 5, 0, 5}), Corners({20, 0, 30, 0, 30, 5, 20, 5})};
    const QRegion mask = ShapeMask(twoBoxes, 2);
    EXPECT_TRUE(mask.contains(QPoint(19, 9)));
    EXPECT_FALSE(mask.contains(QPoint(20, 0)));
    EXPECT_TRUE(mask.contains(QPoint(40, 0)));
    EXPECT_TRUE(ShapeMask({}, 2).isEmpty());
}

} // namespace
