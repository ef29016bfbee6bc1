#pragma once
// The playlist window's commands of its selection, removal and miscellaneous
// menus: sorting by a field in either direction, marks, removal and the
// shuffle. None of them touches the current song's index; the window rebuilds
// its rows afterwards.
#include "playlist/mpegaudiolist.h"

#include <QString>
#include <functional>

namespace velmoro::playlist {

enum class SortKey { Title, Artist, Album, FileName, Duration, FileDate };

// The template whose text is the key: "%title%", "%artist%" ...
QString SortKeyTemplate(SortKey key);

// Sorts by the key's template in the list's present direction. Keys compare
// as text, as the template writes them: numbers and dates too.
void SortByKey(TMPEGAudioList& list, SortKey key);
// Only remembered for the next sort; the order stays as it is.
void SetSortDirection(TMPEGAudioList& list, bool descending);

enum class MarkChange { All, None, Invert };
void ChangeMarks(TMPEGAudioList& list, MarkChange change);

enum class RemoveWhich { All, Marked, Unmarked };
// The entries that stay keep their order.
void RemoveEntries(TMPEGAudioList& list, RemoveWhich which);

// Every entry's file read again, unmarked, in a random order in which any
// entry can take any place. random(n) answers 0..n−1; unset, the system's
// generator draws. False when OnProgress stopped it (no entry is lost: those
// not yet drawn follow unchanged) or the list was busy.
bool Shuffle(TMPEGAudioList& list, const std::function<int(int n)>& random = {});

} // namespace velmoro::playlist
