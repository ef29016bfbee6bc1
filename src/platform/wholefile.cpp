#include "platform/wholefile.h"

#include "platform/logging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <algorithm>
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

// Where the bytes must go: the last name of a chain of symbolic links, so
// that the links themselves survive the rename, also when that last name
// does not exist yet. 0, or ELOOP for a chain that never ends.
int FollowLinks(const QString& path, QByteArray& target)
{
    target = QFile::encodeName(path);
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(target.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return 0;
        QByteArray link(4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(target.constData(), link.data(), std::size_t(link.size()));
        if (n < 0)
            return errno;
        if (n >= link.size())
            return ENAMETOOLONG;
        link.truncate(n);
        if (!link.startsWith('/'))
            link.prepend(target.left(target.lastIndexOf('/') + 1));
        target = link;
    }
    return ELOOP;
}

// Without this the rename may still be only in memory when the power goes,
// and the old file comes back. The new file is in place either way, so a
// failure is told but not returned.
void SyncDirectory(const QString& path, const QByteArray& dir)
{
    const int fd = ::open(dir.isEmpty() ? "." : dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int error = fd < 0 || ::fsync(fd) != 0 ? errno : 0;
    if (fd >= 0)
        ::close(fd);
    if (error != 0)
        qCWarning(lcPlatform).nospace()
            << "the rewritten " << path
            << " may not survive a power loss: syncing its directory: " << qPrintable(qt_error_string(error));
}

QByteArray DirectoryOf(const QByteArray& name)
{
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray() : name.left(slash + 1);
}

constexpr char kTemporaryMark[] = ".tmp-";

// ".NAME.tmp-HEX": the names OpenTemporary makes, and nothing else.
bool IsOurTemporaryName(const QString& name)
{
    const qsizetype mark = name.lastIndexOf(QLatin1String(kTemporaryMark));
    if (!name.startsWith(u'.') || mark < 2)
        return false;
    const QStringView suffix = QStringView(name).mid(mark + qsizetype(sizeof kTemporaryMark) - 1);
    if (suffix.isEmpty() || suffix.size() > 8)
        return false;
    return std::all_of(suffix.begin(), suffix.end(),
                       [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
}

thread_local WriteFailure t_lastFailure;

// The callers keep only the error code: the step that failed, and the
// system's words for the error, are told here.
int Failed(const char* action, const QString& path, const char* step, int error)
{
    t_lastFailure = {path, error};
    qCWarning(lcPlatform).nospace() << "cannot " << action << ' ' << path << ": " << step << ": "
                                    << qPrintable(qt_error_string(error));
    return error;
}

int OpenTemporary(const QByteArray& target, mode_t mode, TempFile& temp)
{
    const QByteArray dir = DirectoryOf(target);
    const QByteArray base = target.mid(dir.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = dir + '.' + base + kTemporaryMark +
                                QByteArray::number(QRandomGenerator::global()->generate(), 16);
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

WriteFailure LastWriteFailure()
{
    return t_lastFailure;
}

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
    QByteArray target;
    if (const int error = FollowLinks(path, target))
        return failed("following the symbolic link", error);
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
    SyncDirectory(path, DirectoryOf(target));
    return 0;
}

int RemoveStaleTemporaryFiles(const QString& directory)
{
    const QDir dir(directory);
    const QStringList candidates = dir.entryList(
        {QStringLiteral(".*.tmp-*")}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-kStaleTemporarySeconds);
    int removed = 0;
    for (const QString& name : candidates) {
        if (!IsOurTemporaryName(name))
            continue;
        const QString path = dir.filePath(name);
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile() || info.lastModified().toUTC() >= staleBefore)
            continue;
        if (::unlink(QFile::encodeName(path).constData()) == 0)
            ++removed;
        else
            qCWarning(lcPlatform).nospace()
                << "cannot remove the leftover " << path << ": " << qPrintable(qt_error_string(errno));
    }
    if (removed > 0)
        qCInfo(lcPlatform) << "removed" << removed << "leftover temporary files from" << directory;
    return removed;
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

QByteArray EncodeText(const QString& text)
{
    if (text.startsWith(QChar(0xFEFF)))
        return "\xEF\xBB\xBF" + text.toUtf8();
    return text.toUtf8();
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
