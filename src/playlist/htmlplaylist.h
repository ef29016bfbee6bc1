#pragma once
// The playlist as an HTML page that a browser shows: a header, one linked line
// per row as the window shows it, and the two status texts.
#include "playlist/mpegaudiolist.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace velmoro::playlist {

// The page's lines in order, none with a line break. Every text is escaped,
// and each link is the file's file:// URL (an address links to itself), so a
// name or title holding markup stays text. rowText(i) is row i as shown.
QStringList HtmlPlaylistLines(const TMPEGAudioList& list, const std::function<QString(int row)>& rowText,
                              const QString& positionStatus, const QString& timeStatus);

// The lines, each ending in CR LF, in UTF-8, replace the file at path
// atomically. 0 or the system's error code.
int WriteHtmlPlaylist(const QString& path, const QStringList& lines);

} // namespace velmoro::playlist
