#pragma once
// Reading a skin's sheets, cursors and colour file from a skin source. What
// exists but cannot be read is logged once, with the file it came from, and
// told apart from what is missing: a missing file keeps the built-in one, an
// unreadable sheet or colour file fails the load.
#include "skin/cursorreader.h"
#include "skin/skinsource.h"
#include "skin/viscolor.h"

#include <QImage>
#include <QString>

#include <optional>

namespace velmoro::skin {

enum class FileLoad { Missing, Loaded, Unreadable };

// The name under which a sheet is present: the .bmp name itself, else the
// same name ending in .png (skins made for later players), else empty.
QString PresentSheetName(const SkinSource& source, const QString& bmpName);

// A sheet (a .bmp file, or its .png stand-in) into `into`, which stays as it
// was unless Loaded. Either may hold BMP or PNG bytes.
FileLoad LoadSheet(const SkinSource& source, const QString& bmpName, QImage& into);

// A cursor file; nullopt when missing or unreadable.
std::optional<CursorImage> LoadCursorFile(const SkinSource& source, const QString& name);

// A colour file over `table` (its earlier lines stay applied on failure).
FileLoad LoadColorFile(const SkinSource& source, const QString& name, SkinColorTable& table);

} // namespace velmoro::skin
