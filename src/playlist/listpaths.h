#pragma once
// How the names in playlist files map to paths. Lists written on Windows are
// read too: "\" is a separator, a leading separator means the root, and a
// drive-letter name ("X:...") is kept as written (such a file is missing).
#include <QString>

namespace velmoro::playlist {

// The name made absolute against the current directory and cleaned.
QString FullPath(const QString& name);

// The directory part of a path, up to and including its last "/"; empty for
// a bare name.
QString DirectoryPart(const QString& path);

// True for an address such as "http://host/stream": a scheme (a letter, then
// letters, digits, "+", "-" or ".", two characters at least, so that a drive
// letter is no scheme) followed by "://".
bool IsAddress(QStringView name);

// True for an address the player streams: http://, https:// or ftp://, in
// any case.
bool IsStreamAddress(QStringView name);

// The file a playlist line names: kept as written when it is an address or
// its second character is ":", from the root when it begins with a
// separator, else below listDirectory (which may be empty or relative).
QString ResolveEntryName(const QString& line, const QString& listDirectory);

// path without the leading directory when it lies below directory (compared
// as the file system compares names, with case), else path unchanged.
QString RelativeTo(const QString& path, const QString& directory);

} // namespace velmoro::playlist
