// M3U lists: how lines become entries, and how the list is written back.
#include "listtest.h"
#include "support/capturedlog.h"
#include "platform/logging.h"
#include "playlist/listpaths.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

class M3uTest : public ListTest {
protected:
    // An entry that names path, as a stored record, so no file is read.
    void AddNamed(const QString& path, std::uint16_t selected = 0)
    {
        TMPEGAudioData d;
        d.FileName = path;
        d.Selected = selected;
        m_list.AddRecord(d);
    }
};

} // namespace

TEST(ListPaths, LinesOfListsWrittenAnywhere)
{
    EXPECT_EQ(ResolveEntryName("/music/a.mp3", "/lists/"), "/music/a.mp3");
    EXPECT_EQ(ResolveEntryName("\\music\\a.mp3", "/lists/"), "/music/a.mp3");
    EXPECT_EQ(ResolveEntryName("a.mp3", "/lists/"), "/lists/a.mp3");
    EXPECT_EQ(ResolveEntryName("sub\\b.mp3", "/lists/"), "/lists/sub/b.mp3");
    EXPECT_EQ(ResolveEntryName("C:\\Music\\a.mp3", "/lists/"), "C:\\Music\\a.mp3");
    EXPECT_EQ(ResolveEntryName("a.mp3", ""), "a.mp3");
    EXPECT_EQ(DirectoryPart("/lists/x.m3u"), "/lists/");
    EXPECT_EQ(DirectoryPart("x.m3u"), "");
    EXPECT_EQ(RelativeTo("/lists/sub/b.mp3", "/lists/"), "sub/b.mp3");
    EXPECT_EQ(RelativeTo("/Lists/sub/b.mp3", "/lists/"), "/Lists/sub/b.mp3"); // names keep their case
    EXPECT_EQ(RelativeTo("/listsx/b.mp3", "/lists/"), "/listsx/b.mp3");
}

TEST_F(M3uTest, AbsoluteRootAndRelativeLines)
{
    const QString list = Write("x.m3u", "/music/a.mp3\r\n\\music\\a.mp3\r\na.mp3\r\n");
    EXPECT_EQ(m_list.LoadM3U(list), 2);
    EXPECT_EQ(Names(m_list), (QStringList{"/music/a.mp3", "/music/a.mp3", Path("a.mp3")}));
}

TEST_F(M3uTest, CommentsEmptyLinesAndEveryLineEnding)
{
    const QString song = Mp3("song.mp3");
    const QString list = Write("x.m3u", "#EXTM3U\r\n#EXTINF:1,song\nsong.mp3\r\rsong.mp3\nsong.mp3");
    EXPECT_EQ(m_list.LoadM3U(list), 2);
    EXPECT_EQ(Names(m_list), QStringList(3, song));
    EXPECT_TRUE(m_list.Items(2).IsValid());
}

TEST_F(M3uTest, NamesInUtf8OrLatin1)
{
    Write("x.m3u", "caff\xC3\xA8.mp3\n");
    Write("y.m3u", "caff\xE8.mp3\n");
    m_list.LoadM3U(Path("x.m3u"));
    m_list.LoadM3U(Path("y.m3u"));
    EXPECT_EQ(Names(m_list), QStringList(2, Path(QString::fromUtf8("caffè.mp3"))));
}

TEST_F(M3uTest, ResultIsTheLastIndexAndZeroWhenNothingIsAdded)
{
    m_list.AddRecord({});
    EXPECT_EQ(m_list.LoadM3U(Write("a.m3u", "#only a comment\r\n")), 0);
    EXPECT_EQ(m_list.LoadM3U(Write("b.m3u", "one.mp3\r\ntwo.mp3\r\n")), 2);
    EXPECT_EQ(m_list.Count(), 3);
}

TEST_F(M3uTest, ProgressPerLineAndAbort)
{
    const QString list = Write("x.m3u", "#c\r\na.mp3\r\nb.mp3\r\nc.mp3\r\n");
    QStringList calls;
    m_list.OnProgress = [&](TMPEGAudio& entry, const QString& source, int number, int total) {
        calls << QStringLiteral("%1 %2 %3/%4")
                     .arg(QFileInfo(entry.GetFileName()).fileName(), QFileInfo(source).fileName())
                     .arg(number)
                     .arg(total);
        return !(source == list && number == 3);
    };
    EXPECT_EQ(m_list.LoadM3U(list), -2);
    EXPECT_EQ(calls,
              (QStringList{"a.mp3 a.mp3 1/1", "a.mp3 x.m3u 2/4", "b.mp3 b.mp3 1/1", "b.mp3 x.m3u 3/4"}));
    EXPECT_EQ(m_list.Count(), 2);

    // A "no" already in the call that AddFile makes ends the load too.
    m_list.OnProgress = [](TMPEGAudio&, const QString&, int, int total) { return total != 1; };
    EXPECT_EQ(m_list.LoadM3U(list), -2);
    EXPECT_EQ(m_list.Count(), 3);
}

TEST_F(M3uTest, UnreadableListsGoThroughOnFileError)
{
    const CapturedLog log(velmoro::lcPlaylist());
    const QString missing = Path("missing.m3u");
    QList<int> answers{FileErrorRetry, 5};
    QStringList asked;
    m_list.OnFileError = [&](const QString& name) {
        asked << name;
        return answers.takeFirst();
    };
    EXPECT_EQ(m_list.LoadM3U(missing), -1);
    EXPECT_EQ(asked, QStringList(2, missing));
    m_list.OnFileError = [](const QString&) { return int(FileErrorAbort); };
    EXPECT_EQ(m_list.LoadM3U(missing), -2);
    m_list.OnFileError = nullptr;
    EXPECT_EQ(m_list.LoadM3U(m_dir.path()), -1); // a directory is no list
    EXPECT_EQ(m_list.Count(), 0);
    // One message for each failed read, with the system's reason.
    ASSERT_EQ(log.Messages().size(), 4) << log.Text();
    EXPECT_TRUE(log.Messages()[0].contains(qt_error_string(ENOENT))) << log.Text();
    EXPECT_TRUE(log.Messages()[3].contains(qt_error_string(EISDIR))) << log.Text();
}

TEST_F(M3uTest, SaveWritesFullPathsWithCrLf)
{
    const QString song = Mp3("song.mp3");
    m_list.AddFile(song);
    AddNamed(QString::fromUtf8("/elsewhere/perché.mp3"));
    ASSERT_EQ(m_list.SaveM3U(Path("out.m3u"), {}), 0);
    EXPECT_EQ(ReadWholeFile(Path("out.m3u")), (song + "\r\n/elsewhere/perché.mp3\r\n").toUtf8());

    // Reading it back gives the same entries.
    TMPEGAudioList back;
    back.LoadM3U(Path("out.m3u"));
    EXPECT_EQ(Names(back), Names(m_list));
}

TEST_F(M3uTest, SaveRelativeCutsOnlyTheListDirectory)
{
    AddNamed(Path("sub/b.mp3"));
    AddNamed("/b.mp3");
    AddNamed(Path("x.mp3"));
    ASSERT_EQ(m_list.SaveM3U(Path("x.m3u"), {.relativeNames = true}), 0);
    EXPECT_EQ(ReadWholeFile(Path("x.m3u")), "sub/b.mp3\r\n/b.mp3\r\nx.mp3\r\n");
}

TEST_F(M3uTest, SaveOnlySelectedOrOnlyValid)
{
    const QString song = Mp3("song.mp3");
    m_list.AddFile(song);
    m_list.AddFile(Path("missing.mp3"));
    AddNamed("/selected.mp3", 1);
    ASSERT_EQ(m_list.SaveM3U(Path("valid.m3u"), {.validOnly = true}), 0);
    ASSERT_EQ(m_list.SaveM3U(Path("selected.m3u"), {.selectedOnly = true}), 0);
    EXPECT_EQ(ReadWholeFile(Path("valid.m3u")), (song + "\r\n").toUtf8());
    EXPECT_EQ(ReadWholeFile(Path("selected.m3u")), "/selected.mp3\r\n");
}

TEST_F(M3uTest, AppendAddsLinesAtTheEnd)
{
    AddNamed("/new.mp3");
    Write("a.m3u", "/old.mp3\r\n");
    Write("b.m3u", "/old.mp3"); // its last line has no line break
    ASSERT_EQ(m_list.SaveM3U(Path("a.m3u"), {.append = true}), 0);
    ASSERT_EQ(m_list.SaveM3U(Path("b.m3u"), {.append = true}), 0);
    ASSERT_EQ(m_list.SaveM3U(Path("c.m3u"), {.append = true}), 0); // missing: created
    EXPECT_EQ(ReadWholeFile(Path("a.m3u")), "/old.mp3\r\n/new.mp3\r\n");
    EXPECT_EQ(ReadWholeFile(Path("b.m3u")), "/old.mp3\r\n/new.mp3\r\n");
    EXPECT_EQ(ReadWholeFile(Path("c.m3u")), "/new.mp3\r\n");
}

TEST_F(M3uTest, AppendToALatin1ListKeepsItReadable)
{
    AddNamed(QString::fromUtf8("/perché.mp3"));
    Write("old.m3u", "/caff\xE8.mp3\r\n");
    ASSERT_EQ(m_list.SaveM3U(Path("old.m3u"), {.append = true}), 0);
    TMPEGAudioList back;
    back.LoadM3U(Path("old.m3u"));
    EXPECT_EQ(Names(back), (QStringList{QString::fromUtf8("/caffè.mp3"), QString::fromUtf8("/perché.mp3")}));
}

TEST_F(M3uTest, SavingAnEmptyListTouchesNothing)
{
    Write("keep.m3u", "/old.mp3\r\n");
    EXPECT_EQ(m_list.SaveM3U(Path("keep.m3u"), {}), 0);
    EXPECT_EQ(m_list.SaveM3U(Path("none.m3u"), {}), 0);
    EXPECT_EQ(ReadWholeFile(Path("keep.m3u")), "/old.mp3\r\n");
    EXPECT_FALSE(QFile::exists(Path("none.m3u")));
}

TEST_F(M3uTest, SaveProgressCanStopAfterSomeLines)
{
    for (const char* name : {"/a.mp3", "/b.mp3", "/c.mp3"})
        AddNamed(name, name[1] != 'a');
    QList<int> numbers;
    m_list.OnSaveProgress = [&](const TMPEGAudio&, int number) {
        numbers << number;
        return number < 3;
    };
    EXPECT_EQ(m_list.SaveM3U(Path("x.m3u"), {.selectedOnly = true}), -2);
    EXPECT_EQ(numbers, (QList<int>{2, 3})); // positions in the list, skipped entries counted
    EXPECT_EQ(ReadWholeFile(Path("x.m3u")), "/b.mp3\r\n");
}

TEST_F(M3uTest, FailedSaveKeepsTheOldFileWhole)
{
    const QByteArray old = "/old.mp3\r\n";
    Write("default.m3u", old);
    for (int i = 0; i < 200; ++i)
        AddNamed(QStringLiteral("/music/a-rather-long-folder-name/song-%1.mp3").arg(i));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = saved;
    full.rlim_cur = 1000; // a disk that fills up half-way through the list
    setrlimit(RLIMIT_FSIZE, &full);
    const int replaced = m_list.SaveM3U(Path("default.m3u"), {});
    const int appended = m_list.SaveM3U(Path("default.m3u"), {.append = true});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(replaced, -1);
    EXPECT_EQ(appended, -1);
    EXPECT_EQ(ReadWholeFile(Path("default.m3u")), old);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"default.m3u"});

    EXPECT_EQ(m_list.SaveM3U(Path("no-such-folder/x.m3u"), {}), -1);
}

TEST_F(M3uTest, LongLoadsKeepTheWindowAliveEvery30Lines)
{
    QByteArray lines;
    for (int i = 0; i < 61; ++i)
        lines += i % 2 ? "#comment\r\n" : "missing.mp3\r\n";
    int calls = 0;
    m_list.OnProcessMessages = [&] { ++calls; };
    m_list.LoadM3U(Write("x.m3u", lines));
    EXPECT_EQ(calls, 3); // lines 0, 30 and 60, comments counted
}
