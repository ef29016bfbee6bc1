#include "platform/filedate.h"

#include <QFileInfo>

namespace velmoro::platform {

namespace {
constexpr int kFirstYear = 1980;
constexpr int kLastYear = kFirstYear + 127;
} // namespace

std::int32_t PackDateTime(const QDateTime& local)
{
    if (!local.isValid())
        return 0;
    QDateTime t = local;
    const QDateTime first(QDate(kFirstYear, 1, 1), QTime(0, 0, 0), local.timeSpec());
    const QDateTime last(QDate(kLastYear, 12, 31), QTime(23, 59, 58), local.timeSpec());
    if (t < first)
        t = first;
    if (t > last)
        t = last;
    const QDate d = t.date();
    const QTime h = t.time();
    const std::uint32_t date = std::uint32_t((d.year() - kFirstYear) << 9 | d.month() << 5 | d.day());
    const std::uint32_t time = std::uint32_t(h.hour() << 11 | h.minute() << 5 | h.second() / 2);
    return std::int32_t(date << 16 | time);
}

QDateTime UnpackDateTime(std::int32_t packed)
{
    if (packed == 0)
        return {};
    const auto bits = std::uint32_t(packed);
    const int year = int(bits >> 25) + kFirstYear;
    const int month = int(bits >> 21 & 0x0F);
    const int day = int(bits >> 16 & 0x1F);
    const int hour = int(bits >> 11 & 0x1F);
    const int minute = int(bits >> 5 & 0x3F);
    const int second = int(bits & 0x1F) * 2;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

std::int32_t FileDateTimeOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return 0;
    return PackDateTime(info.lastModified().toLocalTime());
}

std::uint16_t FileAttributesOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return 0;
    return FileAttributes(
        info.fileName(),
        {.isDirectory = info.isDir(), .ownerWritable = bool(info.permissions() & QFileDevice::WriteOwner)});
}

std::uint16_t FileAttributes(const QString& fileName, const FileFacts& facts)
{
    std::uint16_t attr = facts.isDirectory ? 0x10 : 0x20;
    if (!facts.ownerWritable)
        attr |= 0x01;
    if (fileName.startsWith(u'.'))
        attr |= 0x02;
    return attr;
}

} // namespace velmoro::platform
