#pragma once
// Whole-file reads and writes for the small text files the program keeps
// (playlists, profile files): reads are bounded, rewrites never leave a file
// half written.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace velmoro::platform {

// Reads the whole file into out. 0 on success, else the system's error code;
// a file larger than maxSize is refused with EFBIG rather than read.
int ReadWholeFile(const QString& path, std::int64_t maxSize, QByteArray& out);

// Replaces the file's contents with bytes: they are written to a temporary
// file in the same directory, which is synced and then renamed over path, so
// a failure at any point (full disk, no permission) leaves the old file
// whole; the directory is synced after the rename, so the new file survives
// a power loss. A symbolic link stays a link: the last name of its chain is
// written (and created when it does not exist yet), in its own directory. An
// existing file keeps its permission bits. 0 on success, else the system's
// error code.
int WriteFileAtomically(const QString& path, QByteArrayView bytes);

// A rewrite killed midway leaves its temporary file (".NAME.tmp-HEX") beside
// the file it rewrote. The ones in directory older than this are removed:
// a living rewrite touches its file far more often.
constexpr int kStaleTemporarySeconds = 60;
// The number of files removed; nothing but such leftovers is touched.
int RemoveStaleTemporaryFiles(const QString& directory);

// Appends bytes to an existing file, all or nothing: when the write fails
// the file is cut back to its old length. 0 or the system's error code.
int AppendToFile(const QString& path, QByteArrayView bytes);

// The last rewrite or append on this thread that failed, as it was asked
// for: for callers whose own result code cannot carry the system's (a
// playlist's save), so that the user can still be told why.
struct WriteFailure {
    QString path;
    int error = 0;
};
WriteFailure LastWriteFailure();

// Text of a file as the program reads its text files: UTF-8 when the bytes
// are valid UTF-8 (a leading byte-order mark dropped), else Latin-1.
QString DecodeText(QByteArrayView bytes);

// Bytes of a text file as the program writes them: UTF-8, with a byte-order
// mark in front only when the text itself begins with U+FEFF, which a reader
// would otherwise take for the mark and drop.
QByteArray EncodeText(const QString& text);

struct TextLines {
    QStringList lines;
    QString lineBreak = QStringLiteral("\r\n"); // the first one the text uses
    bool finalLineBreak = true;                 // the last line ends with one
};

// Lines ending with CR LF, CR or LF, each without its line break. A final
// line break does not start another (empty) line.
TextLines SplitLines(const QString& text);

} // namespace velmoro::platform
