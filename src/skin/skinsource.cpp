#include "skin/skinsource.h"

#include "skin/skindirectory.h"

namespace velmoro::skin {

const SkinSource& BuiltInSkin()
{
    // The resources hold upper-case names ("MAIN.bmp"); the folder rule
    // finds them under the names skins use.
    static const SkinDirectory builtIn(QStringLiteral(":/velmoro/skin"));
    return builtIn;
}

} // namespace velmoro::skin
