#include "skin/viscolor.h"

#include <QStringList>

#include <algorithm>

namespace velmoro::skin {

namespace {

// Leading and trailing blanks are allowed around a number, as the classic
// integer conversion skipped them.
std::optional<int> Component(QStringView part)
{
    bool ok = false;
    const qlonglong value = part.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return int(std::clamp<qlonglong>(value, 0, 255));
}

} // namespace

std::optional<SkinColor> ParseColorLine(const QString& line)
{
    QString candidate;
    const qsizetype comment = line.indexOf(u"//");
    if (comment >= 0)
        candidate = line.left(comment).trimmed();

    const qsizetype commas = line.count(u',');
    if (commas > 2) {
        qsizetype third = -1;
        for (int i = 0; i < 3; ++i)
            third = line.indexOf(u',', third + 1);
        candidate = line.left(third);
    } else if (commas == 2) {
        candidate = line;
    }

    for (QChar cut : {QChar(u'\t'), QChar(u' '), QChar(u'/')}) {
        const qsizetype at = candidate.indexOf(cut);
        if (at >= 0) {
            candidate.truncate(at);
            break;
        }
    }

    if (candidate.size() > 11 || candidate.size() < 5)
        return kPureBlue;
    const QList<QStringView> parts = QStringView(candidate).split(u',');
    if (parts.size() < 3)
        return std::nullopt;
    const std::optional<int> red = Component(parts[0]);
    const std::optional<int> green = Component(parts[1]);
    const std::optional<int> blue = Component(parts[2]);
    if (!red || !green || !blue)
        return std::nullopt;
    return SkinColor(*red) | SkinColor(*green) << 8 | SkinColor(*blue) << 16;
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
            colors[i] = ParseColorLine(QString::fromLatin1(kTexts[i])).value_or(0);
        return colors;
    }();
    return table;
}

bool ParseColorFile(QByteArrayView text, SkinColorTable& table)
{
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
        const std::optional<SkinColor> color = ParseColorLine(QString::fromLatin1(line));
        if (!color)
            return false;
        table[index++] = *color;
    }
    return true;
}

} // namespace velmoro::skin
