#pragma once
// Reads the fields of a stored track record: length-prefixed strings capped
// at their capacity (a damaged length never reads past its field) and
// little-endian numbers. The caller checks that the block is long enough.
#include "trackinfo/mpegaudiodata.h"

#include <QByteArrayView>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace velmoro::trackinfo {

class RecordFieldReader {
public:
    explicit RecordFieldReader(QByteArrayView bytes) : m_bytes(bytes) {}

    QByteArrayView String(int at, int capacity) const
    {
        const int length = std::min<int>(std::uint8_t(m_bytes[at]), capacity);
        return m_bytes.sliced(at + 1, length);
    }
    QByteArrayView Raw(int at, int size) const { return m_bytes.sliced(at, size); }
    QString Latin1(int at, int capacity) const { return QString::fromLatin1(String(at, capacity)); }
    // File names and labels: UTF-8 when they are, else Latin-1 (older records).
    QString Name(int at, int capacity) const
    {
        const QByteArrayView b = String(at, capacity);
        return IsValidUtf8(b) ? QString::fromUtf8(b) : QString::fromLatin1(b);
    }
    template <typename T> T Int(int at) const { return qFromLittleEndian<T>(m_bytes.data() + at); }
    bool Bool(int at) const { return m_bytes[at] != 0; }
    double Double(int at) const
    {
        double value = 0;
        std::memcpy(&value, m_bytes.data() + at, sizeof value);
        return value;
    }

private:
    QByteArrayView m_bytes;
};

} // namespace velmoro::trackinfo
