// viscolor.txt files come with every downloaded skin: any bytes must parse
// to colours or a clean error.
#include "skin/viscolor.h"

#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>

using namespace velmoro::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    SkinColorTable table = BuiltInSkinColors();
    ParseColorFile(bytes, table);
    ParseColorLine(QString::fromLatin1(bytes.first(std::min<qsizetype>(bytes.size(), 64))));
    return 0;
}
