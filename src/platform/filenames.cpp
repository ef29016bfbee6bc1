#include "platform/filenames.h"

namespace velmoro::platform {

QString UpperExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot <= path.lastIndexOf(u'/') ? QString() : path.mid(dot).toUpper();
}

} // namespace velmoro::platform
