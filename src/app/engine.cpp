#include "app/engine.h"

#include "app/streamtitle.h"

#include "platform/logging.h"
#include "trackinfo/mpegaudio.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace velmoro::app {

using audio::Handle;

const QString PlaybackEngine::kNoFileFound = QStringLiteral("*** Nessun file della playlist trovato ***");

namespace {

// "Leave as it is" for ChannelSetAttributes.
constexpr int kKeepRate = -1;
constexpr int kKeepVolume = -1;
constexpr int kKeepPan = -101;

} // namespace

PlaybackEngine::PlaybackEngine(PlaybackState& playback, const PlaylistState& tracks,
                               const AppDirectories& dirs, settings::Settings& settings,
                               audio::IAudioLibrary& audio, EngineDisplay& display, PlayerCommands& commands,
                               QObject* parent)
    : QObject(parent), m_state(playback), m_tracks(tracks), m_dirs(dirs), m_settings(settings),
      m_audio(audio), m_display(display), m_commands(commands)
{
    TimerFadeIn.setObjectName(QStringLiteral("TimerFadeIn"));
    TimerFadeOut.setObjectName(QStringLiteral("TimerFadeOut"));
    TimerFadeIn.setInterval(10);
    TimerFadeOut.setInterval(10);
    connect(&TimerFadeIn, &QTimer::timeout, this, &PlaybackEngine::TimerFadeInTimer);
    connect(&TimerFadeOut, &QTimer::timeout, this, &PlaybackEngine::TimerFadeOutTimer);
    // The DSP function cannot read the settings object from its thread, so
    // the visualization mode is mirrored whenever it changes.
    MirrorVisMode();
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString&) { MirrorVisMode(); });
}

void PlaybackEngine::MirrorVisMode()
{
    m_visMode =
        VisModeOfRadio(m_settings.CheckedInGroup(QStringLiteral("Visualizzazione"))).value_or(VisMode::None);
}

std::uint32_t PlaybackEngine::StreamFlags() const
{
    std::uint32_t flags = audio::kStreamFx | audio::kStreamExactSeek;
    if (m_settings.Checked(QStringLiteral("MetaBitrateCheck")))
        flags |= audio::kStreamHalfRate;
    return flags;
}

void PlaybackEngine::OpenStreamFile(const QString& fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        // The next command opens the next entry, which may be missing too:
        // once every entry has been tried the chain stops, the current stream
        // untouched. The command runs from the event loop, not from here, so
        // a long list of missing files cannot pile up calls.
        if (++m_missingInARow >= std::max(1, m_tracks.Playlist.Count())) {
            m_missingInARow = 0;
            m_display.SetTitle(kNoFileFound);
            return;
        }
        QTimer::singleShot(0, this, [this] { m_commands.NextCommand(); });
        return;
    }
    m_missingInARow = 0;

    trackinfo::TMPEGAudio info;
    info.SetMacro(m_settings.Text(QStringLiteral("ScollTitleEdit")));
    info.SetFileName(fileName);
    m_state.TrackSeconds = info.Data().Duration;
    m_display.SetTitle(info.Text());
    m_display.SetFrequency(info.Data().SampleRate);
    m_display.SetBitrate(info.Data().BitRate);
    m_display.SetStereo(info.Data().Mode != 3);

    RemoveDspFromCurrent();
    EndUnfinishedFadeOut();
    StartFadeOutOfCurrent();
    m_state.CurrentStream =
        m_audio.StreamCreateFile(QFile::encodeName(fileName).toStdString(), StreamFlags());
    if (m_state.CurrentStream == 0)
        LogFailedStream(fileName);
    m_lengthPending = m_ratePending = false;
    m_tagChanges = 0;
    SilenceAndWatchNewStream();
    m_state.CurrentFileName = fileName;
    emit StreamOpened();
}

bool PlaybackEngine::OpenStream(const QString& nameOrUrl)
{
    // Upper case only to recognise the protocol and for the title (the skin
    // font shows capitals anyway): file names and URL paths keep their case.
    const QString upper = nameOrUrl.toUpper();
    if (QFileInfo(nameOrUrl).isFile()) {
        OpenStreamFile(nameOrUrl);
        PlayCurrentStream();
        return true;
    }
    if (upper.startsWith(u"HTTP") && !m_settings.Checked(QStringLiteral("HttpCheck")))
        return false;
    if (upper.startsWith(u"FTP") && !m_settings.Checked(QStringLiteral("FTPCheck")))
        return false;

    m_display.SetTitle(upper);
    m_display.SetFrequency(-1);
    m_display.SetBitrate(-1);
    m_display.SetStereo(true);
    RemoveDspFromCurrent();
    EndUnfinishedFadeOut();
    StartFadeOutOfCurrent();

    QString localCopy = m_settings.Text(QStringLiteral("EdittempMp3"));
    if (!localCopy.isEmpty() && QDir::isRelativePath(localCopy))
        localCopy = m_dirs.AppDir + localCopy;
    m_state.CurrentStream = m_audio.StreamCreateURL(nameOrUrl.toStdString(), StreamFlags(),
                                                    QFile::encodeName(localCopy).toStdString());
    if (m_state.CurrentStream == 0)
        LogFailedStream(nameOrUrl);
    SilenceAndWatchNewStream();
    // Usually 0 here: the stream's format comes with its first frames, and
    // the refresh tick takes it up then (PickUpLateFormat).
    const std::uint32_t length = m_audio.StreamGetLength(m_state.CurrentStream);
    m_state.TrackSeconds = std::int32_t(length / 1000u);
    m_lengthPending = m_state.CurrentStream != 0 && length == 0;
    m_ratePending = m_state.CurrentStream != 0;
    m_tagChanges = 0;
    m_state.CurrentFileName = nameOrUrl;
    emit StreamOpened();
    return true;
}

void PlaybackEngine::PlayCurrentStream()
{
    m_audio.StreamPlay(m_state.CurrentStream, false, 0);
    m_state.PlayStatus = PlayStatusValue::Playing;
    ApplyPlayerVolume(m_display.Volume());
    ApplyBalance(m_display.Balance()); // a fade-in in progress keeps its level
    if (m_settings.Checked(QStringLiteral("AutostartVisCheck")))
        m_commands.StartVisPlugin();
    emit Playing();
}

namespace {

int StreamVolume(audio::IAudioLibrary& audio, Handle stream)
{
    int frequency = 0;
    int volume = 0;
    int pan = 0;
    audio.ChannelGetAttributes(stream, &frequency, &volume, &pan);
    return volume;
}

} // namespace

void PlaybackEngine::ApplyPlayerVolume(int volume)
{
    m_audio.SetGlobalVolumes(0, 0, volume);
    m_audio.SetVolume(volume);
}

void PlaybackEngine::SetStreamVolume(Handle stream, int volume)
{
    m_audio.ChannelSetAttributes(stream, kKeepRate, volume, kKeepPan);
}

void PlaybackEngine::ApplyBalance(int balance)
{
    m_audio.ChannelSetAttributes(m_state.CurrentStream, kKeepRate, kKeepVolume, PanFromBalance(balance));
}

void PlaybackEngine::TimerFadeInTimer()
{
    FadeInTag += m_state.FadeInStep;
    if (FadeInTag > m_display.Volume()) {
        TimerFadeIn.stop();
        SetStreamVolume(m_state.CurrentStream, m_display.Volume());
        return;
    }
    SetStreamVolume(m_state.CurrentStream,
                    std::min(100, StreamVolume(m_audio, m_state.CurrentStream) + m_state.FadeInStep));
}

void PlaybackEngine::TimerFadeOutTimer()
{
    FadeOutTag += m_state.FadeOutStep;
    if (FadeOutTag > 100) {
        m_audio.ChannelStop(m_state.FadingStream);
        m_audio.StreamFree(m_state.FadingStream);
        m_state.FadingStream = 0;
        TimerFadeOut.stop();
        return;
    }
    // The library takes 0–100 only: a last step below zero holds at silence.
    SetStreamVolume(m_state.FadingStream,
                    std::max(0, StreamVolume(m_audio, m_state.FadingStream) - m_state.FadeOutStep));
}

void PlaybackEngine::PickUpLateFormat()
{
    PickUpStreamTitle();
    if (m_lengthPending) {
        const std::uint32_t length = m_audio.StreamGetLength(m_state.CurrentStream);
        if (length != 0) {
            m_state.TrackSeconds = std::int32_t(length / 1000u);
            m_lengthPending = false;
        }
    }
    if (m_ratePending) {
        int frequency = 0;
        int volume = 0;
        int pan = 0;
        m_audio.ChannelGetAttributes(m_state.CurrentStream, &frequency, &volume, &pan);
        // The bit rate is not among what the library answers: it stays unknown.
        if (frequency > 0) {
            m_display.SetFrequency(frequency);
            m_ratePending = false;
        }
    }
}

// The library answers from what it holds; a file's stream has no tags and
// answers at once.
void PlaybackEngine::PickUpStreamTitle()
{
    audio::StreamTags tags;
    if (!m_audio.StreamGetTags(m_state.CurrentStream, m_tagChanges, tags))
        return;
    m_tagChanges = tags.changes;
    if (const std::optional<QString> title = StreamTitleText(tags)) {
        m_display.SetTitle(*title);
        emit StreamTitleChanged(m_state.CurrentFileName, *title);
    }
}

void PlaybackEngine::LogFailedStream(const QString& nameOrUrl) const
{
    qCWarning(lcApp) << "the audio library gave no stream for" << nameOrUrl << "- nothing will play";
}

void PlaybackEngine::VisDspProc(Handle, Handle stream, void* buffer, std::uint32_t length,
                                std::uint32_t position, void* user)
{
    auto* engine = static_cast<PlaybackEngine*>(user);
    const VisMode mode = engine->m_visMode.load();
    // Every mode but "Nessuno" shows these samples once they are heard: the
    // oscilloscope and the spectrum draw them, the meters measure them.
    if (mode != VisMode::None)
        engine->m_samples.Push(stream, position / 4, static_cast<const std::int16_t*>(buffer), length / 4);
    // A plug-in draws in a window of its own: it is handed each block.
    if (mode == VisMode::Plugin) {
        if (VisPluginSink* sink = engine->m_visPluginSink)
            sink->Render(stream, buffer, length);
    }
}

void PlaybackEngine::RemoveDspFromCurrent()
{
    if (m_state.DspHandle != 0) {
        m_audio.ChannelRemoveDSP(m_state.CurrentStream, m_state.DspHandle);
        m_state.DspHandle = 0;
    }
}

void PlaybackEngine::EndUnfinishedFadeOut()
{
    if (!TimerFadeOut.isActive())
        return;
    TimerFadeOut.stop();
    m_audio.ChannelStop(m_state.FadingStream);
    m_audio.StreamFree(m_state.FadingStream);
    m_state.FadingStream = 0;
}

void PlaybackEngine::StartFadeOutOfCurrent()
{
    if (m_state.CurrentStream == 0)
        return;
    m_state.FadingStream = m_state.CurrentStream;
    FadeOutTag = 0;
    TimerFadeOut.start();
}

void PlaybackEngine::SilenceAndWatchNewStream()
{
    SetStreamVolume(m_state.CurrentStream, 0);
    TimerFadeIn.start();
    FadeInTag = 0;
    m_state.DspHandle =
        m_audio.ChannelSetPositionedDSP(m_state.CurrentStream, &PlaybackEngine::VisDspProc, this);
}

} // namespace velmoro::app
