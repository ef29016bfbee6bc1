// ReadData on crafted files: the frame search, its confirmation, the Xing
// header, the ID3v2 skip, and what a failed read leaves behind.
#include "support/mpegcraft.h"
#include "trackinfo/mpegaudio.h"
#include "trackinfo/mpegheader.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::trackinfo;
using namespace velmoro::test;

namespace {

// MPEG 1 Layer III, 128 kbit/s, 44100 Hz: frames of 417 bytes.
const std::uint32_t kMp3 = MakeHeader({});
constexpr int kMp3Frame = 417;

class ReadDataTest : public testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        return WriteFile(m_dir.filePath(name), bytes);
    }

    // Reads a file with a fresh object.
    int Read(const QString& path, TMPEGAudio& track)
    {
        track.AutoLoad = false;
        track.SetFileName(path);
        return track.ReadData();
    }

    QTemporaryDir m_dir;
};

QByteArray XingFrame(std::uint32_t h, int frameLength, int xingOffset, QByteArray afterTag)
{
    QByteArray frame = Frames(h, frameLength, 1);
    frame.replace(xingOffset, 4 + afterTag.size(), "Xing" + afterTag);
    return frame;
}

} // namespace

TEST_F(ReadDataTest, TinyFilesReadAsEmptyRecords)
{
    for (int size : {0, 1, 5}) {
        TMPEGAudio track;
        EXPECT_EQ(Read(Write("tiny.mp3", HeaderBytes(kMp3).left(size)), track), 0) << size;
        EXPECT_EQ(track.Data().Header, "BAD");
        EXPECT_EQ(track.Data().Version, 0);
        EXPECT_EQ(track.Data().FileLength, 0); // the identity is not read either
        EXPECT_FALSE(track.IsValid());
    }
}

TEST_F(ReadDataTest, MissingFile)
{
    TMPEGAudio track;
    int calls = 0;
    track.OnReadError = [&](const TMPEGAudioData& d) {
        ++calls;
        EXPECT_EQ(d.Title, "[not found: a-very-long-name-o");
        return ReadErrorCancel;
    };
    EXPECT_EQ(Read(m_dir.filePath("a-very-long-name-of-a-song.mp3"), track), ReadErrorCancel);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(track.Data().FileName, m_dir.filePath("a-very-long-name-of-a-song.mp3"));
    EXPECT_EQ(track.Data().Title.size(), 30);
}

TEST_F(ReadDataTest, CleanFileIsAcceptedAtOffsetZero)
{
    TMPEGAudio track;
    const QString path = Write("clean.mp3", Frames(kMp3, kMp3Frame, 40));
    ASSERT_EQ(Read(path, track), 0);
    const TMPEGAudioData& d = track.Data();
    EXPECT_TRUE(track.IsValid());
    EXPECT_EQ(track.FirstFramePos, 0);
    EXPECT_EQ(d.Version, 1);
    EXPECT_EQ(d.Layer, 3);
    EXPECT_EQ(d.SampleRate, 44100);
    EXPECT_EQ(d.BitRate, 128);
    EXPECT_EQ(d.FileLength, 40 * kMp3Frame);
    EXPECT_EQ(d.Duration, 40 * kMp3Frame * 8 / 128000);
    EXPECT_NE(d.FileDateTime, 0);
    EXPECT_EQ(d.Title, "clean.mp3"); // no tag: the file's name
    EXPECT_EQ(d.Artist, "[notag]");
    EXPECT_EQ(d.Header, "BAD");
    EXPECT_EQ(track.DisplayTitle(), "Unknown Title");
}

TEST_F(ReadDataTest, JunkAndFalseSyncWordsAreSkipped)
{
    // A sync word whose frame is not followed by another header, then junk
    // that holds 0xFF bytes, then the real stream.
    QByteArray junk = HeaderBytes(MakeHeader({.bitRateIndex = 5})) + QByteArray(300, '\xFF') +
                      QByteArray(123, '\x00') + QByteArray("\xFF\xFB\x00", 3) + QByteArray(777, 'j');
    TMPEGAudio track;
    ASSERT_EQ(Read(Write("junk.mp3", junk + Frames(kMp3, kMp3Frame, 10)), track), 0);
    EXPECT_EQ(track.FirstFramePos, junk.size());
    EXPECT_EQ(track.Data().BitRate, 128);
}

TEST_F(ReadDataTest, ConfirmationTakesTheSecondFramesValues)
{
    // The first header says 128 kbit/s, the second 160: the record shows the second.
    const std::uint32_t second = MakeHeader({.bitRateIndex = 10, .mode = 1});
    TMPEGAudio track;
    ASSERT_EQ(Read(Write("two.mp3", Frames(kMp3, kMp3Frame, 1) + Frames(second, 522, 5)), track), 0);
    EXPECT_EQ(track.FirstFramePos, 0);
    EXPECT_EQ(track.Data().BitRate, 160);
    EXPECT_EQ(track.Data().Mode, 1);
}

TEST_F(ReadDataTest, LayerOneAndLowRateLayerThreeAreConfirmed)
{
    struct Case {
        HeaderFields f;
        int frameLength;
        int version, layer;
    };
    const Case cases[] = {
        {{.versionBits = 3, .layerBits = 3, .bitRateIndex = 12, .sampleRateIndex = 0}, 416, 1, 1},
        {{.versionBits = 2, .layerBits = 3, .bitRateIndex = 1, .sampleRateIndex = 0}, 68, 2, 1},
        {{.versionBits = 2, .layerBits = 1, .bitRateIndex = 8, .sampleRateIndex = 0}, 208, 2, 3},
        {{.versionBits = 0, .layerBits = 1, .bitRateIndex = 1, .sampleRateIndex = 2}, 72, 3, 3},
    };
    for (const Case& c : cases) {
        TMPEGAudio track;
        const QByteArray junk(50, '\x11');
        ASSERT_EQ(Read(Write("crafted.mp3", junk + Frames(MakeHeader(c.f), c.frameLength, 20)), track), 0)
            << c.version << "/" << c.layer;
        EXPECT_EQ(track.FirstFramePos, 50);
        EXPECT_EQ(track.Data().Version, c.version);
        EXPECT_EQ(track.Data().Layer, c.layer);
        EXPECT_EQ(track.Data().FrameLength, c.frameLength);
    }
}

TEST_F(ReadDataTest, NoFrameResetsButKeepsTheFileIdentity)
{
    TMPEGAudio track;
    int calls = 0;
    track.OnReadError = [&](const TMPEGAudioData&) {
        ++calls;
        return ReadErrorIgnore;
    };
    const QByteArray noise = QByteArray("\xFF\xFB\x90\x00", 4).repeated(3) + QByteArray(5000, 'z');
    const QString path = Write("noise.mp3", noise);
    EXPECT_EQ(Read(path, track), ReadErrorIgnore);
    EXPECT_EQ(calls, 1);
    const TMPEGAudioData& d = track.Data();
    EXPECT_FALSE(track.IsValid());
    EXPECT_EQ(d.Header, "BAD");
    EXPECT_EQ(d.Title, "[notag]");
    EXPECT_EQ(d.Genre, 255);
    EXPECT_EQ(d.FileLength, noise.size());
    EXPECT_NE(d.FileDateTime, 0);
    EXPECT_EQ(d.FileName, path);
    EXPECT_EQ(track.FirstFramePos, noise.size() + 1);
}

TEST_F(ReadDataTest, TruncatedStreams)
{
    // One whole frame and a cut one: the first is confirmed by the second's header.
    TMPEGAudio cut;
    ASSERT_EQ(Read(Write("cut.mp3", Frames(kMp3, kMp3Frame, 2).left(kMp3Frame + 10)), cut), 0);
    EXPECT_TRUE(cut.IsValid());
    // A single frame has nothing to confirm it.
    TMPEGAudio single;
    EXPECT_EQ(Read(Write("single.mp3", Frames(kMp3, kMp3Frame, 1)), single), -1);
    // A header cut after two bytes of the second frame cannot confirm anything.
    TMPEGAudio stub;
    EXPECT_EQ(Read(Write("stub.mp3", Frames(kMp3, kMp3Frame, 2).left(kMp3Frame + 2)), stub), -1);
    EXPECT_FALSE(stub.IsValid());
}

TEST_F(ReadDataTest, SearchLimitBoundsTheSearch)
{
    const QByteArray file = QByteArray(5000, 'j') + Frames(kMp3, kMp3Frame, 10);
    const QString path = Write("far.mp3", file);
    TMPEGAudio limited;
    limited.SearchLimit = 1000;
    EXPECT_EQ(Read(path, limited), -1);
    TMPEGAudio enough;
    enough.SearchLimit = 6000;
    EXPECT_EQ(Read(path, enough), 0);
    EXPECT_EQ(enough.FirstFramePos, 5000);
}

TEST_F(ReadDataTest, FalseHeadersEveryFourBytesEndTheSearchAtTheDefaultLimit)
{
    // Every candidate decodes but none is confirmed; real frames follow only
    // past the limit, so finding none shows the search stopped there.
    const QByteArray falseSyncs = HeaderBytes(kMp3).repeated(kDefaultSearchLimit / 4 + 16 * 1024);
    const QString path = Write("false-syncs.mp3", falseSyncs + Frames(kMp3, kMp3Frame, 10));
    TMPEGAudio track;
    int ticks = 0;
    track.OnSearchProgress = [&] { ++ticks; };
    EXPECT_EQ(Read(path, track), -1);
    EXPECT_NEAR(ticks, kDefaultSearchLimit / 300, 2);
    EXPECT_EQ(track.Data().FileLength, falseSyncs.size() + 10 * kMp3Frame);
    EXPECT_NE(track.Data().FileDateTime, 0);
}

TEST_F(ReadDataTest, Id3v2TagIsSkippedAndNotCountedAsAudio)
{
    // A tag whose "picture" is full of valid-looking frames.
    QByteArray picture = Frames(MakeHeader({.bitRateIndex = 1}), 104, 3000);
    const QByteArray tag = Id3v2Tag(picture.size(), 0).left(10) + picture;
    const QByteArray audio = Frames(kMp3, kMp3Frame, 460); // about 12 s
    TMPEGAudio track;
    ASSERT_EQ(Read(Write("cover.mp3", tag + audio), track), 0);
    EXPECT_EQ(track.FirstFramePos, tag.size());
    EXPECT_EQ(track.Data().BitRate, 128);
    EXPECT_EQ(track.Data().Duration, audio.size() * 8 / 128000);
    EXPECT_EQ(track.Data().FileLength, tag.size() + audio.size());

    // A search limit counts from the end of the tag.
    TMPEGAudio limited;
    limited.SearchLimit = 100;
    EXPECT_EQ(Read(Write("cover.mp3", tag + QByteArray(50, 'j') + audio), limited), 0);
    EXPECT_EQ(limited.FirstFramePos, tag.size() + 50);
}

TEST_F(ReadDataTest, SeveralId3v2TagsInARowAreAllSkipped)
{
    const QByteArray picture = Frames(MakeHeader({.bitRateIndex = 1}), 104, 200);
    const QByteArray first = Id3v2Tag(picture.size(), 0).left(10) + picture;
    const QByteArray second = Id3v2Tag(300, 0, true);
    const QByteArray third = Id3v2Tag(picture.size(), 0).left(10) + picture;
    const QByteArray audio = Frames(kMp3, kMp3Frame, 5);
    TMPEGAudio track;
    ASSERT_EQ(Read(Write("tags.mp3", first + second + third + audio), track), 0);
    EXPECT_EQ(track.FirstFramePos, first.size() + second.size() + third.size());
    EXPECT_EQ(track.Data().BitRate, 128);
    EXPECT_EQ(track.Data().Duration, 0); // 0.13 s of audio, not the tags' bytes

    // A malformed tag after a good one ends the skipping there.
    QByteArray broken = Id3v2Tag(100, 'p');
    broken[6] = char(0x80);
    TMPEGAudio partly;
    ASSERT_EQ(Read(Write("tags.mp3", first + broken + audio), partly), 0);
    EXPECT_EQ(partly.FirstFramePos, first.size() + broken.size());
}

TEST_F(ReadDataTest, MalformedId3v2IsSearchedByteByByte)
{
    // The size claims more than the file: no skip, the plain search finds the frame.
    QByteArray tag = Id3v2Tag(100, 'p');
    tag[6] = 0x7F;
    TMPEGAudio track;
    ASSERT_EQ(Read(Write("badtag.mp3", tag + Frames(kMp3, kMp3Frame, 4)), track), 0);
    EXPECT_EQ(track.FirstFramePos, tag.size());
}

TEST_F(ReadDataTest, XingHeaders)
{
    struct Case {
        HeaderFields f;
        int frameLength, offset, version;
        std::uint32_t frames;
        int duration;
    };
    const Case cases[] = {
        {{.mode = 0}, 417, 36, 1, 1000, 26}, // 1152 / 44100 × 1000
        {{.mode = 3}, 417, 21, 1, 1000, 26},
        {{.versionBits = 2, .bitRateIndex = 8, .mode = 1}, 208, 21, 2, 1000, 26}, // 576 / 22050
        {{.versionBits = 0, .bitRateIndex = 1, .sampleRateIndex = 2, .mode = 3}, 72, 13, 3, 1000, 72},
    };
    for (const Case& c : cases) {
        const std::uint32_t h = MakeHeader(c.f);
        QByteArray file =
            XingFrame(h, c.frameLength, c.offset,
                      QByteArray::fromHex("00000003") +
                          QByteArray::fromHex(QByteArray::number(c.frames, 16).rightJustified(8, '0')) +
                          QByteArray::fromHex("0000ABCD"));
        file += Frames(h, c.frameLength, 30);
        TMPEGAudio track;
        ASSERT_EQ(Read(Write("vbr.mp3", file), track), 0);
        SCOPED_TRACE(c.version);
        EXPECT_EQ(track.Data().Version, c.version);
        EXPECT_EQ(track.Data().BitRate, -1);
        EXPECT_EQ(track.Data().Duration, c.duration);
        EXPECT_EQ(track.Data().FrameLength, file.size() / int(c.frames));
    }

    // No frame count: duration and frame length 0, the read still succeeds.
    QByteArray noCount = XingFrame(kMp3, kMp3Frame, 36, QByteArray::fromHex("00000002000000FF"));
    noCount += Frames(kMp3, kMp3Frame, 5);
    TMPEGAudio track;
    ASSERT_EQ(Read(Write("nocount.mp3", noCount), track), 0);
    EXPECT_EQ(track.Data().BitRate, -1);
    EXPECT_EQ(track.Data().Duration, 0);
    EXPECT_EQ(track.Data().FrameLength, 0);
}

TEST_F(ReadDataTest, RetryReadsAgainUntilAnotherAnswer)
{
    const QString path = m_dir.filePath("late.mp3");
    TMPEGAudio track;
    int calls = 0;
    track.OnReadError = [&](const TMPEGAudioData&) {
        if (++calls == 2)
            WriteFile(path, Frames(kMp3, kMp3Frame, 5));
        return ReadErrorRetry;
    };
    EXPECT_EQ(Read(path, track), 0);
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(track.IsValid());
}

TEST_F(ReadDataTest, SearchReportsProgressWhileScanning)
{
    TMPEGAudio track;
    int ticks = 0;
    track.OnSearchProgress = [&] { ++ticks; };
    ASSERT_EQ(Read(Write("slow.mp3", QByteArray(3000, 'j') + Frames(kMp3, kMp3Frame, 4)), track), 0);
    EXPECT_EQ(ticks, 10);
}

TEST_F(ReadDataTest, RelativeNamesAreExpanded)
{
    Write("rel.mp3", Frames(kMp3, kMp3Frame, 4));
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    TMPEGAudio track;
    const int result = Read("./sub/../rel.mp3", track);
    QDir::setCurrent(old);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(track.Data().FileName, m_dir.filePath("rel.mp3"));
    EXPECT_EQ(track.LocateFile(), m_dir.filePath("rel.mp3"));

    // A moved file on no labelled volume is reported where it was.
    QFile::remove(m_dir.filePath("rel.mp3"));
    EXPECT_EQ(track.LocateFile(), m_dir.filePath("rel.mp3"));
}

TEST_F(ReadDataTest, ResetAndTexts)
{
    TMPEGAudio track;
    EXPECT_EQ(track.Data().Header, "");
    EXPECT_EQ(track.VersionText(), "Unknown");
    track.ResetData();
    EXPECT_EQ(track.Data().Header, "BAD");
    EXPECT_EQ(track.Data().Year, "    ");
    EXPECT_EQ(track.Data().Genre, 255);
    EXPECT_EQ(track.GenreText(), "Unknown");
    TMPEGAudioData d;
    d.Version = 3;
    d.Layer = 2;
    d.Mode = 3;
    track.SetData(d);
    EXPECT_EQ(track.VersionText(), "2.5");
    EXPECT_EQ(track.LayerText(), "II");
    EXPECT_EQ(track.ModeText(), "Single-Channel");
    d.Mode = 200; // from a damaged stored record
    track.SetData(d);
    EXPECT_EQ(track.ModeText(), "");
    EXPECT_EQ(TMPEGAudio::DurationToTime(3725), QTime(1, 2, 5));
}
