#include "player/playerform.h"

#include "app/shared.h"
#include "platform/logging.h"
#include "platform/scancodes.h"
#include "platform/wholefile.h"
#include "player/bookmarks.h"
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
      Navigation(state.Playback, state.Tracks, settings, audio, Engine, SkinView),
      Commands(state.Playback, settings, audio, Engine, Navigation, SkinView, *this),
      Tick(state.Playback, settings, audio, Engine, SkinView, SkinView, *this),
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
    VisOutFrame = new HitArea(QStringLiteral("VisOutFrame"), QRect(20, 41, 80, 19), this);
    PopupImage = new HitArea(QStringLiteral("PopupImage"), QRect(240, 80, 33, 33), this);
    const PlayerMenus menus = BuildPlayerMenus(this, Commands, SkinView);
    PlayerMenu = menus.PlayerMenu;
    CanzoniMenu = menus.CanzoniMenu;
    if (const auto mode = VisModeOfRadio(m_settings.CheckedInGroup(QStringLiteral("Visualizzazione"))))
        MarkVisMode(*mode);
    PlaylistForm = std::make_unique<playlist::TPlaylistForm>(m_state.Tracks, m_settings, m_state.Dirs.AppDir,
                                                             m_state.Dirs.SkinsDir, *this);
    m_state.Windows.PlaylistCreated = true;

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
    connect(VisOutFrame, &HitArea::Click, this, &TPlayerForm::VisOutFrameClick);
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
        if (MainPlayerSkin->LoadSkin(m_state.Dirs.SkinDir) != 0)
            MainPlayerSkin->LoadDefaultSkin();
        setFixedSize(skin::kSkinWidth, skin::kSkinHeight);
        MainPlayerSkin->setGeometry(0, 0, skin::kSkinWidth, skin::kSkinHeight);
    };
    StartupPhases.FirstPhase(executableDir, userDataDir);
    qApp->installEventFilter(this);
    TimerRinfresco.start();
}

// After the audio output is open and the device list filled.
void TPlayerForm::TimerInizializTimer()
{
    LoadPlaylistSkin();
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
    PlaylistForm->RefreshPlaylistList();
    // The playlist window below the player, as wide as it.
    PlaylistForm->setGeometry(x(), y() + height(), width(), PlaylistForm->height());
    OpenCommandLine(m_commandLine);
    PlaylistForm->RefreshPlaylistList();
    if (firstRun && m_state.Playback.CurrentStream == 0)
        PlayDemoPlaylist();
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
    const QPoint cursor = QCursor::pos();
    move(skin::SnapWindowToScreen(cursor, QPoint(m_state.Drag.DragDX, m_state.Drag.DragDY), size(),
                                  skin::ScreenAreaAt(cursor), rule));
    if (m_settings.Checked(QStringLiteral("AllMoveCheck")))
        PlaylistForm->move(skin::CarriedPosition(pos(), {m_state.Drag.PlaylistDX, m_state.Drag.PlaylistDY}));
}

void TPlayerForm::LoadPlaylistSkin()
{
    // A folder or an archive; without either, the built-in skin.
    const std::unique_ptr<skin::SkinSource> source = skin::OpenSkinSource(m_state.Dirs.SkinDir);
    PlaylistForm->CaricaSkinPlaylistClick(source ? *source : skin::BuiltInSkin());
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

void TPlayerForm::MainPlayerSkinEqualizerClick()
{
    QMessageBox::information(this, windowTitle(),
                             QStringLiteral("equalizzatore al momento non funzionante!"));
}

void TPlayerForm::MainPlayerSkinSticky(bool shaded)
{
    if (!m_state.Windows.PlayerCreated)
        return;
    const int height = shaded ? skin::kShadeHeight : skin::kSkinHeight;
    setFixedSize(skin::kSkinWidth, height);
    MainPlayerSkin->setGeometry(0, 0, skin::kSkinWidth, height);
    MoveFormImage->resize(shaded ? 145 : 225, 17);
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
        if (!key->isAutoRepeat() || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
            PlayerCommand(platform::ScanCodeOf(key->nativeScanCode(), key->key()));
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
    else if (!m_ownsDefaultPlaylist)
        qCInfo(lcPlayer) << "kept" << playlist << "as it is: another player owns it";
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
}

} // namespace velmoro::player
