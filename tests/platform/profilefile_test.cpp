// Profile (INI) files: how values are found and cut, and that writing a key
// changes nothing else in the file.
#include "platform/profilefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::platform;

namespace {

ProfileFile Parsed(QByteArrayView text)
{
    ProfileFile file;
    file.Parse(text);
    return file;
}

} // namespace

TEST(ProfileFileRead, SectionsAndKeysIgnoreCase)
{
    const ProfileFile pls =
        Parsed("[Playlist]\r\nNumberOfEntries=2\r\nFILE1=a.mp3\r\n[other]\r\nFile1=b.mp3\r\n");
    EXPECT_EQ(pls.Value("playlist", "numberofentries"), "2");
    EXPECT_EQ(pls.Value("PLAYLIST", "File1"), "a.mp3");
    EXPECT_EQ(pls.Value("other", "file1"), "b.mp3");
    EXPECT_TRUE(pls.Contains("playList", "file1"));
    EXPECT_FALSE(pls.Contains("playlist", "File2"));
    EXPECT_EQ(pls.Keys("playlist"), (QStringList{"NumberOfEntries", "FILE1"}));
}

TEST(ProfileFileRead, MissingKeysGiveTheDefault)
{
    const ProfileFile text = Parsed("[Text]\nNormal=#00FF00\n");
    EXPECT_EQ(text.Value("Text", "Current", "#FFFFFF"), "#FFFFFF");
    EXPECT_EQ(text.Value("Nothing", "Normal", "dflt"), "dflt");
    // Keys before any section belong to none.
    EXPECT_EQ(Parsed("a=1\n[s]\n").Value("", "a", "none"), "none");
    EXPECT_TRUE(Parsed("").Keys("s").isEmpty());
}

TEST(ProfileFileRead, ValuesAreTrimmedUnquotedAndCut)
{
    const QByteArray longValue(1500, 'v');
    const ProfileFile f =
        Parsed("[s]\n  spaced  =  a b  \nquoted=\"  kept  \"\nhalf=\"open\nlong=" + longValue +
               "\n;comment=x\nempty=\nnoequals\n=nokey\n");
    EXPECT_EQ(f.Value("s", "spaced"), "a b");
    EXPECT_EQ(f.Value("s", "quoted"), "  kept  ");
    EXPECT_EQ(f.Value("s", "half"), "\"open");
    EXPECT_EQ(f.Value("s", "long"), QString(ProfileFile::kMaxValueLength, u'v'));
    EXPECT_FALSE(f.Contains("s", ";comment"));
    EXPECT_TRUE(f.Contains("s", "empty"));
    EXPECT_EQ(f.Keys("s"), (QStringList{"spaced", "quoted", "half", "long", "empty"}));
}

TEST(ProfileFileRead, FirstOccurrenceWinsAcrossRepeatedSections)
{
    const ProfileFile f = Parsed("[s]\nk=first\nk=second\n[t]\n[S]\nk=third\nj=later\n");
    EXPECT_EQ(f.Value("s", "k"), "first");
    EXPECT_EQ(f.Value("s", "j"), "later");
}

TEST(ProfileFileRead, Latin1FilesAreReadAsLatin1)
{
    EXPECT_EQ(Parsed("[s]\nk=caff\xE8\n").Value("s", "k"), QString::fromUtf8("caffè"));
    EXPECT_EQ(Parsed("[s]\nk=caff\xC3\xA8\n").Value("s", "k"), QString::fromUtf8("caffè"));
}

TEST(ProfileFileWrite, ChangesOnlyTheKeyLine)
{
    ProfileFile f = Parsed("; presets\n[Preset]\nName = Old\nOther=1\n\n[Next]\nx=y\n");
    f.SetValue("preset", "name", "New");
    EXPECT_EQ(f.ToBytes(), "; presets\n[Preset]\nname=New\nOther=1\n\n[Next]\nx=y\n");
}

TEST(ProfileFileWrite, ACharacterU_FEFFAtTheStartSurvivesTheRoundTrip)
{
    // The first mark is taken as a byte-order mark; the second is text, so
    // "[playlist]" is no section and must not become one when read back.
    ProfileFile f = Parsed("\xEF\xBB\xBF\xEF\xBB\xBF[playlist]\nFile1=a.mp3\n");
    ASSERT_EQ(f.Value("playlist", "File1"), QString());
    const ProfileFile again = Parsed(f.ToBytes());
    EXPECT_EQ(again.Value("playlist", "File1"), QString());
    EXPECT_EQ(again.ToBytes(), f.ToBytes());
}

TEST(ProfileFileWrite, AddsKeysAtTheEndOfTheirSectionAndNewSectionsAtTheEnd)
{
    ProfileFile f = Parsed("[A]\r\nk=1\r\n\r\n[B]\r\nm=2");
    f.SetValue("a", "n", "line\nbreak");
    f.SetValue("C", "p", "3");
    EXPECT_EQ(f.ToBytes(), "[A]\r\nk=1\r\nn=line break\r\n\r\n[B]\r\nm=2\r\n[C]\r\np=3");
    EXPECT_EQ(f.Value("a", "n"), "line break");

    ProfileFile empty;
    empty.SetValue("Sec", "key", "value");
    EXPECT_EQ(empty.ToBytes(), "[Sec]\r\nkey=value\r\n");
}

TEST(ProfileFileWrite, SaveAndLoadRoundTrip)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("eqpreset.ini");
    ProfileFile f;
    EXPECT_NE(f.Load(path), 0); // missing
    f.SetValue("Presets", "PresetCount", "1");
    ASSERT_EQ(f.Save(path), 0);
    ProfileFile back;
    ASSERT_EQ(back.Load(path), 0);
    EXPECT_EQ(back.Value("presets", "presetcount"), "1");
    EXPECT_NE(f.Save(dir.filePath("missing/eqpreset.ini")), 0);
}
