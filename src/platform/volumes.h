#pragma once
// Mounted filesystems and their labels: the volume label of the filesystem
// that holds a file, and the search for a moved file on another mount of a
// filesystem with the same label (a CD or a stick mounted elsewhere).
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <cstdint>

namespace velmoro::platform {

// The drive kinds in the classic numbering; a volume of kind n answers to bit
// n − 2 of a drive-type set.
enum class DriveType : std::uint8_t {
    Unknown = 0,
    NoRoot = 1, // kernel pseudo filesystems: never searched
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct Volume {
    QString mountPoint; // without a trailing slash, except for "/"
    QString source;     // the device or server it comes from
    QString fsType;
    std::uint64_t device = 0; // makedev(major, minor) as the kernel reports it
    DriveType type = DriveType::Unknown;
    QString label;
};

// Parses the text of /proc/self/mountinfo; malformed lines are skipped. The
// type is judged from the filesystem type alone and the label is left empty.
QList<Volume> ParseMountInfo(QByteArrayView text);

// The mounted volumes, in mount order, with their kinds and labels; read at
// most every two seconds.
QList<Volume> MountedVolumes();
// The same, read now.
QList<Volume> ReadMountedVolumes();

// The label of the filesystem that holds path; empty when it has none or the
// file cannot be examined.
QString VolumeLabelOf(const QString& path);

// The label of the mounted filesystem with the given device number.
QString VolumeLabelOfDevice(std::uint64_t device);

// Looks for a file that was at path on a volume labelled label. Volumes are
// tried from the last mounted to the first, skipping those whose kind is not
// in driveTypes; on each, the path's tails (longest first) are tried under the
// mount point. Returns the first existing candidate, or an empty string.
QString FindOnVolumes(const QString& path, const QString& label, std::uint8_t driveTypes,
                      const QList<Volume>& volumes);

} // namespace velmoro::platform
