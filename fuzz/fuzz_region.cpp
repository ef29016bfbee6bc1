// region.txt comes with downloaded skins: any bytes must give shapes or be
// refused, and every shape must turn into a mask.
#include "skin/regionfile.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

using namespace velmoro::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<WindowRegions> regions = ParseRegionFile(bytes))
        for (const Polygons& shape : regions->shapes)
            ShapeMask(shape, 2);
    return 0;
}
