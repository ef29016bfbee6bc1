#include "platform/textlines.h"

#include "platform/logging.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmoro::platform {

namespace {

constexpr qsizetype kChunkBytes = 64 * 1024;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// As DecodeText, but a byte-order mark at the start of a line is a character:
// only the one at the start of the file is a mark, and Scan drops it.
QString DecodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

TextLineReader::~TextLineReader()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int TextLineReader::Open(const QString& path)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_path = path;
    // Non-blocking, so that a FIFO in the file's place cannot hang the open.
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return errno;
    struct stat st {};
    int error = 0;
    if (::fstat(m_fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    if (error != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    return error;
}

int TextLineReader::Scan(const std::function<bool(const QByteArray& line, bool tooLong)>& onRaw)
{
    if (m_fd < 0)
        return EBADF;
    if (::lseek(m_fd, 0, SEEK_SET) < 0)
        return errno;
    QByteArray chunk(kChunkBytes, Qt::Uninitialized);
    QByteArray line;
    bool tooLong = false;
    bool lineStarted = false;
    bool afterCarriageReturn = false; // a LF right after it ends no line
    bool atStart = true;
    for (;;) {
        const ssize_t n = ::read(m_fd, chunk.data(), std::size_t(chunk.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        const char* p = chunk.constData();
        const char* const end = p + n;
        if (atStart && n >= 3 && QByteArrayView(p, 3) == QByteArrayView(kByteOrderMark, 3))
            p += 3;
        atStart = false;
        while (p < end) {
            if (afterCarriageReturn) {
                afterCarriageReturn = false;
                if (*p == '\n') {
                    ++p;
                    continue;
                }
            }
            const char* lineEnd = p;
            while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
                ++lineEnd;
            const qsizetype length = lineEnd - p;
            lineStarted = lineStarted || length > 0;
            if (!tooLong && line.size() + length > m_limits.maxLineBytes) {
                tooLong = true;
                line.clear();
            }
            if (!tooLong)
                line.append(p, length);
            if (lineEnd == end)
                break;
            afterCarriageReturn = *lineEnd == '\r';
            p = lineEnd + 1;
            if (!onRaw(line, tooLong))
                return 0;
            line.clear();
            tooLong = false;
            lineStarted = false;
        }
    }
    if (lineStarted)
        onRaw(line, tooLong);
    return 0;
}

qint64 TextLineReader::CountLines()
{
    qint64 lines = 0;
    const int error = Scan([&](const QByteArray&, bool) {
        ++lines;
        return true;
    });
    return error != 0 ? -1 : lines;
}

TextLinesResult TextLineReader::Read(const TextLineHandler& onLine)
{
    TextLinesResult result;
    qint64 lineNumber = 0;
    const int error = Scan([&](const QByteArray& bytes, bool tooLong) {
        ++lineNumber;
        if (tooLong) {
            ++result.longLinesSkipped;
            return true;
        }
        if (result.entries >= m_limits.maxEntries) {
            // Only a line that could name something more makes the cap count.
            if (bytes.trimmed().isEmpty())
                return true;
            result.end = TextLinesEnd::EntryCapReached;
            return false;
        }
        switch (onLine(DecodeLine(bytes))) {
        case LineUse::Entry:
            ++result.entries;
            return true;
        case LineUse::NotEntry:
            return true;
        case LineUse::Stop:
            result.end = TextLinesEnd::Stopped;
            return false;
        }
        return true;
    });
    if (error != 0) {
        result.end = TextLinesEnd::Failed;
        result.error = error;
    }
    if (result.longLinesSkipped > 0)
        qCWarning(lcPlatform).nospace() << "skipped " << result.longLinesSkipped << " lines longer than "
                                        << m_limits.maxLineBytes << " bytes in " << m_path;
    if (result.end == TextLinesEnd::EntryCapReached)
        qCWarning(lcPlatform).nospace() << "read only the first " << m_limits.maxEntries << " entries of "
                                        << m_path << " (line " << lineNumber << " on skipped)";
    return result;
}

TextLinesResult ReadTextLines(const QString& path, const TextLineLimits& limits,
                              const TextLineHandler& onLine)
{
    TextLineReader reader(limits);
    if (const int error = reader.Open(path))
        return {TextLinesEnd::Failed, error, 0, 0};
    return reader.Read(onLine);
}

} // namespace velmoro::platform
