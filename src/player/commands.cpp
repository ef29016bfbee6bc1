#include "player/commands.h"

#include "player/shellcommands.h"
#include "settings/windowscale.h"

#include <QFileInfo>

#include <algorithm>

namespace velmoro::player {

CommandController::CommandController(app::PlaybackState& playback, settings::Settings& settings,
                                     audio::IAudioLibrary& audio, app::PlaybackEngine& engine,
                                     NavigationController& navigation, SkinControls& skin,
                                     PlayerWindow& window)
    : m_playback(playback), m_settings(settings), m_audio(audio), m_engine(engine), m_navigation(navigation),
      m_skin(skin), m_window(window)
{
}

void CommandController::OpenFiles()
{
    const QStringList files = m_window.ChooseFilesToOpen();
    if (files.isEmpty())
        return;
    m_navigation.OpenFiles(files);
    m_window.PlaylistChanged();
}

void CommandController::Play()
{
    m_navigation.OpenCurrentEntryIfNothingIsOpen();
    m_engine.PlayCurrentStream();
}

void CommandController::Pause()
{
    m_audio.ChannelPause(m_playback.CurrentStream);
    m_playback.PlayStatus = app::PlayStatusValue::Paused;
    m_window.WakeRefreshTick();
}

void CommandController::Stop()
{
    m_audio.ChannelSetPosition(m_playback.CurrentStream, 0);
    m_audio.ChannelPause(m_playback.CurrentStream);
    m_playback.PlayStatus = app::PlayStatusValue::Stopped;
    m_window.WakeRefreshTick();
}

void CommandController::AddCurrentBookmark()
{
    if (m_playback.CurrentFileName.isEmpty())
        return;
    const QString list = QStringLiteral("BookmarksListBox");
    m_settings.SetLines(list, m_settings.Lines(list) << m_playback.CurrentFileName);
}

void CommandController::ToggleDoubleSize()
{
    m_settings.SetChecked(settings::kDoubleSizeSetting, !m_settings.Checked(settings::kDoubleSizeSetting));
}

void CommandController::ToggleCountDown()
{
    const QString countDown = QStringLiteral("CountDownCheck");
    m_settings.SetChecked(countDown, !m_settings.Checked(countDown));
}

// The plug-in's radio button is checked by starting the plug-in, not by
// choosing its mark.
void CommandController::SelectVisMode(VisMode mode)
{
    if (mode != VisMode::Plugin)
        m_settings.SetChecked(QString::fromLatin1(app::VisModeRadio(mode)), true);
    m_window.MarkVisMode(mode);
}

void CommandController::StartVisPlugin()
{
    m_window.CallVisPluginStart();
    m_settings.SetChecked(QStringLiteral("UsaPluginCheck"), true);
    m_window.MarkVisMode(VisMode::Plugin);
}

// The mode's radio button stays as it is.
void CommandController::StopVisPlugin()
{
    m_window.CallVisPluginStop();
    m_window.MarkVisMode(VisMode::Plugin);
}

void CommandController::CycleVisMode()
{
    if (const std::optional<VisMode> marked = m_window.MarkedVisMode())
        RunCommand(*this, VisModeCommand(NextVisMode(*marked)));
}

void CommandController::OpenSoundSettings()
{
    player::OpenSoundSettings();
}

void CommandController::ReportBug()
{
    OpenBugReport();
}

// A network stream has no file to show, and neither has a file that is
// gone since it was opened.
void CommandController::ShowFileInfo()
{
    const QString& file = m_playback.CurrentFileName;
    if (!file.isEmpty() && QFileInfo(file).isFile())
        m_window.ShowFileTags(file);
}

void CommandController::StepVolume(int points)
{
    const int volume = std::clamp(m_skin.Volume() + points, 0, 100);
    m_engine.ApplyPlayerVolume(volume);
    m_skin.SetVolume(volume);
}

} // namespace velmoro::player
