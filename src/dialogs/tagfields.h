#pragma once
// What the file tags window shows of a file and how its edits become a tag,
// without a window: the header lines, the description lines, Auto Build,
// the characters an ID3v1 tag cannot hold, and the save itself.
#include "trackinfo/mpegaudio.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::dialogs {

// The header list: duration, rate, bit rate (−1 for VBR), layer, channel
// mode, CRC, original and copyright, in that order.
QStringList HeaderLines(const trackinfo::TMPEGAudioData& d);

// The description group's lines.
QString VersionLine(const trackinfo::TMPEGAudioData& d); // "Tag Version 1"
QString SizeLine(const trackinfo::TMPEGAudioData& d);    // "123456 Bytes"
QString VolumeLine(const trackinfo::TMPEGAudioData& d);  // at most 27 characters
QString DateLine(const trackinfo::TMPEGAudio& track);    // the system's short date and time

// The title Auto Build makes of a path: the name without its directory and
// without its last four characters (the extension with its dot).
QString AutoBuildTitle(const QString& path);

// The tag as the window's edits hold it.
struct TagEdits {
    QString title, artist, album, year, comment;
    std::optional<int> genre; // the genre list's index, none when nothing is selected
    int track = 0;            // 0–255, as the spin box bounds it
};

// The edits as the window first shows them for a file that was read.
TagEdits EditsOf(const trackinfo::TMPEGAudio& track);

// The names of the fields ("Titolo", "Artista" …) whose text, as it would be
// saved (cut to the field's size), has characters that Latin-1 — the only
// alphabet of an ID3v1 tag — cannot hold; empty when all can be saved.
QStringList FieldsNotLatin1(const TagEdits& edits);

// Reads path, applies the edits and writes the tag. 0 on success, −1 for a
// missing file, else the system's error code; the file stays as it was on
// failure.
int SaveTag(const QString& path, const TagEdits& edits);
// Reads path and removes its tag; the result as for SaveTag.
int RemoveTagOf(const QString& path);

// The user's words for a failed save or removal, the reason included.
enum class TagChange { Save, Remove };
QString TagFailureText(TagChange change, const QString& path, int result);

} // namespace velmoro::dialogs
