#pragma once
// File time stamps in the packed form that stored playlist records carry: the
// date in the high 16 bits (year − 1980, month, day) and the time in the low
// 16 bits (hours, minutes, seconds / 2), local time.
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace velmoro::platform {

// Packs a local date-time. Moments before 1980 or after 2107 cannot be packed:
// they are clamped to the first or last representable second, so a real file
// never gets the stamp 0 (which means "no date").
std::int32_t PackDateTime(const QDateTime& local);

// Unpacks a stamp; an invalid QDateTime when the stamp is 0 or not a real date.
QDateTime UnpackDateTime(std::int32_t packed);

// The packed modification time of a file; 0 when the file cannot be examined.
std::int32_t FileDateTimeOf(const QString& path);

// Attribute bits in the classic layout (read-only 0x01, hidden 0x02,
// directory 0x10, archive 0x20) derived from the file's mode and name.
std::uint16_t FileAttributesOf(const QString& path);
// What the attribute bits are made from, besides the name.
struct FileFacts {
    bool isDirectory = false;
    bool ownerWritable = false;
};
std::uint16_t FileAttributes(const QString& fileName, const FileFacts& facts);

} // namespace velmoro::platform
