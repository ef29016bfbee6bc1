#include "platform/volumes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace velmoro::platform {

namespace {

// mountinfo and udev escape blanks and the like as \ooo (octal) and \xhh.
QString Unescape(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3') {
            bool ok = false;
            const int v = QByteArray(field.sliced(i + 1, 3).data(), 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        if (c == '\\' && i + 3 < field.size() && field[i + 1] == 'x') {
            bool ok = false;
            const int v = QByteArray(field.sliced(i + 2, 2).data(), 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        out.append(c);
    }
    return QString::fromUtf8(out);
}

DriveType TypeOfFilesystem(const QString& fs)
{
    static const QStringList pseudo = {
        "proc",       "sysfs",      "devtmpfs",  "devpts",      "cgroup",      "cgroup2",
        "securityfs", "pstore",     "debugfs",   "tracefs",     "configfs",    "fusectl",
        "mqueue",     "hugetlbfs",  "bpf",       "autofs",      "binfmt_misc", "nsfs",
        "efivarfs",   "rpc_pipefs", "selinuxfs", "fuse.portal",
    };
    static const QStringList remote = {"nfs",  "nfs4",       "cifs", "smb3",  "smbfs",      "9p",
                                       "ceph", "fuse.sshfs", "afs",  "davfs", "fuse.rclone"};
    if (pseudo.contains(fs))
        return DriveType::NoRoot;
    if (fs == "iso9660" || fs == "udf")
        return DriveType::CdRom;
    if (remote.contains(fs))
        return DriveType::Remote;
    if (fs == "tmpfs" || fs == "ramfs")
        return DriveType::RamDisk;
    return DriveType::Fixed;
}

bool IsRemovableDevice(const QString& devicePath)
{
    if (!devicePath.startsWith("/dev/"))
        return false;
    const QString name = QFileInfo(devicePath).canonicalFilePath().section(u'/', -1);
    if (name.isEmpty())
        return false;
    // A partition's own directory has no "removable"; its disk is the parent.
    QString dir = QFileInfo("/sys/class/block/" + name).canonicalFilePath();
    for (int up = 0; up < 2 && !dir.isEmpty(); ++up) {
        QFile flag(dir + "/removable");
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
        dir = QFileInfo(dir).path();
    }
    return false;
}

// Canonical device path → label, from the links udev keeps.
QHash<QString, QString> LabelsByDevice()
{
    QHash<QString, QString> labels;
    const QDir dir("/dev/disk/by-label");
    const auto entries = dir.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& link : entries) {
        const QString target = link.canonicalFilePath();
        if (!target.isEmpty())
            labels.insert(target, Unescape(link.fileName().toUtf8()));
    }
    return labels;
}

QByteArray ReadMountInfo()
{
    QFile file("/proc/self/mountinfo");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

QList<Volume> ParseMountInfo(QByteArrayView text)
{
    QList<Volume> volumes;
    for (QByteArrayView line : QByteArray(text.data(), text.size()).split('\n')) {
        // id parent major:minor root mountpoint options [optional...] - fstype source superopts
        const QList<QByteArray> fields = QByteArray(line.data(), line.size()).split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (fields.size() < 5 || dash < 5 || dash + 2 >= fields.size())
            continue;
        const QList<QByteArray> majorMinor = fields[2].split(':');
        bool okMajor = false;
        bool okMinor = false;
        const unsigned major = majorMinor.value(0).toUInt(&okMajor);
        const unsigned minor = majorMinor.value(1).toUInt(&okMinor);
        if (majorMinor.size() != 2 || !okMajor || !okMinor)
            continue;
        Volume v;
        v.mountPoint = Unescape(fields[4]);
        v.fsType = Unescape(fields[dash + 1]);
        v.source = Unescape(fields[dash + 2]);
        v.device = makedev(major, minor);
        v.type = TypeOfFilesystem(v.fsType);
        if (!v.mountPoint.startsWith(u'/'))
            continue;
        volumes.append(v);
    }
    return volumes;
}

QList<Volume> MountedVolumes()
{
    // Looking for many moved files (a playlist saved with missing entries)
    // would read the mount table for each; mounts change rarely.
    static QMutex mutex;
    static QList<Volume> cached;
    static QElapsedTimer age;
    QMutexLocker lock(&mutex);
    if (age.isValid() && age.elapsed() < 2000)
        return cached;
    cached = ReadMountedVolumes();
    age.start();
    return cached;
}

QList<Volume> ReadMountedVolumes()
{
    QList<Volume> volumes = ParseMountInfo(ReadMountInfo());
    const QHash<QString, QString> labels = LabelsByDevice();
    for (Volume& v : volumes) {
        if (!v.source.startsWith("/dev/"))
            continue;
        v.label = labels.value(QFileInfo(v.source).canonicalFilePath());
        if (v.type == DriveType::Fixed && IsRemovableDevice(v.source))
            v.type = DriveType::Removable;
    }
    return volumes;
}

QString VolumeLabelOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return VolumeLabelOfDevice(std::uint64_t(st.st_dev));
}

QString VolumeLabelOfDevice(std::uint64_t device)
{
    // Reading the mount table and udev's links for every file of a big
    // playlist would cost more than reading the files; mounts change rarely,
    // so a device's label is kept for a few seconds.
    static QMutex mutex;
    static QHash<std::uint64_t, QString> cache;
    static QElapsedTimer age;
    QMutexLocker lock(&mutex);
    if (!age.isValid() || age.elapsed() > 5000) {
        cache.clear();
        age.start();
    }
    if (auto it = cache.constFind(device); it != cache.cend())
        return *it;

    QString label;
    const QList<Volume> volumes = ReadMountedVolumes();
    for (auto it = volumes.crbegin(); it != volumes.crend(); ++it) {
        if (it->device == device) {
            label = it->label;
            break;
        }
    }
    cache.insert(device, label);
    return label;
}

QString FindOnVolumes(const QString& path, const QString& label, std::uint8_t driveTypes,
                      const QList<Volume>& volumes)
{
    const QStringList parts = QDir::cleanPath(path).split(u'/', Qt::SkipEmptyParts);
    for (auto it = volumes.crbegin(); it != volumes.crend(); ++it) {
        const int kind = int(it->type);
        if (kind < 2 || !(driveTypes >> (kind - 2) & 1) || it->label != label)
            continue;
        const QString root = it->mountPoint.endsWith(u'/') ? it->mountPoint : it->mountPoint + u'/';
        for (qsizetype first = 0; first < parts.size(); ++first) {
            const QString candidate = root + parts.sliced(first).join(u'/');
            if (QFileInfo(candidate).isFile())
                return candidate;
        }
    }
    return {};
}

} // namespace velmoro::platform
