#pragma once
// The playlist as the windows share it: the store, the current entry, and
// what the playlist window shows of it (its colours and totals).
#include "playlist/mpegaudiolist.h"

#include <QHash>
#include <QString>

#include <cstdint>

namespace velmoro::playlist {

// Address → the title its station sent last, while the program runs.
using StreamTitles = QHash<QString, QString>;

struct PlaylistState {
    TMPEGAudioList Playlist;
    std::int32_t CurrentIndex = 0; // may point past the end after the list shrank
    std::uint32_t PlNormalColor = 0, PlCurrentColor = 0, PlNormalBgColor = 0, PlSelectedBgColor = 0;
    // 64-bit: a few hundred albums already pass 2 GiB.
    std::int64_t PlaylistTotalSeconds = 0;
    std::int64_t PlaylistTotalSize = 0;
    StreamTitles StationTitles;
};

} // namespace velmoro::playlist
