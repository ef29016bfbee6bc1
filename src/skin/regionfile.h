#pragma once
// region.txt: the shapes a skin gives its windows, as polygons of window
// pixels. "[Normal]" shapes the main window, "[WindowShade]" the main window
// rolled up, "[Equalizer]" and "[EqualizerWS]" the equalizer window in its
// two states; each section holds "NumPoints" (the corner count of each
// polygon, comma-separated) and "PointList" (all corners as x,y pairs).
// A window without a shape stays a rectangle.
#include "skin/skinsource.h"

#include <QByteArrayView>
#include <QImage>
#include <QPolygon>
#include <QRegion>

#include <array>
#include <optional>
#include <vector>

namespace velmoro::skin {

enum class RegionShape { Normal, WindowShade, Equalizer, EqualizerShade };
inline constexpr int kRegionShapeCount = 4;

using Polygons = std::vector<QPolygon>;

struct WindowRegions {
    std::array<Polygons, kRegionShapeCount> shapes; // empty: no shape given

    const Polygons& Of(RegionShape shape) const { return shapes[std::size_t(shape)]; }
};

// The shapes of a region file; nullopt when any section that gives a
// shape gives it wrongly (counts that do not match the corners, a polygon
// of fewer than three corners, a word that is not a number, too many
// corners), since a half-read shape would cut the window wrongly.
std::optional<WindowRegions> ParseRegionFile(QByteArrayView text);

// The shapes of the skin's region.txt; none when it is missing, cannot be
// read or is malformed (the reason logged).
WindowRegions LoadRegionFile(const SkinSource& source);

// The window mask of a shape at `scale` (1 or 2), the polygons joined; an
// empty region for no shape, which leaves the window unmasked.
QRegion ShapeMask(const Polygons& polygons, int scale);

// The picture of a window with everything outside `shape` transparent.
QImage CutToShape(const QImage& image, const QRegion& shape);

} // namespace velmoro::skin
