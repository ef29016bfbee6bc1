#include "dialogs/jumpmodel.h"

#include <cmath>
#include <limits>

namespace velmoro::dialogs {

namespace {

// A whole number of ASCII digits: no sign, no blank, no empty text, and
// small enough that minutes × 60 cannot overflow.
std::optional<std::int64_t> Digits(QStringView text)
{
    if (text.isEmpty() || text.size() > 12)
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

JumpRows::JumpRows(QStringList rows) : m_rows(std::move(rows))
{
    m_upperRows.reserve(std::size_t(m_rows.size()));
    for (const QString& row : m_rows)
        m_upperRows.push_back(row.toUpper());
}

QStringList JumpRows::Filter(const QString& query) const
{
    if (query.trimmed().isEmpty())
        return m_rows;
    const QString upperQuery = query.toUpper();
    QStringList matches;
    for (std::size_t i = 0; i < m_upperRows.size(); ++i)
        if (m_upperRows[i].contains(upperQuery))
            matches << m_rows[qsizetype(i)];
    return matches;
}

std::optional<int> JumpRows::IndexOfRow(const QString& row) const
{
    const qsizetype index = m_rows.lastIndexOf(row);
    return index < 0 ? std::nullopt : std::optional<int>(int(index));
}

std::optional<std::int64_t> ParseMinutesSeconds(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const std::optional<std::int64_t> minutes = Digits(text.first(colon));
    const std::optional<std::int64_t> seconds = Digits(text.sliced(colon + 1).left(2));
    if (!minutes || !seconds)
        return std::nullopt;
    return *minutes * 60 + *seconds;
}

std::optional<std::uint32_t> JumpPositionBytes(std::int64_t seconds, std::uint32_t lengthBytes,
                                               std::int32_t trackSeconds)
{
    if (trackSeconds <= 0 || seconds < 0)
        return std::nullopt;
    constexpr std::uint32_t kLast = std::numeric_limits<std::uint32_t>::max();
    // Below 2^31 seconds the product of a 32-bit length stays under 2^63;
    // anything later is past the end of every stream.
    if (seconds >= std::int64_t(1) << 31)
        return kLast;
    const std::int64_t product = seconds * std::int64_t(lengthBytes);
    const double target = std::trunc(double(product) / double(trackSeconds));
    return target >= double(kLast) ? kLast : std::uint32_t(target);
}

QString BadPositionMessage()
{
    return QStringLiteral("Formato mm:ss non valido!");
}

} // namespace velmoro::dialogs
