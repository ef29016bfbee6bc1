#include "platform/wholefile.h"

#include "platform/logging.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmoro::platform {

namespace {

// Closes the descriptor it holds; the temporary file is removed unless it
// was renamed into place.
class TempFile {
public:
    ~TempFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (!name.isEmpty())
            ::unlink(name.constData());
    }
    int fd = -1;
    QByteArray name;
};

int WriteAll(int fd, QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, std::size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        data += n;
        left -= n;
    }
    return 0;
}

int CloseChecked(int& fd)
{
    const int result = ::close(fd);
    fd = -1;
    return result == 0 ? 0 : errno;
}

// Where the bytes must go: the target of a symbolic link, so that the link
// itself survives the rename.
QByteArray TargetName(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        if (!target.isEmpty())
            return QFile::encodeName(target);
    }
    return QFile::encodeName(path);
}

// The callers keep only the error code: the step that failed, and the
// system's words for the error, are told here.
int Failed(const char* action, const QString& path, const char* step, int error)
{
    qCWarning(lcPlatform).nospace() << "cannot " << action << ' ' << path << ": " << step << ": "
                                    << qPrintable(qt_error_string(error));
    return error;
}

int OpenTemporary(const QByteArray& target, mode_t mode, TempFile& temp)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray base = target.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name =
            dir + '.' + base + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            temp.fd = fd;
            temp.name = name;
            return 0;
        }
        if (errno != EEXIST && errno != EINTR)
            return errno;
    }
    return EEXIST;
}

} // namespace

int ReadWholeFile(const QString& path, std::int64_t maxSize, QByteArray& out)
{
    out.clear();
    const QByteArray name = QFile::encodeName(path);
    // Non-blocking, so that a FIFO in the file's place cannot hang the read.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    TempFile guard; // only closes: its name stays empty
    guard.fd = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return EISDIR;
    if (!S_ISREG(st.st_mode))
        return EINVAL;
    if (st.st_size > maxSize)
        return EFBIG;
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            break; // the file shrank while it was read
        done += n;
    }
    bytes.truncate(done);
    out = std::move(bytes);
    return 0;
}

int WriteFileAtomically(const QString& path, QByteArrayView bytes)
{
    const auto failed = [&](const char* step, int error) { return Failed("rewrite", path, step, error); };
    const QByteArray target = TargetName(path);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    TempFile temp;
    if (const int error = OpenTemporary(target, 0666, temp))
        return failed("creating the temporary file", error);
    // An existing file keeps its permissions; a new one gets those of the
    // umask, as any newly created file would.
    if (exists && ::fchmod(temp.fd, old.st_mode & 07777) != 0)
        return failed("keeping the permissions", errno);
    if (const int error = WriteAll(temp.fd, bytes))
        return failed("writing", error);
    if (::fsync(temp.fd) != 0)
        return failed("syncing", errno);
    if (const int error = CloseChecked(temp.fd))
        return failed("closing", error);
    if (::rename(temp.name.constData(), target.constData()) != 0)
        return failed("renaming over the old file", errno);
    temp.name.clear();
    return 0;
}

int AppendToFile(const QString& path, QByteArrayView bytes)
{
    const auto failed = [&](const char* step, int error) { return Failed("append to", path, step, error); };
    TempFile file; // only closes: its name stays empty
    file.fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
    if (file.fd < 0)
        return failed("opening", errno);
    struct stat st {};
    if (::fstat(file.fd, &st) != 0)
        return failed("examining", errno);
    int error = WriteAll(file.fd, bytes);
    if (error == 0 && ::fsync(file.fd) != 0)
        error = errno;
    if (error != 0 && S_ISREG(st.st_mode)) {
        // Best effort: a failed append must not leave half a line behind.
        [[maybe_unused]] const int ignored = ::ftruncate(file.fd, st.st_size);
    }
    if (error == 0)
        error = CloseChecked(file.fd);
    return error != 0 ? failed("writing", error) : 0;
}

QString DecodeText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

TextLines SplitLines(const QString& text)
{
    TextLines result;
    bool breakSeen = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype breakLength = c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
        if (!breakSeen) {
            result.lineBreak = text.mid(i, breakLength);
            breakSeen = true;
        }
        result.lines << text.mid(start, i - start);
        i += breakLength - 1;
        start = i + 1;
    }
    result.finalLineBreak = start == text.size();
    if (!result.finalLineBreak)
        result.lines << text.mid(start);
    return result;
}

} // namespace velmoro::platform
