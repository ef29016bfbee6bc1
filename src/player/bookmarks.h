#pragma once
// BookMarks.txt: one address or file path per line, read once at start and
// written back at close — but only over a file whose bookmarks were read, so
// that a close before the read, or a file the reader refused, never turns
// the user's bookmarks into an empty file.
#include <QString>
#include <QStringList>

namespace velmoro::player {

class BookmarkFile {
public:
    // The lines of the file (CR LF, LF or CR end a line, each decoded on its
    // own; a byte 0 ends the text). A missing file gives no bookmarks and may
    // be written later. A file that cannot be read gives none, and one read
    // only in part (a line over the line cap, more lines than the entry cap)
    // gives the lines read: either is logged and kept as it is at close.
    QStringList Load(const QString& path);

    enum class SaveOutcome {
        Written,
        Skipped,        // before Load, or an unread file with the list as read
        ChangesDropped, // the file was not read whole, so it is kept as it is
        Failed,         // with the system's error code; the old file is whole
    };
    struct SaveResult {
        SaveOutcome outcome = SaveOutcome::Written;
        int error = 0;
    };
    // Each bookmark followed by CR LF, in UTF-8, replacing the file that Load
    // read atomically.
    SaveResult Save(const QStringList& bookmarks) const;

private:
    enum class State { NotRead, Readable, Unreadable };
    State m_state = State::NotRead;
    QString m_path;
    QStringList m_loaded; // shares the list's data until the list changes
};

} // namespace velmoro::player
