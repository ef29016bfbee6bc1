// The player window over a recording audio library, offscreen: start-up,
// its handlers reaching the controllers, the sleeping tick, keys and menus,
// and what is saved on close.
#include "player/controllers.h"
#include "platform/textlines.h"
#include "player/playerform.h"
#include "playlist/playlistview.h"
#include "platform/logging.h"
#include "support/capturedlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTransform>
#include <QWindow>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

using namespace velmoro;
using player::TPlayerForm;
using test::FakeAudio;
using test::Fixture;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class PlayerTest : public testing::Test {
protected:
    PlayerTest()
    {
        // The program's directory is a fresh one, with no skins in it.
        MakeForm();
    }

    void MakeForm()
    {
        form.reset(); // its hooks into the shared list go with it
        form = std::make_unique<TPlayerForm>(state, settings, audio,
                                             [this](const QString& t, const QString& text) {
                                                 errors << t;
                                                 errorTexts << text;
                                                 if (onError)
                                                     onError();
                                             });
        form->FormCreate(dir.path(), dir.filePath("user"), QString());
    }

    // The second start-up phase, as TimerInizializ would run it.
    void SecondPhase(const QString& commandLine = QString())
    {
        form->StartupPhases.TimerInizializ.stop();
        if (!commandLine.isEmpty())
            form->FormCreate(dir.path(), dir.filePath("user"), commandLine);
        form->StartupPhases.TimerInizializTimer();
    }

    // Runs a menu item of the player by its name.
    void Trigger(const char* name)
    {
        QAction* action = form->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
    }

    // Plays a stream of the given length as the current one.
    FakeAudio::Stream& Playing(std::uint32_t length, std::int32_t seconds)
    {
        form->Engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
        form->MainPlayerSkinPlayClick();
        state.Playback.TrackSeconds = seconds;
        FakeAudio::Stream& s = *audio.Find(state.Playback.CurrentStream);
        s.length = length;
        return s;
    }

    QTemporaryDir dir;
    app::PlayerState state;
    settings::Settings settings;
    FakeAudio audio;
    QStringList errors;
    QStringList errorTexts;
    std::function<void()> onError; // what the user does while an error window is up
    std::unique_ptr<TPlayerForm> form;
};

} // namespace

TEST_F(PlayerTest, StartsWithItsWindowAndTheDefaultDevice)
{
    EXPECT_EQ(form->size(), QSize(275, 116));
    EXPECT_TRUE(state.Windows.PlayerCreated);
    EXPECT_EQ(state.Dirs.AppDir, dir.path() + "/");
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    EXPECT_EQ(form->TimerRinfresco.interval(), 10);
    settings.SetPosition("RinfrescoTrack", 40);
    EXPECT_EQ(form->TimerRinfresco.interval(), 40);
    SecondPhase();
    EXPECT_EQ(audio.initDevice, -1);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(form->findChild<QObject*>("PositionChangeImage")->property("geometry").toRect(),
              QRect(16, 72, 249, 9));
}

// Each handler in one pass, to see that it reaches its controller; the
// controllers' own tests check what they do.
TEST_F(PlayerTest, HandlersReachTheControllers)
{
    for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
        state.Tracks.Playlist.AddFile(Fixture(name));
    form->MainPlayerSkinForwardClick();
    EXPECT_EQ(state.Tracks.CurrentIndex, 1);
    form->MainPlayerSkinBackClick();
    EXPECT_EQ(state.Tracks.CurrentIndex, 0);

    FakeAudio::Stream& s = Playing(100 * 176400, 100);
    form->PositionChangeImageMouseUp(Qt::LeftButton, 248); // the hit area is 249 wide
    EXPECT_EQ(s.position, std::uint32_t(100.0 * 176400 * 248 / 249));
    // The shade mode's small bar seeks too; a release beyond it, to the end.
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(30, 3), QPointF(30, 3), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->ShadePositionImage, &release);
    EXPECT_EQ(s.position, 100u * 176400);
    s.position = 12345;
    form->PositionChangeImageMouseUp(Qt::RightButton, 100);
    EXPECT_EQ(s.position, 12345u); // the right button is the menu's
    s.position = 50 * 176400;
    form->Avantidi5sec1Click();
    EXPECT_NEAR(double(s.position), 55.0 * 176400, 1000);
    form->Indietrodi5sec1Click();
    EXPECT_NEAR(double(s.position), 50.0 * 176400, 1000);

    form->OpenDialog = [] { return QStringList{Fixture("sine1k-l2-48000.mp2")}; };
    form->MainPlayerSkinEjectClick();
    EXPECT_EQ(state.Tracks.Playlist.Count(), 3);
    EXPECT_EQ(state.Playback.CurrentFileName, Fixture("sine1k-l2-48000.mp2"));
    form->OpenCommandLine("\"velmoro\" \"" + Fixture("sine1k-v1-44100-cbr256.mp3") + "\"");
    EXPECT_EQ(state.Tracks.Playlist.Count(), 4);
}

TEST_F(PlayerTest, BookmarksAndPlaylistComeBackAfterClosing)
{
    // LF-only bookmarks are read line by line, each in its own encoding, up
    // to a byte 0, and written back in UTF-8 with CR LF.
    const char marks[] = "http://radio.example/uno\nftp://files.example/due.mp3\n"
                         "citt\xE0.mp3\ncitt\xC3\xA0.mp3\n\0ignored\n";
    Put(dir.filePath("BookMarks.txt"), QByteArray(marks, sizeof marks - 1));
    QFile list(dir.filePath("default.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write((Fixture("sine1k-v1-44100-cbr256.mp3") + "\n").toUtf8());
    list.close();
    SecondPhase();
    EXPECT_EQ(settings.Lines("BookmarksListBox"),
              (QStringList{"http://radio.example/uno", "ftp://files.example/due.mp3",
                           QString::fromUtf8("città.mp3"), QString::fromUtf8("città.mp3")}));
    ASSERT_EQ(state.Tracks.Playlist.Count(), 1);

    state.Tracks.Playlist.AddFile(Fixture("sine1k-v2-22050-cbr128.mp3"));
    form->MainPlayerSkinPlayClick();
    form->close();
    EXPECT_EQ(form->ExitCode(), 0);
    EXPECT_EQ(state.Playback.PlayStatus, app::PlayStatusValue::Stopped); // playback stopped
    EXPECT_EQ(ReadAll(dir.filePath("BookMarks.txt")), "http://radio.example/uno\r\nftp://files.example/"
                                                      "due.mp3\r\ncitt\xC3\xA0.mp3\r\ncitt\xC3\xA0.mp3\r\n");
    const QByteArray saved = ReadAll(dir.filePath("default.m3u"));
    EXPECT_TRUE(saved.contains(Fixture("sine1k-v2-22050-cbr128.mp3").toUtf8() + "\r\n"));
    EXPECT_TRUE(settings.Checked("VUMeterCheck"));
}

// BookMarks.txt is rewritten only from a list that was read from it: a close
// before the read, or a file the reader refused, leaves the file as it is.
TEST_F(PlayerTest, BookmarksAreNeverReplacedByAListThatWasNotRead)
{
    const QString path = dir.filePath("BookMarks.txt");
    const QByteArray longLine =
        "uno\r\n" + QByteArray(platform::TextLineLimits{}.maxLineBytes + 1, 'x') + "\r\n";
    struct Case {
        const char* name;
        std::function<void()> prepare;
        bool secondPhase;
        bool addOne;         // the user adds a bookmark before closing
        QByteArray expected; // "<dir>": a directory stands in the file's place
        bool toldLost;       // the user is told the addition was not saved
    };
    const Case cases[] = {
        {"closed before the read", [&] { Put(path, "uno\r\n"); }, false, true, "uno\r\n", false},
        {"a line over the reader's cap", [&] { Put(path, longLine); }, true, false, longLine, false},
        {"a line over the cap, one added", [&] { Put(path, longLine); }, true, true, longLine, true},
        {"a directory in its place", [&] { QDir(dir.path()).mkdir("BookMarks.txt"); }, true, true, "<dir>",
         true},
        {"missing, then one added", [] {}, true, true, "due\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        QDir(path).removeRecursively();
        settings.SetLines("BookmarksListBox", {});
        errorTexts.clear();
        MakeForm();
        c.prepare();
        if (c.secondPhase)
            SecondPhase();
        if (c.addOne)
            settings.SetLines("BookmarksListBox", settings.Lines("BookmarksListBox") << "due");
        form->close();
        if (c.expected == "<dir>")
            EXPECT_TRUE(QFileInfo(path).isDir());
        else
            EXPECT_EQ(ReadAll(path), c.expected);
        const QStringList told =
            c.toldLost ? QStringList{"Impossibile salvare i segnalibri BookMarks.txt: il file "
                                     "non si è potuto leggere per intero all'avvio e resta com'è"}
                       : QStringList();
        EXPECT_EQ(errorTexts, told);
        EXPECT_EQ(form->ExitCode(), c.toldLost ? 1 : 0);
    }
}

// A directory put in a file's place makes its rename fail, for root too.
TEST_F(PlayerTest, AFailedSaveAtCloseIsToldAndEndsWithAnErrorCode)
{
    const auto blockFile = [&](const char* name) {
        QFile::remove(dir.filePath(name));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QString(name) + "/inside"));
    };
    for (const auto cause : {TPlayerForm::CloseCause::User, TPlayerForm::CloseCause::TerminationSignal}) {
        const bool byUser = cause == TPlayerForm::CloseCause::User;
        SCOPED_TRACE(byUser ? "close button" : "termination signal");
        QDir(dir.filePath("default.m3u")).removeRecursively();
        QDir(dir.filePath("BookMarks.txt")).removeRecursively();
        Put(dir.filePath("BookMarks.txt"), "uno\r\n");
        errors.clear();
        errorTexts.clear();
        MakeForm();
        SecondPhase();
        state.Tracks.Playlist.Clear();
        state.Tracks.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
        blockFile("BookMarks.txt");
        blockFile("default.m3u");
        const test::CapturedLog log(lcPlayer());
        form->CloseFor(cause);

        EXPECT_EQ(form->ExitCode(), 1);
        const QString reason = qt_error_string(EISDIR);
        EXPECT_EQ(form->SaveFailures(),
                  (QStringList{"Impossibile salvare i segnalibri BookMarks.txt: " + reason,
                               "Impossibile salvare la playlist default.m3u: " + reason}));
        EXPECT_EQ(log.Messages().size(), 2) << log.Text();
        if (byUser) {
            EXPECT_EQ(errors, QStringList{"Salvataggio non riuscito!"});
            EXPECT_EQ(errorTexts, QStringList{form->SaveFailures().join('\n')});
        } else {
            EXPECT_TRUE(errors.isEmpty()); // nobody may be there to close the window
        }
    }
}

TEST_F(PlayerTest, AnEmptyPlaylistLeavesThePreviousDefaultList)
{
    QFile list(dir.filePath("default.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("#EXTM3U\r\nsomething.mp3\r\n");
    list.close();
    form->close();
    EXPECT_EQ(ReadAll(dir.filePath("default.m3u")), "#EXTM3U\r\nsomething.mp3\r\n");
}

TEST_F(PlayerTest, AListCutAtTheEntryCapIsToldToTheUser)
{
    QFile list(dir.filePath("default.m3u"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("a.mp3\nb.mp3\nc.mp3\n");
    list.close();
    state.Tracks.Playlist.ListLimits.maxEntries = 2;
    SecondPhase();
    EXPECT_EQ(state.Tracks.Playlist.Count(), 2);
    ASSERT_EQ(errors, QStringList{"Playlist troppo lunga"});
    EXPECT_TRUE(errorTexts.front().contains(u"default.m3u")) << errorTexts.front().toStdString();
    EXPECT_TRUE(errorTexts.front().contains(u"prime 2")) << errorTexts.front().toStdString();
}

// The start-up load of a long list keeps the window alive, its progress in
// the title; a close among its events stops it and leaves default.m3u whole.
TEST_F(PlayerTest, ALongLoadKeepsTheWindowAliveAndACloseDuringItKeepsTheList)
{
    QByteArray lines;
    for (int i = 0; i < 3000; ++i)
        lines += "http://radio.example/" + QByteArray::number(i) + "\r\n";
    const QString path = dir.filePath("default.m3u");
    for (const bool closeDuringLoad : {false, true}) {
        SCOPED_TRACE(closeDuringLoad ? "closed during the load" : "loaded whole");
        Put(path, lines);
        state.Tracks.Playlist.Clear();
        MakeForm();
        form->show();
        std::int64_t now = 0;
        form->PlaylistLoadPump().SetClock([&] { return now += 10; }); // each check 10 ms later
        QStringList titles;
        QObject::connect(form.get(), &QWidget::windowTitleChanged, [&](const QString& t) { titles << t; });
        int timerRuns = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            ++timerRuns;
            if (closeDuringLoad && titles.size() == 1)
                form->close();
        });
        tick.start(0);
        SecondPhase();
        tick.stop();
        EXPECT_GT(timerRuns, 10);
        ASSERT_FALSE(titles.isEmpty());
        EXPECT_TRUE(titles.front().startsWith("Caricamento di default.m3u: "))
            << titles.front().toStdString();
        EXPECT_TRUE(titles.front().endsWith("% - Velmoro [www.velmoro.it]")) << titles.front().toStdString();
        EXPECT_EQ(titles.back(), "Velmoro [www.velmoro.it]");
        if (!closeDuringLoad) {
            EXPECT_EQ(state.Tracks.Playlist.Count(), 3000);
            continue;
        }
        EXPECT_LT(state.Tracks.Playlist.Count(), 3000);
        EXPECT_TRUE(form->isVisible()); // not closed while loading
        QCoreApplication::processEvents();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(ReadAll(path), lines);
        EXPECT_EQ(form->ExitCode(), 0);
    }
}

// Closed while the "no sound device" message is up: nothing more starts, and
// the lists on disk stay as they are.
TEST_F(PlayerTest, ClosedDuringTheDeviceMessageStartsNothingMore)
{
    Put(dir.filePath("default.m3u"), "http://radio.example/uno\r\n");
    audio.initFails = true;
    onError = [&] { form->close(); };
    SecondPhase();
    EXPECT_EQ(errors, QStringList{"Periferica MM System non pronta!"});
    EXPECT_EQ(state.Tracks.Playlist.Count(), 0);
    EXPECT_EQ(ReadAll(dir.filePath("default.m3u")), "http://radio.example/uno\r\n");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("BookMarks.txt")));
}

// Below the player from the start, shown by the key and the button, and
// carried by the player's drag at the place it was left in.
TEST_F(PlayerTest, ThePlaylistWindowIsPlacedShownAndCarried)
{
    form->move(100, 50);
    SecondPhase();
    playlist::TPlaylistForm& playlist = *form->PlaylistForm;
    EXPECT_EQ(playlist.geometry(), QRect(100, 166, 275, 320));
    EXPECT_FALSE(playlist.isVisible());
    form->PlayerCommand(25); // P
    EXPECT_TRUE(playlist.isVisible());
    EXPECT_TRUE(form->MainPlayerSkin->Checked() & skin::ckPlaylist);
    form->MainPlayerSkinPlaylistClick(false);
    EXPECT_FALSE(playlist.isVisible());

    const auto drag = [](skin::HitArea* grip, QPoint from, QPoint to, const std::function<void()>& tick) {
        QCursor::setPos(from);
        emit grip->MouseDown(Qt::LeftButton, grip->mapFromGlobal(from));
        QCursor::setPos(to);
        tick();
        emit grip->MouseUp(Qt::LeftButton, QPoint());
    };
    const auto dragPlayer = [&](QPoint from, QPoint to) {
        drag(form->MoveFormImage, from, to, [&] { form->TimerPosizioneFormTimer(); });
    };
    dragPlayer({150, 60}, {250, 160});
    EXPECT_EQ(form->pos(), QPoint(200, 150));
    EXPECT_EQ(playlist.pos(), QPoint(200, 266));
    // Moved on its own, it keeps its new place next to the player.
    drag(playlist.PlaylistSkinImage, {210, 270}, {290, 170}, [&] { playlist.TimerPosizioneFormTimer(); });
    EXPECT_EQ(playlist.pos(), QPoint(280, 166));
    EXPECT_EQ(form->pos(), QPoint(200, 150));
    dragPlayer({250, 160}, {240, 140});
    EXPECT_EQ(playlist.pos(), QPoint(270, 146));
    settings.SetChecked("AllMoveCheck", false);
    dragPlayer({240, 140}, {300, 200});
    EXPECT_EQ(form->pos(), QPoint(250, 190));
    EXPECT_EQ(playlist.pos(), QPoint(270, 146));

    // The keys belong to the rows while the pointer is over them.
    QEnterEvent over({5, 5}, {5, 5}, {5, 5});
    QCoreApplication::sendEvent(playlist.PlayListBox, &over);
    EXPECT_FALSE(state.Windows.HotKeysEnabled);
    QCoreApplication::sendEvent(form.get(), &over);
    EXPECT_TRUE(state.Windows.HotKeysEnabled);
}

TEST_F(PlayerTest, TheAudibleEqualizersWindowIsPlacedShownAndCarried)
{
    settings.SetChecked("EqualizzatoreAttivoCheck", true);
    form->move(100, 50);
    SecondPhase();
    equalizer::TFormEqualizzatore& eq = form->EqualizerWindow();
    EXPECT_EQ(eq.geometry(), QRect(100, 486, 275, 116)); // below the playlist window
    EXPECT_FALSE(eq.isVisible());
    form->PlayerCommand(18); // E
    EXPECT_TRUE(eq.isVisible());
    EXPECT_TRUE(form->MainPlayerSkin->Checked().testFlag(skin::ckEqualizer));
    form->PlayerCommand(18);
    EXPECT_FALSE(eq.isVisible());
    EXPECT_FALSE(form->MainPlayerSkin->Checked().testFlag(skin::ckEqualizer));
    form->MainPlayerSkin->SetChecked(skin::ckEqualizer); // the skin's button, pressed
    form->MainPlayerSkinEqualizerClick();
    EXPECT_TRUE(eq.isVisible());

    QCursor::setPos(150, 60);
    emit form->MoveFormImage->MouseDown(Qt::LeftButton, form->MoveFormImage->mapFromGlobal(QPoint(150, 60)));
    QCursor::setPos(170, 90);
    form->TimerPosizioneFormTimer();
    emit form->MoveFormImage->MouseUp(Qt::LeftButton, QPoint());
    EXPECT_EQ(eq.pos(), QPoint(120, 516));

    // Each open gets the ten bands and the preamplifier.
    form->Engine.OpenStreamFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_EQ(audio.effects.size(), 11u);
}

// Until the equalizer window is first wanted there is none; its place is
// kept all the same, and carried with the player.
TEST_F(PlayerTest, TheEqualizersPlaceMovesWithThePlayerBeforeItsWindowIsMade)
{
    settings.SetChecked("EqualizzatoreAttivoCheck", true);
    form->move(100, 50);
    SecondPhase();
    EXPECT_EQ(form->FormEqualizzatore, nullptr);
    QCursor::setPos(150, 60);
    emit form->MoveFormImage->MouseDown(Qt::LeftButton, form->MoveFormImage->mapFromGlobal(QPoint(150, 60)));
    QCursor::setPos(170, 90);
    form->TimerPosizioneFormTimer();
    emit form->MoveFormImage->MouseUp(Qt::LeftButton, QPoint());
    EXPECT_EQ(form->FormEqualizzatore, nullptr);
    form->PlayerCommand(18); // E
    ASSERT_NE(form->FormEqualizzatore, nullptr);
    EXPECT_TRUE(form->FormEqualizzatore->isVisible());
    EXPECT_EQ(form->FormEqualizzatore->pos(), QPoint(120, 516));
}

TEST_F(PlayerTest, AStationsSongReachesTheTitleAndTheStationsRow)
{
    SecondPhase();
    const QString radio = QStringLiteral("http://radio.example.com/live");
    state.Tracks.Playlist.AddFile(radio);
    state.Tracks.CurrentIndex = state.Tracks.Playlist.Count() - 1;
    form->PlayCurrentEntry();
    const int row = state.Tracks.CurrentIndex;
    EXPECT_EQ(playlist::RowText(state.Tracks.Playlist, row, false, state.Tracks.StationTitles), radio);
    audio.tags[state.Playback.CurrentStream] = {"Radio Uno", "Caff\xe8", 2};
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->MainPlayerSkin->Title(), QString::fromUtf8("Radio Uno - Caffè"));
    EXPECT_EQ(playlist::RowText(state.Tracks.Playlist, row, false, state.Tracks.StationTitles),
              QString::fromUtf8("Radio Uno - Caffè"));
}

TEST_F(PlayerTest, FirstRunPlaysTheDemoWithRepeatOn)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("Demo"));
    ASSERT_TRUE(QFile::copy(Fixture("tone440-8s.mp3"), dir.filePath("Demo/uno.mp3")));
    ASSERT_TRUE(QFile::copy(Fixture("tone880-8s.mp3"), dir.filePath("Demo/due.mp3")));
    QFile demo(dir.filePath("Demo/demo.m3u"));
    ASSERT_TRUE(demo.open(QIODevice::WriteOnly));
    demo.write("uno.mp3\r\ndue.mp3\r\n");
    demo.close();

    // A file named on the command line is what plays; the demo waits in the list.
    SecondPhase("\"velmoro\" \"" + Fixture("sine1k-v1-44100-cbr256.mp3") + "\"");
    EXPECT_EQ(state.Tracks.Playlist.Count(), 3);
    EXPECT_EQ(state.Playback.CurrentFileName, Fixture("sine1k-v1-44100-cbr256.mp3"));
    EXPECT_FALSE(form->MainPlayerSkin->RepeatOn);

    state.Tracks.Playlist.Clear();
    audio.streams.clear();
    state.Playback.CurrentStream = 0;
    SecondPhase("\"velmoro\"");
    ASSERT_EQ(state.Tracks.Playlist.Count(), 2);
    EXPECT_EQ(state.Playback.CurrentFileName, dir.filePath("Demo/uno.mp3"));
    ASSERT_NE(state.Playback.CurrentStream, 0u);
    EXPECT_TRUE(audio.Find(state.Playback.CurrentStream)->playing);
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);

    // Once default.m3u exists, even empty, the demo stays out.
    QFile(dir.filePath("default.m3u")).open(QIODevice::WriteOnly);
    state.Tracks.Playlist.Clear();
    state.Playback.CurrentStream = 0;
    SecondPhase();
    EXPECT_EQ(state.Tracks.Playlist.Count(), 0);
    EXPECT_EQ(state.Playback.CurrentStream, 0u);
}

TEST_F(PlayerTest, VolumeBalanceAndShade)
{
    Playing(1000 * 176400, 1000);
    form->MainPlayerSkinVolumeChange(37);
    EXPECT_EQ(audio.globalStream, 37);
    EXPECT_EQ(audio.outputVolume, 37);
    form->MainPlayerSkinBalanceChange(0);
    EXPECT_EQ(audio.Find(state.Playback.CurrentStream)->pan, 100);
    form->MainPlayerSkinBalanceChange(100);
    EXPECT_EQ(audio.Find(state.Playback.CurrentStream)->pan, -100);
    form->MainPlayerSkinSticky(true);
    EXPECT_EQ(form->height(), 14);
    EXPECT_EQ(form->MoveFormImage->width(), 145);
    form->MainPlayerSkinSticky(false);
    EXPECT_EQ(form->height(), 116);
    EXPECT_EQ(form->MoveFormImage->width(), 225);
}

TEST_F(PlayerTest, RefreshTickSleepsOnAStillDisplay)
{
    form->show();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    form->TimerRinfrescoTimer(); // the window starts with the stopped display
    EXPECT_FALSE(form->TimerRinfresco.isActive());

    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    s.position = 20 * 176400;
    form->TimerRinfrescoTimer();
    form->TimerRinfrescoTimer();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    EXPECT_EQ(form->MainPlayerSkin->Progress(), "00 20");

    // Stopped: the first tick clears the display, the next finds it still.
    form->MainPlayerSkinStopClick();
    form->TimerRinfrescoTimer();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    EXPECT_EQ(form->MainPlayerSkin->Progress(), "");
    form->TimerRinfrescoTimer();
    EXPECT_FALSE(form->TimerRinfresco.isActive());

    form->MainPlayerSkinPauseClick();
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->MainPlayerSkin->Status(), skin::ssPause);
    form->TimerRinfrescoTimer();
    EXPECT_FALSE(form->TimerRinfresco.isActive());

    // A position bar dragged while stopped is put back by the woken tick.
    form->MainPlayerSkinStopClick();
    form->TimerRinfrescoTimer();
    form->TimerRinfrescoTimer();
    ASSERT_FALSE(form->TimerRinfresco.isActive());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 76), QPointF(100, 76), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->windowHandle(), &press);
    EXPECT_TRUE(form->TimerRinfresco.isActive());
    form->MainPlayerSkin->SetPositionBar(120);
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->MainPlayerSkin->PositionBar(), 0);

    form->close();
    form->MainPlayerSkinPauseClick();
    EXPECT_FALSE(form->TimerRinfresco.isActive()); // closed: nothing wakes it
}

TEST_F(PlayerTest, PlayingTickWaitsForTheNextChangeUnlessTheDisplayAreaMoves)
{
    settings.SetChecked("OSCNessunoCheck", true);
    FakeAudio::Stream& s = Playing(200 * 176400, 200);
    s.frequency = 44100;
    s.position = 135 * 176400;
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->TimerRinfresco.interval(), 160); // the position bar's next step
    s.position = 135 * 176400 + 27000;               // 6 ms before the bar steps
    form->TimerRinfrescoTimer();
    EXPECT_EQ(form->TimerRinfresco.interval(), 10); // due sooner than the interval
    s.position = 135 * 176400;
    for (const char* moving : {"VUMeterCheck", "AbilitaOscilloscopioCheck", "SpettroCheck"}) {
        SCOPED_TRACE(moving);
        settings.SetChecked(moving, true);
        form->TimerRinfrescoTimer();
        EXPECT_EQ(form->TimerRinfresco.interval(), 10);
    }
    settings.SetChecked("OSCNessunoCheck", true);
    form->TimerRinfrescoTimer();
    ASSERT_EQ(form->TimerRinfresco.interval(), 160);
    form->MainPlayerSkinPauseClick(); // any command brings the interval back
    EXPECT_EQ(form->TimerRinfresco.interval(), 10);
    EXPECT_TRUE(form->TimerRinfresco.isActive());
}

TEST_F(PlayerTest, KeysReachTheCommandsOnlyWhileHotKeysAreOn)
{
    form->show();
    ASSERT_TRUE(form->windowHandle());
    const auto press = [&](Qt::Key key, quint32 nativeScanCode) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, nativeScanCode, 0, 0);
        QCoreApplication::sendEvent(form->windowHandle(), &event);
    };
    // On X11 the native code is the Linux key code + 8: R is 19 + 8 whatever
    // letter the layout puts there.
    press(Qt::Key_Q, 19 + 8);
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);
    press(Qt::Key_R, 0); // a synthetic event: the key's US position
    EXPECT_FALSE(form->MainPlayerSkin->RepeatOn);
    form->MainPlayerSkin->SetVolume(50);
    press(Qt::Key_Up, 103 + 8);
    EXPECT_EQ(form->MainPlayerSkin->Volume(), 55);
    state.Windows.HotKeysEnabled = false;
    press(Qt::Key_R, 19 + 8);
    press(Qt::Key_Down, 108 + 8);
    EXPECT_FALSE(form->MainPlayerSkin->RepeatOn);
    EXPECT_EQ(form->MainPlayerSkin->Volume(), 55);
}

TEST_F(PlayerTest, MenusReachTheCommands)
{
    for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
        state.Tracks.Playlist.AddFile(Fixture(name));
    Trigger("Play2");
    EXPECT_EQ(state.Playback.PlayStatus, app::PlayStatusValue::Playing);
    Trigger("Prossima1");
    EXPECT_EQ(state.Tracks.CurrentIndex, 1);
    Trigger("Puuse1");
    EXPECT_EQ(state.Playback.PlayStatus, app::PlayStatusValue::Paused);
    Trigger("Repeat1");
    EXPECT_TRUE(form->MainPlayerSkin->RepeatOn);
    EXPECT_TRUE(form->MainPlayerSkin->Checked() & skin::ckRepeat); // the button lights
    Trigger("Shuffle1");
    EXPECT_TRUE(form->MainPlayerSkin->ShuffleOn);
    EXPECT_TRUE(form->MainPlayerSkin->Checked() & skin::ckShuffle);
    Trigger("Repeat1");
    EXPECT_FALSE(form->MainPlayerSkin->Checked() & skin::ckRepeat);
    EXPECT_TRUE(form->MainPlayerSkin->Checked() & skin::ckShuffle);
    Trigger("Contoallarovescia1");
    EXPECT_TRUE(settings.Checked("CountDownCheck"));
    Trigger("AggiungiCorrente1");
    EXPECT_EQ(settings.Lines("BookmarksListBox"), QStringList{Fixture("sine1k-v2-22050-cbr128.mp3")});
    Trigger("Sempreinprimopiano1");
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->findChild<QAction*>("Sempreinprimopiano1")->isChecked());
    Trigger("Sempreinprimopiano1");
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->findChild<QAction*>("ApriFile1")->text().endsWith("\tA"));
    EXPECT_NE(form->findChild<QMenu*>("CanzoniMenu"), nullptr);
}

TEST_F(PlayerTest, DialogsOpenFromTheMenusTheKeysAndTheLogo)
{
    form->show();
    for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
        state.Tracks.Playlist.AddFile(Fixture(name));
    form->PlaylistForm->RefreshPlaylistList();

    // The logo area opens the about window, modal to the whole program.
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(5, 5), form->PopupImage->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form->PopupImage, &click);
    }
    dialogs::TFormInfo& about = form->Dialogs.FormInfo();
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(about.isModal());
    EXPECT_TRUE(state.Windows.DialogOpen);
    EXPECT_FALSE(state.Windows.HotKeysEnabled);
    about.close();
    EXPECT_FALSE(state.Windows.DialogOpen);
    Trigger("WWWSitoAutore1");
    EXPECT_TRUE(about.isVisible());
    about.close();

    // The jump dialog lists the playlist window's rows and plays one.
    Trigger("Vaiallacanzone2");
    dialogs::TjumpForm& jump = form->Dialogs.jumpForm();
    ASSERT_TRUE(jump.isVisible());
    ASSERT_EQ(jump.ShownRows().size(), 2);
    EXPECT_EQ(jump.ShownRows()[1],
              playlist::RowText(state.Tracks.Playlist, 1, settings.Checked("NumPlaylistfiles")));
    jump.playListBox->setCurrentIndex(jump.playListBox->model()->index(1, 0));
    jump.playListBoxDblClick();
    EXPECT_EQ(state.Tracks.CurrentIndex, 1);
    EXPECT_EQ(state.Playback.CurrentFileName, Fixture("sine1k-v2-22050-cbr128.mp3"));
    EXPECT_EQ(state.Playback.PlayStatus, app::PlayStatusValue::Playing);
    jump.close();

    Trigger("Saltaalpunto1");
    EXPECT_TRUE(form->Dialogs.jumptoForm().isVisible());
    form->Dialogs.jumptoForm().close();

    // The tags of what plays; the playlist's items reach the same windows.
    Trigger("Informazionisulfile1");
    dialogs::TmpegForm& tags = form->Dialogs.mpegForm();
    EXPECT_TRUE(tags.isVisible());
    EXPECT_EQ(tags.fileEdit->text(), Fixture("sine1k-v2-22050-cbr128.mp3"));
    tags.close();
    form->PlaylistForm->SelectRow(0);
    form->PlaylistForm->findChild<QAction*>("ModificaInformazioni1")->trigger();
    dialogs::TChangeFilnameForm& rename = form->Dialogs.ChangeFilnameForm();
    EXPECT_TRUE(rename.isVisible());
    EXPECT_EQ(rename.EntryIndex, 0);
    EXPECT_EQ(rename.LineaEdit->text(), Fixture("sine1k-v1-44100-cbr256.mp3"));
    rename.close();
    EXPECT_TRUE(state.Windows.HotKeysEnabled);
}

// The menu's mode marks and the options' mode buttons show one mode, whichever
// of them changed; a click on the display area steps through the five.
TEST_F(PlayerTest, VisModeMarksFollowTheSettingsAndTheClickCycle)
{
    const auto marks = [&] {
        QStringList checked;
        for (const char* item : {"Oscilloscopio1", "VUMeter1", "Spettro1", "Plugin1", "Nessuno1"}) {
            if (form->findChild<QAction*>(item)->isChecked())
                checked << item;
        }
        return checked.join(' ');
    };
    const auto radio = [&] { return settings.CheckedInGroup("Visualizzazione"); };
    EXPECT_EQ(marks(), "Oscilloscopio1");
    form->findChild<QAction*>("Spettro1")->trigger();
    form->findChild<QAction*>("VUMeter1")->trigger();
    EXPECT_EQ(marks(), "VUMeter1");
    EXPECT_EQ(radio(), "VUMeterCheck");
    // The plug-in's mark leaves the buttons as they were.
    form->findChild<QAction*>("Plugin1")->trigger();
    EXPECT_EQ(marks(), "Plugin1");
    EXPECT_EQ(radio(), "VUMeterCheck");
    for (const auto& [button, item] : {std::pair{"OSCNessunoCheck", "Nessuno1"},
                                       {"UsaPluginCheck", "Plugin1"},
                                       {"SpettroCheck", "Spettro1"},
                                       {"AbilitaOscilloscopioCheck", "Oscilloscopio1"}}) {
        settings.SetChecked(button, true);
        EXPECT_EQ(marks(), item);
    }

    const auto click = [&] {
        const QPointF at(10, 10);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, form->VisOutFrame->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(form->VisOutFrame, &event);
        }
    };
    for (const auto& [item, button] : {std::pair{"VUMeter1", "VUMeterCheck"},
                                       {"Spettro1", "SpettroCheck"},
                                       {"Plugin1", "SpettroCheck"},
                                       {"Nessuno1", "OSCNessunoCheck"},
                                       {"Oscilloscopio1", "AbilitaOscilloscopioCheck"}}) {
        click();
        EXPECT_EQ(marks(), item);
        EXPECT_EQ(radio(), button);
    }
}

// The options window's mode buttons and the menu's marks, both ways; the
// menus and keys open the options window on its pages and the skin browser.
TEST_F(PlayerTest, OptionsWindowAndSkinBrowserFromTheMenusAndKeys)
{
    EXPECT_EQ(form->OpzioniForm, nullptr) << "made when first wanted";
    options::TOpzioniForm& options = form->Options();
    options.findChild<QRadioButton*>("SpettroCheck")->click();
    EXPECT_TRUE(form->findChild<QAction*>("Spettro1")->isChecked());
    EXPECT_FALSE(form->findChild<QAction*>("Oscilloscopio1")->isChecked());
    form->findChild<QAction*>("VUMeter1")->trigger();
    EXPECT_TRUE(options.findChild<QRadioButton*>("VUMeterCheck")->isChecked());
    EXPECT_FALSE(options.findChild<QRadioButton*>("SpettroCheck")->isChecked());

    const auto page = [&] { return options.PageOpzioni->currentWidget()->objectName(); };
    EXPECT_EQ(page(), "OpzioniGenerali");
    form->findChild<QAction*>("Carica1")->trigger();
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(page(), "TabSheet3");
    EXPECT_TRUE(state.Windows.DialogOpen);
    form->findChild<QAction*>("Segnalibri1")->trigger();
    EXPECT_EQ(page(), "TabSheet7");
    options.close();
    state.Windows.HotKeysEnabled = true;
    form->PlayerCommand(24); // O: as it was left
    EXPECT_TRUE(options.isVisible());
    EXPECT_EQ(page(), "TabSheet7");
    EXPECT_EQ(form->SkinBrowserForm, nullptr);
    form->PlayerCommand(37); // K
    ASSERT_NE(form->SkinBrowserForm, nullptr);
    EXPECT_TRUE(form->SkinBrowserForm->isVisible());
    form->close();
    EXPECT_FALSE(options.isVisible());
    EXPECT_FALSE(form->SkinBrowser().isVisible());
}

// A skin chosen in the options dresses the player and its playlist window; a
// skin that cannot be loaded gives way to "[Default]", then to the built-in.
TEST_F(PlayerTest, SkinChosenInTheOptionsDressesTheWindows)
{
    const QString skins = state.Dirs.SkinsDir;
    ASSERT_TRUE(QDir().mkpath(skins));
    Put(skins + "Rotta.wsz", "not a zip archive");
    form->SkinBrowser().ButtonAggiornaClick();
    ASSERT_EQ(settings.Lines("SkinsList"), QStringList{"Rotta"});
    const QImage before = form->MainPlayerSkin->Canvas();
    form->Options().SkinsListClick(0);
    EXPECT_EQ(state.Dirs.SkinDir, skins + "[Default]");
    EXPECT_EQ(form->MainPlayerSkin->Canvas(), before) << "the built-in skin, as at start";
}

// The marks of shuffle and repeat agree with the skin's buttons, whether the
// menu or a button flipped them.
TEST_F(PlayerTest, PlayModeMarksAgreeWithTheSkinsButtons)
{
    QAction* shuffle = form->findChild<QAction*>("Shuffle1");
    QAction* repeat = form->findChild<QAction*>("Repeat1");
    QMenu* options = form->findChild<QAction*>("MenuOpzioni")->menu();
    const auto agree = [&](bool on) {
        emit options->aboutToShow();
        EXPECT_EQ(shuffle->isChecked(), on);
        EXPECT_EQ(form->MainPlayerSkin->ShuffleOn, on);
        EXPECT_EQ(bool(form->MainPlayerSkin->Checked() & skin::ckShuffle), on);
    };
    shuffle->trigger();
    agree(true);
    shuffle->trigger();
    agree(false);
    form->MainPlayerSkin->SetChecked(skin::ckRepeat | skin::ckShuffle); // as the buttons do
    agree(true);
    EXPECT_TRUE(repeat->isChecked());

    // Nothing open: nothing to bookmark.
    form->findChild<QAction*>("AggiungiCorrente1")->trigger();
    EXPECT_TRUE(settings.Lines("BookmarksListBox").isEmpty());
}

// The clutterbar's buttons and Ctrl+D reach their commands; double size
// scales the window, the skin, the areas over it and the shape of region.txt.
TEST_F(PlayerTest, ClutterBarDoubleSizeAndShape)
{
    Put(dir.filePath("region.txt"), "[Normal]\nNumPoints=3\nPointList=0,0 275,0 0,116\n"
                                    "[WindowShade]\nNumPoints=4\nPointList=0,0 100,0 100,14 0,14\n");
    ASSERT_EQ(form->MainPlayerSkin->LoadSkin(dir.path()), 0);
    EXPECT_EQ(form->mask(), QRegion(QPolygon({{0, 0}, {275, 0}, {0, 116}})));
    form->show();
    ASSERT_TRUE(form->windowHandle());
    QKeyEvent ctrlD(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier, 32 + 8, 0, 0);
    QCoreApplication::sendEvent(form->windowHandle(), &ctrlD);
    EXPECT_TRUE(settings.Checked("DoppiaDimensioneCheck"));
    EXPECT_EQ(form->size(), QSize(550, 232));
    EXPECT_EQ(form->MainPlayerSkin->geometry(), QRect(0, 0, 550, 232));
    EXPECT_EQ(form->MoveFormImage->geometry(), QRect(32, 0, 450, 34));
    EXPECT_EQ(form->PositionChangeImage->geometry(), QRect(32, 144, 498, 18));
    // Each pixel of the shape becomes a square of four, as the pictures do.
    EXPECT_EQ(form->mask(), QTransform::fromScale(2, 2).map(QRegion(QPolygon({{0, 0}, {275, 0}, {0, 116}}))));
    EXPECT_TRUE(form->MainPlayerSkin->ClutterModes().testFlag(skin::cmDoubleSize));
    // The playlist window doubles too, its areas with it.
    playlist::TPlaylistForm& list = *form->PlaylistForm;
    EXPECT_EQ(list.Scale(), 2);
    EXPECT_EQ(list.size(), skin::kPlaylistInitialSize * 2);
    const skin::PlaylistLayout layout = skin::LayoutPlaylistWindow(skin::kPlaylistInitialSize);
    EXPECT_EQ(list.PlaylistSkinImage->geometry(), QRect(layout.title.topLeft() * 2, layout.title.size() * 2));
    EXPECT_EQ(list.PlayListBox->geometry(), QRect(layout.rows.topLeft() * 2, layout.rows.size() * 2));
    form->MainPlayerSkin->SetSticky(true);
    EXPECT_EQ(form->size(), QSize(550, 28));
    EXPECT_EQ(form->MoveFormImage->geometry(), QRect(32, 0, 290, 34));
    EXPECT_EQ(form->mask(), QRegion(0, 0, 200, 28));
    EXPECT_TRUE(form->ShadePositionImage->isVisible());
    EXPECT_EQ(form->ShadePositionImage->geometry(), QRect(452, 8, 34, 14));

    const auto clutter = [&](int button) {
        emit form->MainPlayerSkin->OnClutterClick(form->MainPlayerSkin, button, {});
    };
    clutter(skin::kClutterDoubleSize);
    EXPECT_FALSE(settings.Checked("DoppiaDimensioneCheck"));
    EXPECT_EQ(form->size(), QSize(275, 14));
    clutter(skin::kClutterOnTop);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->MainPlayerSkin->ClutterModes().testFlag(skin::cmOnTop));
    clutter(skin::kClutterFileInfo); // no file information window yet: nothing
    for (const auto& [button, submenu] : {std::pair{skin::kClutterOptions, "MenuOpzioni"},
                                          std::pair{skin::kClutterVisualization, "Visualizzazione1"}}) {
        QMenu* menu = form->findChild<QAction*>(QString::fromLatin1(submenu))->menu();
        clutter(button);
        EXPECT_TRUE(menu->isVisible()) << submenu;
        menu->hide();
    }
}
