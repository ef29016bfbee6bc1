#pragma once
// What plays and where: next and previous entry, opening files and the
// command line, seeking on the position bar and the five-second jumps.
#include "app/engine.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "player/playerdisplay.h"
#include "settings/settings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::player {

class NavigationController {
public:
    NavigationController(app::PlaybackState& playback, app::PlaylistState& tracks,
                         settings::Settings& settings, audio::IAudioLibrary& audio,
                         app::PlaybackEngine& engine, const SkinControls& skin);

    // Both wrap around the list; with shuffle on, Next draws an entry. An
    // empty list: nothing.
    void Next();
    void Previous();
    // CurrentIndex's entry opened and played; CurrentIndex must be in the
    // list. An entry that is an address opens as a network stream.
    void OpenAndPlayCurrentEntry();
    // At start the playlist is back but no stream is open: the entry at
    // CurrentIndex (kept within the list) is opened, so that play plays
    // what the list shows. Nothing when a stream is open or the list is empty.
    void OpenCurrentEntryIfNothingIsOpen();

    // Adds the chosen files (audio appended, M3U/PLS loaded) and opens the
    // first; nothing when the list is empty (the dialog was cancelled).
    void OpenFiles(const QStringList& files);
    // The line is the program and its arguments, each in double quotes. An
    // address is added to the list, opened and played.
    void OpenCommandLine(const QString& commandLine);

    // A click at x pixels on a position bar width pixels wide.
    void SeekTo(int x, int width);
    void BackFiveSeconds();
    void ForwardFiveSeconds();

private:
    enum class FileKind { PlaylistFile, AudioFile, Other };
    // A playlist file is loaded, an audio file appended, anything else left out.
    FileKind AddToPlaylist(const QString& file);
    void OpenAndAutoplay(const QString& file);
    void OpenAddressAndPlay(const QString& address);

    struct JumpBase {
        int second;         // the second now heard
        double lengthBytes; // the length as the tick counts it (whole thousands of bytes)
    };
    std::optional<JumpBase> CurrentJumpBase() const;
    double JumpTarget(const JumpBase& base, int second) const;

    app::PlaybackState& m_playback;
    app::PlaylistState& m_tracks;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    app::PlaybackEngine& m_engine;
    const SkinControls& m_skin;
};

} // namespace velmoro::player
