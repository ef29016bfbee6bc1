#pragma once
// Text files read line by line, for the lists the program writes (playlists,
// bookmarks): they may hold a million entries, so they are streamed rather
// than read whole, and nothing bounds their total size. Each line is decoded
// on its own, UTF-8 when its bytes are valid UTF-8 and Latin-1 otherwise, so
// one stray byte changes only the line that holds it.
//
// Line breaks are CR LF, LF or a lone CR, as SplitLines reads them; a final
// line break does not start another (empty) line, and a UTF-8 byte-order mark
// at the start of the file is dropped.
#include <QString>

#include <functional>

namespace velmoro::platform {

struct TextLineLimits {
    // A longer line (without its line break) is skipped whole and logged: a
    // name cut short would name another file. Far past any path, so that
    // even a long Latin-1 name, twice as long once written back as UTF-8,
    // reads again.
    qsizetype maxLineBytes = 1024 * 1024;
    // Once this many lines were taken as entries, the rest of the file is
    // skipped; the result says so, so that the caller can tell the user.
    qint64 maxEntries = 1'000'000;
};

// What the caller made of one line.
enum class LineUse {
    Entry,    // counts against maxEntries
    NotEntry, // a comment, a blank line, a key that is not an entry
    Stop,     // read no further
};

enum class TextLinesEnd {
    EndOfFile,
    Stopped,         // the handler answered Stop
    EntryCapReached, // more lines followed the last entry allowed
    Failed,          // see error
};

struct TextLinesResult {
    TextLinesEnd end = TextLinesEnd::EndOfFile;
    int error = 0; // with Failed: the system's error code
    qint64 entries = 0;
    qint64 longLinesSkipped = 0;
};

using TextLineHandler = std::function<LineUse(const QString& line)>;

// Open and read are apart so that a caller can retry a failed open without
// handing any line twice.
class TextLineReader {
public:
    explicit TextLineReader(const TextLineLimits& limits = {}) : m_limits(limits) {}
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // 0, or the system's error code: EISDIR for a directory, EINVAL for
    // anything else that is not a regular file (a FIFO never blocks here).
    int Open(const QString& path);
    // The number of lines in the file, long ones included: what a progress
    // display can count to. −1 on a read error.
    qint64 CountLines();
    // Hands every line from the start of the file to onLine, in order. Skipped
    // long lines and a reached cap are logged here.
    TextLinesResult Read(const TextLineHandler& onLine);

private:
    // Calls onRaw for the bytes of each line from the start of the file,
    // tooLong set (and the bytes empty) for a line over maxLineBytes; false
    // from onRaw stops the scan. 0 or the system's error code.
    int Scan(const std::function<bool(const QByteArray& line, bool tooLong)>& onRaw);

    TextLineLimits m_limits;
    QString m_path;
    int m_fd = -1;
};

// Open and Read in one call; a failed open gives Failed with its error.
TextLinesResult ReadTextLines(const QString& path, const TextLineLimits& limits,
                              const TextLineHandler& onLine);

} // namespace velmoro::platform
