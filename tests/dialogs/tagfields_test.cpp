// What the file tags window shows of a file and how its edits are saved.
#include "dialogs/tagfields.h"
#include "support/mpegcraft.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace velmoro::dialogs;
using namespace velmoro::test;
using velmoro::trackinfo::TMPEGAudio;
using velmoro::trackinfo::TMPEGAudioData;

namespace {

const QByteArray kAudio = Frames(MakeHeader({}), 417, 8);

QByteArray XingFile()
{
    // A Xing header in the first frame (MPEG 1 stereo: 36 bytes in) with 100 frames.
    QByteArray first = Frames(MakeHeader({}), 417, 1);
    first.replace(36, 16,
                  QByteArray("Xing") + QByteArray::fromHex("00000003") + QByteArray::fromHex("00000064") +
                      QByteArray::fromHex("00001000"));
    return first + Frames(MakeHeader({}), 417, 20);
}

TMPEGAudio Read(const QString& path)
{
    TMPEGAudio track;
    track.SetFileName(path);
    return track;
}

} // namespace

TEST(TagFields, HeaderLinesForEachChannelModeAndVbr)
{
    const char* const modes[] = {"Stereo", "Joint Stereo", "Dual Channel", "Mono"};
    QTemporaryDir dir;
    for (unsigned mode = 0; mode < 4; ++mode) {
        const QString path =
            WriteFile(dir.filePath("m.mp3"), Frames(MakeHeader({.mode = mode, .copyright = 1}), 417, 40));
        const QStringList lines = HeaderLines(Read(path).Data());
        ASSERT_EQ(lines.size(), 8);
        EXPECT_EQ(lines[0], "1 sec");
        EXPECT_EQ(lines[1], "44100 Hz");
        EXPECT_EQ(lines[2], "128 bpr");
        EXPECT_EQ(lines[3], "Layer 3");
        EXPECT_EQ(lines[4], modes[mode]);
        EXPECT_EQ(lines[5], "CRC 00000000h");
        EXPECT_EQ(lines[6], "Original No");
        EXPECT_EQ(lines[7], "Copyright Yes");
    }
    const QStringList vbr = HeaderLines(Read(WriteFile(dir.filePath("v.mp3"), XingFile())).Data());
    EXPECT_EQ(vbr[2], "-1 bpr");

    TMPEGAudioData d;
    d.CRC = 0xBEEF;
    d.Original = true;
    EXPECT_EQ(HeaderLines(d)[5], "CRC 0000BEEFh");
    EXPECT_EQ(HeaderLines(d)[6], "Original Yes");
}

TEST(TagFields, DescriptionLines)
{
    TMPEGAudioData d;
    d.Version = 2;
    d.FileLength = 123456;
    d.VolumeLabel = "MUSICA_DEL_1999_EXTRA";
    EXPECT_EQ(VersionLine(d), "Tag Version 2");
    EXPECT_EQ(SizeLine(d), "123456 Bytes");
    EXPECT_EQ(VolumeLine(d), "Volume MUSICA_DEL_1999_EXTR"); // 27 characters in all
    d.VolumeLabel = "DATI";
    EXPECT_EQ(VolumeLine(d), "Volume DATI");
}

TEST(TagFields, AutoBuildDropsTheDirectoryAndTheExtension)
{
    EXPECT_EQ(AutoBuildTitle("/music/album/song.mp3"), "song");
    EXPECT_EQ(AutoBuildTitle("song.mp3"), "song");
    EXPECT_EQ(AutoBuildTitle("/a.b/Long Name.MP2"), "Long Name");
    EXPECT_EQ(AutoBuildTitle("/x/abc"), "");
}

TEST(TagFields, UntaggedFileShowsTheSubstitutesAndSavesGenre255)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir.filePath("plain.mp3"), kAudio);
    const TagEdits shown = EditsOf(Read(path));
    EXPECT_EQ(shown.title, "Unknown Title");
    EXPECT_EQ(shown.artist, "Unknown Artist");
    EXPECT_EQ(shown.genre, std::nullopt);
    EXPECT_EQ(shown.track, 0);

    ASSERT_EQ(SaveTag(path, shown), 0);
    const QByteArray tag = ReadWholeFile(path).right(128);
    EXPECT_EQ(tag.left(3), "TAG");
    EXPECT_EQ(std::uint8_t(tag[127]), 255);
    const TMPEGAudio saved = Read(path);
    EXPECT_EQ(saved.Data().Title, "Unknown Title");
    EXPECT_EQ(EditsOf(saved).genre, std::nullopt);

    TagEdits edits = shown;
    edits.genre = 17;
    edits.track = 255;
    ASSERT_EQ(SaveTag(path, edits), 0);
    EXPECT_EQ(EditsOf(Read(path)).genre, 17);
    EXPECT_EQ(EditsOf(Read(path)).track, 255);
    ASSERT_EQ(RemoveTagOf(path), 0);
    EXPECT_EQ(ReadWholeFile(path), kAudio);
}

TEST(TagFields, FieldsLatin1CannotHold)
{
    TagEdits edits{"Café", "Björk", "Album", "1999", "ok", std::nullopt, 0};
    EXPECT_TRUE(FieldsNotLatin1(edits).isEmpty());
    edits.title = QString::fromUtf8("Snow ☃");
    edits.comment = QString::fromUtf8("€uro");
    EXPECT_EQ(FieldsNotLatin1(edits), QStringList({"Titolo", "Commento"}));
    // Past the field's size nothing is saved, so nothing is lost there.
    edits = TagEdits{QString(30, u'x') + QString::fromUtf8("☃"), "", "", "1999☃", "", std::nullopt, 0};
    EXPECT_TRUE(FieldsNotLatin1(edits).isEmpty());
}

TEST(TagFields, AFailedSaveLeavesTheFileAndTellsWhy)
{
    QTemporaryDir dir;
    const QString gone = dir.filePath("gone.mp3");
    const TagEdits edits{"T", "A", "B", "2001", "C", 1, 2};
    EXPECT_EQ(SaveTag(gone, edits), -1);
    EXPECT_FALSE(QFile::exists(gone));
    EXPECT_TRUE(TagFailureText(TagChange::Save, gone, -1).contains("gone.mp3"));
    EXPECT_TRUE(TagFailureText(TagChange::Save, gone, -1).contains("non esiste"));
    EXPECT_TRUE(TagFailureText(TagChange::Remove, gone, EACCES).contains(qt_error_string(EACCES)));

    // A file-size limit makes the write fail as a full disk would.
    const QString path = WriteFile(dir.filePath("full.mp3"), kAudio);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit lowered = old;
    lowered.rlim_cur = rlim_t(kAudio.size() + 50);
    setrlimit(RLIMIT_FSIZE, &lowered);
    const int result = SaveTag(path, edits);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(ReadWholeFile(path), kAudio);
}
