#pragma once
// The numbers a PLS list is read by.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace velmoro::playlist {

// NumberOfEntries: decimal, or hexadecimal after "0x", with an optional
// sign; 0 when missing, malformed or beyond 32 bits.
std::int64_t ParseEntryCount(const QString& text);

// The numbers k, 0 <= k <= count, of the keys "File" + k (any case) among
// keys, in ascending order.
std::vector<int> FileKeyNumbers(const QStringList& keys, std::int64_t count);

} // namespace velmoro::playlist
