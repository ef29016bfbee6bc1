#pragma once
// BookMarks.txt: one address or file path per line.
#include <QString>
#include <QStringList>

namespace velmoro::player {

// The lines of the file (CR LF, LF or CR end a line; a byte 0 ends the
// text); an empty list when the file is missing or unreadable.
QStringList LoadBookmarks(const QString& path);

// Each bookmark followed by CR LF, in UTF-8, replacing the file atomically.
// 0 on success, else the system's error code (the old file is then whole).
int SaveBookmarks(const QString& path, const QStringList& bookmarks);

} // namespace velmoro::player
