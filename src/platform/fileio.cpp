#include "platform/fileio.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmoro::platform {

NativeFile::~NativeFile()
{
    Close();
}

int NativeFile::Open(const QString& path, Mode mode)
{
    Close();
    // Non-blocking, so that a FIFO in a file's place cannot hang the open.
    const int flags = (mode == Mode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK;
    do {
        m_fd = ::open(QFile::encodeName(path).constData(), flags);
    } while (m_fd < 0 && errno == EINTR);
    return m_fd < 0 ? errno : 0;
}

void NativeFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::int64_t NativeFile::Size() const
{
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return -1;
    return st.st_size;
}

bool NativeFile::Status(FileStatus& status) const
{
    struct stat st {};
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return false;
    status.size = st.st_size;
    status.modifiedSecs = st.st_mtim.tv_sec;
    status.isRegular = S_ISREG(st.st_mode);
    status.ownerWritable = st.st_mode & S_IWUSR;
    status.device = std::uint64_t(st.st_dev);
    return true;
}

std::int64_t NativeFile::ReadAt(std::int64_t offset, void* buffer, std::int64_t count) const
{
    auto* out = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(m_fd, out + done, std::size_t(count - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

int NativeFile::WriteAt(std::int64_t offset, const void* buffer, std::int64_t count)
{
    const auto* in = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(m_fd, in + done, std::size_t(count - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += n;
    }
    return 0;
}

int NativeFile::Truncate(std::int64_t length)
{
    return ::ftruncate(m_fd, off_t(length)) == 0 ? 0 : errno;
}

int NativeFile::Sync()
{
    return ::fsync(m_fd) == 0 ? 0 : errno;
}

} // namespace velmoro::platform
