#pragma once
// The two jump dialogs' rules, without a window: which playlist rows match
// the search text, which entry a chosen row stands for, and where a typed
// "mm:ss" moves the stream.
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace velmoro::dialogs {

// The playlist window's rows as the jump dialog searches them. The rows are
// upper-cased once when the dialog fills, so a key press costs one pass of
// substring searches and no case conversion of ten thousand rows.
class JumpRows {
public:
    JumpRows() = default;
    explicit JumpRows(QStringList rows);

    const QStringList& Rows() const { return m_rows; }

    // The rows that contain query, in order, both compared in upper case
    // (the query is not trimmed); every row when the query is only blanks.
    QStringList Filter(const QString& query) const;

    // The index of the row equal to row, character for character; the last
    // one when several are equal; none when no row is.
    std::optional<int> IndexOfRow(const QString& row) const;

private:
    QStringList m_rows;
    std::vector<QString> m_upperRows;
};

// Seconds written as minutes, a colon and at most two characters of
// seconds: "02:30" is 150, "2:5" is 125, "10:005" is 600 (the seconds are
// the two characters "00"), "1:75" is 135 (the seconds are not bounded).
// None without a colon, with nothing or a non-number on either side.
std::optional<std::int64_t> ParseMinutesSeconds(QStringView text);

// The byte position of a stream lengthBytes long that lasts trackSeconds at
// the given second: the product in 64 bits, since a long stream's length
// times its seconds passes 2^31. Past the 32-bit positions of the audio
// library it is the last one, which the library refuses as past the end.
// None when the length in seconds is 0 or less: there is nothing to divide by.
std::optional<std::uint32_t> JumpPositionBytes(std::int64_t seconds, std::uint32_t lengthBytes,
                                               std::int32_t trackSeconds);

// The message of an entry that is not a position.
QString BadPositionMessage();

} // namespace velmoro::dialogs
