// The title display: still and scrolling titles, the wrap from end to
// beginning, the dragged title, and the skin font's cells.
#include "skinwidget.h"

#include <QCoreApplication>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

class TitleTest : public SkinWidgetTest {
protected:
    // Character cell x of the title area shows font cell `cell`.
    testing::AssertionResult ShowsChar(int x, QPoint cell)
    {
        return Shows({x, 27, 5, 6}, kTextId, QRect(cell, QSize(5, 6)));
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
        ASSERT_TRUE(ShowsChar(110 + 5 * i, Letter(char('A' + i % 26)))) << i;
    m_skin->TitleScrollTimerTimer();
    EXPECT_TRUE(ShowsChar(110, Letter('A')));
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
    EXPECT_TRUE(ShowsChar(110, Letter('A')));
    m_skin->TitleScrollTimerTimer();
    EXPECT_EQ(m_skin->State().ScrollOffset, 5);
    EXPECT_TRUE(ShowsChar(110, Letter('B')));
    EXPECT_TRUE(ShowsChar(255, Letter('E'))); // characters 30 and 31
    EXPECT_TRUE(ShowsChar(260, Letter('F')));
    m_skin->TitleScrollTimerTimer(); // the end in view: the beginning follows with no gap
    EXPECT_TRUE(ShowsChar(255, Letter('F')));
    EXPECT_TRUE(ShowsChar(260, Letter('A')));

    m_skin->SetTitle(Letters(40)); // 200 pixels
    EXPECT_EQ(m_skin->State().ScrollOffset, 0);
    for (int i = 0; i < 20; ++i)
        m_skin->TitleScrollTimerTimer();
    EXPECT_TRUE(ShowsChar(110, Letter('U')));
    EXPECT_TRUE(ShowsChar(210, Letter('A')));
    EXPECT_TRUE(ShowsChar(260, Letter('K')));
    for (int i = 0; i < 20; ++i) // a whole turn starts again at the beginning
        m_skin->TitleScrollTimerTimer();
    EXPECT_EQ(m_skin->State().ScrollOffset, 0);
    EXPECT_TRUE(ShowsChar(110, Letter('A')));
}

TEST_F(TitleTest, DraggingMovesTheTextAndPausesTheScroll)
{
    m_skin->SetTitle(Letters(40));
    Press({150, 30});
    EXPECT_EQ(m_skin->DragMode(), 6);
    EXPECT_FALSE(m_skin->TitleScrollTimer().isActive());
    MoveTo({140, 30}); // to the left: further into the title
    EXPECT_EQ(m_skin->State().ScrollOffset, 10);
    EXPECT_TRUE(ShowsChar(110, Letter('C')));
    MoveTo({160, 30}); // to the right: the end comes in from the left
    EXPECT_EQ(m_skin->State().ScrollOffset, -10);
    EXPECT_TRUE(ShowsChar(110, Letter('M')));
    EXPECT_TRUE(ShowsChar(115, Letter('N')));
    EXPECT_TRUE(ShowsChar(120, Letter('A')));
    MoveTo({320, 30});
    EXPECT_EQ(m_skin->State().ScrollOffset, -170);
    EXPECT_TRUE(ShowsChar(110, Letter('G')));
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

TEST_F(TitleTest, FontCells)
{
    m_skin->SetTitle(QStringLiteral("az09\"@:()-'!_+\\/%.*# \u00e9"));
    const QPoint cells[] = {{0, 0},   {125, 0}, {0, 6},   {45, 6},  {131, 0}, {135, 0}, {60, 6},  {65, 6},
                            {70, 6},  {75, 6},  {80, 6},  {85, 6},  {90, 6},  {95, 6},  {100, 6}, {105, 6},
                            {130, 6}, {135, 6}, {20, 12}, {142, 0}, {142, 0}, {142, 0}};
    for (int i = 0; i < int(std::size(cells)); ++i)
        EXPECT_TRUE(ShowsChar(110 + 5 * i, cells[i])) << i;
}

TEST_F(TitleTest, TitlesLongerThanTheBufferAreCut)
{
    m_skin->SetTitle(Letters(260)); // 1300 pixels; the buffer holds 1048
    for (int i = 0; i < 205; ++i)
        m_skin->TitleScrollTimerTimer();
    EXPECT_EQ(m_skin->State().ScrollOffset, 1025);
    EXPECT_TRUE(Shows({110, 27, 5, 6}, kTextId, QRect(Letter('A' + (205 % 26)), QSize(5, 6))));
    EXPECT_EQ(m_skin->Canvas().pixel(140, 30), 0u); // past the buffer: transparent black
}

} // namespace
