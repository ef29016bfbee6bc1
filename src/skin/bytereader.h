#pragma once
// Little-endian reads from untrusted bytes: out-of-range reads give 0, so
// parsers can read first and validate after.
#include <QByteArrayView>

#include <cstdint>

namespace velmoro::skin {

inline std::uint8_t U8(QByteArrayView b, qsizetype at)
{
    return at >= 0 && at < b.size() ? std::uint8_t(b[at]) : 0;
}

inline std::uint16_t U16(QByteArrayView b, qsizetype at)
{
    return std::uint16_t(U8(b, at) | (U8(b, at + 1) << 8));
}

inline std::uint32_t U32(QByteArrayView b, qsizetype at)
{
    return std::uint32_t(U16(b, at)) | (std::uint32_t(U16(b, at + 2)) << 16);
}

inline std::int32_t I32(QByteArrayView b, qsizetype at)
{
    return std::int32_t(U32(b, at));
}

// True when [at, at + length) lies inside b.
inline bool Holds(QByteArrayView b, qsizetype at, qsizetype length)
{
    return at >= 0 && length >= 0 && at <= b.size() && length <= b.size() - at;
}

} // namespace velmoro::skin
