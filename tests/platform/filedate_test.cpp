#include "platform/filedate.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::platform;

TEST(PackedDateTime, RoundTripsToTwoSeconds)
{
    const QDateTime t(QDate(2024, 2, 29), QTime(23, 59, 59));
    const std::int32_t packed = PackDateTime(t);
    EXPECT_EQ(std::uint32_t(packed), (44u << 25 | 2u << 21 | 29u << 16 | 23u << 11 | 59u << 5 | 29u));
    EXPECT_EQ(UnpackDateTime(packed), QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
}

TEST(PackedDateTime, OutOfRangeMomentsAreClampedNeverZero)
{
    EXPECT_EQ(UnpackDateTime(PackDateTime(QDateTime(QDate(1970, 1, 1), QTime(0, 0)))),
              QDateTime(QDate(1980, 1, 1), QTime(0, 0)));
    EXPECT_EQ(UnpackDateTime(PackDateTime(QDateTime(QDate(2200, 6, 1), QTime(12, 0)))),
              QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58)));
    EXPECT_EQ(PackDateTime(QDateTime()), 0);
}

TEST(PackedDateTime, ImpossibleStampsUnpackToNothing)
{
    EXPECT_FALSE(UnpackDateTime(0).isValid());
    EXPECT_FALSE(UnpackDateTime(std::int32_t(0u << 25 | 13u << 21 | 1u << 16)).isValid()); // month 13
    EXPECT_FALSE(UnpackDateTime(std::int32_t(0u << 25 | 2u << 21 | 30u << 16)).isValid()); // 30 February
    EXPECT_FALSE(UnpackDateTime(std::int32_t(0u << 25 | 1u << 21 | 1u << 16 | 24u << 11)).isValid());
}

TEST(FileIdentity, DateAndAttributesOfRealFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.mp3");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QDateTime when(QDate(2021, 5, 4), QTime(10, 20, 30));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(UnpackDateTime(FileDateTimeOf(path)), when);
    EXPECT_EQ(FileDateTimeOf(dir.filePath("missing")), 0);

    EXPECT_EQ(FileAttributesOf(path), 0x20);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    EXPECT_EQ(FileAttributesOf(path), 0x21);
    EXPECT_EQ(FileAttributesOf(dir.path()) & 0x10, 0x10);
    const QString hidden = dir.filePath(".hidden");
    QFile(hidden).open(QIODevice::WriteOnly);
    EXPECT_EQ(FileAttributesOf(hidden), 0x22);
}
