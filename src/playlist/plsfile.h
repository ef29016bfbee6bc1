#pragma once
// What a PLS list is read by: its [playlist] section's NumberOfEntries and
// the keys File0, File1, ... naming the files.
#include "platform/textlines.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace velmoro::playlist {

// NumberOfEntries: decimal, or hexadecimal after "0x", with an optional
// sign; 0 when missing, malformed or beyond 32 bits.
std::int64_t ParseEntryCount(const QString& text);

// k for a key spelled "File" + k (any case, no sign, no leading zeros, no
// blanks) with k within 32 bits; −1 for any other key.
std::int64_t FileKeyNumber(QStringView key);

struct PlsFile {
    std::int64_t number;
    QString value;
};

// Takes a PLS file line by line and keeps only what the loader uses, so a
// huge list costs little more than its names. Sections, keys and values are
// read as ProfileFile reads them: without regard to case, a section that
// appears twice is one, values trimmed and unquoted and at most
// ProfileFile::kMaxValueLength characters, the first of two equal keys wins.
class PlsScanner {
public:
    // A File key of the [playlist] section is an entry.
    platform::LineUse Take(const QString& line);
    std::int64_t EntryCount() const { return ParseEntryCount(m_countText); }
    // The File keys numbered 0 to EntryCount(), in ascending order, handed
    // over rather than copied: a million names are not held twice.
    std::vector<PlsFile> TakeFiles();

private:
    bool m_inPlaylist = false;
    bool m_countSeen = false;
    QString m_countText;
    std::vector<PlsFile> m_files; // in file order, repeated numbers included
};

} // namespace velmoro::playlist
