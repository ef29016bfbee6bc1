#pragma once
// The files the player window keeps in AppDir, and the demo beside the program.
#include <QString>

namespace velmoro::player {

inline const QString kDefaultPlaylist = QStringLiteral("default.m3u");
inline const QString kBookmarks = QStringLiteral("BookMarks.txt");
// Beside the program: the tunes a new user hears on the first run.
inline const QString kDemoPlaylist = QStringLiteral("Demo/demo.m3u");

} // namespace velmoro::player
