#include "trackinfo/templates.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace velmoro::trackinfo {

namespace {

constexpr QStringView kUnclosedItemError = u"<<<ERROR!!! No end of item definition!>>>";

// Widths come from user-edited templates; without a bound, "%T,L,999999999%"
// would make every row a gigabyte of padding. Padding stops here.
constexpr qsizetype kMaxWidth = 4096;

constexpr int kFieldCount = 5; // NAME, ALIGN, WIDTH, PAD, CASE

// One item of a template as written, with everything that does not depend on
// the table or the track worked out once.
struct ParsedItem {
    QString written; // the item with its delimiters, copied when unknown
    QString name;    // trimmed, upper case
    QString key;     // name case-folded, as the name index keeps it
    bool named = false;
    // For the built-in items (character code, new line, tab ...): their value
    // and default width.
    QString fixedValue;
    int fixedWidth = 0;
    // Parameters; a null QChar means "the item's own".
    QChar align;
    int width = 0; // −1 none, 0 the item's own; used only when align is set
    QChar pad = u' ';
    QChar caseLetter;
};

struct Segment {
    QString literal; // text copied before the item
    ParsedItem item;
};

struct ParsedTemplate {
    QString source;
    QChar delimiter;
    std::vector<Segment> segments;
    QString tail;
    bool unclosed = false;
};

bool IsDigitsAndPoints(QStringView name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(),
                                          [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
}

// %65% gives "A". A code that is no integer, 0, or no single UTF-16 character
// (a surrogate or above U+FFFF) gives character 1.
QChar CharacterOfCode(QStringView name)
{
    bool ok = false;
    const int code = name.toInt(&ok);
    if (!ok || code <= 0 || code > 0xFFFF || QChar::isSurrogate(char32_t(code)))
        return QChar(1);
    return QChar(code);
}

QChar FirstUpper(QStringView field)
{
    return field.isEmpty() ? QChar() : field.front().toUpper();
}

ParsedItem ParseItem(QStringView written)
{
    ParsedItem item;
    item.written = written.toString();

    std::array<QStringView, kFieldCount> fields;
    const QStringView inner = written.sliced(1, written.size() - 2);
    qsizetype start = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        const qsizetype comma = inner.indexOf(u',', start);
        if (comma < 0) {
            fields[i] = inner.sliced(start);
            break;
        }
        fields[i] = inner.sliced(start, comma - start);
        start = comma + 1;
    }
    for (QStringView& field : fields)
        field = TrimSpaces(field);

    item.name = fields[0].toString().toUpper();
    const QString& name = item.name;
    if (IsDigitsAndPoints(name)) {
        item.fixedValue = CharacterOfCode(name);
        item.fixedWidth = 1;
    } else if (name == u"NEWLINE" || name == u"NL") {
        item.fixedValue = QStringLiteral("\r\n");
        item.fixedWidth = 2;
    } else if (name == u"SOFTNEWLINE" || name == u"#") {
        item.fixedWidth = 0;
    } else if (name == u"TAB" || name == u"TB") {
        item.fixedValue = QStringLiteral("\t");
        item.fixedWidth = 1;
    } else {
        item.named = true;
        item.key = name.toCaseFolded();
    }

    const QChar align = FirstUpper(fields[1]);
    if (align == u'C' || align == u'L' || align == u'R' || align == u'T') {
        item.align = align;
        bool ok = false;
        item.width = fields[2].toInt(&ok);
        if (!ok)
            item.width = -1;
    }
    if (!fields[3].isEmpty())
        item.pad = fields[3].front();
    const QChar caseLetter = FirstUpper(fields[4]);
    if (caseLetter == u'C' || caseLetter == u'F' || caseLetter == u'L' || caseLetter == u'N' ||
        caseLetter == u'U')
        item.caseLetter = caseLetter;
    return item;
}

ParsedTemplate Parse(const QString& templ, QChar delimiter)
{
    ParsedTemplate parsed{templ, delimiter, {}, {}, false};
    QString literal;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype open = templ.indexOf(delimiter, pos);
        if (open < 0) {
            literal += QStringView(templ).sliced(pos);
            break;
        }
        literal += QStringView(templ).sliced(pos, open - pos);
        const qsizetype close = templ.indexOf(delimiter, open + 1);
        if (close < 0) {
            parsed.unclosed = true;
            break;
        }
        pos = close + 1;
        const QStringView written = QStringView(templ).sliced(open, close - open + 1);
        ParsedItem item = ParseItem(written);
        // An empty name ("%%", "% ,R,5%") stands for the delimiter itself and
        // takes no parameters, so it is plain text.
        if (item.name.isEmpty()) {
            literal += delimiter;
            continue;
        }
        parsed.segments.push_back({std::move(literal), std::move(item)});
        literal.clear();
    }
    parsed.tail = std::move(literal);
    return parsed;
}

// Expansion runs for every playlist row with the same few templates, so the
// last parses are kept; per thread, as the table is shared.
std::shared_ptr<const ParsedTemplate> ParsedFor(const QString& templ, QChar delimiter)
{
    constexpr int kCacheSize = 4; // a template and the composite items in it
    struct Cache {
        std::array<std::shared_ptr<const ParsedTemplate>, kCacheSize> entries;
        int next = 0;
    };
    thread_local Cache cache;
    for (const auto& entry : cache.entries) {
        if (entry && entry->delimiter == delimiter && entry->source == templ)
            return entry;
    }
    auto parsed = std::make_shared<const ParsedTemplate>(Parse(templ, delimiter));
    cache.entries[cache.next] = parsed;
    cache.next = (cache.next + 1) % kCacheSize;
    return parsed;
}

bool IsWordBreak(QChar c)
{
    return QStringView(u" !(),./:;<>?").contains(c);
}

void ApplyCase(QString& value, QChar caseLetter)
{
    if (value.isEmpty())
        return;
    switch (caseLetter.unicode()) {
    case u'U':
        value = value.toUpper();
        break;
    case u'L':
        value = value.toLower();
        break;
    case u'F':
        value[0] = value[0].toUpper();
        break;
    case u'C':
        for (qsizetype i = 0; i < value.size(); ++i) {
            if (i == 0 || IsWordBreak(value[i - 1]))
                value[i] = value[i].toUpper();
        }
        break;
    default:
        break;
    }
}

void ApplyWidth(QString& value, QChar align, int width, QChar pad)
{
    if (width < 0 || !(align == u'L' || align == u'R' || align == u'C'))
        return;
    const qsizetype target = std::min<qsizetype>(width, std::max(value.size(), kMaxWidth));
    const qsizetype missing = target - value.size();
    if (missing <= 0) {
        value.truncate(target);
    } else if (align == u'L') {
        value.append(QString(missing, pad));
    } else if (align == u'R') {
        value.prepend(QString(missing, pad));
    } else {
        const qsizetype left = missing / 2;
        value = QString(left, pad) + value + QString(missing - left, pad);
    }
}

// A value function's text up to its first character 0, without the spaces
// around it.
QString CleanValue(const QString& text)
{
    QStringView view(text);
    const qsizetype nul = view.indexOf(QChar(0));
    if (nul >= 0)
        view.truncate(nul);
    view = TrimSpaces(view);
    return view.size() == text.size() ? text : view.toString();
}

// A known item's value and the width, align and case its parameters start
// from.
struct ItemValue {
    QString text;
    int width;
    QChar align;
    QChar caseLetter;
};

ItemValue ValueOf(const TMacroDefinitions& definitions, const TMacro& macro, const QString& name,
                  const TMPEGAudio* track, const void* listData)
{
    QString text;
    bool hasFunction = false;
    switch (macro.Kind) {
    case MacroKind::File:
        hasFunction = macro.FileValue != nullptr;
        if (hasFunction)
            text = macro.FileValue(*track, definitions.Formats);
        break;
    case MacroKind::System:
        hasFunction = macro.SystemValue != nullptr;
        if (hasFunction)
            text = macro.SystemValue(definitions.Formats);
        break;
    case MacroKind::List:
        hasFunction = macro.ListValue != nullptr;
        if (hasFunction)
            text = macro.ListValue(listData);
        break;
    case MacroKind::Special:
        text = name + QStringLiteral("is NoExec Item!");
        return {text, int(text.size()), macro.DefaultAlign, macro.DefaultCase};
    case MacroKind::Composite:
        return {definitions.ExpandTemplate(macro.MacroText, track, listData), macro.DefaultWidth,
                macro.DefaultAlign, macro.DefaultCase};
    }
    if (!hasFunction) {
        text = name + QStringLiteral(" association error!!! ");
        return {text, int(text.size()), u'L', u'N'};
    }
    return {CleanValue(text), macro.DefaultWidth, macro.DefaultAlign, macro.DefaultCase};
}

} // namespace

QStringView TrimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

TextFormats TextFormats::FromLocale(const QLocale& locale)
{
    TextFormats formats;
    formats.shortDate = locale.dateFormat(QLocale::ShortFormat);

    // The long format ends in the time zone ("t"), which a track's file time
    // or the clock shown in a row has no use for.
    QString longTime;
    bool quoted = false;
    for (QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            longTime += c;
    }
    formats.longTime = longTime.trimmed();

    // The separator is whatever follows the hours, an opening quote skipped.
    const QString& time = formats.longTime;
    qsizetype pos = 0;
    while (pos < time.size() && time[pos] != u'h' && time[pos] != u'H')
        ++pos;
    while (pos < time.size() && (time[pos] == u'h' || time[pos] == u'H' || time[pos] == u'\''))
        ++pos;
    if (pos < time.size())
        formats.timeSeparator = time[pos];

    const QString group = locale.groupSeparator();
    formats.groupSeparator = group.isEmpty() ? QChar() : group.front();
    const QString decimal = locale.decimalPoint();
    formats.decimalSeparator = decimal.isEmpty() ? QChar(u'.') : decimal.front();
    return formats;
}

int TMacroDefinitions::Add(const TMacro& item)
{
    const int index = int(m_items.size());
    m_items.append(item);
    m_index.insert(item.ShortName.toCaseFolded(), index);
    m_index.insert(item.LongName.toCaseFolded(), index);
    return index;
}

int TMacroDefinitions::FindMacro(const QString& name) const
{
    return FindFolded(name.toCaseFolded());
}

QString TMacroDefinitions::ExpandTemplate(const QString& templ, const TMPEGAudio* trackData,
                                          const void* listData) const
{
    const std::shared_ptr<const ParsedTemplate> parsed = ParsedFor(templ, Delimiter);
    QString result;
    result.reserve(templ.size() + 64);

    for (const Segment& segment : parsed->segments) {
        result += segment.literal;
        const ParsedItem& item = segment.item;

        ItemValue value{item.fixedValue, item.fixedWidth, u'L', u'N'};
        if (item.named) {
            const int index = FindFolded(item.key);
            const TMacro* macro = index >= 0 ? &m_items[index] : nullptr;
            if (!macro || (macro->Kind == MacroKind::File && !trackData) ||
                (macro->Kind == MacroKind::List && !listData)) {
                result += item.written;
                continue;
            }
            value = ValueOf(*this, *macro, item.name, trackData, listData);
        }

        if (!item.align.isNull()) {
            value.align = item.align;
            if (item.width != 0)
                value.width = item.width;
        }
        if (!item.caseLetter.isNull())
            value.caseLetter = item.caseLetter;
        ApplyCase(value.text, value.caseLetter);
        ApplyWidth(value.text, value.align, value.width, item.pad);
        result += value.text;
    }

    result += parsed->tail;
    if (parsed->unclosed)
        result += kUnclosedItemError;
    return result;
}

QString FormatTemplate(const TMPEGAudio* track, const QString& templ)
{
    return MacroDefinitions().ExpandTemplate(templ, track, nullptr);
}

} // namespace velmoro::trackinfo
