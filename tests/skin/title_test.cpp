// The title display: still and scrolling titles, the wrap from end to
// beginning, the dragged title, and the skin font's cells.
#include "skinwidget.h"

#include <QCoreApplication>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

class TitleTest : public SkinWidgetTest {
protected:
    static constexpr QRect kTitleArea{111, 27, 154, 6};
    // Character cell x of the title area shows font cell `cell`, as far as
    // the area reaches.
    testing::AssertionResult ShowsChar(int x, QPoint cell)
    {
        return Shows({x, 27, 5, 6}, kTextId, QRect(cell, QSize(5, 6)), kTitleArea);
    }
    class PaintCounter : public QObject {
    public:
        explicit PaintCounter(int& paints) : m_paints(paints) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            m_paints += event->type() == QEvent::Paint;
            return false;
        }

    private:
        int& m_paints;
    };
    static QPoint Letter(char c) { return {5 * (c - 'A'), 0}; }
    static QString Letters(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'A' + i % 26);
        return s;
    }
};

TEST_F(TitleTest, ThirtyOneCharactersStandStill)
{
    m_skin->SetTitle(Letters(31));
    for (int i = 0; i < 31; ++i)
        ASSERT_TRUE(ShowsChar(111 + 5 * i, Letter(char('A' + i % 26)))) << i;
    EXPECT_TRUE(ShowsMain({265, 27, 1, 6})); // the last column of the 31st stays out
    m_skin->TitleScrollTimerTimer();
    EXPECT_TRUE(ShowsChar(111, Letter('A')));
    EXPECT_EQ(m_skin->State().TitleWidth, 155);
}

// The scroll timer repaints only a title that moves: a window showing a
// short title costs nothing between ticks.
TEST_F(TitleTest, OnlyAScrollingTitleIsRepaintedByTheTimer)
{
    m_skin->show();
    QCoreApplication::processEvents();
    int paints = 0;
    PaintCounter counter(paints);
    m_skin->installEventFilter(&counter);
    m_skin->SetTitle(Letters(31));
    QCoreApplication::processEvents();
    paints = 0;
    for (int i = 0; i < 3; ++i)
        m_skin->TitleScrollTimerTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 0);
    m_skin->SetTitle(Letters(32));
    QCoreApplication::processEvents();
    paints = 0;
    m_skin->TitleScrollTimerTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 1);
}

TEST_F(TitleTest, ThirtyTwoCharactersScrollAndWrap)
{
    m_skin->SetTitle(Letters(32));
    EXPECT_TRUE(ShowsChar(111, Letter('A')));
    m_skin->TitleScrollTimerTimer();
    EXPECT_EQ(m_skin->State().ScrollOffset, 5);
    EXPECT_TRUE(ShowsChar(111, Letter('B')));
    EXPECT_TRUE(ShowsChar(256, Letter('E'))); // characters 30 and 31
    EXPECT_TRUE(ShowsChar(261, Letter('F')));
    m_skin->TitleScrollTimerTimer(); // the end in view: the beginning follows with no gap
    EXPECT_TRUE(ShowsChar(256, Letter('F')));
    EXPECT_TRUE(ShowsChar(261, Letter('A')));

    m_skin->SetTitle(Letters(40)); // 200 pixels
    EXPECT_EQ(m_skin->State().ScrollOffset, 0);
    for (int i = 0; i < 20; ++i)
        m_skin->TitleScrollTimerTimer();
    EXPECT_TRUE(ShowsChar(111, Letter('U')));
    EXPECT_TRUE(ShowsChar(211, Letter('A')));
    EXPECT_TRUE(ShowsChar(261, Letter('K')));
    for (int i = 0; i < 20; ++i) // a whole turn starts again at the beginning
        m_skin->TitleScrollTimerTimer();
    EXPECT_EQ(m_skin->State().ScrollOffset, 0);
    EXPECT_TRUE(ShowsChar(111, Letter('A')));
}

TEST_F(TitleTest, DraggingMovesTheTextAndPausesTheScroll)
{
    m_skin->SetTitle(Letters(40));
    Press({150, 30});
    EXPECT_EQ(m_skin->DragMode(), 6);
    EXPECT_FALSE(m_skin->TitleScrollTimer().isActive());
    MoveTo({140, 30}); // to the left: further into the title
    EXPECT_EQ(m_skin->State().ScrollOffset, 10);
    EXPECT_TRUE(ShowsChar(111, Letter('C')));
    MoveTo({160, 30}); // to the right: the end comes in from the left
    EXPECT_EQ(m_skin->State().ScrollOffset, -10);
    EXPECT_TRUE(ShowsChar(111, Letter('M')));
    EXPECT_TRUE(ShowsChar(116, Letter('N')));
    EXPECT_TRUE(ShowsChar(121, Letter('A')));
    MoveTo({320, 30});
    EXPECT_EQ(m_skin->State().ScrollOffset, -170);
    EXPECT_TRUE(ShowsChar(111, Letter('G')));
    Release({320, 30});
    EXPECT_TRUE(m_skin->TitleScrollTimer().isActive());
}

TEST_F(TitleTest, NewTitleRestartsTheScrollOnlyAfterAWideOne)
{
    m_skin->SetTitle(QStringLiteral("ABCDEF"));
    m_skin->TitleScrollTimer().stop();
    m_skin->SetTitle(Letters(40));
    EXPECT_FALSE(m_skin->TitleScrollTimer().isActive()); // the previous one was 30 pixels
    m_skin->SetTitle(QStringLiteral("X"));
    EXPECT_TRUE(m_skin->TitleScrollTimer().isActive());
}

// The whole text.bmp map, read through the title: titles are upper-cased,
// accented letters without a cell take their base letter's.
TEST_F(TitleTest, FontCells)
{
    struct Case {
        QString text;
        QPoint cell;
    };
    const Case cases[] = {
        {"a", {0, 0}},        {"Z", {125, 0}},      {"\"", {130, 0}},    {"@", {135, 0}},
        {"0", {0, 6}},        {"9", {45, 6}},       {"\u2026", {50, 6}}, {".", {55, 6}},
        {":", {60, 6}},       {"(", {65, 6}},       {")", {70, 6}},      {"-", {75, 6}},
        {"'", {80, 6}},       {"!", {85, 6}},       {"_", {90, 6}},      {"+", {95, 6}},
        {"\\", {100, 6}},     {"/", {105, 6}},      {"[", {110, 6}},     {"]", {115, 6}},
        {"^", {120, 6}},      {"&", {125, 6}},      {"%", {130, 6}},     {",", {135, 6}},
        {"=", {140, 6}},      {"$", {145, 6}},      {"#", {150, 6}},     {"\u00e5", {0, 12}},
        {"\u00d6", {5, 12}},  {"\u00c4", {10, 12}}, {"?", {15, 12}},     {"*", {20, 12}},
        {"<", {110, 6}},      {">", {115, 6}},      {"\u00c8", {20, 0}}, {"\u00e7", {10, 0}},
        {"\u00fc", {100, 0}}, {" ", {142, 0}},      {"~", {142, 0}},     {"\u00df", {142, 0}},
        {"\u4e2d", {142, 0}},
    };
    for (const Case& c : cases) {
        m_skin->SetTitle(c.text);
        EXPECT_TRUE(ShowsChar(111, c.cell)) << c.text.toStdString();
    }
}

TEST_F(TitleTest, TitlesLongerThanTheBufferAreCut)
{
    m_skin->SetTitle(Letters(260)); // 1300 pixels; the buffer holds 1048
    for (int i = 0; i < 205; ++i)
        m_skin->TitleScrollTimerTimer();
    EXPECT_EQ(m_skin->State().ScrollOffset, 1025);
    EXPECT_TRUE(ShowsChar(111, Letter('A' + (205 % 26))));
    EXPECT_TRUE(ShowsMain({134, 27, 131, 6})); // past the buffer the background stays
}

} // namespace
