#include "player/playerform.h"

#include "app/shared.h"
#include "platform/logging.h"
#include "platform/scancodes.h"
#include "platform/threadpriority.h"
#include "platform/wholefile.h"
#include "player/bookmarks.h"
#include "player/clutterbaractions.h"
#include "player/playerfiles.h"
#include "skin/docking.h"
#include "skin/skinsource.h"
#include "skin/skingeometry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

namespace velmoro::player {

TPlayerForm::TPlayerForm(app::PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                         app::ShowErrorFunction showError, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_state(state), m_settings(settings), m_audio(audio),
      MainPlayerSkin(new skin::TWinampSkin(this)), SkinView(*MainPlayerSkin),
      Engine(state.Playback, state.Tracks, state.Dirs, settings, audio, SkinView, *this),
      Equalizer(state.Eq, state.Playback, settings, audio),
      SettingsEffects(settings, audio, Engine, state.Playback, *this), Languages(settings, state.Dirs, *this),
      Navigation(state.Playback, state.Tracks, settings, audio, Engine, SkinView),
      Commands(state.Playback, settings, audio, Engine, Navigation, SkinView, *this),
      Tick(state.Playback, settings, audio, Engine, SkinView, SkinView, *this),
      Dialogs(this, state, settings, audio, showError,
              {[this] { Navigation.OpenAndPlayCurrentEntry(); }, [this] { PlaylistChanged(); },
               [this](QWidget& dialog) { WindowMade(dialog); }}),
      StartupPhases(state, settings, audio, showError), m_showError(std::move(showError))
{
    setObjectName(QStringLiteral("PlayerForm"));
    setWindowTitle(app::ApplicationTitle());
    MainPlayerSkin->setObjectName(QStringLiteral("MainPlayerSkin"));
    MainPlayerSkin->SetTitle(app::VersionBanner());
    MainPlayerSkin->SetStatus(skin::ssStop);
    MainPlayerSkin->SetBitrate(-1);
    MainPlayerSkin->SetFrequency(-1);
    MoveFormImage = new HitArea(QStringLiteral("MoveFormImage"), QRect(16, 0, 225, 17), this);
    PositionChangeImage = new HitArea(QStringLiteral("PositionChangeImage"), QRect(16, 72, 249, 9), this);
    DisplayImage = new HitArea(QStringLiteral("DisplayImage"), QRect(48, 24, 49, 17), this);
    VisOutFrame = new VisOutFrameArea(this);
    PopupImage = new HitArea(QStringLiteral("PopupImage"), QRect(240, 80, 33, 33), this);
    Vis = std::make_unique<VisDisplay>(state.Playback, settings, audio, Engine.Samples(), *VisOutFrame);
    Tick.SetVisTick(Vis.get());
    connect(MainPlayerSkin, &skin::TWinampSkin::OnSkinChanged, this, &TPlayerForm::LoadVisBackground);
    const PlayerMenus menus = BuildPlayerMenus(this, Commands, SkinView);
    PlayerMenu = menus.PlayerMenu;
    CanzoniMenu = menus.CanzoniMenu;
    Frame = new MainWindowFrame(*this, *MainPlayerSkin, m_settings,
                                {MoveFormImage, PositionChangeImage, DisplayImage, VisOutFrame, PopupImage});
    ConnectClutterBar(*MainPlayerSkin, *PlayerMenu, Commands);
    ShadePositionImage = new HitArea(QStringLiteral("ShadePositionImage"), skin::kShadePositionBar, this);
    Frame->AddShadeArea(ShadePositionImage);
    if (const auto mode = VisModeOfRadio(m_settings.CheckedInGroup(QStringLiteral("Visualizzazione"))))
        MarkVisMode(*mode);
    PlaylistForm = std::make_unique<playlist::TPlaylistForm>(m_state.Tracks, m_settings, m_state.Dirs.AppDir,
                                                             m_state.Dirs.SkinsDir, *this);
    m_state.Windows.PlaylistCreated = true;
    connect(&Engine, &app::PlaybackEngine::StreamOpened, &Equalizer, &app::EqualizerEngine::StreamOpened);

    TimerRinfresco.setObjectName(QStringLiteral("TimerRinfresco"));
    m_tickInterval = m_settings.Position(QStringLiteral("RinfrescoTrack"));
    TimerRinfresco.setInterval(m_tickInterval);
    TimerPosizioneForm.setObjectName(QStringLiteral("TimerPosizioneForm"));
    TimerPosizioneForm.setInterval(1);
    connect(&TimerRinfresco, &QTimer::timeout, this, &TPlayerForm::TimerRinfrescoTimer);
    connect(&TimerPosizioneForm, &QTimer::timeout, this, &TPlayerForm::TimerPosizioneFormTimer);
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        if (name == u"PrioritaGUITrack")
            ApplyGuiPriority();
        if (name == u"RinfrescoTrack") {
            m_tickInterval = m_settings.Position(name);
            TimerRinfresco.setInterval(m_tickInterval);
        }
        // The options' mode buttons and the menu's marks show one mode.
        if (const auto mode = VisModeOfRadio(name); mode && m_settings.Checked(name))
            MarkVisMode(*mode);
    });
    // A window closed while the "no sound device" message was up has
    // nothing left to start.
    StartupPhases.OnSecondPhase = [this] {
        if (!m_closed)
            TimerInizializTimer();
    };
    WatchPlaylistWork();
    connect(&Engine, &app::PlaybackEngine::Playing, this, &TPlayerForm::WakeRefreshTick);
    // A new current entry: its row is lit, the status counts from it.
    connect(&Engine, &app::PlaybackEngine::Playing, PlaylistForm.get(),
            &playlist::TPlaylistForm::RepaintView);
    // A radio's row shows what its station plays.
    connect(&Engine, &app::PlaybackEngine::StreamTitleChanged, this,
            [this](const QString& address, const QString& title) {
                m_state.Tracks.StationTitles.insert(address, title);
                PlaylistForm->RepaintView();
            });
    ConnectSkinEvents();
    ConnectHitAreas();
}

void TPlayerForm::ConnectSkinEvents()
{
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
    connect(MainPlayerSkin, &Skin::OnPlaylistClick, this,
            [this](Skin*, bool shown) { MainPlayerSkinPlaylistClick(shown); });
    connect(MainPlayerSkin, &Skin::OnCloseClick, this, &TPlayerForm::MainPlayerSkinCloseClick);
    connect(MainPlayerSkin, &Skin::OnSticky, this,
            [this](Skin*, bool shaded) { MainPlayerSkinSticky(shaded); });
    connect(MainPlayerSkin, &Skin::OnMenuClick, this, &TPlayerForm::MainPlayerSkinMenuClick);
}

void TPlayerForm::ConnectHitAreas()
{
    // The grab offsets are taken when the drag starts: asking the display
    // server for the cursor on every tick would cost a round trip each time.
    connect(MoveFormImage, &HitArea::MouseDown, this, [this](Qt::MouseButton b, QPoint at) {
        if (b == Qt::RightButton)
            return;
        const QPoint cursor = MoveFormImage->mapToGlobal(at);
        m_state.Drag.DragDX = x() - cursor.x();
        m_state.Drag.DragDY = y() - cursor.y();
        m_state.Drag.PlaylistDX = x() - PlaylistForm->x();
        m_state.Drag.PlaylistDY = y() - PlaylistForm->y();
        const QPoint equalizer = EqualizerPlace();
        m_state.Drag.EqDX = x() - equalizer.x();
        m_state.Drag.EqDY = y() - equalizer.y();
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
    connect(ShadePositionImage, &HitArea::MouseUp, this, [this](Qt::MouseButton b, QPoint at) {
        if (b == Qt::LeftButton) // a release beyond the bar seeks to its end
            Navigation.SeekTo(std::clamp(at.x(), 0, ShadePositionImage->width()),
                              ShadePositionImage->width());
    });
    connect(DisplayImage, &HitArea::Click, this, &TPlayerForm::DisplayImageClick);
    // The logo area.
    connect(PopupImage, &HitArea::Click, this, [this] { Commands.ShowAbout(); });
    connect(PopupImage, &HitArea::DblClick, this, [this] { Commands.ShowAbout(); });
    connect(VisOutFrame, &HitArea::Click, this, &TPlayerForm::VisOutFrameClick);
    for (HitArea* area : {DisplayImage, static_cast<HitArea*>(VisOutFrame), PopupImage}) {
        connect(area, &HitArea::MouseUp, this, [this, area](Qt::MouseButton b, QPoint at) {
            if (b == Qt::RightButton)
                PlayerMenu->popup(area->mapToGlobal(at));
        });
    }
}

TPlayerForm::~TPlayerForm()
{
    // The destroy handler: the audio library is closed, so no block reaches
    // the plug-ins any more.
    m_audio.Free();
    Engine.SetVisPluginSink(nullptr);
    // The list outlives the window.
    playlist::TMPEGAudioList& list = m_state.Tracks.Playlist;
    list.OnBusyChanged = nullptr;
    list.OnProgress = nullptr;
    list.OnProcessMessages = nullptr;
}

void TPlayerForm::FormCreate(const QString& executableDir, const QString& userDataDir,
                             const QString& commandLine)
{
    m_commandLine = commandLine;
    m_state.Tracks.Playlist.OnEntryCapReached = [this](const QString& listName, qint64 entriesRead) {
        if (m_showError)
            m_showError(QStringLiteral("Playlist troppo lunga"),
                        QStringLiteral("La playlist %1 ha più di %2 voci: sono state caricate le prime %2, "
                                       "le altre sono state saltate.")
                            .arg(listName)
                            .arg(entriesRead));
    };
    StartupPhases.OnFirstPhase = [this] {
        RestoreKeptSettings();
        if (MainPlayerSkin->LoadSkin(m_state.Dirs.SkinDir) != 0)
            MainPlayerSkin->LoadDefaultSkin();
        LoadVisBackground();
        Frame->Apply();
        m_settings.SetLines(QStringLiteral("SkinsList"), options::ListSkins(m_state.Dirs.SkinsDir));
        Languages.ListFiles();
        Languages.Choose(m_keptPlaces.language);
    };
    StartupPhases.FirstPhase(executableDir, userDataDir);
    qApp->installEventFilter(this);
    TimerRinfresco.start();
}

// After the audio output is open and the device list filled.
void TPlayerForm::TimerInizializTimer()
{
    // Once the sound's own threads run: a thread started later from this
    // one would begin at its priority.
    ApplyGuiPriority();
    LoadPlaylistSkin();
    LoadEqualizerSkin();
    const QString bookmarks = m_state.Dirs.AppDir + kBookmarks;
    const bool bookmarksExist = QFileInfo::exists(bookmarks);
    const QStringList loaded = m_bookmarkFile.Load(bookmarks);
    if (bookmarksExist)
        m_settings.SetLines(QStringLiteral("BookmarksListBox"), loaded);
    const QString playlist = m_state.Dirs.AppDir + kDefaultPlaylist;
    const bool firstRun = !QFileInfo::exists(playlist);
    if (firstRun)
        LoadDemoPlaylist();
    else
        m_state.Tracks.Playlist.LoadM3U(playlist);
    // Closed during the load: the list holds only part of the file, which
    // must stay as it is.
    if (m_closePending) {
        m_keepDefaultPlaylist = true;
        return;
    }
    LoadPlugins();
    PlaylistForm->RefreshPlaylistList();
    PlaceOtherWindows();
    OpenCommandLine(m_commandLine);
    PlaylistForm->RefreshPlaylistList();
    if (firstRun && m_state.Playback.CurrentStream == 0)
        PlayDemoPlaylist();
    qCInfo(lcPlayer) << "started: device, bookmarks and playlist read";
    if (OnStarted)
        OnStarted();
}

void TPlayerForm::LoadDemoPlaylist()
{
    const QString demo = m_state.Dirs.InstallDir + kDemoPlaylist;
    if (QFileInfo::exists(demo))
        m_state.Tracks.Playlist.LoadM3U(demo);
}

// The demo plays at once, with repeat on, so its first change of track is
// heard as a crossfade.
void TPlayerForm::PlayDemoPlaylist()
{
    if (m_state.Tracks.Playlist.Count() == 0)
        return;
    if (!SkinView.RepeatOn())
        Repeat1Click();
    m_state.Tracks.CurrentIndex = 0;
    Navigation.OpenAndPlayCurrentEntry();
}

void TPlayerForm::TimerRinfrescoTimer()
{
    const NextTick next = Tick.Run(m_tickInterval);
    if (next.sleep)
        TimerRinfresco.stop();
    else if (next.intervalMs > 0 && TimerRinfresco.interval() != next.intervalMs)
        TimerRinfresco.setInterval(next.intervalMs);
}

void TPlayerForm::WakeRefreshTick()
{
    if (!m_closed)
        TimerRinfresco.start(m_tickInterval);
}

void TPlayerForm::TimerPosizioneFormTimer()
{
    const skin::SnapRule rule{m_settings.Checked(QStringLiteral("ScreenHookCheck")),
                              m_settings.Position(QStringLiteral("SensHookVal"))};
    move(skin::DraggedWindowPosition(QPoint(m_state.Drag.DragDX, m_state.Drag.DragDY), size(), rule));
    if (m_settings.Checked(QStringLiteral("AllMoveCheck"))) {
        PlaylistForm->move(skin::CarriedPosition(pos(), {m_state.Drag.PlaylistDX, m_state.Drag.PlaylistDY}));
        MoveEqualizer(skin::CarriedPosition(pos(), {m_state.Drag.EqDX, m_state.Drag.EqDY}));
    }
}

void TPlayerForm::MainPlayerSkinPlaylistClick(bool shown)
{
    LoadPlaylistSkin();
    PlaylistForm->setVisible(shown);
}

void TPlayerForm::ShowPlaylistWindow()
{
    LoadPlaylistSkin();
    PlaylistForm->show();
    MainPlayerSkin->SetChecked(MainPlayerSkin->Checked() | skin::ckPlaylist);
}

void TPlayerForm::MainPlayerSkinSticky(bool shaded)
{
    if (!m_state.Windows.PlayerCreated)
        return;
    Frame->ResizeArea(MoveFormImage, {shaded ? 145 : 225, 17});
    Frame->SetShaded(shaded);
}

void TPlayerForm::MainPlayerSkinMenuClick()
{
    PlayerMenu->popup(pos() + QPoint(10, 10));
}

void TPlayerForm::PositionChangeImageMouseUp(Qt::MouseButton button, int x)
{
    if (button != Qt::RightButton) // the right button is CanzoniMenu's
        Navigation.SeekTo(x, PositionChangeImage->width());
}

void TPlayerForm::Sempreinprimopiano1Click()
{
    const bool onTop = !(windowFlags() & Qt::WindowStaysOnTopHint);
    if (auto* mark = PlayerMenu->findChild<QAction*>(QStringLiteral("Sempreinprimopiano1")))
        mark->setChecked(onTop);
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    Frame->Apply(); // the clutterbar's A button shows the mode
    if (visible)
        show(); // changing the flags hides the window
}

QStringList TPlayerForm::ChooseFilesToOpen()
{
    if (OpenDialog)
        return OpenDialog();
    return QFileDialog::getOpenFileNames(this, QStringLiteral("Apri File"), QString(),
                                         QStringLiteral("File Musicali (mp1 mp2 mp3) (*.mp1 *.mp2 *.mp3 "
                                                        "*.MP1 *.MP2 *.MP3);;Play List (*.pls *.m3u "
                                                        "*.PLS *.M3U)"));
}

bool TPlayerForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        // What the user does may change what the sleeping tick would show.
        WakeRefreshTick();
        break;
    default:
        break;
    }
    // A key press reaches its window first and then the focused widget and
    // its parents; taking it at the window sees it exactly once.
    if (event->type() == QEvent::KeyPress && watched->isWindowType() && m_state.Windows.HotKeysEnabled) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = platform::ScanCodeOf(key->nativeScanCode(), key->key());
        const bool control = key->modifiers().testFlag(Qt::ControlModifier);
        if (control && !key->isAutoRepeat() && RunControlKeyCommand(Commands, code))
            return QWidget::eventFilter(watched, event);
        if (!key->isAutoRepeat() || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
            PlayerCommand(code);
    }
    return QWidget::eventFilter(watched, event);
}

void TPlayerForm::enterEvent(QEnterEvent*)
{
    if (!m_state.Windows.DialogOpen)
        m_state.Windows.HotKeysEnabled = true;
}

} // namespace velmoro::player
