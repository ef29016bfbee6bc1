#include "player/playerform.h"

#include "app/shared.h"
#include "platform/logging.h"
#include "platform/scancodes.h"
#include "platform/threadpriority.h"
#include "platform/wholefile.h"
#include "player/bookmarks.h"
#include "player/clutterbaractions.h"
#include "skin/docking.h"
#include "skin/skinsource.h"
#include "skin/skingeometry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
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
    : QWidget(parent, Qt::FramelessWindowHint), m_state(state), m_settings(settings), m_audio(audio),
      MainPlayerSkin(new skin::TWinampSkin(this)), SkinView(*MainPlayerSkin),
      Engine(state.Playback, state.Tracks, state.Dirs, settings, audio, SkinView, *this),
      Equalizer(state.Eq, state.Playback, settings, audio),
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
    SkinBrowserForm = std::make_unique<options::TSkinBrowserForm>(m_state, m_settings, *this);
    OpzioniForm = std::make_unique<options::TOpzioniForm>(m_state, m_settings, m_audio, Engine, *this,
                                                          *SkinBrowserForm, m_showError);
    PlaylistForm = std::make_unique<playlist::TPlaylistForm>(m_state.Tracks, m_settings, m_state.Dirs.AppDir,
                                                             m_state.Dirs.SkinsDir, *this);
    m_state.Windows.PlaylistCreated = true;
    FormEqualizzatore = std::make_unique<equalizer::TFormEqualizzatore>(m_state, m_settings, Equalizer);
    connect(&Engine, &app::PlaybackEngine::StreamOpened, &Equalizer, &app::EqualizerEngine::StreamOpened);
    connect(&Engine, &app::PlaybackEngine::StreamOpened, FormEqualizzatore.get(),
            &equalizer::TFormEqualizzatore::StreamOpened);

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
        m_state.Drag.EqDX = x() - FormEqualizzatore->x();
        m_state.Drag.EqDY = y() - FormEqualizzatore->y();
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

void TPlayerForm::WatchPlaylistWork()
{
    m_loadPump = std::make_shared<LoadPump>(
        [] { QCoreApplication::processEvents(); },
        [this](const QString& fileName, int percent) { ShowLoadProgress(fileName, percent); });
    playlist::TMPEGAudioList& list = m_state.Tracks.Playlist;
    list.OnBusyChanged = [this](bool busy) {
        m_loadPump->BusyChanged(busy);
        if (!busy && m_closePending)
            QTimer::singleShot(0, this, [this] { close(); });
    };
    list.OnProgress = [this](playlist::TMPEGAudio&, const QString& source, int number, int total) {
        m_loadPump->Entry(source, number, total);
        return !m_closePending;
    };
    // Entries keep a copy for their own frame searches, and may outlive the
    // window.
    list.OnProcessMessages = [pump = std::weak_ptr<LoadPump>(m_loadPump)] {
        if (const auto alive = pump.lock())
            alive->Pump();
    };
}

// In the playlist window's status while it shows, else in the title.
void TPlayerForm::ShowLoadProgress(const QString& fileName, int percent)
{
    if (percent < 0) {
        PlaylistForm->ShowProgress(QString());
        if (!m_titleBeforeLoad.isEmpty())
            setWindowTitle(m_titleBeforeLoad);
        m_titleBeforeLoad.clear();
        return;
    }
    if (PlaylistForm->isVisible()) {
        PlaylistForm->ShowProgress(QStringLiteral("Caricamento %1%").arg(percent));
        return;
    }
    if (m_titleBeforeLoad.isEmpty())
        m_titleBeforeLoad = windowTitle();
    setWindowTitle(
        QStringLiteral("Caricamento di %1: %2% - %3").arg(fileName).arg(percent).arg(m_titleBeforeLoad));
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
        SkinBrowserForm->FillList();
        OpzioniForm->FormCreate();
        OpzioniForm->ChooseLanguage(m_keptPlaces.language);
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
    PlacePlaylistWindow();
    FormEqualizzatore->move(PlaylistForm->x(), PlaylistForm->y() + PlaylistForm->height());
    OpenCommandLine(m_commandLine);
    PlaylistForm->RefreshPlaylistList();
    if (firstRun && m_state.Playback.CurrentStream == 0)
        PlayDemoPlaylist();
    qCInfo(lcPlayer) << "started: device, bookmarks and playlist read";
}

namespace {

QList<QRect> ScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return areas;
}

} // namespace

void TPlayerForm::RestoreKeptSettings()
{
    m_keptPlaces = m_kept.Restore(m_settings, m_state.Dirs);
    if (m_keptPlaces.player) {
        const QSize size(skin::kSkinWidth, skin::kSkinHeight);
        if (const auto at = PlaceOnScreens(*m_keptPlaces.player, size, ScreenAreas()))
            move(*at);
    }
}

// Where the last run left it, else below the player and as wide as it.
void TPlayerForm::PlacePlaylistWindow()
{
    const std::optional<QRect> kept = m_keptPlaces.playlist;
    const std::optional<QPoint> at =
        kept ? PlaceOnScreens(kept->topLeft(), kept->size(), ScreenAreas()) : std::nullopt;
    if (at)
        PlaylistForm->setGeometry(QRect(*at, kept->size()));
    else
        PlaylistForm->setGeometry(x(), y() + height(), width(), PlaylistForm->height());
    m_playlistPlaced = true;
    if (m_keptPlaces.playlistShown)
        ShowPlaylistWindow();
}

void TPlayerForm::SaveKeptSettings()
{
    // Closed before the playlist window was placed: it stays where it was.
    const QString language = OpzioniForm->LanguageInForce().Name();
    const WindowPlaces places =
        m_playlistPlaced ? WindowPlaces{pos(), PlaylistForm->geometry(), PlaylistForm->isVisible(), language}
                         : WindowPlaces{pos(), m_keptPlaces.playlist, m_keptPlaces.playlistShown, language};
    if (const int error = m_kept.Save(m_settings, m_state.Dirs, places))
        SaveFailed(QStringLiteral("le impostazioni ") + QFileInfo(m_kept.Path()).fileName(),
                   qt_error_string(error));
}

namespace {

struct VisPluginFeed final : app::VisPluginSink {
    explicit VisPluginFeed(plugins::VisPlugins& vis) : vis(vis) {}
    void Render(audio::Handle stream, const void* samples, std::uint32_t bytes) override
    {
        vis.Render(stream, samples, bytes);
    }
    plugins::VisPlugins& vis;
};

} // namespace

void TPlayerForm::LoadPlugins()
{
    Plugins = std::make_unique<plugins::PluginHost>(m_state.Dirs.SearchDirs(QStringLiteral("Plugins")),
                                                    [this] { Commands.Pause(); });
    m_pluginFeed = std::make_unique<VisPluginFeed>(Plugins->Vis);
    Engine.SetVisPluginSink(m_pluginFeed.get());
    if (!m_settings.Checked(QStringLiteral("CaricaVisCheck")))
        return;
    m_settings.SetLines(QStringLiteral("ListaVisPluginCombo"), Plugins->Vis.LoadAll(Plugins->VisFiles()));
    m_settings.SetItemIndex(QStringLiteral("ListaVisPluginCombo"), 0);
    QMenu* tools = PlayerMenu->findChild<QAction*>(QStringLiteral("Attrezzi1"))->menu();
    m_settings.SetLines(QStringLiteral("menuPluginCombo"), Plugins->LoadMenuPlugins(tools));
    m_settings.SetItemIndex(QStringLiteral("menuPluginCombo"), 0);
}

void TPlayerForm::CallVisPluginStart()
{
    if (Plugins)
        Plugins->Vis.Start();
}

void TPlayerForm::CallVisPluginStop()
{
    if (Plugins)
        Plugins->Vis.Stop();
}

void TPlayerForm::ApplyGuiPriority()
{
    const int niceness =
        platform::GuiNicenessOfPosition(m_settings.Position(QStringLiteral("PrioritaGUITrack")));
    // A higher priority needs privileges most users do not have; the thread
    // then keeps the one it has, as the user would expect of a preference.
    if (!platform::SetCallingThreadNiceness(niceness))
        qCDebug(lcPlayer) << "the user-interface thread keeps niceness" << platform::CallingThreadNiceness()
                          << "instead of" << niceness;
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
    const QPoint cursor = QCursor::pos();
    move(skin::SnapWindowToScreen(cursor, QPoint(m_state.Drag.DragDX, m_state.Drag.DragDY), size(),
                                  skin::ScreenAreaAt(cursor), rule));
    if (m_settings.Checked(QStringLiteral("AllMoveCheck"))) {
        PlaylistForm->move(skin::CarriedPosition(pos(), {m_state.Drag.PlaylistDX, m_state.Drag.PlaylistDY}));
        FormEqualizzatore->move(skin::CarriedPosition(pos(), {m_state.Drag.EqDX, m_state.Drag.EqDY}));
    }
}

void TPlayerForm::LoadPlaylistSkin()
{
    // A folder or an archive; without either, the built-in skin.
    const std::unique_ptr<skin::SkinSource> source = skin::OpenSkinSource(m_state.Dirs.SkinDir);
    PlaylistForm->CaricaSkinPlaylistClick(source ? *source : skin::BuiltInSkin());
}

void TPlayerForm::LoadVisBackground()
{
    Vis->LoadVisBackground(MainPlayerSkin->Skin(), QFileInfo::exists(m_state.Dirs.SkinDir));
}

// A skin that cannot be loaded leaves the built-in one on the window until
// the caller's fallback loads.
int TPlayerForm::LoadPlayerSkin(const QString& skinPath)
{
    const int result = MainPlayerSkin->LoadSkin(skinPath);
    if (result != 0)
        MainPlayerSkin->LoadDefaultSkin();
    return result;
}

void TPlayerForm::ReloadOtherSkins()
{
    LoadPlaylistSkin();
    LoadEqualizerSkin();
}

void TPlayerForm::ShowOptionsWindow(OptionsPageRequest page)
{
    switch (page) {
    case OptionsPageRequest::AsLeft:
        OpzioniForm->ShowOptions();
        break;
    case OptionsPageRequest::Visualization:
        OpzioniForm->ShowPage(options::OptionsPage::Visualizazione);
        break;
    case OptionsPageRequest::Bookmarks:
        OpzioniForm->ShowPage(options::OptionsPage::Net);
        break;
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

void TPlayerForm::ShowUrlDialog()
{
    UrlDialog().exec();
}

dialogs::TFormURL& TPlayerForm::UrlDialog()
{
    if (!FormURL) {
        FormURL = std::make_unique<dialogs::TFormURL>(
            m_state.Windows, m_settings, [this](const QString& address) { Engine.OpenStream(address); });
        WindowMade(*FormURL);
    }
    return *FormURL;
}

void TPlayerForm::ShowDeviceInformation()
{
    DeviceInformationDialog().FillDeviceInformation();
    BassInfoForm->exec();
}

dialogs::TBassInfoForm& TPlayerForm::DeviceInformationDialog()
{
    if (!BassInfoForm) {
        BassInfoForm = std::make_unique<dialogs::TBassInfoForm>(m_state.Windows, m_audio);
        WindowMade(*BassInfoForm);
    }
    return *BassInfoForm;
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

void TPlayerForm::CloseFor(CloseCause cause)
{
    m_closeCause = cause;
    close();
}

void TPlayerForm::closeEvent(QCloseEvent* event)
{
    // A close among a load's pending events: the load stops at its next
    // entry, and the close comes back once the list is idle.
    if (m_state.Tracks.Playlist.Busy()) {
        m_closePending = true;
        event->ignore();
        return;
    }
    FormClose();
    if (!m_saveFailures.isEmpty() && m_closeCause == CloseCause::User && m_showError)
        m_showError(QStringLiteral("Salvataggio non riuscito!"), m_saveFailures.join(u'\n'));
    event->accept();
}

void TPlayerForm::SaveFailed(const QString& what, const QString& reason)
{
    m_saveFailures << QStringLiteral("Impossibile salvare %1: %2").arg(what, reason);
    // Critical, so that it reaches standard error without any logging rule:
    // after a termination signal nobody may see the error window.
    qCCritical(lcPlayer).noquote() << "not saved:" << what << "-" << reason;
}

void TPlayerForm::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    // As the user left them, before the close selects the level meters.
    SaveKeptSettings();
    const BookmarkFile::SaveResult marks =
        m_bookmarkFile.Save(m_settings.Lines(QStringLiteral("BookmarksListBox")));
    if (marks.outcome == BookmarkFile::SaveOutcome::Failed)
        SaveFailed(QStringLiteral("i segnalibri ") + kBookmarks, qt_error_string(marks.error));
    else if (marks.outcome == BookmarkFile::SaveOutcome::ChangesDropped)
        SaveFailed(QStringLiteral("i segnalibri ") + kBookmarks,
                   QStringLiteral("il file non si è potuto leggere per intero all'avvio e resta com'è"));
    m_settings.SetChecked(QStringLiteral("VUMeterCheck"), true);
    const QString playlist = m_state.Dirs.AppDir + kDefaultPlaylist;
    if (m_keepDefaultPlaylist)
        qCInfo(lcPlayer) << "kept" << playlist << "as it is: the close stopped its load";
    else if (m_state.Tracks.Playlist.SaveM3U(playlist, {.relativeNames = true}) != 0) {
        // The list's result code has no room for the system's reason.
        const platform::WriteFailure failure = platform::LastWriteFailure();
        const bool ours =
            QFileInfo(failure.path).absoluteFilePath() == QFileInfo(playlist).absoluteFilePath();
        SaveFailed(QStringLiteral("la playlist ") + kDefaultPlaylist,
                   ours ? qt_error_string(failure.error) : QStringLiteral("motivo sconosciuto"));
    }
    if (m_state.Playback.PlayStatus == app::PlayStatusValue::Playing)
        MainPlayerSkinStopClick();
    TimerRinfresco.stop();
    PlaylistForm->close();
    if (Plugins)
        Plugins->UnloadMenuPlugins();
    OpzioniForm->close();
    SkinBrowserForm->close();
}

} // namespace velmoro::player
