// .wsz skins are downloaded from anywhere: any bytes must open as a skin
// archive or be refused, and every file the skin set asks for must read or
// be refused, within the archive's bounds.
#include "skin/skinarchive.h"
#include "skin/skinset.h"

#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

using namespace velmoro::skin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::unique_ptr<SkinArchive> archive = SkinArchive::FromBytes(bytes, QStringLiteral("fuzz.wsz"));
    if (!archive)
        return 0;
    QStringList names{QStringLiteral("nums_ex.bmp"), QStringLiteral("viscolor.txt"),
                      QStringLiteral("pledit.bmp"),  QStringLiteral("pledit.txt"),
                      QStringLiteral("eqmain.bmp"),  QStringLiteral("readme.txt")};
    for (const BitmapSlot& slot : BitmapSlots())
        names << QLatin1String(slot.file);
    for (const CursorSlot& slot : CursorSlots())
        names << QLatin1String(slot.file);
    for (const QString& name : names)
        if (archive->Has(name))
            archive->Read(name, kMaxSkinArchiveBytes);
    return 0;
}
