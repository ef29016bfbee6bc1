#include "skin/sheetloader.h"

#include "platform/logging.h"
#include "skin/bmpreader.h"

namespace velmoro::skin {

namespace {

constexpr qsizetype kMaxBitmapFile = 32 * 1024 * 1024;
constexpr qsizetype kMaxCursorFile = 4 * 1024 * 1024;
constexpr qsizetype kMaxColorFile = 1024 * 1024;

// The bytes of a file the source has (nullopt too when it has none).
std::optional<QByteArray> ReadPresent(const SkinSource& source, const QString& name, qsizetype maxBytes)
{
    std::optional<QByteArray> bytes = source.Read(name, maxBytes);
    if (!bytes)
        qCWarning(lcSkin) << "cannot read" << name << "in" << source.Where() << "or it is too large";
    return bytes;
}

void WarnUnusable(const SkinSource& source, const QString& name, const char* why)
{
    qCWarning(lcSkin) << name << "in" << source.Where() << why;
}

} // namespace

QString PresentSheetName(const SkinSource& source, const QString& name)
{
    if (source.Has(name))
        return name;
    if (!name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        return {};
    const QString png = name.chopped(4) + QLatin1String(".png");
    return source.Has(png) ? png : QString();
}

FileLoad LoadSheet(const SkinSource& source, const QString& bmpName, QImage& into)
{
    const QString name = PresentSheetName(source, bmpName);
    if (name.isEmpty())
        return FileLoad::Missing;
    const std::optional<QByteArray> bytes = ReadPresent(source, name, kMaxBitmapFile);
    if (!bytes)
        return FileLoad::Unreadable;
    std::optional<QImage> image = ReadSkinBitmap(*bytes);
    if (!image) {
        WarnUnusable(source, name, "is no bitmap that can be read");
        return FileLoad::Unreadable;
    }
    into = std::move(*image);
    return FileLoad::Loaded;
}

std::optional<CursorImage> LoadCursorFile(const SkinSource& source, const QString& name)
{
    if (!source.Has(name))
        return std::nullopt;
    const std::optional<QByteArray> bytes = ReadPresent(source, name, kMaxCursorFile);
    if (!bytes)
        return std::nullopt;
    std::optional<CursorImage> cursor = ReadCursor(*bytes);
    if (!cursor)
        WarnUnusable(source, name, "is no cursor that can be read");
    return cursor;
}

FileLoad LoadColorFile(const SkinSource& source, const QString& name, SkinColorTable& table)
{
    if (!source.Has(name))
        return FileLoad::Missing;
    const std::optional<QByteArray> text = ReadPresent(source, name, kMaxColorFile);
    if (!text)
        return FileLoad::Unreadable;
    if (ParseColorFile(*text, table) > 0)
        WarnUnusable(source, name, "has colour lines that are not numeric: those colours stay as they were");
    return FileLoad::Loaded;
}

} // namespace velmoro::skin
