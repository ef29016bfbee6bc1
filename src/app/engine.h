#pragma once
// The playback engine: turns a file name or an address into the current
// stream, starts it, and makes every change of stream a crossfade — the old
// stream fades out on TimerFadeOut while the new one fades in on TimerFadeIn.
#include "app/playerstate.h"
#include "app/vismode.h"
#include "app/vissamples.h"
#include "audio/audiolibrary.h"
#include "settings/settings.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>

namespace velmoro::app {

// What the engine shows on the main window and reads from its controls.
class EngineDisplay {
public:
    virtual ~EngineDisplay() = default;
    virtual void SetTitle(const QString& title) = 0;
    virtual void SetFrequency(int hertz) = 0; // −1 unknown
    virtual void SetBitrate(int kbps) = 0;    // −1 variable or unknown
    virtual void SetStereo(bool stereo) = 0;
    virtual int Volume() const = 0;  // 0–100
    virtual int Balance() const = 0; // 0–100, 50 centred
};

// The player's commands the engine may run.
class PlayerCommands {
public:
    virtual ~PlayerCommands() = default;
    virtual void NextCommand() = 0;    // the next-song button
    virtual void StartVisPlugin() = 0; // start the visualization plug-in
};

// Where the blocks of the current stream go while the mode is "Plugin":
// called on the audio library's update thread, it must never wait.
class VisPluginSink {
public:
    virtual ~VisPluginSink() = default;
    virtual void Render(audio::Handle stream, const void* samples, std::uint32_t bytes) = 0;
};

// The pan of the skin's balance 0–100: 100 − 2 × balance (0 gives +100,
// 50 gives 0, 100 gives −100).
constexpr int PanFromBalance(int balance)
{
    return 100 - 2 * balance;
}

class PlaybackEngine : public QObject {
    Q_OBJECT
public:
    // tracks: the chain of missing files stops after one pass over the list.
    // dirs: a relative local copy of a network stream lies in AppDir.
    PlaybackEngine(PlaybackState& playback, const PlaylistState& tracks, const AppDirectories& dirs,
                   settings::Settings& settings, audio::IAudioLibrary& audio, EngineDisplay& display,
                   PlayerCommands& commands, QObject* parent = nullptr);

    // Shown in the scrolling title when no file of the playlist can be found.
    static const QString kNoFileFound;

    void OpenStreamFile(const QString& fileName);
    // True when the name became the current stream; false when its protocol
    // is turned off in the settings, and nothing changed.
    bool OpenStream(const QString& nameOrUrl);
    void PlayCurrentStream();
    void TimerFadeInTimer();
    void TimerFadeOutTimer();

    // The player's volume (0–100) as the global stream volume and the output's.
    void ApplyPlayerVolume(int volume);
    // Sets only the volume (0–100) of a stream; its rate and pan stay.
    void SetStreamVolume(audio::Handle stream, int volume);
    // Sets only the pan of the current stream, from the skin's balance.
    void ApplyBalance(int balance);

    // A network stream answers its length and rate only once its first
    // frames have arrived. The refresh tick calls this while playing: it
    // asks the library (never the network) and takes up what has become
    // known since — TrackSeconds and the sample rate shown — and a new song
    // title of a station, which becomes the scrolling title. Nothing to do
    // for a file, whose format is read at its open.
    void PickUpLateFormat();

    // The DSP function set on every stream opened here; runs on the audio
    // library's update thread. user is the engine.
    static void VisDspProc(audio::Handle dsp, audio::Handle stream, void* buffer, std::uint32_t length,
                           std::uint32_t position, void* user);

    QTimer TimerFadeIn;
    QTimer TimerFadeOut;
    std::int32_t FadeInTag = 0; // the timers' counters
    std::int32_t FadeOutTag = 0;

    // The current stream's decoded samples for the visualizations, read on
    // the UI thread.
    const VisSamples& Samples() const { return m_samples; }
    // Null for none. The sink must outlive the streams that may call it.
    void SetVisPluginSink(VisPluginSink* sink) { m_visPluginSink = sink; }

signals:
    // The current stream has been started (PlayStatus is 1).
    void Playing();
    // An open has made a new CurrentStream (0 when the library gave none);
    // CurrentFileName names it.
    void StreamOpened();
    // The station at address, the current stream, sent a new song title;
    // title is as the scrolling title shows it.
    void StreamTitleChanged(const QString& address, const QString& title);

private:
    std::uint32_t StreamFlags() const;
    void RemoveDspFromCurrent();
    void EndUnfinishedFadeOut();
    void StartFadeOutOfCurrent();
    void SilenceAndWatchNewStream();
    void MirrorVisMode();
    void LogFailedStream(const QString& nameOrUrl) const;
    void PickUpStreamTitle();

    PlaybackState& m_state;
    const PlaylistState& m_tracks;
    const AppDirectories& m_dirs;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    EngineDisplay& m_display;
    PlayerCommands& m_commands;
    VisSamples m_samples;
    std::atomic<VisMode> m_visMode{VisMode::Oscilloscope}; // read on the update thread
    std::atomic<VisPluginSink*> m_visPluginSink = nullptr;
    int m_missingInARow = 0;
    bool m_lengthPending = false; // of a network stream, see PickUpLateFormat
    bool m_ratePending = false;
    std::uint32_t m_tagChanges = 0; // of the current stream, as last taken up
};

} // namespace velmoro::app
