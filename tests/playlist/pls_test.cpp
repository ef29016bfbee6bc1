// PLS lists: which keys are read, in which order, and against which folder.
#include "listtest.h"
#include "playlist/plsfile.h"

#include <QDir>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {
class PlsTest : public ListTest {};
} // namespace

TEST(PlsNumbers, EntryCount)
{
    EXPECT_EQ(ParseEntryCount("12"), 12);
    EXPECT_EQ(ParseEntryCount("0x1F"), 31);
    EXPECT_EQ(ParseEntryCount("0X10"), 16);
    EXPECT_EQ(ParseEntryCount("-3"), -3);
    EXPECT_EQ(ParseEntryCount(""), 0);
    EXPECT_EQ(ParseEntryCount("many"), 0);
    EXPECT_EQ(ParseEntryCount("99999999999"), 0);
    EXPECT_EQ(ParseEntryCount("--3"), 0);
}

TEST(PlsNumbers, OnlyTheKeysThatFilePlusANumberSpells)
{
    const QList<std::pair<QString, std::int64_t>> keys{{"File10", 10},
                                                       {"file2", 2},
                                                       {"FILE0", 0},
                                                       {"File01", -1},
                                                       {"File-1", -1},
                                                       {"File", -1},
                                                       {"Title2", -1},
                                                       {"File 3", -1},
                                                       {"File2147483647", 2147483647},
                                                       {"File2147483648", -1},
                                                       {"File99999999999999999999", -1}};
    for (const auto& [key, number] : keys)
        EXPECT_EQ(FileKeyNumber(key), number) << key.toStdString();
}

TEST_F(PlsTest, KeysZeroToNInOrder)
{
    const QString pls = Write("x.pls", "[playlist]\r\nFile2=b.mp3\r\nFile1=a.mp3\r\nTitle1=ignored\r\n"
                                       "NumberOfEntries=2\r\nFile3=beyond.mp3\r\n");
    EXPECT_EQ(m_list.LoadPLS(pls), 1);
    EXPECT_EQ(Names(m_list), (QStringList{Path("a.mp3"), Path("b.mp3")}));

    m_list.Clear();
    Write("y.pls", "[Playlist]\nnumberofentries=2\nfile0=zero.mp3\nFile1=a.mp3\nFile2=\\music\\b.mp3\n");
    EXPECT_EQ(m_list.LoadPLS(Path("y.pls")), 2);
    EXPECT_EQ(Names(m_list), (QStringList{Path("zero.mp3"), Path("a.mp3"), "/music/b.mp3"}));
}

TEST_F(PlsTest, CountZeroReadsOnlyKeyZeroAndNegativeNothing)
{
    EXPECT_EQ(m_list.LoadPLS(Write("a.pls", "[playlist]\nFile0=zero.mp3\nFile1=one.mp3\n")), 0);
    EXPECT_EQ(Names(m_list), QStringList{Path("zero.mp3")});
    EXPECT_EQ(m_list.LoadPLS(Write("b.pls", "[playlist]\nNumberOfEntries=-1\nFile0=zero.mp3\n")), 0);
    EXPECT_EQ(m_list.Count(), 1);
}

TEST_F(PlsTest, HugeCountReadsOnlyTheKeysPresent)
{
    const QString pls = Write("x.pls", "[playlist]\nNumberOfEntries=2000000000\nFile1=a.mp3\nFile7=b.mp3\n"
                                       "File2147483647=last.mp3\n");
    QList<int> numbers;
    m_list.OnProgress = [&](TMPEGAudio&, const QString& source, int number, int total) {
        if (source == pls)
            numbers << number << total;
        return true;
    };
    EXPECT_EQ(m_list.LoadPLS(pls), 1);
    EXPECT_EQ(numbers, (QList<int>{2, 2000000000, 8, 2000000000}));

    // The last number a count allows: its position from 1 stays in range.
    numbers.clear();
    const QString last = Write("y.pls", "[playlist]\nNumberOfEntries=2147483647\nFile2147483647=last.mp3\n");
    m_list.OnProgress = [&](TMPEGAudio&, const QString& source, int number, int total) {
        if (source == last)
            numbers << number << total;
        return true;
    };
    EXPECT_EQ(m_list.LoadPLS(last), 2);
    EXPECT_EQ(numbers, (QList<int>{2147483647, 2147483647}));
}

TEST_F(PlsTest, ReadAsProfileFilesAre)
{
    const QString pls =
        Write("x.pls", "File1=before-any-section.mp3\n[other]\nFile1=other.mp3\n"
                       "[ PlayList ]\n; File2=comment.mp3\n  file2 = \" quoted.mp3 \" \n"
                       "File2=second-of-two.mp3\n[other]\nFile3=other.mp3\n"
                       "[playlist]\nFile3=merged.mp3\nNumberOfEntries=3\nNumberOfEntries=1\n");
    EXPECT_EQ(m_list.LoadPLS(pls), 1);
    EXPECT_EQ(Names(m_list), (QStringList{Path(" quoted.mp3 "), Path("merged.mp3")}));
}

TEST_F(PlsTest, NameTakenAsGiven)
{
    Write("x.pls", "[playlist]\nNumberOfEntries=1\nFile1=a.mp3\n");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const int result = m_list.LoadPLS("x.pls");
    QDir::setCurrent(previous);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Names(m_list), QStringList{Path("a.mp3")}); // relative to the current folder
}

TEST_F(PlsTest, AbortAndUnreadableFile)
{
    const QString pls =
        Write("x.pls", "[playlist]\nNumberOfEntries=3\nFile1=a.mp3\nFile2=b.mp3\nFile3=c.mp3\n");
    m_list.OnProgress = [&](TMPEGAudio&, const QString& source, int number, int) {
        return !(source == pls && number == 3);
    };
    EXPECT_EQ(m_list.LoadPLS(pls), -2);
    EXPECT_EQ(m_list.Count(), 2);

    int asked = 0;
    m_list.OnFileError = [&](const QString& name) {
        EXPECT_EQ(name, Path("missing.pls"));
        return ++asked == 1 ? int(FileErrorRetry) : int(FileErrorAbort);
    };
    EXPECT_EQ(m_list.LoadPLS(Path("missing.pls")), -2);
    EXPECT_EQ(asked, 2);
}
