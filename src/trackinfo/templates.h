#pragma once
// Text templates: "%NAME,ALIGN,WIDTH,PAD,CASE%" items that stand for fields of
// a track, expanded into the scrolling title, playlist rows and sort keys.
#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>

class QLocale;

namespace velmoro::trackinfo {

class TMPEGAudio;

enum class MacroKind : std::uint8_t {
    File = 0,      // value read from the track
    Special = 1,   // no value of its own (new line, tab, character code ...)
    System = 2,    // value from the system (date, time, version)
    List = 3,      // value from the caller's list data
    Composite = 4, // a template expanded in place of the item
};

// How dates, times and numbers look; taken from the user's locale, fixed in
// tests.
struct TextFormats {
    QString shortDate = QStringLiteral("dd/MM/yyyy"); // QDateTime format strings
    QString longTime = QStringLiteral("HH:mm:ss");
    QChar timeSeparator = u':';
    QChar groupSeparator = u'.';
    QChar decimalSeparator = u',';

    static TextFormats FromLocale(const QLocale& locale);
};

using FileValueFunc = QString (*)(const TMPEGAudio& track, const TextFormats& formats);
using SystemValueFunc = QString (*)(const TextFormats& formats);
using ListValueFunc = QString (*)(const void* listData);

struct TMacro {
    QString ShortName;
    QString LongName;
    std::int32_t DefaultWidth = 0;
    QChar DefaultAlign = u'L';
    QChar DefaultCase = u'N';
    QString Description;
    QString Group;
    MacroKind Kind = MacroKind::File;
    // The one that matches Kind is set, or none.
    FileValueFunc FileValue = nullptr;
    SystemValueFunc SystemValue = nullptr;
    ListValueFunc ListValue = nullptr;
    QString MacroText; // Composite items only
};

class TMacroDefinitions {
public:
    int Add(const TMacro& item);
    // Index of the item whose long or short name equals name, ignoring case;
    // the last such item when several match; −1 when none does.
    int FindMacro(const QString& name) const;
    // trackData and listData may be null: items that need them are then
    // copied through as written.
    QString ExpandTemplate(const QString& templ, const TMPEGAudio* trackData, const void* listData) const;

    const QList<TMacro>& Items() const { return m_items; }
    QChar Delimiter = u'%';
    TextFormats Formats;

private:
    int FindFolded(const QString& foldedName) const { return m_index.value(foldedName, -1); }

    QList<TMacro> m_items;
    // Case-folded short and long names → index; Add overwrites, so a name maps
    // to the last item that has it.
    QHash<QString, int> m_index;
};

// The program's one table of the 86 placeholders, filled on first use with the
// formats of the user's locale.
TMacroDefinitions& MacroDefinitions();

// ExpandTemplate with MacroDefinitions() and no list data.
QString FormatTemplate(const TMPEGAudio* track, const QString& templ);

// Text without its leading and trailing spaces (U+0020 only; tabs and other
// white space stay).
QStringView TrimSpaces(QStringView text);

// The fixed version text of the track-information component (item PV).
QString TrackInfoVersionText();

} // namespace velmoro::trackinfo
