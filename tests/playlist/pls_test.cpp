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

TEST(PlsNumbers, OnlyTheKeysTheFileHolds)
{
    const QStringList keys{"File10", "file2",  "FILE0",  "File01", "File-1",
                           "File",   "Title2", "File 3", "File4"};
    EXPECT_EQ(FileKeyNumbers(keys, 4), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(FileKeyNumbers(keys, 2'000'000'000), (std::vector<int>{0, 2, 4, 10}));
    EXPECT_TRUE(FileKeyNumbers(keys, -1).empty());
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
