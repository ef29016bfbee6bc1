#include "skin/viscolor.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace velmoro::skin {

namespace {

// A component is the first word of its part, so blanks, tabs and words after
// the number fall away ("24, 33, 41 // x", "41\tbackground").
std::optional<int> Component(QStringView part)
{
    const QStringView trimmed = part.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && !trimmed[end].isSpace())
        ++end;
    bool ok = false;
    const qlonglong value = trimmed.first(end).toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return int(std::clamp<qlonglong>(value, 0, 255));
}

} // namespace

ColorLine ParseColorLine(QStringView line)
{
    const qsizetype comment = line.indexOf(u"//");
    const QStringView numbers = comment >= 0 ? line.first(comment) : line;
    const QList<QStringView> parts = numbers.split(u',');
    if (parts.size() < 3)
        return {ColorLine::PureBlue, kPureBlue};
    const std::optional<int> red = Component(parts[0]);
    const std::optional<int> green = Component(parts[1]);
    const std::optional<int> blue = Component(parts[2]);
    if (!red || !green || !blue)
        return {ColorLine::NotNumeric, 0};
    return {ColorLine::Read, SkinColor(*red) | SkinColor(*green) << 8 | SkinColor(*blue) << 16};
}

const SkinColorTable& BuiltInSkinColors()
{
    static const SkinColorTable table = [] {
        // The texts as the classic players stored them, trailing blanks included.
        static const char* const kTexts[] = {
            "0,0,0",       "24,33,41",    "239,49,16",   "206,41,16",    "214,90,0",    "214,102,0",
            "214,115,0",   "198,123,8",   "222,165,24",  "214,181,33",   "189,222,41",  "148,222,33",
            "41,206,16",   "50,190,16",   "57,181,16",   "49,156,8 ",    "41,148,0 ",   "24,132,8  ",
            "255,255,255", "214,214,222", "181,189,189", "160,170,175 ", "148,156,165", "150,150,150",
        };
        SkinColorTable colors{};
        for (std::size_t i = 0; i < std::size(kTexts); ++i)
            colors[i] = ParseColorLine(QString::fromLatin1(kTexts[i])).color;
        return colors;
    }();
    return table;
}

int ParseColorFile(QByteArrayView text, SkinColorTable& table)
{
    int notNumeric = 0;
    int index = 0;
    qsizetype at = 0;
    while (index < kSkinColorCount && at < text.size()) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(at, end - at);
        at = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const ColorLine parsed = ParseColorLine(QString::fromLatin1(line));
        if (parsed.kind == ColorLine::NotNumeric)
            ++notNumeric;
        else
            table[std::size_t(index)] = parsed.color;
        ++index;
    }
    return notNumeric;
}

} // namespace velmoro::skin
