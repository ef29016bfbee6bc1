// The window's whole-list commands: marks, removal, sorting by a key, the
// shuffle.
#include "listtest.h"
#include "playlist/listcommands.h"

#include <QFile>
#include <QSet>

#include <random>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

class ListCommandsTest : public ListTest {
protected:
    void AddTitled(const QStringList& titles, const QList<int>& marks = {})
    {
        for (int i = 0; i < titles.size(); ++i) {
            TMPEGAudioData d;
            d.Header = "TAG";
            d.Title = titles[i];
            d.FileName = "/music/" + titles[i] + ".mp3";
            d.Selected = std::uint16_t(marks.value(i));
            m_list.AddRecord(d);
        }
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (int i = 0; i < m_list.Count(); ++i)
            titles << m_list.Items(i).Data().Title;
        return titles;
    }
    QList<int> Marks() const
    {
        QList<int> marks;
        for (int i = 0; i < m_list.Count(); ++i)
            marks << m_list.Items(i).Data().Selected;
        return marks;
    }
    // Three real files a, b, c, added in that order.
    void AddFiles()
    {
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
            m_list.AddFile(Mp3(name));
    }
    QStringList ShortNames() const
    {
        QStringList names;
        for (const QString& name : Names(m_list))
            names << name.section(u'/', -1);
        return names;
    }
};

TEST_F(ListCommandsTest, MarksAreSetClearedAndInvertedWithTheirText)
{
    AddTitled({"a", "b", "c"}, {0, 3, 1});
    m_list.Items(0).SetMacro("%T,T%");
    ChangeMarks(m_list, MarkChange::Invert);
    EXPECT_EQ(Marks(), (QList<int>{1, 0, 0}));
    ChangeMarks(m_list, MarkChange::Invert);
    EXPECT_EQ(Marks(), (QList<int>{0, 1, 1}));
    ChangeMarks(m_list, MarkChange::All);
    EXPECT_EQ(Marks(), (QList<int>{1, 1, 1}));
    ChangeMarks(m_list, MarkChange::None);
    EXPECT_EQ(Marks(), (QList<int>{0, 0, 0}));
    EXPECT_EQ(m_list.Items(0).Text(), "a");
}

TEST_F(ListCommandsTest, RemovalKeepsTheOrderOfWhatStays)
{
    const struct {
        QList<int> marks;
        RemoveWhich which;
        QStringList left;
    } cases[] = {
        {{1, 1, 0, 1, 0}, RemoveWhich::Marked, {"c", "e"}},
        {{1, 1, 1, 1, 1}, RemoveWhich::Marked, {}},
        {{0, 0, 0, 0, 1}, RemoveWhich::Unmarked, {"e"}},
        {{0, 1, 0, 2, 0}, RemoveWhich::Unmarked, {"b", "d"}},
        {{0, 1, 0, 1, 0}, RemoveWhich::All, {}},
        {{0, 0, 0, 0, 0}, RemoveWhich::Marked, {"a", "b", "c", "d", "e"}},
    };
    for (const auto& c : cases) {
        m_list.Clear();
        AddTitled({"a", "b", "c", "d", "e"}, c.marks);
        RemoveEntries(m_list, c.which);
        EXPECT_EQ(Titles(), c.left) << int(c.which) << " " << c.marks.size();
    }
}

TEST_F(ListCommandsTest, EachChangeIsOneBusySpanAndNothingMovesWhileBusy)
{
    AddFiles();
    QList<bool> seen;
    m_list.OnBusyChanged = [&](bool busy) {
        seen << busy;
        if (!busy)
            return;
        // A command from inside a running one: no entry moves.
        RemoveEntries(m_list, RemoveWhich::All);
        EXPECT_FALSE(Shuffle(m_list));
        EXPECT_EQ(m_list.Count(), 3);
    };
    const std::function<void()> commands[] = {
        [&] { ChangeMarks(m_list, MarkChange::All); },
        [&] { SortByKey(m_list, SortKey::FileName); },
        [&] { Shuffle(m_list); },
        [&] { RemoveEntries(m_list, RemoveWhich::Unmarked); },
    };
    for (const auto& command : commands) {
        seen.clear();
        command();
        EXPECT_EQ(seen, (QList<bool>{true, false}));
    }
    seen.clear();
    SetSortDirection(m_list, true);
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(ListCommandsTest, SortKeysCompareAsTheTemplateWritesThem)
{
    // As text, " 95" of the right-aligned duration comes before "185".
    for (const int seconds : {185, 95, 1000}) {
        TMPEGAudioData d;
        d.Duration = std::uint16_t(seconds);
        d.FileName = QStringLiteral("/music/%1.mp3").arg(seconds);
        m_list.AddRecord(d);
    }
    SortByKey(m_list, SortKey::Duration);
    EXPECT_EQ(m_list.SortTemplate, "%duration%");
    EXPECT_EQ(m_list.Items(0).Data().Duration, 95);
    EXPECT_EQ(m_list.Items(1).Data().Duration, 185);

    m_list.Clear();
    AddTitled({"b", "a", "c"});
    SetSortDirection(m_list, true);
    EXPECT_EQ(Titles(), (QStringList{"b", "a", "c"}));
    SortByKey(m_list, SortKey::Title);
    EXPECT_EQ(Titles(), (QStringList{"c", "b", "a"}));
}

TEST_F(ListCommandsTest, EveryOrderCanComeOutAndNoEntryIsLostOrDoubled)
{
    QSet<QStringList> orders;
    for (int first = 0; first < 3; ++first)
        for (int second = 0; second < 2; ++second) {
            TMPEGAudioList list;
            for (const char* name : {"/none/a", "/none/b", "/none/c"})
                list.AddFile(name);
            const int script[] = {first, second, 0};
            std::vector<int> draws;
            Shuffle(list, [&](int n) {
                draws.push_back(n);
                return script[draws.size() - 1];
            });
            EXPECT_EQ(draws, (std::vector<int>{3, 2, 1}));
            orders.insert(Names(list));
        }
    // The last entry can come first, too.
    EXPECT_EQ(orders.size(), 6);

    QStringList names;
    for (int i = 0; i < 200; ++i)
        m_list.AddFile(names.emplace_back(QStringLiteral("/none/%1").arg(i)));
    std::mt19937 random(1);
    Shuffle(m_list, [&](int n) { return int(random() % unsigned(n)); });
    QStringList shuffled = Names(m_list);
    EXPECT_NE(shuffled, names);
    shuffled.sort();
    names.sort();
    EXPECT_EQ(shuffled, names);
}

TEST_F(ListCommandsTest, ShuffleReadsEveryFileAgainAndKeepsTheListSettings)
{
    AddFiles();
    m_list.Items(0).SetSelected(1);
    m_list.Items(1).SetTitle("changed in memory");
    ASSERT_TRUE(QFile::remove(Path("c.mp3")));
    m_list.UnknownTitle = "?";
    SetSortDirection(m_list, true);
    QList<int> numbers;
    m_list.OnProgress = [&](TMPEGAudio& entry, const QString& source, int number, int total) {
        EXPECT_EQ(source, entry.GetFileName());
        EXPECT_EQ(total, 3);
        EXPECT_EQ(m_list.Count(), 3); // every row has an entry while files are read
        EXPECT_EQ(&m_list.Items(number - 1), &entry);
        numbers << number;
        return true;
    };
    EXPECT_TRUE(Shuffle(m_list, [](int) { return 0; }));
    EXPECT_EQ(numbers, (QList<int>{1, 2, 3}));
    EXPECT_EQ(Marks(), (QList<int>{0, 0, 0}));
    EXPECT_NE(m_list.Items(1).Data().Title, "changed in memory");
    EXPECT_TRUE(m_list.Items(1).IsValid());
    EXPECT_FALSE(m_list.Items(2).IsValid());
    EXPECT_EQ(m_list.Items(2).GetFileName(), Path("c.mp3"));
    EXPECT_EQ(m_list.Items(0).UnknownTitle, "?");

    // The direction outlives the shuffle.
    SortByKey(m_list, SortKey::FileName);
    EXPECT_EQ(ShortNames(), (QStringList{"c.mp3", "b.mp3", "a.mp3"}));

    TMPEGAudioList one;
    one.AddFile(Path("a.mp3"));
    EXPECT_TRUE(Shuffle(one));
    EXPECT_EQ(Names(one), QStringList{Path("a.mp3")});
}

TEST_F(ListCommandsTest, AStoppedShuffleLosesNoEntry)
{
    AddFiles();
    m_list.AddFile(Mp3("d.mp3"));
    m_list.Items(0).SetSelected(1);
    m_list.Items(2).SetSelected(1);
    m_list.OnProgress = [](TMPEGAudio&, const QString&, int number, int) { return number < 2; };
    EXPECT_FALSE(Shuffle(m_list, [](int n) { return n - 1; }));
    // d and c re-read, then a and b as they were.
    EXPECT_EQ(ShortNames(), (QStringList{"d.mp3", "c.mp3", "a.mp3", "b.mp3"}));
    EXPECT_EQ(Marks(), (QList<int>{0, 0, 1, 0}));
}

using ListCommandsDeathTest = ListCommandsTest;

TEST_F(ListCommandsDeathTest, ADrawOutsideTheEntriesLeftStopsDebugBuildsAndIsClampedInRelease)
{
    AddFiles();
    EXPECT_DEBUG_DEATH(Shuffle(m_list, [](int n) { return n; }), "check failed: k >= 0 && k < left");
    EXPECT_DEBUG_DEATH(Shuffle(m_list, [](int) { return -1; }), "check failed");
    EXPECT_EQ(m_list.Count(), 3);
}

} // namespace
