#include "player/playerform.h"

#include "app/shared.h"
#include "player/bookmarks.h"
#include "player/docking.h"
#include "player/timedisplay.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace velmoro::player {

namespace {

const QString kDefaultPlaylist = QStringLiteral("default.m3u");
const QString kBookmarks = QStringLiteral("BookMarks.txt");
// Beside the program: the tunes a new user hears on the first run.
const QString kDemoPlaylist = QStringLiteral("Demo/demo.m3u");

} // namespace

TPlayerForm::TPlayerForm(app::PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                         app::ShowErrorFunction showError, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), Engine(state, settings, audio, *this, *this),
      StartupPhases(state, settings, audio, std::move(showError)), m_state(state), m_settings(settings),
      m_audio(audio)
{
    setObjectName(QStringLiteral("PlayerForm"));
    setWindowTitle(app::ApplicationTitle());
    MainPlayerSkin = new skin::TWinampSkin(this);
    MainPlayerSkin->setObjectName(QStringLiteral("MainPlayerSkin"));
    MainPlayerSkin->SetTitle(QStringLiteral("Velmoro versione 0.5"));
    MainPlayerSkin->SetStatus(skin::ssStop);
    MainPlayerSkin->SetBitrate(-1);
    MainPlayerSkin->SetFrequency(-1);
    MoveFormImage = new HitArea(QStringLiteral("MoveFormImage"), QRect(16, 0, 225, 17), this);
    PositionChangeImage = new HitArea(QStringLiteral("PositionChangeImage"), QRect(16, 72, 249, 9), this);
    DisplayImage = new HitArea(QStringLiteral("DisplayImage"), QRect(48, 24, 49, 17), this);
    VisOutFrame = new HitArea(QStringLiteral("VisOutFrame"), QRect(20, 41, 80, 19), this);
    PopupImage = new HitArea(QStringLiteral("PopupImage"), QRect(240, 80, 33, 33), this);
    PlayerMenu = new QMenu(this);
    PlayerMenu->setObjectName(QStringLiteral("PlayerMenu"));
    BuildPlayerMenu();

    TimerRinfresco.setObjectName(QStringLiteral("TimerRinfresco"));
    m_tickInterval = m_settings.Position(QStringLiteral("RinfrescoTrack"));
    TimerRinfresco.setInterval(m_tickInterval);
    TimerPosizioneForm.setObjectName(QStringLiteral("TimerPosizioneForm"));
    TimerPosizioneForm.setInterval(1);
    connect(&TimerRinfresco, &QTimer::timeout, this, &TPlayerForm::TimerRinfrescoTimer);
    connect(&TimerPosizioneForm, &QTimer::timeout, this, &TPlayerForm::TimerPosizioneFormTimer);
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        if (name == u"RinfrescoTrack") {
            m_tickInterval = m_settings.Position(name);
            TimerRinfresco.setInterval(m_tickInterval);
        }
    });
    StartupPhases.OnSecondPhase = [this] { TimerInizializTimer(); };
    connect(&Engine, &app::PlaybackEngine::Playing, this, &TPlayerForm::WakeRefreshTick);

    using Skin = skin::TWinampSkin;
    connect(MainPlayerSkin, &Skin::OnPlayClick, this, &TPlayerForm::MainPlayerSkinPlayClick);
    connect(MainPlayerSkin, &Skin::OnPauseClick, this, &TPlayerForm::MainPlayerSkinPauseClick);
    connect(MainPlayerSkin, &Skin::OnStopClick, this, &TPlayerForm::MainPlayerSkinStopClick);
    connect(MainPlayerSkin, &Skin::OnForwardClick, this, &TPlayerForm::MainPlayerSkinForwardClick);
    connect(MainPlayerSkin, &Skin::OnBackClick, this, &TPlayerForm::MainPlayerSkinBackClick);
    connect(MainPlayerSkin, &Skin::OnEjectClick, this, &TPlayerForm::MainPlayerSkinEjectClick);
    connect(MainPlayerSkin, &Skin::OnVolumeChange, this,
            [this](Skin*, int v) { MainPlayerSkinVolumeChange(v); });
    connect(MainPlayerSkin, &Skin::OnBalanceChange, this,
            [this](Skin*, int b) { MainPlayerSkinBalanceChange(b); });
    connect(MainPlayerSkin, &Skin::OnEqualizerClick, this, &TPlayerForm::MainPlayerSkinEqualizerClick);
    connect(MainPlayerSkin, &Skin::OnCloseClick, this, &TPlayerForm::MainPlayerSkinCloseClick);
    connect(MainPlayerSkin, &Skin::OnSticky, this,
            [this](Skin*, bool shaded) { MainPlayerSkinSticky(shaded); });
    connect(MainPlayerSkin, &Skin::OnMenuClick, this, &TPlayerForm::MainPlayerSkinMenuClick);

    // The grab offsets are taken when the drag starts: asking the display
    // server for the cursor on every tick would cost a round trip each time.
    connect(MoveFormImage, &HitArea::MouseDown, this, [this](Qt::MouseButton b, QPoint at) {
        if (b == Qt::RightButton)
            return;
        const QPoint cursor = MoveFormImage->mapToGlobal(at);
        m_state.DragDX = x() - cursor.x();
        m_state.DragDY = y() - cursor.y();
        TimerPosizioneForm.start();
    });
    connect(MoveFormImage, &HitArea::MouseUp, this, [this](Qt::MouseButton b, QPoint at) {
        TimerPosizioneForm.stop();
        if (b == Qt::RightButton)
            PlayerMenu->popup(MoveFormImage->mapToGlobal(at));
    });
    connect(PositionChangeImage, &HitArea::MouseUp, this, [this](Qt::MouseButton b, QPoint at) {
        if (b == Qt::RightButton)
            CanzoniMenu->popup(PositionChangeImage->mapToGlobal(at));
        PositionChangeImageMouseUp(b, at.x());
    });
    connect(DisplayImage, &HitArea::Click, this, &TPlayerForm::DisplayImageClick);
    for (HitArea* area : {DisplayImage, VisOutFrame, PopupImage}) {
        connect(area, &HitArea::MouseUp, this, [this, area](Qt::MouseButton b, QPoint at) {
            if (b == Qt::RightButton)
                PlayerMenu->popup(area->mapToGlobal(at));
        });
    }
}

TPlayerForm::~TPlayerForm()
{
    // The destroy handler: the audio library is closed.
    m_audio.Free();
}

void TPlayerForm::FormCreate(const QString& executableDir, const QString& userDataDir,
                             const QString& commandLine)
{
    m_commandLine = commandLine;
    m_installDir = app::IncludeTrailingSlash(executableDir);
    StartupPhases.OnFirstPhase = [this] {
        if (MainPlayerSkin->LoadSkin(m_state.SkinDir) != 0)
            MainPlayerSkin->LoadDefaultSkin();
        setFixedSize(275, 116);
        MainPlayerSkin->setGeometry(0, 0, 275, 116);
    };
    StartupPhases.FirstPhase(executableDir, userDataDir);
    qApp->installEventFilter(this);
    TimerRinfresco.start();
}

// After the audio output is open and the device list filled.
void TPlayerForm::TimerInizializTimer()
{
    const QString bookmarks = m_state.AppDir + kBookmarks;
    if (QFileInfo::exists(bookmarks))
        m_settings.SetLines(QStringLiteral("BookmarksListBox"), LoadBookmarks(bookmarks));
    const QString playlist = m_state.AppDir + kDefaultPlaylist;
    const bool firstRun = !QFileInfo::exists(playlist);
    if (firstRun)
        LoadDemoPlaylist();
    else
        m_state.Playlist.LoadM3U(playlist);
    OpenCommandLine(m_commandLine);
    if (firstRun && m_state.CurrentStream == 0)
        PlayDemoPlaylist();
}

void TPlayerForm::LoadDemoPlaylist()
{
    const QString demo = m_installDir + kDemoPlaylist;
    if (QFileInfo::exists(demo))
        m_state.Playlist.LoadM3U(demo);
}

// The demo plays at once, with repeat on, so its first change of track is
// heard as a crossfade.
void TPlayerForm::PlayDemoPlaylist()
{
    if (m_state.Playlist.Count() == 0)
        return;
    if (!MainPlayerSkin->RepeatOn)
        Repeat1Click();
    m_state.CurrentIndex = 0;
    OpenAndPlayCurrentEntry();
}

void TPlayerForm::SetStereo(bool stereo)
{
    MainPlayerSkin->SetStereoMode(stereo ? skin::TStereoMode(skin::smStereo)
                                         : skin::TStereoMode(skin::smMono));
}

// ---- The refresh tick ----

void TPlayerForm::TimerRinfrescoTimer()
{
    skin::TWinampSkin& s = *MainPlayerSkin;
    // Stopped or paused, the tick only holds the display still: once it shows
    // that state the tick sleeps until something plays or the user acts.
    switch (m_state.PlayStatus) {
    case 0:
    case 2:
        if (s.PositionBar() == 0 && s.Progress().isEmpty() && s.LeftMeter() == 0 && s.RightMeter() == 0 &&
            s.Status() == skin::ssStop)
            TimerRinfresco.stop();
        s.SetPositionBar(0);
        s.SetProgress(QString());
        s.SetLeftMeter(0);
        s.SetRightMeter(0);
        s.SetStatus(skin::ssStop);
        return;
    case 3:
        if (s.LeftMeter() == 0 && s.RightMeter() == 0 && s.Status() == skin::ssPause)
            TimerRinfresco.stop();
        s.SetLeftMeter(0);
        s.SetRightMeter(0);
        s.SetStatus(skin::ssPause);
        return;
    default:
        s.SetStatus(skin::ssPlay);
        ScheduleNextTick(RefreshPlayingDisplay());
        break;
    }
}

// The playing state's part of the tick; returns the milliseconds until the
// display next changes, −1 when the next tick should come at the interval.
std::int64_t TPlayerForm::RefreshPlayingDisplay()
{
    skin::TWinampSkin& s = *MainPlayerSkin;
    const std::uint32_t position = m_audio.ChannelGetPosition(m_state.CurrentStream);
    const std::uint32_t length = m_audio.StreamGetLength(m_state.CurrentStream);
    const TrackTime t = ComputeTrackTime(position, length, m_state.TrackSeconds);
    if (!t.known)
        return -1;
    if (t.remaining <= m_settings.Position(QStringLiteral("NextStartTrack"))) {
        m_state.PlayStatus = 2;
        if (s.RepeatOn)
            MainPlayerSkinForwardClick();
        return -1;
    }
    s.SetPositionBar(t.positionBar);
    s.SetProgress(
        TimeDisplayText(m_settings.Checked(QStringLiteral("CountDownCheck")) ? t.remaining : t.elapsed));
    if (m_settings.Checked(QStringLiteral("VUMeterCheck"))) {
        const std::uint32_t level = m_audio.ChannelGetLevel(m_state.CurrentStream);
        s.SetLeftMeter(std::min<int>(int(level & 0xFFFF) / 2, 49));
        s.SetRightMeter(std::min<int>(int(level >> 16) / 2, 49));
        return -1; // the meters move all the time
    }
    int frequency = 0;
    int volume = 0;
    int pan = 0;
    m_audio.ChannelGetAttributes(m_state.CurrentStream, &frequency, &volume, &pan);
    return MsUntilDisplayChange(position, length, m_state.TrackSeconds,
                                std::uint32_t(std::max(frequency, 0)) * 4);
}

// Between two changes of the time or the position bar a tick would show
// nothing new, so the next one comes when the next change is due: the
// display changes when it would with a tick every interval, and a playing
// window does not wake a hundred times a second to show the same second.
void TPlayerForm::ScheduleNextTick(std::int64_t msUntilChange)
{
    constexpr std::int64_t kLongestWait = 1000; // what no one foresaw shows within a second
    const int interval =
        msUntilChange < 0
            ? m_tickInterval
            : int(std::clamp<std::int64_t>(msUntilChange + 1, m_tickInterval,
                                           std::max<std::int64_t>(m_tickInterval, kLongestWait)));
    if (TimerRinfresco.interval() != interval)
        TimerRinfresco.setInterval(interval);
}

void TPlayerForm::WakeRefreshTick()
{
    if (!m_closed)
        TimerRinfresco.start(m_tickInterval);
}

void TPlayerForm::TimerPosizioneFormTimer()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(0, 0);
    const SnapRule rule{m_settings.Checked(QStringLiteral("ScreenHookCheck")),
                        m_settings.Position(QStringLiteral("SensHookVal"))};
    move(
        SnapWindowToScreen(QCursor::pos(), QPoint(m_state.DragDX, m_state.DragDY), size(), screenSize, rule));
}

// ---- Skin events ----

void TPlayerForm::MainPlayerSkinPlayClick()
{
    // At start the playlist is back but no stream is open: play opens the
    // entry at CurrentIndex first, so the button plays what the list shows.
    if (m_state.CurrentStream == 0 && m_state.Playlist.Count() > 0) {
        m_state.CurrentIndex = std::clamp(m_state.CurrentIndex, 0, m_state.Playlist.Count() - 1);
        m_state.CurrentFileName = m_state.Playlist.Items(m_state.CurrentIndex).GetFileName();
        Engine.OpenStreamFile(m_state.CurrentFileName);
    }
    Engine.PlayCurrentStream();
}

void TPlayerForm::MainPlayerSkinPauseClick()
{
    m_audio.ChannelPause(m_state.CurrentStream);
    m_state.PlayStatus = 3;
    WakeRefreshTick();
}

void TPlayerForm::MainPlayerSkinStopClick()
{
    m_audio.ChannelSetPosition(m_state.CurrentStream, 0);
    m_audio.ChannelPause(m_state.CurrentStream);
    m_state.PlayStatus = 2;
    WakeRefreshTick();
}

void TPlayerForm::MainPlayerSkinVolumeChange(int volume)
{
    m_audio.SetGlobalVolumes(0, 0, volume);
    m_audio.SetVolume(volume);
}

void TPlayerForm::MainPlayerSkinBalanceChange(int balance)
{
    int frequency = 0;
    int volume = 0;
    int pan = 0;
    m_audio.ChannelGetAttributes(m_state.CurrentStream, &frequency, &volume, &pan);
    m_audio.ChannelSetAttributes(m_state.CurrentStream, frequency, volume, 100 - 2 * balance);
}

void TPlayerForm::MainPlayerSkinEqualizerClick()
{
    QMessageBox::information(this, windowTitle(),
                             QStringLiteral("equalizzatore al momento non funzionante!"));
}

void TPlayerForm::MainPlayerSkinCloseClick()
{
    close();
}

void TPlayerForm::MainPlayerSkinSticky(bool shaded)
{
    if (!m_state.PlayerCreated)
        return;
    setFixedSize(275, shaded ? 14 : 116);
    MainPlayerSkin->setGeometry(0, 0, 275, shaded ? 14 : 116);
    MoveFormImage->resize(shaded ? 145 : 225, 17);
}

void TPlayerForm::MainPlayerSkinMenuClick()
{
    PlayerMenu->popup(pos() + QPoint(10, 10));
}

void TPlayerForm::DisplayImageClick()
{
    const QString countDown = QStringLiteral("CountDownCheck");
    m_settings.SetChecked(countDown, !m_settings.Checked(countDown));
}

// The menu items whose commands exist so far, in their places; the others
// come with their windows.
void TPlayerForm::BuildPlayerMenu()
{
    const auto item = [this](QMenu* menu, const char* name, const QString& caption, const char* key,
                             std::function<void()> command) {
        QAction* action = menu->addAction(*key ? caption + u'\t' + QString::fromLatin1(key) : caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, std::move(command));
        return action;
    };
    const auto submenu = [this](const char* name, const QString& caption) {
        QMenu* menu = PlayerMenu->addMenu(caption);
        menu->menuAction()->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    QMenu* file = submenu("File1", QStringLiteral("File"));
    item(file, "ApriFile1", QStringLiteral("Apri File ..."), "A", [this] { MainPlayerSkinEjectClick(); });
    QMenu* play = submenu("Play1", QStringLiteral("Playback"));
    item(play, "Play2", QStringLiteral("Play"), "X", [this] { MainPlayerSkinPlayClick(); });
    item(play, "Puuse1", QStringLiteral("Pause"), "C", [this] { MainPlayerSkinPauseClick(); });
    item(play, "Stop1", QStringLiteral("Stop"), "V", [this] { MainPlayerSkinStopClick(); });
    play->addSeparator();
    item(play, "Precedente1", QStringLiteral("Precedente <<"), "Z", [this] { MainPlayerSkinBackClick(); });
    item(play, "Prossima1", QStringLiteral("Prossima  >>"), "B", [this] { MainPlayerSkinForwardClick(); });
    play->addSeparator();
    item(play, "Vaiallacanzone1", QStringLiteral("Indietro di 5 secondi"), "",
         [this] { Indietrodi5sec1Click(); });
    item(play, "Vaiallaposizione1", QStringLiteral("Avanti di 5 secondi"), "",
         [this] { Avantidi5sec1Click(); });
    QMenu* bookmarks = submenu("SegnalibriMenu", QStringLiteral("Segnalibri"));
    item(bookmarks, "AggiungiCorrente1", QStringLiteral("Aggiungi Corrente"), "", [this] {
        if (m_state.CurrentFileName.isEmpty())
            return;
        const QString list = QStringLiteral("BookmarksListBox");
        m_settings.SetLines(list, m_settings.Lines(list) << m_state.CurrentFileName);
    });
    PlayerMenu->addSeparator();
    QMenu* options = submenu("MenuOpzioni", QStringLiteral("Opzioni ..."));
    item(options, "Shuffle1", QStringLiteral("Shuffle"), "S", [this] { Shuffle1Click(); });
    item(options, "Repeat1", QStringLiteral("Repeat"), "R", [this] { Repeat1Click(); });
    options->addSeparator();
    QAction* onTop = item(options, "Sempreinprimopiano1", QStringLiteral("Sempre in primo piano"), "T",
                          [this] { Sempreinprimopiano1Click(); });
    onTop->setCheckable(true);
    item(options, "Contoallarovescia1", QStringLiteral("Conto alla rovescia/normale"), "I",
         [this] { DisplayImageClick(); });
    PlayerMenu->addSeparator();
    item(PlayerMenu, "Equalizatore1", QStringLiteral("Equalizatore"), "E",
         [this] { MainPlayerSkinEqualizerClick(); });
    PlayerMenu->addSeparator();
    item(PlayerMenu, "MenuEsci", QStringLiteral("Esci"), "", [this] { close(); });

    CanzoniMenu = new QMenu(this);
    CanzoniMenu->setObjectName(QStringLiteral("CanzoniMenu"));
    item(CanzoniMenu, "Indietrodi5sec1", QStringLiteral("Indietro di 5 sec"), "",
         [this] { Indietrodi5sec1Click(); });
    item(CanzoniMenu, "Avantidi5sec1", QStringLiteral("Avanti di 5 sec"), "",
         [this] { Avantidi5sec1Click(); });
}

// ---- Closing ----

void TPlayerForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TPlayerForm::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    SaveBookmarks(m_state.AppDir + kBookmarks, m_settings.Lines(QStringLiteral("BookmarksListBox")));
    m_settings.SetChecked(QStringLiteral("VUMeterCheck"), true);
    m_state.Playlist.SaveM3U(m_state.AppDir + kDefaultPlaylist, false, false, false, true);
    if (m_state.PlayStatus == 1)
        MainPlayerSkinStopClick();
    TimerRinfresco.stop();
}

} // namespace velmoro::player
