// Skin cursors: static .cur/.ico files and animated RIFF cursors, whatever
// their headers claim.
#include "skin/cursorreader.h"

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace velmoro::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<CursorImage> cursor =
        ReadCursor(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (cursor && !cursor->image.rect().contains(cursor->hotspot))
        std::abort(); // a hotspot must lie on the picture
    return 0;
}
