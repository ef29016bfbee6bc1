#include "platform/filedate.h"
#include "trackinfo/mpegaudio.h"
#include "trackinfo/templates.h"

#include <QDate>
#include <QLocale>
#include <gtest/gtest.h>

namespace velmoro::trackinfo {
namespace {

const QString kUnclosed = QStringLiteral("<<<ERROR!!! No end of item definition!>>>");

TMPEGAudioData TaggedData()
{
    TMPEGAudioData d;
    d.Header = QStringLiteral("TAG");
    d.Title = QStringLiteral("Abc");
    d.Artist = QStringLiteral("The Band");
    d.Album = QStringLiteral("Live");
    d.Year = QStringLiteral("1999");
    d.Comment = QStringLiteral("nice");
    d.Genre = 17;
    d.Track = 7;
    d.Duration = 3725;
    d.FileLength = 5000000;
    d.Version = 1;
    d.Layer = 3;
    d.SampleRate = 44100;
    d.BitRate = 128;
    d.Mode = 1;
    d.ErrorProt = true;
    d.FileName = QStringLiteral("/music/rock/Some Band - Great Song.mp3");
    d.FileDateTime = platform::PackDateTime(QDateTime(QDate(2021, 3, 4), QTime(5, 6, 8)));
    d.VolumeLabel = QStringLiteral("DISC1");
    return d;
}

struct Case {
    const char* templ;
    QString expected;
};

// Expands against the program's table with fixed, easily told apart formats.
class TemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = MacroDefinitions().Formats;
        MacroDefinitions().Formats = {QStringLiteral("yyyy-MM-dd"), QStringLiteral("HH.mm.ss"), u'.', u'\'',
                                      u','};
        SetTrack(TaggedData());
    }
    void TearDown() override { MacroDefinitions().Formats = m_saved; }

    void SetTrack(const TMPEGAudioData& data) { m_track.SetData(data); }
    TMPEGAudioData Data() const { return m_track.Data(); }
    QString Expand(const QString& templ) const { return FormatTemplate(&m_track, templ); }
    void ExpectExpansions(std::initializer_list<Case> cases) const
    {
        for (const Case& c : cases)
            EXPECT_EQ(Expand(QString::fromUtf8(c.templ)), c.expected) << c.templ;
    }

    TMPEGAudio m_track;

private:
    TextFormats m_saved;
};

TEST_F(TemplateTest, TextOutsideItemsAndDoubledDelimiters)
{
    ExpectExpansions({
        {"", ""},
        {"plain text", "plain text"},
        {"%%", "%"},
        {"100%%word", "100%word"},
        {"% ,R,5%x", "%x"}, // an empty name takes no parameters
        {"[%DF,T%]  %A,T%  - %T,T%", "[2.05]  The Band  - Abc"},
    });
}

TEST_F(TemplateTest, UnclosedItemReplacesTheRest)
{
    ExpectExpansions({
        {"Title: %T", "Title: " + kUnclosed},
        {"%T,T% and %A,T", "Abc and " + kUnclosed},
        {"%", kUnclosed},
        {"%%%", "%" + kUnclosed},
    });
}

TEST_F(TemplateTest, UnknownAndListItemsAreCopiedAsWritten)
{
    ExpectExpansions({
        {"%XY%", "%XY%"},
        {"a %xy,R,10,.,U% b", "a %xy,R,10,.,U% b"},
        {"%N%", "%N%"},
        {"%GLK,R,3%|%GroupLengthKBComma%", "%GLK,R,3%|%GroupLengthKBComma%"},
        {"%nnn%", "NNNis NoExec Item!"},
    });
    // Without a track the file items are unknown too; system items still work.
    const QString noTrack = FormatTemplate(nullptr, QStringLiteral("%FN,T% %PV,T% %FPN%"));
    EXPECT_EQ(noTrack,
              "%FN,T% " + TrackInfoVersionText() + " " + QStringLiteral("%FP,T%%FN,T%").leftJustified(80));
    // A list item with list data but no value function.
    const int listData = 0;
    EXPECT_EQ(MacroDefinitions().ExpandTemplate(QStringLiteral("%n,R,25,-%"), &m_track, &listData),
              "--N association error!!! ");
}

TEST_F(TemplateTest, BuiltInItems)
{
    ExpectExpansions({
        {"%65%", "A"},
        {"%0%", QString(QChar(1))},
        {"%6.5%", QString(QChar(1))},
        {"%99999999999%", QString(QChar(1))},
        {"%8364%", QString(QChar(0x20AC))},
        {"%65,L,3,x,L%", "axx"},
        {"a%NL%b%newline%", "a\r\nb\r\n"},
        {"a%#%b%SoftNewLine,L,3%", "ab   "},
        {"%TB%|%tab,R,3,-%", "\t|--\t"},
    });
}

TEST_F(TemplateTest, AlignWidthAndPad)
{
    TMPEGAudioData d = Data();
    d.Title = QStringLiteral("Abcdefgh");
    d.Artist = QStringLiteral("Abc");
    SetTrack(d);
    ExpectExpansions({
        {"%A%", "Abc" + QString(27, u' ')},
        {"%A,L,10,.%", "Abc......."},
        {"%T,R,5%", "Abcde"},
        {"%A,R,6%", "   Abc"},
        {"%A, r ,5, _ %", "__Abc"},
        {"%A,C,8,*%", "**Abc***"},
        {"%T,C,3%", "Abc"},
        {"%A,T%|%A,T,10%", "Abc|Abc"},
        {"%A,L%|%A,L,x%|%A,L,-5%", "Abc|Abc|Abc"},
        {"%A,left,5%", "Abc  "},
        {"%A,L,0,.%", "Abc" + QString(27, u'.')},
        {"%A,X,5%|%A,,5%", "Abc" + QString(27, u' ') + "|Abc" + QString(27, u' ')},
        {"%GNR%|%GNR,L%", " 17|17"},
        {"%A,L,100000%", "Abc" + QString(4093, u' ')}, // padding is bounded
    });
}

TEST_F(TemplateTest, CaseIsAppliedBeforePadding)
{
    TMPEGAudioData d = Data();
    d.Title = QStringLiteral("hello wORLD (live)/x.y");
    SetTrack(d);
    ExpectExpansions({
        {"%T,T,,,U%", "HELLO WORLD (LIVE)/X.Y"},
        {"%T,T,,,lower%", "hello world (live)/x.y"},
        {"%T,T,,,F%", "Hello wORLD (live)/x.y"},
        {"%T,T,,,c%", "Hello WORLD (Live)/X.Y"},
        {"%T,T,,,N%|%T,T,,,Z%", "hello wORLD (live)/x.y|hello wORLD (live)/x.y"},
        {"%T,L,3,x,U%|%A,L,10,x,U%", "HEL|THE BANDxx"},
    });
}

TEST_F(TemplateTest, TagItemsAndTheirFallbacks)
{
    ExpectExpansions({
        {"%t%|%TITLE%|%Title,T%", "Abc" + QString(27, u' ') + "|Abc" + QString(27, u' ') + "|Abc"},
        {"%A,T%|%ALB,T%|%Y%|%CMNT,T%", "The Band|Live|1999|nice"},
        {"%G,T%|%GNR%|%TR%", "Rock| 17|  7"},
        {"%GT,T%|%GA,T%|%GAT,T%", "Abc|The Band|The Band - Abc"},
    });
    TMPEGAudioData d = Data();
    d.Header = QStringLiteral("BAD");
    d.Genre = 200;
    SetTrack(d);
    ExpectExpansions({
        {"%T,T%|%A,T%|%G,T%", "Unknown Title|Unknown Artist|Unknown"},
        {"%GT,T%|%GA,T%", "Great Song|Some Band"},
    });
    m_track.UnknownTitle.clear();
    d.FileName = QStringLiteral("/music/NoDash.mp3");
    SetTrack(d);
    ExpectExpansions({
        {"%T,T%|%ET,T%|%EA,T%", "Abc||"},
        {"%GT,T%|%GA,T%", "|Unknown Artist"},
    });
}

TEST_F(TemplateTest, FileNameItems)
{
    ExpectExpansions({
        {"%FN,T%|%FNS,T%", "Some Band - Great Song.mp3|Some Band - Great Song.mp3"},
        {"%FP%", "/music/rock/" + QString(28, u' ')},
        {"%FPN%", QStringLiteral("/music/rock/Some Band - Great Song.mp3").leftJustified(80)},
        {"%VL%", "DISC1      "},
        {"%EA,T%|%ET,T%", "Some Band|Great Song"},
    });
    TMPEGAudioData d = Data();
    d.FileName = QStringLiteral("Mr. X - A - B.v2.mp3");
    SetTrack(d);
    ExpectExpansions({
        {"%FP,T%|%FN,T%", "|Mr. X - A - B.v2.mp3"},
        {"%EA,T%|%ET,T%", "Mr. X|A - B.v2"},
    });
}

TEST_F(TemplateTest, NumbersUseTheFormats)
{
    struct NumberCase {
        int duration;
        int length;
        int sampleRate;
        const char* templ;
        QString expected;
    };
    const NumberCase cases[] = {
        {3725, 0, 0, "%D%|%DC%|%DF%", "    3725|     3'725|    2.05"},
        {3725, 0, 0, "%DM%|%DMC%", "   62,1|     62,1"},
        {15, 0, 0, "%DM,T%|%DF,T%", "0,3|0.15"}, // a half rounds up
        {65535, 0, 0, "%DC,T%|%DMC,T%|%DF,T%", "65'535|1'092,3|12.15"},
        {0, 5000000, 0, "%L%|%LC%", "     5000000|      5'000'000"},
        {0, 5000000, 0, "%LK%|%LKC%|%LM%", "     4882|      4'883|      4,8"},
        {0, 1536, 0, "%LK,T%|%LKC,T%", "1|2"},
        {0, 2560, 0, "%LK,T%|%LKC,T%", "2|2"}, // a half rounds to even
        {0, 1310720, 0, "%LM,T%", "1,3"},
        {0, 2147483647, 0, "%LC,T%|%LM,T%", "2'147'483'647|2048,0"},
        {0, -1536, 0, "%LK,T%|%LKC,T%|%LC,T%", "-1|-2|-1'536"},
        {0, 0, 44100, "%SR%|%SRK%", "44100|44,1"},
        {0, 0, 22050, "%SRK%", "22,1"},
    };
    for (const NumberCase& c : cases) {
        TMPEGAudioData d = Data();
        d.Duration = std::uint16_t(c.duration);
        d.FileLength = c.length;
        d.SampleRate = c.sampleRate;
        SetTrack(d);
        EXPECT_EQ(Expand(QString::fromLatin1(c.templ)), c.expected) << c.templ;
    }
}

TEST_F(TemplateTest, HeaderItems)
{
    ExpectExpansions({
        {"%BR%|%V%|%LY%|%LYN%", "128|1.0|III|3"},
        {"%EP%|%EP*%|%C%|%C*%|%O%|%O*%", "Yes|*|No | |No |   "},
        {"%M%|%S%", "Joint-Stereo|Stereo"},
    });
    TMPEGAudioData d = Data();
    d.BitRate = -1;
    d.Version = 3;
    d.Layer = 0;
    d.Mode = 3;
    d.ErrorProt = false;
    d.Copyright = true;
    d.Original = true;
    SetTrack(d);
    ExpectExpansions({
        {"%BR%|%V%|%LY,T%|%LYN%", "VBR|2.5|Unknown|0"},
        {"%EP%|%EP*%|%C%|%C*%|%O%|%O*%", "No | |Yes|*|Yes|*  "},
        {"%M,T%|%S%", "Single-Channel|Mono  "},
    });
    d.BitRate = 64;
    SetTrack(d);
    EXPECT_EQ(Expand(QStringLiteral("%BR%")), " 64");
}

TEST_F(TemplateTest, FileDateItems)
{
    ExpectExpansions({
        {"%FD%|%FDTFS%|%FT%", "2021-03-04|20210304050608|05.06.08   "},
    });
    TMPEGAudioData d = Data();
    d.FileDateTime = 0;
    SetTrack(d);
    ExpectExpansions({
        {"%FD%|%FDTFS%|%FT,T%", "1899-12-30|18991230000000|00.00.00"},
    });
}

TEST_F(TemplateTest, SystemItems)
{
    const QString version = TrackInfoVersionText();
    EXPECT_FALSE(version.isEmpty());
    EXPECT_EQ(Expand(QStringLiteral("%PV%|%ProgramVersion,R,25%")),
              version + "|" + version.rightJustified(25));

    const QString before = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QString date = Expand(QStringLiteral("%CD%"));
    const QString after = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_TRUE(date == before || date == after) << date.toStdString();

    MacroDefinitions().Formats.longTime = QStringLiteral("'at' HH");
    const QString time = Expand(QStringLiteral("%CT%"));
    EXPECT_EQ(time.size(), 8);
    EXPECT_TRUE(time.startsWith(QStringLiteral("   at "))) << time.toStdString();
}

TEST_F(TemplateTest, FunctionValuesAreCutAtNulAndTrimmedOfSpaces)
{
    TMPEGAudioData d = Data();
    d.Title = QStringLiteral("  Abc ") + QChar(0) + QStringLiteral("hidden");
    d.Artist = QStringLiteral("\tTabbed ");
    SetTrack(d);
    ExpectExpansions({
        {"%T,T%|%A,T%|%T,R,5%", "Abc|\tTabbed|  Abc"},
    });
}

TEST(MacroDefinitionsTest, TableOrderAndLookup)
{
    const TMacroDefinitions& table = MacroDefinitions();
    ASSERT_EQ(table.Items().size(), 86);
    EXPECT_EQ(table.Items().front().LongName, "FileName");
    EXPECT_EQ(table.Items().back().LongName, "TemplateName");
    for (int i = 0; i < table.Items().size(); ++i) {
        const TMacro& item = table.Items()[i];
        if (!item.LongName.isEmpty()) {
            EXPECT_EQ(table.FindMacro(item.LongName.toLower()), i) << item.LongName.toStdString();
            EXPECT_EQ(table.FindMacro(item.ShortName), i) << item.ShortName.toStdString();
        }
    }
    EXPECT_EQ(table.FindMacro(QStringLiteral("GLK")), table.FindMacro(QStringLiteral("GroupLengthKB")));
    EXPECT_EQ(table.FindMacro(QStringLiteral("nope")), -1);
}

QString ValueOne(const TextFormats&)
{
    return QStringLiteral("one");
}
QString ValueTwo(const TextFormats&)
{
    return QStringLiteral("two");
}

TMacro SystemMacro(const char* shortName, const char* longName, SystemValueFunc value)
{
    TMacro m;
    m.ShortName = QString::fromLatin1(shortName);
    m.LongName = QString::fromLatin1(longName);
    m.DefaultWidth = 5;
    m.Kind = MacroKind::System;
    m.SystemValue = value;
    return m;
}

TEST(MacroDefinitionsTest, LastMatchWinsAndTheTableCanChange)
{
    TMacroDefinitions defs;
    EXPECT_EQ(defs.Add(SystemMacro("X", "Alpha", ValueOne)), 0);
    EXPECT_EQ(defs.ExpandTemplate(QStringLiteral("%alpha%|%beta%"), nullptr, nullptr), "one  |%beta%");
    EXPECT_EQ(defs.Add(SystemMacro("Beta", "x", ValueTwo)), 1);
    EXPECT_EQ(defs.FindMacro(QStringLiteral("x")), 1);
    EXPECT_EQ(defs.FindMacro(QStringLiteral("ALPHA")), 0);
    // The same template again now finds the new item.
    EXPECT_EQ(defs.ExpandTemplate(QStringLiteral("%alpha%|%beta%"), nullptr, nullptr), "one  |two  ");

    const QString templ = QStringLiteral("$X,R,5$ 100% $$");
    EXPECT_EQ(defs.ExpandTemplate(templ, nullptr, nullptr), "$X,R,5$ 100" + kUnclosed);
    defs.Delimiter = u'$';
    EXPECT_EQ(defs.ExpandTemplate(templ, nullptr, nullptr), "  two 100% $");
}

TEST(TextFormatsTest, DerivedFromTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const TextFormats de = TextFormats::FromLocale(german);
    EXPECT_EQ(de.shortDate, german.dateFormat(QLocale::ShortFormat));
    EXPECT_EQ(de.groupSeparator, german.groupSeparator().front());
    EXPECT_EQ(de.decimalSeparator, german.decimalPoint().front());
    EXPECT_EQ(de.timeSeparator, u':');

    const TextFormats fi = TextFormats::FromLocale(QLocale(QLocale::Finnish, QLocale::Finland));
    EXPECT_EQ(fi.timeSeparator, u'.');

    // The long formats name the time zone, which is left out.
    const TextFormats us = TextFormats::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(us.longTime.contains(QStringLiteral("ss"))) << us.longTime.toStdString();
    EXPECT_FALSE(us.longTime.contains(u't')) << us.longTime.toStdString();
}

} // namespace
} // namespace velmoro::trackinfo
