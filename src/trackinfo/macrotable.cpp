// The placeholder table and the values of its items.
#include "trackinfo/mpegaudio.h"
#include "trackinfo/templates.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace velmoro::trackinfo {

namespace {

constexpr const char* kFileGroup = "Mpeg audio file";
constexpr const char* kSystemGroup = "System";
constexpr const char* kSpecialGroup = "Special";
constexpr const char* kListGroup = "List data";
constexpr const char* kGroupDataGroup = "Group Data";
constexpr const char* kOutputGroup = "Output document";

// ---- Numbers ----

// num / den rounded to the nearest integer, halves away from zero: how the
// one-decimal figures (minutes, megabytes, kHz) round.
qint64 DivRoundHalfAway(qint64 num, qint64 den)
{
    const qint64 half = num >= 0 ? den / 2 : -(den / 2);
    return (num + half) / den;
}

// num / den rounded to the nearest integer, halves to even.
qint64 DivRoundHalfEven(qint64 num, qint64 den)
{
    qint64 quotient = num / den;
    const qint64 twiceRest = 2 * (num % den);
    if (twiceRest > den || (twiceRest == den && quotient % 2 != 0))
        ++quotient;
    else if (twiceRest < -den || (twiceRest == -den && quotient % 2 != 0))
        --quotient;
    return quotient;
}

// A number given in units of 10^-decimals, e.g. 621 with one decimal is 62.1;
// thousands separated when grouped.
QString FormatNumber(qint64 scaled, int decimals, bool grouped, const TextFormats& formats)
{
    const bool negative = scaled < 0;
    QString digits = QString::number(negative ? -scaled : scaled);
    if (digits.size() <= decimals)
        digits.prepend(QString(decimals + 1 - digits.size(), u'0'));
    const qsizetype integerLength = digits.size() - decimals;

    QString text;
    if (negative)
        text += u'-';
    for (qsizetype i = 0; i < integerLength; ++i) {
        if (grouped && i > 0 && (integerLength - i) % 3 == 0 && !formats.groupSeparator.isNull())
            text += formats.groupSeparator;
        text += digits[i];
    }
    if (decimals > 0) {
        text += formats.decimalSeparator;
        text += QStringView(digits).sliced(integerLength);
    }
    return text;
}

QString Grouped(qint64 value, const TextFormats& formats)
{
    return FormatNumber(value, 0, true, formats);
}

// ---- File name parts ----

QString NameWithoutPath(const QString& path)
{
    return path.sliced(path.lastIndexOf(u'/') + 1);
}

// The file name split at its first "-", as in "Artist - Title.mp3"; both
// parts empty when there is no dash.
struct DashParts {
    QString before;
    QString after;
};

DashParts SplitAtDash(const TMPEGAudio& track)
{
    const QString name = NameWithoutPath(track.Data().FileName);
    const qsizetype dash = name.indexOf(u'-');
    if (dash < 0)
        return {};
    return {TrimSpaces(QStringView(name).first(dash)).toString(),
            TrimSpaces(QStringView(name).sliced(dash + 1)).toString()};
}

QString ExtractedArtist(const TMPEGAudio& track)
{
    return SplitAtDash(track).before;
}

QString ExtractedTitle(const TMPEGAudio& track)
{
    const QString after = SplitAtDash(track).after;
    const qsizetype dot = after.lastIndexOf(u'.');
    return TrimSpaces(dot < 0 ? QStringView(after) : QStringView(after).first(dot)).toString();
}

QString GuessedTitle(const TMPEGAudio& track)
{
    if (track.HasTag())
        return track.DisplayTitle();
    const QString extracted = ExtractedTitle(track);
    return extracted.isEmpty() ? track.UnknownTitle : extracted;
}

QString GuessedArtist(const TMPEGAudio& track)
{
    if (track.HasTag())
        return track.DisplayArtist();
    const QString extracted = ExtractedArtist(track);
    return extracted.isEmpty() ? track.UnknownArtist : extracted;
}

// ---- Dates ----

// A track without a usable date shows the zero date-time.
QDateTime FileDateOrZero(const TMPEGAudio& track)
{
    const QDateTime date = track.FileDate();
    return date.isValid() ? date : QDateTime(QDate(1899, 12, 30), QTime(0, 0));
}

QString FormatDateTime(const QDateTime& moment, const QString& format)
{
    return QLocale::c().toString(moment, format);
}

// Built by hand: it is in the default playlist row, so it runs for every row.
QString DurationForm(int seconds, const TextFormats& formats)
{
    const int minutes = seconds / 60 % 60;
    const int rest = seconds % 60;
    QString text;
    text.reserve(5);
    if (minutes >= 10)
        text += QChar(u'0' + minutes / 10);
    text += QChar(u'0' + minutes % 10);
    text += formats.timeSeparator;
    text += QChar(u'0' + rest / 10);
    text += QChar(u'0' + rest % 10);
    return text;
}

QString DurationMinutes(const TMPEGAudio& track, const TextFormats& formats)
{
    return FormatNumber(DivRoundHalfAway(track.Data().Duration * 10, 60), 1, true, formats);
}

QString YesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString Star(bool value)
{
    return value ? QStringLiteral("*") : QStringLiteral(" ");
}

// ---- Table rows ----

TMacro Item(const char* shortName, const char* longName, int width, char align, const char* description,
            const char* group, MacroKind kind)
{
    TMacro item;
    item.ShortName = QString::fromLatin1(shortName);
    item.LongName = QString::fromLatin1(longName);
    item.DefaultWidth = width;
    item.DefaultAlign = QChar::fromLatin1(align);
    item.DefaultCase = u'N';
    item.Description = QString::fromLatin1(description);
    item.Group = QString::fromLatin1(group);
    item.Kind = kind;
    return item;
}

TMacro FileItem(const char* shortName, const char* longName, int width, char align, const char* description,
                FileValueFunc value)
{
    TMacro item = Item(shortName, longName, width, align, description, kFileGroup, MacroKind::File);
    item.FileValue = value;
    return item;
}

TMacro SystemItem(const char* shortName, const char* longName, int width, char align, const char* description,
                  SystemValueFunc value)
{
    TMacro item = Item(shortName, longName, width, align, description, kSystemGroup, MacroKind::System);
    item.SystemValue = value;
    return item;
}

TMacro CompositeItem(const char* shortName, const char* longName, int width, const char* description,
                     const char* text)
{
    TMacro item = Item(shortName, longName, width, 'L', description, kFileGroup, MacroKind::Composite);
    item.MacroText = QString::fromLatin1(text);
    return item;
}

using Track = const TMPEGAudio&;
using Formats = const TextFormats&;

void FillTable(TMacroDefinitions& table)
{
    // clang-format off
    const TMacro items[] = {
        FileItem("FN", "FileName", 40, 'L', "Mpeg audio file name",
                 [](Track t, Formats) { return NameWithoutPath(t.Data().FileName); }),
        FileItem("FNS", "FileNameShort", 40, 'L', "Mpeg audio file name short (8+3)",
                 [](Track t, Formats) { return NameWithoutPath(t.ShortFileName()); }),
        FileItem("FP", "FilePath", 40, 'L', "MPEG audio file path (without file name)",
                 [](Track t, Formats) {
                     const QString& name = t.Data().FileName;
                     return name.first(name.lastIndexOf(u'/') + 1);
                 }),
        FileItem("VL", "VolumeLabel", 11, 'L', "Volume label",
                 [](Track t, Formats) { return t.Data().VolumeLabel; }),
        FileItem("T", "Title", 30, 'L', "Title",
                 [](Track t, Formats) { return t.DisplayTitle(); }),
        FileItem("ET", "ExtractedTitle", 30, 'L', "Title extracted from file name",
                 [](Track t, Formats) { return ExtractedTitle(t); }),
        FileItem("GT", "GuessedTitle", 30, 'L', "Title guessed from TAG or from file name",
                 [](Track t, Formats) { return GuessedTitle(t); }),
        FileItem("FD", "FileDate", 10, 'L', "Date of last file change",
                 [](Track t, Formats f) { return FormatDateTime(FileDateOrZero(t), f.shortDate); }),
        FileItem("FDTFS", "FileDateTimeForSort", 14, 'L',
                 "File Date time formated for sorting (yyyymmddhhmmss).",
                 [](Track t, Formats) {
                     return FormatDateTime(FileDateOrZero(t), QStringLiteral("yyyyMMddHHmmss"));
                 }),
        FileItem("FT", "FileTime", 11, 'L', "Time of last file change",
                 [](Track t, Formats f) { return FormatDateTime(FileDateOrZero(t), f.longTime); }),
        FileItem("A", "Artist", 30, 'L', "Artist",
                 [](Track t, Formats) { return t.DisplayArtist(); }),
        FileItem("EA", "ExtractedArtist", 30, 'L', "Artist extracted from file name",
                 [](Track t, Formats) { return ExtractedArtist(t); }),
        FileItem("GA", "GuessedArtist", 30, 'L', "Artist guessed from TAG or from file name",
                 [](Track t, Formats) { return GuessedArtist(t); }),
        FileItem("ALB", "Album", 35, 'L', "Album",
                 [](Track t, Formats) { return t.Data().Album; }),
        FileItem("Y", "Year", 4, 'L', "Year",
                 [](Track t, Formats) { return t.Data().Year; }),
        FileItem("CMNT", "Comment", 30, 'L', "Comment",
                 [](Track t, Formats) { return t.Data().Comment; }),
        FileItem("G", "Genre", 25, 'L', "Genre description",
                 [](Track t, Formats) { return t.GenreText(); }),
        FileItem("GNR", "GenreNr", 3, 'R', "Genre code",
                 [](Track t, Formats) { return QString::number(t.Data().Genre); }),
        FileItem("TR", "Track", 3, 'R', "Album track number",
                 [](Track t, Formats) { return QString::number(t.Data().Track); }),
        FileItem("D", "Duration", 8, 'R', "Duration (seconds)",
                 [](Track t, Formats) { return QString::number(t.Data().Duration); }),
        FileItem("DC", "DurationComma", 10, 'R', "Duration, thousands comma delimited (seconds)",
                 [](Track t, Formats f) { return Grouped(t.Data().Duration, f); }),
        FileItem("DM", "DurationMinutes", 7, 'R', "Duration (minutes)", DurationMinutes),
        FileItem("DMC", "DurationMinutesComma", 9, 'R',
                 "Duration, thousands comma delimited (minutes)", DurationMinutes),
        FileItem("DF", "DurationForm", 8, 'R', "Duration (formated as MM:SS)",
                 [](Track t, Formats f) { return DurationForm(t.Data().Duration, f); }),
        FileItem("L", "Length", 12, 'R', "File length in bytes",
                 [](Track t, Formats) { return QString::number(t.Data().FileLength); }),
        FileItem("LC", "LengthComma", 15, 'R', "File length in bytes, thousands comma delimited",
                 [](Track t, Formats f) { return Grouped(t.Data().FileLength, f); }),
        FileItem("LK", "LengthKB", 9, 'R', "File length in kilobytes",
                 [](Track t, Formats) { return QString::number(t.Data().FileLength / 1024); }),
        FileItem("LKC", "LengthKBComma", 11, 'R',
                 "File length in kilobytes, thousands comma delimited",
                 [](Track t, Formats f) {
                     return Grouped(DivRoundHalfEven(t.Data().FileLength, 1024), f);
                 }),
        FileItem("LM", "LengthMB", 9, 'R', "File length in megabytes (one decimal place)",
                 [](Track t, Formats f) {
                     return FormatNumber(
                         DivRoundHalfAway(qint64(t.Data().FileLength) * 10, 1048576), 1, false, f);
                 }),
        FileItem("V", "Version", 3, 'L', "MPEG Audio version.",
                 [](Track t, Formats) { return t.VersionText(); }),
        FileItem("LY", "Layer", 3, 'L', "MPEG Audio Layer Type (I, II, III or else for unknown)",
                 [](Track t, Formats) { return t.LayerText(); }),
        FileItem("LYN", "LayerNr", 1, 'L', "MPEG Audio Layer Type (1, 2, 3 or else for unknown)",
                 [](Track t, Formats) { return QString::number(t.Data().Layer); }),
        FileItem("SR", "SampleRate", 5, 'R', "Sample rate",
                 [](Track t, Formats) { return QString::number(t.Data().SampleRate); }),
        FileItem("SRK", "SampleRateKHz", 4, 'R', "Sample rate in kilobytes",
                 [](Track t, Formats f) {
                     return FormatNumber(
                         DivRoundHalfAway(qint64(t.Data().SampleRate) * 10, 1000), 1, false, f);
                 }),
        FileItem("BR", "BitRate", 3, 'R', "BitRate in kilobytes",
                 [](Track t, Formats) {
                     const int rate = t.Data().BitRate;
                     return rate == -1 ? QStringLiteral("VBR") : QString::number(rate);
                 }),
        FileItem("EP", "ErrorProt", 3, 'L', "Error protection ('Yes'/'No')",
                 [](Track t, Formats) { return YesNo(t.Data().ErrorProt); }),
        FileItem("EP*", "ErrorProt*", 1, 'L', "Error Protection ('*'/' ')",
                 [](Track t, Formats) { return Star(t.Data().ErrorProt); }),
        FileItem("C", "Copyright", 3, 'L', "Copyrighted ('Yes'/'No')",
                 [](Track t, Formats) { return YesNo(t.Data().Copyright); }),
        FileItem("C*", "Copyright*", 1, 'L', "Copyrighted ('*'/' ')",
                 [](Track t, Formats) { return Star(t.Data().Copyright); }),
        FileItem("O", "Original", 3, 'L', "Original ('Yes'/'No')",
                 [](Track t, Formats) { return YesNo(t.Data().Original); }),
        FileItem("O*", "Original*", 3, 'L', "Original ('*'/' ')",
                 [](Track t, Formats) { return Star(t.Data().Original); }),
        FileItem("M", "Mode", 12, 'L',
                 "Channel mode ('Stereo'/'Joint-Stereo'/'Dual-Channel'/'Mono')",
                 [](Track t, Formats) { return t.ModeText(); }),
        FileItem("S", "Stereo", 6, 'L', "Stereo mode ('Stereo'/'Mono')",
                 [](Track t, Formats) {
                     return t.Data().Mode == 3 ? QStringLiteral("Mono") : QStringLiteral("Stereo");
                 }),

        SystemItem("PV", "ProgramVersion", int(TrackInfoVersionText().size()), 'L',
                   "Program version number", [](Formats) { return TrackInfoVersionText(); }),
        SystemItem("CD", "CurrentDate", 10, 'R', "Current system date",
                   [](Formats f) { return FormatDateTime(QDateTime::currentDateTime(), f.shortDate); }),
        SystemItem("CT", "CurrentTime", 8, 'R', "Current system time",
                   [](Formats f) { return FormatDateTime(QDateTime::currentDateTime(), f.longTime); }),

        // Expanded before the table is searched, except "nnn"; listed for the
        // help text.
        Item("NL", "NewLine", 2, 'L', "New line (CRLF)", kSpecialGroup, MacroKind::Special),
        Item("#", "SoftNewLine", 2, 'L', "Soft Newline, not used in output document",
             kSpecialGroup, MacroKind::Special),
        Item("TB", "Tab", 1, 'L', "Tabulator", kSpecialGroup, MacroKind::Special),
        Item("nnn", "nnn", 1, 'L', "Character ASCII code (enter decimal value)", kSpecialGroup,
             MacroKind::Special),
        Item("", "", 1, 'L', "Percent sign (%)", kSpecialGroup, MacroKind::Special),

        CompositeItem("FPN", "FilePathName", 80, "File path and name", "%FP,T%%FN,T%"),
        CompositeItem("GAT", "GuessedArtistTitle", 80,
                      "Artist and title guessed from TAG or file name", "%GA,T% - %GT,T%"),
    };

    // Items of the playlist export, which hands in list data; nothing in the
    // program does, so they are copied through as written.
    struct ListRow {
        const char* shortName;
        const char* longName;
        int width;
        char align;
        const char* description;
        const char* group;
    };
    const ListRow listItems[] = {
        {"FPR", "FilePathRelative", 40, 'L', "File path relative to the output document", kListGroup},
        {"N", "No", 5, 'R', "Number of the file in the list", kListGroup},
        {"FC", "FileCount", 5, 'R', "Number of files in the list", kListGroup},
        {"FCC", "FileCountComma", 7, 'R', "Number of files, thousands comma delimited", kListGroup},
        {"GN", "GroupNo", 5, 'R', "Number of the group", kGroupDataGroup},
        {"GFN", "GroupFileNo", 5, 'R', "Number of the file in its group", kGroupDataGroup},
        {"GFC", "GroupFileCount", 5, 'R', "Number of files in the group", kGroupDataGroup},
        {"GFCC", "GroupFileCountComma", 7, 'R',
         "Number of files in the group, thousands comma delimited", kGroupDataGroup},
        {"AC", "ArtistCount", 5, 'R', "Number of artists in the list", kListGroup},
        {"GC", "GroupCount", 5, 'R', "Number of groups in the list", kListGroup},
        {"GD", "GroupDuration", 8, 'R', "Group duration (seconds)", kGroupDataGroup},
        {"GDC", "GroupDurationComma", 10, 'R',
         "Group duration, thousands comma delimited (seconds)", kGroupDataGroup},
        {"GDM", "GroupDurationMinutes", 7, 'R', "Group duration (minutes)", kGroupDataGroup},
        {"GDMC", "GroupDurationMinutesComma", 9, 'R',
         "Group duration, thousands comma delimited (minutes)", kGroupDataGroup},
        {"GDF", "GroupDurationForm", 8, 'R', "Group duration (formated as MM:SS)", kGroupDataGroup},
        {"GL", "GroupLength", 12, 'R', "Group length in bytes", kGroupDataGroup},
        {"GLC", "GroupLengthComma", 15, 'R', "Group length in bytes, thousands comma delimited",
         kGroupDataGroup},
        {"GLK", "GroupLengthKB", 9, 'R', "Group length in kilobytes", kGroupDataGroup},
        {"GLKC", "GroupLengthKBComma", 11, 'R',
         "Group length in kilobytes, thousands comma delimited", kGroupDataGroup},
        {"GLM", "GroupLengthMB", 9, 'R', "Group length in megabytes (one decimal place)",
         kGroupDataGroup},
        {"DS", "DurationSum", 8, 'R', "Duration of all files (seconds)", kListGroup},
        {"DSC", "DurationSumComma", 10, 'R',
         "Duration of all files, thousands comma delimited (seconds)", kListGroup},
        {"DSM", "DurationSumMinutes", 7, 'R', "Duration of all files (minutes)", kListGroup},
        {"DSMC", "DurationSumMinutesComma", 9, 'R',
         "Duration of all files, thousands comma delimited (minutes)", kListGroup},
        {"DSF", "DurationSumForm", 8, 'R', "Duration of all files (formated as MM:SS)", kListGroup},
        {"LS", "LengthSum", 12, 'R', "Length of all files in bytes", kListGroup},
        {"LSC", "LengthSumComma", 15, 'R',
         "Length of all files in bytes, thousands comma delimited", kListGroup},
        {"LKS", "LengthKBSum", 9, 'R', "Length of all files in kilobytes", kListGroup},
        {"LKSC", "LengthKBSumComma", 11, 'R',
         "Length of all files in kilobytes, thousands comma delimited", kListGroup},
        {"LMS", "LengthMBSum", 9, 'R', "Length of all files in megabytes (one decimal place)",
         kListGroup},
        {"OD", "OutputDoc", 40, 'L', "Output document name", kOutputGroup},
        {"OP", "OutputPath", 40, 'L', "Output document path", kOutputGroup},
        {"TN", "TemplateName", 40, 'L', "Template name", kOutputGroup},
    };
    // clang-format on

    for (const TMacro& item : items)
        table.Add(item);
    for (const ListRow& row : listItems)
        table.Add(Item(row.shortName, row.longName, row.width, row.align, row.description, row.group,
                       MacroKind::List));
}

} // namespace

QString TrackInfoVersionText()
{
    return QStringLiteral("Velmoro TrackInfo 1.0");
}

TMacroDefinitions& MacroDefinitions()
{
    static TMacroDefinitions table = [] {
        TMacroDefinitions definitions;
        definitions.Formats = TextFormats::FromLocale(QLocale::system());
        FillTable(definitions);
        return definitions;
    }();
    return table;
}

} // namespace velmoro::trackinfo
