// ID3v1 tags: reading them with ReadData, writing and removing them in files.
#include "support/capturedlog.h"
#include "platform/logging.h"
#include "support/mpegcraft.h"
#include "trackinfo/id3v1.h"
#include "trackinfo/mpegaudio.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace velmoro::trackinfo;
using namespace velmoro::test;

namespace {

const QByteArray kAudio = Frames(MakeHeader({}), 417, 8);

QByteArray TagBlock(QByteArrayView title, QByteArrayView artist, QByteArrayView album, QByteArrayView year,
                    QByteArrayView comment, char track, char genre)
{
    QByteArray block(128, '\0');
    block.replace(0, 3, "TAG");
    block.replace(3, title.size(), title.data(), title.size());
    block.replace(33, artist.size(), artist.data(), artist.size());
    block.replace(63, album.size(), album.data(), album.size());
    block.replace(93, year.size(), year.data(), year.size());
    block.replace(97, comment.size(), comment.data(), comment.size());
    block[126] = track;
    block[127] = genre;
    return block;
}

// Lowers the file-size limit of the process for its lifetime.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

class TagTest : public testing::Test {
protected:
    QString Write(const QByteArray& bytes) { return WriteFile(m_dir.filePath("song.mp3"), bytes); }
    void Load(TMPEGAudio& track, const QString& path)
    {
        track.AutoLoad = false;
        track.SetFileName(path);
        ASSERT_EQ(track.ReadData(), 0);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TagTest, FieldsArePaddedByBlanksOrZerosAndTrackIsTheLastCommentByte)
{
    QByteArray block = TagBlock("  Title  \0junk", "Artist   ", "Album", "19\0x", "Comment", 0, 8);
    block.replace(33 + 20, 10, QByteArray(10, ' '));
    TMPEGAudio track;
    Load(track, Write(kAudio + block));
    const TMPEGAudioData& d = track.Data();
    EXPECT_TRUE(track.HasTag());
    EXPECT_EQ(d.Header, "TAG");
    EXPECT_EQ(d.Title, "  Title"); // leading blanks stay
    EXPECT_EQ(d.Artist, "Artist");
    EXPECT_EQ(d.Album, "Album");
    EXPECT_EQ(d.Year, "19");
    EXPECT_EQ(d.Comment, "Comment");
    EXPECT_EQ(d.Track, 0);
    EXPECT_EQ(d.Genre, 8);
    EXPECT_EQ(track.GenreText(), "Jazz");
    EXPECT_EQ(track.DisplayTitle(), "  Title");
    EXPECT_EQ(track.DisplayArtist(), "Artist");

    // An ID3v1.0 comment of 30 characters is all comment: no track.
    TMPEGAudio full;
    Load(full, Write(kAudio + TagBlock("T", "A", "B", "2000", QByteArray(29, 'c') + "!", '!', 125)));
    EXPECT_EQ(full.Data().Comment, QString(29, u'c') + u'!');
    EXPECT_EQ(full.Data().Track, 0);
    EXPECT_EQ(full.GenreText(), "Dance Hall");

    TMPEGAudio latin;
    Load(latin, Write(kAudio + TagBlock("Caf\xE9", "", "", "", "", 3, char(200))));
    EXPECT_EQ(latin.Data().Title, QString::fromUtf8("Café"));
    EXPECT_EQ(latin.Data().Track, 3);
    EXPECT_EQ(latin.GenreText(), "Unknown");
}

TEST_F(TagTest, SmallFilesAreNeverExaminedForATag)
{
    // 128 bytes that happen to end in "TAG…": neither a tag nor the file's name is taken.
    const QByteArray frames =
        Frames(MakeHeader({.versionBits = 0, .bitRateIndex = 1, .sampleRateIndex = 2}), 72, 1);
    QByteArray file = frames + TagBlock("x", "", "", "", "", 0, 0).left(128 - frames.size());
    file.replace(72, 4, HeaderBytes(MakeHeader({.versionBits = 0, .bitRateIndex = 1, .sampleRateIndex = 2})));
    ASSERT_EQ(file.size(), 128);
    TMPEGAudio track;
    Load(track, Write(file));
    EXPECT_FALSE(track.HasTag());
    EXPECT_EQ(track.Data().Title, "[notag]");
}

TEST_F(TagTest, UntaggedFilesShowTheSubstitutes)
{
    TMPEGAudio track;
    track.UnknownTitle = "Senza titolo";
    Load(track, Write(kAudio));
    EXPECT_EQ(track.Data().Title, "song.mp3");
    EXPECT_EQ(track.DisplayTitle(), "Senza titolo");
    EXPECT_EQ(track.DisplayArtist(), "Unknown Artist");
    track.UnknownArtist.clear();
    EXPECT_EQ(track.DisplayArtist(), "[notag]");
}

TEST_F(TagTest, SettersCutToTheFieldSizes)
{
    TMPEGAudio track;
    track.SetTitle(QString(40, u't'));
    track.SetYear("199999");
    track.SetComment(QString(31, u'c'));
    EXPECT_EQ(track.Data().Title.size(), 30);
    EXPECT_EQ(track.Data().Year, "1999");
    EXPECT_EQ(track.Data().Comment.size(), 30);
}

TEST_F(TagTest, WriteAppendsThenReplacesWithoutTouchingTheAudio)
{
    const QString path = Write(kAudio);
    TMPEGAudio track;
    Load(track, path);
    track.SetTitle("New title");
    track.SetArtist("Someone");
    track.SetAlbum("Record");
    track.SetYear("2001");
    track.SetComment(QString(28, u'x') + QStringLiteral("YZ")); // a track leaves room for 28
    track.SetTrack(12);
    track.SetGenre(17);
    ASSERT_EQ(track.WriteTag(), 0);
    QByteArray bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), kAudio.size() + 128);
    EXPECT_EQ(bytes.left(kAudio.size()), kAudio);
    EXPECT_EQ(bytes.mid(kAudio.size()),
              TagBlock("New title", "Someone", "Record", "2001", QByteArray(28, 'x'), 12, 17));
    EXPECT_TRUE(track.HasTag());
    EXPECT_EQ(track.Data().Comment, QString(28, u'x'));
    EXPECT_EQ(track.Data().Track, 12);
    EXPECT_EQ(track.GenreText(), "Rock");

    track.SetTitle("Other");
    ASSERT_EQ(track.WriteTag(), 0);
    bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), kAudio.size() + 128);
    EXPECT_EQ(bytes.left(kAudio.size()), kAudio);
    EXPECT_EQ(track.Data().Title, "Other");

    ASSERT_EQ(track.RemoveTag(), 0);
    EXPECT_EQ(ReadWholeFile(path), kAudio);
    EXPECT_FALSE(track.HasTag());
    ASSERT_EQ(track.RemoveTag(), 0); // nothing left to remove
    EXPECT_EQ(ReadWholeFile(path), kAudio);
}

TEST_F(TagTest, FailuresLeaveTheFileAsItWas)
{
    const CapturedLog log(velmoro::lcTrackInfo());
    TMPEGAudio missing;
    missing.AutoLoad = false;
    missing.SetFileName(m_dir.filePath("gone.mp3"));
    EXPECT_EQ(missing.WriteTag(), -1);
    EXPECT_EQ(missing.RemoveTag(), -1);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("gone.mp3")));

    // A directory in the file's place cannot be opened for writing.
    TMPEGAudio dir;
    dir.AutoLoad = false;
    dir.SetFileName(m_dir.path());
    EXPECT_EQ(dir.WriteTag(), -1);

    // A file-size limit makes the append fail half-way, as a full disk would.
    const QString path = Write(kAudio);
    TMPEGAudio track;
    Load(track, path);
    track.SetTitle("Never written");
    {
        FileSizeLimit limit(kAudio.size() + 50);
        EXPECT_EQ(track.WriteTag(), EFBIG);
    }
    EXPECT_EQ(ReadWholeFile(path), kAudio);
    EXPECT_FALSE(track.HasTag());
    // Every failure is told once, the system's reason included.
    ASSERT_EQ(log.Messages().size(), 4) << log.Text();
    EXPECT_TRUE(log.Messages()[1].contains("remove")) << log.Text();
    EXPECT_TRUE(log.Messages()[3].contains(qt_error_string(EFBIG))) << log.Text();
}

TEST(Id3v1Block, BuildAndApplyRoundTrip)
{
    TMPEGAudioData d;
    d.Title = "Title";
    d.Artist = QString::fromUtf8("Ünïcödé ☃");
    d.Year = "1987";
    d.Comment = "c";
    d.Track = 4;
    d.Genre = 9;
    const QByteArray block = BuildId3v1(d);
    ASSERT_EQ(block.size(), 128);
    TMPEGAudioData back;
    ApplyId3v1(block, back);
    EXPECT_EQ(back.Title, "Title");
    EXPECT_EQ(back.Artist, QString::fromUtf8("Ünïcödé ?")); // outside Latin-1
    EXPECT_EQ(back.Year, "1987");
    EXPECT_EQ(back.Track, 4);
    EXPECT_EQ(back.Genre, 9);
}

// The track byte exists only in the ID3v1.1 layout, where a zero comes
// before it; both layouts round-trip.
TEST(Id3v1Block, TrackOnlyWithTheV11Layout)
{
    struct Case {
        QString comment;
        std::uint8_t track;
        QString commentBack;
        char byte125, byte126;
    };
    const Case cases[] = {
        {QString(30, u'c'), 0, QString(30, u'c'), 'c', 'c'},  // 1.0: all 30 characters
        {QString(29, u'c'), 0, QString(29, u'c'), 'c', '\0'}, // 1.0, one short
        {QString(30, u'c'), 7, QString(28, u'c'), '\0', 7},   // 1.1: 28, a zero, the track
        {"short", 255, "short", '\0', char(255)},
        {"", 0, "", '\0', '\0'},
    };
    for (const Case& c : cases) {
        TMPEGAudioData d;
        d.Comment = c.comment;
        d.Track = c.track;
        const QByteArray block = BuildId3v1(d);
        EXPECT_EQ(block[125], c.byte125) << c.comment.size() << " " << int(c.track);
        EXPECT_EQ(block[126], c.byte126) << c.comment.size() << " " << int(c.track);
        TMPEGAudioData back;
        ApplyId3v1(block, back);
        EXPECT_EQ(back.Comment, c.commentBack) << c.comment.size() << " " << int(c.track);
        EXPECT_EQ(back.Track, c.track) << c.comment.size() << " " << int(c.track);
    }
}
