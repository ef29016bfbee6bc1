// Recognising files, and LoadFile handing each kind to its reader.
#include "listtest.h"

#include <QDir>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

class FileKindTest : public ListTest {
protected:
    const std::uint32_t m_header = MakeHeader({}); // frames of 417 bytes
};

} // namespace

TEST_F(FileKindTest, ByContentsFirstThenByExtension)
{
    EXPECT_EQ(m_list.DetectFileKind(Path("missing.m3u")), KindError);
    EXPECT_EQ(m_list.DetectFileKind(m_dir.path()), KindError);
    EXPECT_EQ(m_list.DetectFileKind(Mp3("song.m3u")), KindMPEGAudio);
    EXPECT_EQ(m_list.DetectFileKind(Write("list.M3u", "a.mp3\r\n")), KindM3U);
    EXPECT_EQ(m_list.DetectFileKind(Write("list.pls", "[playlist]\r\n")), KindPLS);
    EXPECT_EQ(m_list.DetectFileKind(Write("list.m3u.txt", "a.mp3\r\n")), KindNone);
    EXPECT_EQ(m_list.DetectFileKind(Write("empty.m3u", "")), KindM3U);
    const QByteArray data("\x07MP3DATA\x01\x02\x00\x00", 12);
    EXPECT_EQ(m_list.DetectFileKind(Write("data.m3u", data)), KindMP3Data);
    EXPECT_EQ(m_list.DetectFileKind(Write("data.m3u", data.left(11))), KindM3U); // too short to tell
    // Only the file's own name has an extension.
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("lists.m3u/old.pls"));
    EXPECT_EQ(m_list.DetectFileKind(Write("lists.m3u/notes", "a.mp3\r\n")), KindNone);
    EXPECT_EQ(m_list.DetectFileKind(Write("lists.m3u/old.pls/a.M3U", "a.mp3\r\n")), KindM3U);
}

TEST_F(FileKindTest, TextWithTwoConsecutiveFrameHeadersIsAudio)
{
    QByteArray text =
        "a.mp3\r\nb.mp3\r\n" + Frames(m_header, 417, 1) + HeaderBytes(m_header) + "\r\nc.mp3\r\n";
    EXPECT_EQ(m_list.DetectFileKind(Write("odd.m3u", text)), KindMPEGAudio);
    EXPECT_EQ(m_list.LoadFile(Path("odd.m3u")), 0);
    EXPECT_EQ(Names(m_list), QStringList{Path("odd.m3u")});
}

TEST_F(FileKindTest, UnconfirmedOrCutHeadersAreNotAudio)
{
    // A header whose next frame is not one, and one whose frame runs past
    // the end of the file.
    QByteArray lone = "a.mp3\r\n" + Frames(m_header, 417, 1) + "b.mp3\r\n";
    EXPECT_EQ(m_list.DetectFileKind(Write("lone.m3u", lone)), KindM3U);
    EXPECT_EQ(m_list.DetectFileKind(Write("cut.pls", "x" + HeaderBytes(m_header) + "tail")), KindPLS);
    // The second header cut short by the end of the file.
    EXPECT_EQ(
        m_list.DetectFileKind(Write("short.m3u", Frames(m_header, 417, 1) + HeaderBytes(m_header).left(2))),
        KindM3U);
}

TEST_F(FileKindTest, SearchLimitBoundsTheSearch)
{
    const QString path = Write("late.m3u", QByteArray(5000, 'j') + Frames(m_header, 417, 3));
    m_list.SearchLimit = 4000;
    EXPECT_EQ(m_list.DetectFileKind(path), KindM3U);
    m_list.SearchLimit = 6000;
    EXPECT_EQ(m_list.DetectFileKind(path), KindMPEGAudio);
    EXPECT_EQ(m_list.Count(), 0);
}

TEST_F(FileKindTest, LoadFileHandsEachKindToItsReader)
{
    const QString song = Mp3("song.mp3");
    EXPECT_EQ(m_list.LoadFile(song), 0);
    EXPECT_EQ(m_list.LoadFile(Write("a.m3u", "song.mp3\r\n")), 1);
    EXPECT_EQ(m_list.LoadFile(Write("a.pls", "[playlist]\r\nNumberOfEntries=1\r\nFile1=song.mp3\r\n")), 2);
    EXPECT_EQ(m_list.LoadFile(Write("notes.txt", "nothing")), -1);
    EXPECT_EQ(m_list.LoadFile(Path("missing.mp3")), -1);
    EXPECT_EQ(Names(m_list), QStringList(3, song));
}

TEST_F(FileKindTest, LongSearchesKeepTheWindowAlive)
{
    int calls = 0;
    m_list.OnProcessMessages = [&] { ++calls; };
    m_list.DetectFileKind(Write("junk.bin", QByteArray(3000, 'j')));
    EXPECT_EQ(calls, 10); // at the positions 300, 600 ... 3000
}
