// The store itself: adding files and records, removing, and the sort.
#include "listtest.h"
#include "trackinfo/templates.h"

#include <QFileInfo>

#include <vector>

using namespace velmoro::playlist;
using namespace velmoro::test;
using velmoro::trackinfo::ReadErrorCancel;

namespace {

class StoreTest : public ListTest {};

TMPEGAudioData Titled(const QString& title, std::uint16_t selected = 0)
{
    TMPEGAudioData d;
    d.Title = title;
    d.FileName = "/music/" + title + ".mp3";
    d.Selected = selected;
    return d;
}

QStringList Titles(const TMPEGAudioList& list)
{
    QStringList titles;
    for (int i = 0; i < list.Count(); ++i)
        titles << list.Items(i).Data().Title;
    return titles;
}

// The sort as it reads, recursion and all, on (key, original index) pairs
// compared by key alone; counts the progress calls.
void ReferenceSort(QList<QPair<QString, int>>& items, int l, int r, int direction, int& progressCalls)
{
    const auto cmp = [](const QString& a, const QString& b) { return a < b ? -1 : (a == b ? 0 : 1); };
    int i = 0;
    do {
        i = l;
        int j = r;
        const QString p = items[(l + r) >> 1].first;
        do {
            while (cmp(items[i].first, p) * direction < 0)
                ++i;
            while (cmp(items[j].first, p) * direction > 0)
                --j;
            if (i <= j) {
                items.swapItemsAt(i, j);
                ++i;
                --j;
            }
            ++progressCalls;
        } while (i <= j);
        if (l < j)
            ReferenceSort(items, l, j, direction, progressCalls);
        l = i;
    } while (i < r);
}

} // namespace

TEST_F(StoreTest, AddFileAppendsWhateverTheReadGives)
{
    const QString song = Mp3("song.mp3");
    EXPECT_EQ(m_list.AddFile(song), 0);
    EXPECT_EQ(m_list.AddFile(song), 1); // no test for duplicates
    EXPECT_EQ(m_list.AddFile(Path("missing.mp3")), 2);
    EXPECT_EQ(Names(m_list), (QStringList{song, song, Path("missing.mp3")}));
    EXPECT_TRUE(m_list.Items(0).IsValid());
    EXPECT_FALSE(m_list.Items(2).IsValid());
    EXPECT_EQ(m_list.Items(2).Data().Title, "[not found: missing.mp3]");
}

TEST_F(StoreTest, EntriesTakeTheListSettings)
{
    int readErrors = 0;
    m_list.OnReadError = [&](const TMPEGAudioData&) { return ++readErrors, ReadErrorCancel; };
    m_list.SearchLimit = 4096;
    m_list.UnknownArtist = "?";
    m_list.AddFile(Path("missing.mp3"));
    m_list.AddRecord(Titled("stored"));
    EXPECT_EQ(readErrors, 1);
    for (int i = 0; i < 2; ++i) {
        const TMPEGAudio& entry = m_list.Items(i);
        EXPECT_EQ(entry.SearchLimit, 4096);
        EXPECT_EQ(entry.UnknownArtist, "?");
        EXPECT_EQ(entry.UnknownTitle, ""); // the list's empty text replaces the entry's own
    }
    EXPECT_FALSE(m_list.Items(0).AutoLoad);
    EXPECT_TRUE(m_list.Items(1).AutoLoad);
}

TEST_F(StoreTest, AddFileReportsProgressAndCanBeStopped)
{
    const QString song = Mp3("song.mp3");
    QStringList calls;
    bool answer = true;
    m_list.OnProgress = [&](TMPEGAudio& entry, const QString& source, int number, int total) {
        calls << QStringLiteral("%1|%2|%3|%4").arg(entry.GetFileName(), source).arg(number).arg(total);
        EXPECT_TRUE(m_list.Busy());
        return answer;
    };
    EXPECT_EQ(m_list.AddFile(song), 0);
    answer = false;
    EXPECT_EQ(m_list.AddFile(song), -2);
    EXPECT_EQ(m_list.Count(), 2); // the entry stays
    EXPECT_EQ(calls, QStringList(2, song + "|" + song + "|1|1"));
    EXPECT_FALSE(m_list.Busy());
}

// Files added together report their progress as a list load does, and can
// be stopped between two.
TEST_F(StoreTest, AddFilesIsOneOperationWithItsProgress)
{
    const QStringList files{Mp3("a.mp3"), Mp3("b.mp3"), Mp3("c.mp3")};
    QStringList calls;
    int busyChanges = 0;
    m_list.OnBusyChanged = [&](bool) { ++busyChanges; };
    m_list.OnProgress = [&](TMPEGAudio&, const QString& source, int number, int total) {
        calls << QStringLiteral("%1 %2/%3").arg(QFileInfo(source).fileName()).arg(number).arg(total);
        return calls.size() < 4;
    };
    EXPECT_EQ(m_list.AddFiles(files, "/cartella"), -2);
    EXPECT_EQ(calls, (QStringList{"a.mp3 1/1", "cartella 1/3", "b.mp3 1/1", "cartella 2/3"}));
    EXPECT_EQ(m_list.Count(), 2);
    EXPECT_EQ(busyChanges, 2);
}

// A window follows long work by the outer operation alone: a list loaded
// through LoadFile is one busy span, however many nested calls it makes.
TEST_F(StoreTest, BusyChangesOncePerOuterOperation)
{
    std::vector<bool> changes;
    m_list.OnBusyChanged = [&](bool busy) {
        EXPECT_EQ(m_list.Busy(), busy);
        changes.push_back(busy);
    };
    const QString list = Write("two.m3u", (Mp3("a.mp3") + "\r\n" + Mp3("b.mp3") + "\r\n").toUtf8());
    EXPECT_GT(m_list.LoadFile(list), 0);
    EXPECT_EQ(m_list.Count(), 2);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    m_list.SortMethod = SortByCompare;
    m_list.OnCompare = [](const TMPEGAudio&, const TMPEGAudio&) { return 0; };
    m_list.Sort();
    EXPECT_EQ(changes.size(), 4u);
}

TEST_F(StoreTest, AddRecordIsTheRecordWithoutReadingTheFile)
{
    TMPEGAudioData record = Titled("kept", 1);
    record.FileName = Mp3("real.mp3"); // a file that reading would change the record for
    m_list.AddRecord(record);
    EXPECT_EQ(m_list.Items(0).Data(), record);
}

TEST_F(StoreTest, DeleteAndClear)
{
    for (const char* title : {"a", "b", "c"})
        m_list.AddRecord(Titled(title));
    TMPEGAudio* last = &m_list.Items(2);
    m_list.Delete(1);
    EXPECT_EQ(Titles(m_list), (QStringList{"a", "c"}));
    EXPECT_EQ(&m_list.Items(1), last); // entries are not copies
    m_list.Clear();
    EXPECT_EQ(m_list.Count(), 0);
}

using StoreDeathTest = StoreTest;

TEST_F(StoreDeathTest, IndicesOutsideTheListStopDebugBuildsAndTouchNothingInRelease)
{
    m_list.AddRecord(Titled("a"));
    EXPECT_DEBUG_DEATH(m_list.Delete(1), "check failed: index >= 0 && index < Count");
    EXPECT_DEBUG_DEATH(m_list.Delete(-1), "check failed: index >= 0 && index < Count");
    EXPECT_DEBUG_DEATH(m_list.Items(-1).SetTitle("lost"), "check failed: index >= 0 && index < Count");
    // Release: a blank stand-in, blanked again on the next bad index.
    EXPECT_DEBUG_DEATH(EXPECT_EQ(m_list.Items(1).Data().Title, QString()), "check failed");
    const TMPEGAudioList& constList = m_list;
    EXPECT_DEBUG_DEATH(EXPECT_EQ(&constList.Items(5), &m_list.Items(7)), "check failed");
    EXPECT_EQ(Titles(m_list), QStringList{"a"});
}

TEST_F(StoreTest, SortByTemplateBothWays)
{
    for (const char* title : {"b", "C", "a", "ab", "c"})
        m_list.AddRecord(Titled(title));
    m_list.SortMethod = SortByTemplate;
    m_list.SortTemplate = "%T%";
    m_list.Sort();
    EXPECT_EQ(Titles(m_list), (QStringList{"C", "a", "ab", "b", "c"})); // by character code
    m_list.SortDescending = true;
    m_list.Sort();
    EXPECT_EQ(Titles(m_list), (QStringList{"c", "b", "ab", "a", "C"}));
}

TEST_F(StoreTest, NoSortWithoutMethodOrPlaceholder)
{
    for (const char* title : {"b", "a", "c"})
        m_list.AddRecord(Titled(title));
    int progress = 0;
    m_list.OnSortProgress = [&](int) { ++progress; };
    m_list.SortTemplate = "%T%";
    m_list.Sort(); // SortMethod 0
    m_list.SortMethod = SortByTemplate;
    m_list.SortTemplate = "T";
    m_list.Sort();
    m_list.SortMethod = SortByCompare; // without OnCompare: the template decides
    m_list.Sort();
    EXPECT_EQ(Titles(m_list), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(progress, 0);
}

TEST_F(StoreTest, SortMatchesTheRecursiveSortIncludingEqualKeys)
{
    // Many ties: the order of equal keys, and the progress calls, must be
    // those of the sort as written, in both directions.
    QList<QPair<QString, int>> items;
    for (int i = 0; i < 300; ++i)
        items << qMakePair(QString::number((i * 7919) % 13), i);
    for (int direction : {1, -1}) {
        m_list.Clear();
        for (const auto& [key, index] : items) {
            TMPEGAudioData d = Titled(key);
            d.Comment = QString::number(index); // tells equal keys apart
            m_list.AddRecord(d);
        }
        QList<QPair<QString, int>> expected = items;
        int expectedCalls = 0;
        ReferenceSort(expected, 0, int(expected.size()) - 1, direction, expectedCalls);

        int calls = 0;
        m_list.OnSortProgress = [&](int) { ++calls; };
        m_list.SortMethod = SortByTemplate;
        m_list.SortTemplate = "%T%";
        m_list.SortDescending = direction < 0;
        m_list.Sort();
        QList<int> order, expectedOrder;
        for (int i = 0; i < m_list.Count(); ++i)
            order << m_list.Items(i).Data().Comment.toInt();
        for (const auto& item : expected)
            expectedOrder << item.second;
        EXPECT_EQ(order, expectedOrder) << direction;
        EXPECT_EQ(calls, expectedCalls) << direction;
    }
}

TEST_F(StoreTest, SortByCompareCallback)
{
    for (const char* title : {"bb", "a", "ccc"})
        m_list.AddRecord(Titled(title));
    m_list.SortMethod = SortByCompare;
    m_list.SortTemplate = "%T%"; // not used while OnCompare is set
    m_list.OnCompare = [](const TMPEGAudio& a, const TMPEGAudio& b) {
        return int(b.Data().Title.size() - a.Data().Title.size()) * 1000; // longest first, large results
    };
    m_list.Sort();
    EXPECT_EQ(Titles(m_list), (QStringList{"ccc", "bb", "a"}));
}

TEST_F(StoreTest, ContradictoryCompareStaysInsideTheList)
{
    for (int i = 0; i < 50; ++i)
        m_list.AddRecord(Titled(QString::number(i)));
    m_list.SortMethod = SortByCompare;
    for (int answer : {-1, 1}) {
        m_list.OnCompare = [answer](const TMPEGAudio&, const TMPEGAudio&) { return answer; };
        m_list.Sort();
    }
    unsigned state = 1;
    m_list.OnCompare = [&](const TMPEGAudio&, const TMPEGAudio&) {
        return int((state = state * 1103515245u + 12345u) >> 16) % 3 - 1;
    };
    m_list.Sort();
    QStringList titles = Titles(m_list);
    titles.sort();
    QStringList all;
    for (int i = 0; i < 50; ++i)
        all << QString::number(i);
    all.sort();
    EXPECT_EQ(titles, all); // every entry still there once
}

TEST_F(StoreTest, CallbacksCannotChangeTheListUnderARunningOperation)
{
    const QString list = Write("x.m3u", "a.mp3\r\nb.mp3\r\nc.mp3\r\n");
    m_list.SortMethod = SortByTemplate;
    m_list.SortTemplate = "%T%";
    m_list.OnProgress = [&](TMPEGAudio&, const QString&, int, int) {
        m_list.Delete(0);
        m_list.Clear();
        m_list.Sort();
        return true;
    };
    EXPECT_EQ(m_list.LoadM3U(list), 2);
    EXPECT_EQ(Names(m_list), (QStringList{Path("a.mp3"), Path("b.mp3"), Path("c.mp3")}));

    m_list.OnCompare = [&](const TMPEGAudio& a, const TMPEGAudio& b) {
        m_list.Clear();
        return QString::compare(b.GetFileName(), a.GetFileName());
    };
    m_list.SortMethod = SortByCompare;
    m_list.Sort();
    EXPECT_EQ(Names(m_list), (QStringList{Path("c.mp3"), Path("b.mp3"), Path("a.mp3")}));
    EXPECT_FALSE(m_list.Busy());
    m_list.OnProgress = nullptr;
    m_list.Clear();
    EXPECT_EQ(m_list.Count(), 0);
}
