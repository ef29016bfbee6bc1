// Which source rectangle of which skin sheet lands where on the main window,
// in every state, read back from a coordinate skin.
#include "skinwidget.h"

#include "skin/skinwriter.h"

#include <QDir>
#include <QGuiApplication>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

using DrawingTest = SkinWidgetTest;

TEST_F(DrawingTest, FullPaintInTheDefaultState)
{
    EXPECT_TRUE(ShowsMain({0, 14, 10, 74})); // left of the clutterbar
    EXPECT_TRUE(ShowsMain({274, 14, 1, 102}));
    EXPECT_TRUE(Shows({0, 0, 275, 14}, kTitlebarId, {27, 0, 275, 14}));
    const QRect buttons[] = {
        {16, 88, 23, 18}, {39, 88, 23, 18}, {62, 88, 23, 18}, {85, 88, 23, 18}, {108, 88, 22, 18}};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(Shows(buttons[i], kCButtonsId, {23 * i, 0, buttons[i].width(), 18})) << i;
    EXPECT_TRUE(Shows({136, 89, 22, 16}, kCButtonsId, {114, 0, 22, 16}));
    EXPECT_TRUE(Shows({164, 89, 47, 15}, kShufRepId, {28, 0, 47, 15}, {164, 89, 46, 15}));
    EXPECT_TRUE(Shows({210, 89, 28, 15}, kShufRepId, {0, 0, 28, 15}));
    EXPECT_TRUE(Shows({219, 58, 23, 12}, kShufRepId, {0, 61, 23, 12}));
    EXPECT_TRUE(Shows({242, 58, 23, 12}, kShufRepId, {23, 61, 23, 12}));
    // Volume 80: frame trunc(27 x 81 / 100) = 21, thumb at 107 + trunc(54 x 80 / 100) = 150.
    EXPECT_TRUE(Shows({107, 57, 43, 13}, kVolumeId, {0, 315, 43, 13}));
    EXPECT_TRUE(Shows({150, 58, 14, 11}, kVolumeId, {15, 422, 14, 11}));
    // Balance 50: frame 0, thumb at 177 + trunc(24 x 50 / 100) = 189, centred on the bar.
    EXPECT_TRUE(Shows({177, 57, 38, 13}, kBalanceId, {9, 0, 38, 13}, {177, 57, 12, 13}));
    EXPECT_TRUE(Shows({189, 58, 14, 11}, kBalanceId, {15, 422, 14, 11}));
    // Empty time: four blank cells.
    for (int x : {48, 60, 78, 90})
        EXPECT_TRUE(Shows({x, 26, 9, 13}, kNumbersId, {90, 0, 9, 13})) << x;
    EXPECT_TRUE(ShowsMain({57, 26, 3, 13}));
    EXPECT_TRUE(Shows({16, 72, 248, 10}, kPosBarId, {0, 0, 248, 10}));
    EXPECT_TRUE(Shows({26, 28, 9, 9}, kPlayPausId, {27, 0, 9, 9}));
    EXPECT_TRUE(ShowsMain({24, 28, 2, 9}));
    EXPECT_TRUE(Shows({212, 41, 27, 12}, kMonoSterId, {29, 12, 27, 12}));
    EXPECT_TRUE(Shows({239, 41, 29, 12}, kMonoSterId, {0, 12, 29, 12}));
    EXPECT_TRUE(ShowsMain({24, 46, 78, 4}));
    EXPECT_TRUE(ShowsMain({24, 53, 78, 4}));
    EXPECT_TRUE(ShowsMain({111, 43, 60, 6})); // no bit rate, no frequency

    m_active = false; // another application takes the focus
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(m_skin->Active());
    EXPECT_TRUE(Shows({0, 0, 275, 14}, kTitlebarId, {27, 15, 275, 14}));
}

TEST_F(DrawingTest, PressedButtonsAndToggles)
{
    struct Case {
        QPoint at;
        int sheet;
        QRect to;
        QRect normal;
        QRect pressed;
    };
    const QRect shuffleVisible(164, 89, 46, 15); // the repeat button overlaps its end
    const Case cases[] = {
        {{27, 95}, kCButtonsId, {16, 88, 23, 18}, {0, 0, 23, 18}, {0, 18, 23, 18}},
        {{50, 95}, kCButtonsId, {39, 88, 23, 18}, {23, 0, 23, 18}, {23, 18, 23, 18}},
        {{73, 95}, kCButtonsId, {62, 88, 23, 18}, {46, 0, 23, 18}, {46, 18, 23, 18}},
        {{96, 95}, kCButtonsId, {85, 88, 23, 18}, {69, 0, 23, 18}, {69, 18, 23, 18}},
        {{119, 95}, kCButtonsId, {108, 88, 22, 18}, {92, 0, 22, 18}, {92, 18, 22, 18}},
        {{147, 95}, kCButtonsId, {136, 89, 22, 16}, {114, 0, 22, 16}, {114, 16, 22, 16}},
        {{180, 95}, kShufRepId, {164, 89, 47, 15}, {28, 0, 47, 15}, {28, 15, 47, 15}},
        {{220, 95}, kShufRepId, {210, 89, 28, 15}, {0, 0, 28, 15}, {0, 15, 28, 15}},
        {{230, 63}, kShufRepId, {219, 58, 23, 12}, {0, 61, 23, 12}, {46, 61, 23, 12}},
        {{250, 63}, kShufRepId, {242, 58, 23, 12}, {23, 61, 23, 12}, {69, 61, 23, 12}},
    };
    for (const Case& c : cases) {
        const QRect visible = c.to.left() == 164 ? shuffleVisible : c.to;
        Press(c.at);
        EXPECT_TRUE(Shows(c.to, c.sheet, c.pressed, visible)) << c.at.x();
        MoveTo({0, 115}); // leaving the button releases its look
        EXPECT_TRUE(Shows(c.to, c.sheet, c.normal, visible)) << c.at.x();
        Release({0, 115});
    }

    m_skin->SetChecked(ckShuffle | ckRepeat | ckEqualizer | ckPlaylist);
    EXPECT_TRUE(Shows({164, 89, 47, 15}, kShufRepId, {28, 30, 47, 15}, shuffleVisible));
    EXPECT_TRUE(Shows({210, 89, 28, 15}, kShufRepId, {0, 30, 28, 15}));
    EXPECT_TRUE(Shows({219, 58, 23, 12}, kShufRepId, {0, 73, 23, 12}));
    EXPECT_TRUE(Shows({242, 58, 23, 12}, kShufRepId, {23, 73, 23, 12}));
    const Case onPressed[] = {
        {{180, 95}, kShufRepId, {164, 89, 47, 15}, {}, {28, 45, 47, 15}},
        {{220, 95}, kShufRepId, {210, 89, 28, 15}, {}, {0, 45, 28, 15}},
        {{230, 63}, kShufRepId, {219, 58, 23, 12}, {}, {46, 73, 23, 12}},
        {{250, 63}, kShufRepId, {242, 58, 23, 12}, {}, {69, 73, 23, 12}},
    };
    for (const Case& c : onPressed) {
        Press(c.at);
        EXPECT_TRUE(Shows(c.to, c.sheet, c.pressed, c.to.left() == 164 ? shuffleVisible : c.to)) << c.at.x();
        MoveTo({0, 115});
        Release({0, 115});
    }
}

TEST_F(DrawingTest, TitleBarButtonsAndShadeMode)
{
    Press({10, 7});
    EXPECT_TRUE(Shows({6, 3, 9, 9}, kTitlebarId, {0, 9, 9, 9}));
    MoveTo({248, 7}); // sliding onto another title-bar button presses that one
    EXPECT_TRUE(Shows({6, 3, 9, 9}, kTitlebarId, {0, 0, 9, 9}));
    EXPECT_TRUE(Shows({244, 3, 9, 9}, kTitlebarId, {9, 9, 9, 9}));
    MoveTo({268, 7});
    EXPECT_TRUE(Shows({264, 3, 9, 9}, kTitlebarId, {18, 9, 9, 9}));
    MoveTo({258, 7});
    EXPECT_TRUE(Shows({254, 3, 9, 9}, kTitlebarId, {9, 18, 9, 9}));
    Release({258, 7});
    ASSERT_TRUE(m_skin->Sticky());
    EXPECT_EQ(m_skin->height(), 14);
    // Shade mode: the compact title bar (under its small position bar), the time as text.
    EXPECT_TRUE(Shows({0, 0, 275, 14}, kTitlebarId, {27, 29, 275, 14}, {0, 0, 226, 14}));
    EXPECT_TRUE(Shows({0, 0, 275, 14}, kTitlebarId, {27, 29, 275, 14}, {243, 0, 32, 14}));
    Press({258, 7});
    EXPECT_TRUE(Shows({254, 3, 9, 9}, kTitlebarId, {9, 27, 9, 9}));
    MoveTo({100, 7});
    EXPECT_TRUE(Shows({254, 3, 9, 9}, kTitlebarId, {0, 27, 9, 9}));
    Release({100, 7});
    m_skin->SetProgress(QStringLiteral("1:05"));
    EXPECT_TRUE(Shows({134, 4, 5, 6}, kTextId, {5, 6, 5, 6}));
    EXPECT_TRUE(Shows({139, 4, 5, 6}, kTextId, {60, 6, 5, 6}));
    EXPECT_TRUE(Shows({149, 4, 5, 6}, kTextId, {25, 6, 5, 6}));
    m_active = false;
    m_skin->Repaint();
    EXPECT_TRUE(Shows({0, 0, 275, 14}, kTitlebarId, {27, 42, 275, 14}, {0, 0, 134, 14}));
    m_skin->SetSticky(false);
    EXPECT_EQ(m_skin->height(), 116);
}

TEST_F(DrawingTest, VolumeSlider)
{
    for (int volume : {0, 4}) {
        m_skin->SetVolume(volume);
        EXPECT_TRUE(ShowsMain({107, 57, 68, 13})) << volume;
    }
    m_skin->SetVolume(5); // frame 1, thumb from 109 to 123
    EXPECT_TRUE(Shows({123, 57, 52, 13}, kVolumeId, {16, 15, 52, 13}));
    EXPECT_TRUE(Shows({109, 58, 14, 11}, kVolumeId, {15, 422, 14, 11}));
    m_skin->SetVolume(100); // frame 27, the thumb ends with the bar
    EXPECT_TRUE(Shows({107, 57, 54, 13}, kVolumeId, {0, 405, 54, 13}));
    EXPECT_TRUE(Shows({161, 58, 14, 11}, kVolumeId, {15, 422, 14, 11}));
    m_skin->SetVolume(250);
    EXPECT_EQ(m_skin->Volume(), 100);
    m_skin->SetVolume(50); // thumb drawn from 134 to 148
    Press({150, 63});      // inside the thumb's hit area (142 to 156): the value stays
    EXPECT_EQ(m_skin->Volume(), 50);
    EXPECT_TRUE(Shows({134, 58, 14, 11}, kVolumeId, {0, 422, 14, 11}));
    Release({150, 63});
    EXPECT_TRUE(Shows({134, 58, 14, 11}, kVolumeId, {15, 422, 14, 11}));
}

TEST_F(DrawingTest, BalanceSlider)
{
    struct Case {
        int balance, frame, thumb;
    };
    for (const Case& c : {Case{0, 27, 177}, Case{50, 0, 189}, Case{95, 24, 199}, Case{-20, 27, 177}}) {
        m_skin->SetBalance(c.balance);
        EXPECT_TRUE(Shows({c.thumb, 58, 14, 11}, kBalanceId, {15, 422, 14, 11})) << c.balance;
        // The 38 columns as painted, under the thumb where it stands, then the background.
        const QRect beside = c.thumb > 180 ? QRect(177, 57, c.thumb - 177, 13) : QRect(191, 57, 24, 13);
        EXPECT_TRUE(Shows({177, 57, 38, 13}, kBalanceId, {9, 15 * c.frame, 38, 13}, beside)) << c.balance;
        EXPECT_TRUE(ShowsMain({215, 57, 2, 13})) << c.balance;
    }
    m_skin->SetBalance(50);
    Press({200, 63}); // on the thumb: dragging look
    EXPECT_TRUE(Shows({189, 58, 14, 11}, kBalanceId, {0, 422, 14, 11}));
    Release({200, 63});
    EXPECT_TRUE(Shows({189, 58, 14, 11}, kBalanceId, {15, 422, 14, 11}));
    for (int balance : {96, 100, 180}) {
        m_skin->SetBalance(balance);
        EXPECT_TRUE(ShowsMain({177, 57, 41, 13})) << balance;
    }

    QFile::remove(QDir(m_dir.path()).filePath("balance.bmp"));
    ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);
    m_skin->SetBalance(0);
    // The volume pictures, 59 columns squeezed into 40.
    EXPECT_TRUE(Shows({177, 57, 40, 13}, kVolumeId, {9, 405, 59, 13}, {191, 57, 26, 13}));
    EXPECT_TRUE(Shows({177, 58, 14, 11}, kVolumeId, {15, 422, 14, 11}));
}

TEST_F(DrawingTest, PositionBarAndPlayState)
{
    m_skin->SetPositionBar(0);
    EXPECT_TRUE(Shows({16, 72, 248, 10}, kPosBarId, {0, 0, 248, 10}));
    m_skin->SetPositionBar(300);
    EXPECT_EQ(m_skin->PositionBar(), 256);
    // The unstretched 29 columns, ending with the bar.
    EXPECT_TRUE(Shows({235, 72, 29, 10}, kPosBarId, {248, 0, 29, 10}));
    m_skin->SetPositionBar(128); // 16 + trunc(219 x 128 / 256)
    EXPECT_TRUE(Shows({125, 72, 29, 10}, kPosBarId, {248, 0, 29, 10}));
    EXPECT_TRUE(Shows({16, 72, 248, 10}, kPosBarId, {0, 0, 248, 10}, {154, 72, 110, 10}));

    m_skin->SetStatus(ssPlay); // the ready mark covers the picture's first column
    EXPECT_TRUE(Shows({26, 28, 9, 9}, kPlayPausId, {0, 0, 9, 9}, {27, 28, 8, 9}));
    EXPECT_TRUE(Shows({24, 28, 3, 9}, kPlayPausId, {36, 0, 3, 9}));
    m_skin->SetReady(false); // one column stretched over three
    EXPECT_TRUE(Shows({24, 28, 3, 9}, kPlayPausId, {39, 0, 1, 9}));
    m_skin->SetStatus(ssPause); // the mark goes with the play state
    EXPECT_TRUE(Shows({26, 28, 9, 9}, kPlayPausId, {9, 0, 9, 9}));
    EXPECT_TRUE(ShowsMain({24, 28, 2, 9}));
    m_skin->SetStatus(ssStop);
    EXPECT_TRUE(Shows({26, 28, 9, 9}, kPlayPausId, {18, 0, 9, 9}));

    m_skin->SetStereoMode(smMono);
    EXPECT_TRUE(Shows({212, 41, 27, 12}, kMonoSterId, {29, 0, 27, 12}));
    EXPECT_TRUE(Shows({239, 41, 29, 12}, kMonoSterId, {0, 12, 29, 12}));
    m_skin->SetStereoMode(smStereo);
    EXPECT_TRUE(Shows({212, 41, 27, 12}, kMonoSterId, {29, 12, 27, 12}));
    EXPECT_TRUE(Shows({239, 41, 29, 12}, kMonoSterId, {0, 0, 29, 12}));
}

TEST_F(DrawingTest, TimeDigitsBitRateAndFrequency)
{
    m_skin->SetProgress(QStringLiteral("01 02"));
    const int digits[] = {0, 1, 0, 2};
    const int places[] = {48, 60, 78, 90};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Shows({places[i], 26, 9, 13}, kNumbersId, {9 * digits[i], 0, 9, 13})) << i;
    m_skin->SetProgress(QStringLiteral("9x"));
    EXPECT_TRUE(Shows({48, 26, 9, 13}, kNumbersId, {81, 0, 9, 13}));
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(Shows({places[i], 26, 9, 13}, kNumbersId, {90, 0, 9, 13})) << i;

    m_skin->SetBitrate(128);
    EXPECT_TRUE(Shows({111, 43, 5, 6}, kTextId, {5, 6, 5, 6}));
    EXPECT_TRUE(Shows({116, 43, 5, 6}, kTextId, {10, 6, 5, 6}));
    EXPECT_TRUE(Shows({121, 43, 5, 6}, kTextId, {40, 6, 5, 6}));
    m_skin->SetBitrate(96); // only the new cells are drawn: the "8" stays
    EXPECT_TRUE(Shows({111, 43, 5, 6}, kTextId, {45, 6, 5, 6}));
    EXPECT_TRUE(Shows({116, 43, 5, 6}, kTextId, {30, 6, 5, 6}));
    EXPECT_TRUE(Shows({121, 43, 5, 6}, kTextId, {40, 6, 5, 6}));
    m_skin->Repaint();
    EXPECT_TRUE(ShowsMain({121, 43, 5, 6}));
    m_skin->SetBitrate(5000);
    EXPECT_EQ(m_skin->Bitrate(), 999);

    m_skin->SetFrequency(44100);
    EXPECT_TRUE(Shows({156, 43, 5, 6}, kTextId, {20, 6, 5, 6}));
    EXPECT_TRUE(Shows({161, 43, 5, 6}, kTextId, {20, 6, 5, 6}));
    m_skin->SetFrequency(250000);
    EXPECT_EQ(m_skin->Frequency(), 99000);
}

TEST_F(DrawingTest, LevelMeters)
{
    const SkinColorTable& colours = m_skin->Skin().SkinColors;
    auto colourAt = [&](int column) {
        const SkinColor c = colours[std::size_t(17 - (16 * column * 2 + 77) / 154)];
        return qRgb(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
    };
    m_skin->SetLeftMeter(50);
    for (int k = 0; k < 78; ++k)
        for (int y = 46; y < 50; ++y)
            ASSERT_EQ(m_skin->Canvas().pixel(24 + k, y), colourAt(k)) << k;
    EXPECT_EQ(m_skin->Canvas().pixel(24, 46), qRgb(24, 132, 8));  // colour 17 at the left end
    EXPECT_EQ(m_skin->Canvas().pixel(101, 46), qRgb(24, 33, 41)); // colour 1 at full length
    EXPECT_TRUE(ShowsMain({24, 53, 78, 4}));

    m_skin->SetLeftMeter(10); // 1.54 x 10 = 15.4: columns 0..15
    EXPECT_EQ(m_skin->Canvas().pixel(24 + 15, 47), colourAt(15));
    EXPECT_TRUE(ShowsMain({24 + 16, 46, 62, 4}));
    m_skin->SetRightMeter(1);
    EXPECT_EQ(m_skin->Canvas().pixel(25, 55), colourAt(1));
    EXPECT_TRUE(ShowsMain({26, 53, 76, 4}));
    m_skin->SetLeftMeter(0);
    EXPECT_TRUE(ShowsMain({24, 46, 78, 4}));
}

TEST_F(DrawingTest, SheetsSmallerThanTheirSpritesDrawNothingThere)
{
    WriteFile(QDir(m_dir.path()).filePath("cbuttons.bmp"), EncodeBmp24(CoordImage(kCButtonsId, {30, 10})));
    ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);
    EXPECT_TRUE(Shows({16, 88, 23, 10}, kCButtonsId, {0, 0, 23, 10}));
    EXPECT_TRUE(ShowsMain({16, 98, 23, 8}));  // below the sheet
    EXPECT_TRUE(ShowsMain({46, 88, 16, 10})); // right of it
    EXPECT_EQ(At(39, 90), (Coord{kCButtonsId, 23, 2}));
}

// Sheets as published skins ship them: a volume.bmp without its thumb row,
// a balance.bmp cut inside it, a posbar.bmp of six rows. Where the sheet has
// no pixels the window's background (or the element drawn under) shows.
TEST_F(DrawingTest, ShortSheetsLeaveTheBackgroundWhereTheyEnd)
{
    const QDir dir(m_dir.path());
    WriteFile(dir.filePath("volume.bmp"), EncodeBmp24(CoordImage(kVolumeId, {68, 420})));
    WriteFile(dir.filePath("balance.bmp"), EncodeBmp24(CoordImage(kBalanceId, {68, 424})));
    WriteFile(dir.filePath("posbar.bmp"), EncodeBmp24(CoordImage(kPosBarId, {307, 6})));
    ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);
    m_skin->SetPositionBar(128); // thumb from 125 to 154

    // Volume 80, frame 21: no thumb at all, the whole bar shows.
    EXPECT_TRUE(Shows({107, 57, 68, 13}, kVolumeId, {0, 315, 68, 13}));
    // Balance 50: the thumb's first two rows, the bar below and beside them.
    EXPECT_TRUE(Shows({189, 58, 14, 2}, kBalanceId, {15, 422, 14, 2}));
    for (const QRect& visible : {QRect(177, 60, 38, 10), QRect(177, 57, 12, 3)})
        EXPECT_TRUE(Shows({177, 57, 38, 13}, kBalanceId, {9, 0, 38, 13}, visible)) << visible.y();
    // Position bar and thumb: six rows, the background under them.
    EXPECT_TRUE(Shows({125, 72, 29, 6}, kPosBarId, {248, 0, 29, 6}));
    EXPECT_TRUE(Shows({16, 72, 248, 6}, kPosBarId, {0, 0, 248, 6}, {154, 72, 110, 6}));
    EXPECT_TRUE(ShowsMain({16, 78, 248, 4}));

    m_skin->SetVolume(30); // the old bar goes with the move
    EXPECT_TRUE(Shows({107, 57, 68, 13}, kVolumeId, {0, 15 * 8, 68, 13}));
}

// A main.bmp larger than the window shows its top left; a smaller one leaves
// black, not holes, where it ends.
TEST_F(DrawingTest, MainSheetsOfOtherSizes)
{
    const QString main = QDir(m_dir.path()).filePath("main.bmp");
    WriteFile(main, EncodeBmp24(CoordImage(kMainId, {300, 130})));
    ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);
    EXPECT_TRUE(ShowsMain({0, 14, 10, 74})); // left of the clutterbar
    EXPECT_TRUE(ShowsMain({268, 14, 7, 102}));
    EXPECT_EQ(m_skin->Canvas().size(), QSize(275, 116));

    WriteFile(main, EncodeBmp24(CoordImage(kMainId, {200, 100})));
    ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);
    EXPECT_TRUE(ShowsMain({0, 14, 10, 74})); // left of the clutterbar
    EXPECT_EQ(m_skin->Canvas().pixel(270, 50), qRgb(0, 0, 0));
    EXPECT_EQ(m_skin->Canvas().pixel(5, 110), qRgb(0, 0, 0));
    EXPECT_TRUE(Shows({16, 88, 23, 18}, kCButtonsId, {0, 0, 23, 18})); // elements draw over it
}

// A skin as later tools wrote them: PNG pictures as .png files and under
// .bmp names, and a viscolor.txt whose lines have blanks, tabs and comments.
TEST_F(DrawingTest, PngPicturesAndLooseColourLines)
{
    const QDir dir(m_dir.path());
    ASSERT_TRUE(QFile::remove(dir.filePath("main.bmp")));
    WriteFile(dir.filePath("main.png"), EncodePng(CoordImage(kMainId, {275, 116})));
    WriteFile(dir.filePath("cbuttons.bmp"), EncodePng(CoordImage(kCButtonsId, {136, 36})));
    const char* const shapes[] = {"%1,%2,%3", "%1, %2, %3 // meter", "%1,%2,%3,// meter",
                                  "\t%1 ,\t%2,%3\t// meter"};
    QByteArray colours;
    for (int i = 0; i < 18; ++i)
        colours += QString::fromLatin1(shapes[i % 4]).arg(i).arg(100 + i).arg(200 + i).toLatin1() + "\n";
    WriteFile(dir.filePath("viscolor.txt"), colours);
    ASSERT_EQ(m_skin->LoadSkin(m_dir.path()), 0);

    EXPECT_TRUE(ShowsMain({0, 14, 10, 74})); // left of the clutterbar
    EXPECT_TRUE(Shows({16, 88, 23, 18}, kCButtonsId, {0, 0, 23, 18}));
    m_skin->SetLeftMeter(50);
    for (int k = 0; k < 78; ++k) {
        const int index = 17 - (16 * k * 2 + 77) / 154;
        ASSERT_EQ(m_skin->Canvas().pixel(24 + k, 47), qRgb(index, 100 + index, 200 + index)) << k;
    }
}

} // namespace
