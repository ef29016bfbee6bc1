#include "platform/volumes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/sysmacros.h>

using namespace velmoro::platform;

TEST(MountInfo, ParsesKindsEscapesAndSkipsBadLines)
{
    const QByteArray text = "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
                            "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
                            "40 22 11:0 / /media/me/My\\040Disc ro master:7 - iso9660 /dev/sr0 ro\n"
                            "41 22 0:50 / /mnt/share rw - cifs //server/share rw\n"
                            "42 22 0:51 / /run/user rw - tmpfs tmpfs rw\n"
                            "garbage line\n"
                            "43 22 8:17 / relative rw - vfat /dev/sdb1 rw\n"
                            "44 22 x:y / /bad rw - vfat /dev/sdb1 rw\n"
                            "45 22 8:17 / /media/stick rw - vfat /dev/sdb1 rw";
    const QList<Volume> v = ParseMountInfo(text);
    ASSERT_EQ(v.size(), 6);
    EXPECT_EQ(v[0].mountPoint, "/");
    EXPECT_EQ(v[0].device, makedev(8, 2));
    EXPECT_EQ(v[0].type, DriveType::Fixed);
    EXPECT_EQ(v[1].type, DriveType::NoRoot);
    EXPECT_EQ(v[2].mountPoint, "/media/me/My Disc");
    EXPECT_EQ(v[2].type, DriveType::CdRom);
    EXPECT_EQ(v[2].source, "/dev/sr0");
    EXPECT_EQ(v[3].type, DriveType::Remote);
    EXPECT_EQ(v[4].type, DriveType::RamDisk);
    EXPECT_EQ(v[5].mountPoint, "/media/stick");
    EXPECT_EQ(v[5].device, makedev(8, 17));
}

TEST(MountInfo, RealTableHasTheRoot)
{
    const QList<Volume> volumes = MountedVolumes();
    EXPECT_TRUE(
        std::any_of(volumes.begin(), volumes.end(), [](const Volume& v) { return v.mountPoint == "/"; }));
    // A file on an unlabelled scratch filesystem has an empty label, not garbage.
    QTemporaryDir dir;
    const QString label = VolumeLabelOf(dir.path());
    EXPECT_FALSE(label.contains(u'\n'));
    EXPECT_EQ(VolumeLabelOf(dir.filePath("missing")), "");
}

TEST(MovedFiles, FoundByLabelUnderAnotherMountPoint)
{
    QTemporaryDir oldMount;
    QTemporaryDir newMount;
    QTemporaryDir otherDisc;
    ASSERT_TRUE(QDir(newMount.path()).mkpath("album"));
    QFile(newMount.filePath("album/song.mp3")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QDir(otherDisc.path()).mkpath("album"));
    QFile(otherDisc.filePath("album/song.mp3")).open(QIODevice::WriteOnly);
    const QString was = oldMount.filePath("album/song.mp3");

    Volume disc{newMount.path(), "/dev/sr0", "iso9660", 1, DriveType::CdRom, "CD_2001"};
    Volume other{otherDisc.path(), "/dev/sr1", "iso9660", 2, DriveType::CdRom, "OTHER"};
    Volume stick{newMount.path(), "/dev/sdb1", "vfat", 3, DriveType::Removable, "CD_2001"};

    EXPECT_EQ(FindOnVolumes(was, "CD_2001", 0x1E, {disc, other}), newMount.filePath("album/song.mp3"));
    EXPECT_EQ(FindOnVolumes(was, "cd_2001", 0x1E, {disc}), "");         // labels compare exactly
    EXPECT_EQ(FindOnVolumes(was, "CD_2001", 0x1E & ~0x08, {disc}), ""); // CD drives not searched
    EXPECT_EQ(FindOnVolumes(was, "CD_2001", 0x1E, {stick}), "");        // removable not by default
    EXPECT_EQ(FindOnVolumes(was, "CD_2001", 0x1F, {stick}), newMount.filePath("album/song.mp3"));
    EXPECT_EQ(FindOnVolumes(oldMount.filePath("album/nothere.mp3"), "CD_2001", 0x1E, {disc}), "");
}
