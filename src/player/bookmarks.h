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

    // Each bookmark followed by CR LF, in UTF-8, replacing the file that Load
    // read atomically. 0 when written or when nothing may be written (before
    // Load, or after a failed read: logged when bookmarks are lost with it),
    // else the system's error code (the old file is then whole).
    int Save(const QStringList& bookmarks) const;

private:
    enum class State { NotRead, Readable, Unreadable };
    State m_state = State::NotRead;
    QString m_path;
};

} // namespace velmoro::player
