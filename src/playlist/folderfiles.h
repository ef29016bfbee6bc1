#pragma once
// The files that "Aggiungi Dir ..." adds from a folder.
#include <QString>
#include <QStringList>

namespace velmoro::playlist {

// The regular files directly in folder (links to regular files too, hidden
// ones not) whose extension is .mp3, .mp1, .mp2, .pls or .m3u in any case, as
// full paths, in the natural order of their names ("2 - x" before "10 - x",
// case aside), whatever order the file system lists them in. Empty for a
// missing folder.
QStringList FolderAudioAndListFiles(const QString& folder);

} // namespace velmoro::playlist
