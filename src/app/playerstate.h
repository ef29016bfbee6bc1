#pragma once
// The shared player state: what the windows, the engine and the timers read
// and write, in one object that the application owns and hands on by
// reference. The fields keep their design names and are grouped by concern,
// so that each controller takes only the groups it uses. UI thread only,
// except where a field says otherwise.
#include "app/shared.h"
#include "audio/audiolibrary.h"
#include "playlist/playliststate.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

namespace velmoro::app {

// The values are the design's numbers, which the windows and plug-ins know.
enum class PlayStatusValue : std::int32_t {
    Idle = 0, // nothing played yet
    Playing = 1,
    Stopped = 2, // stop button, or the crossfade lead of the end reached
    Paused = 3,
};

// The current stream and its crossfade.
struct PlaybackState {
    audio::Handle CurrentStream = 0; // written only by the engine's opens
    audio::Handle FadingStream = 0;  // the previous stream while it fades out
    audio::Handle DspHandle = 0;     // the DSP function set on CurrentStream
    QString CurrentFileName;         // file name or address, as opened
    std::int32_t TrackSeconds = 0;
    PlayStatusValue PlayStatus = PlayStatusValue::Idle;
    std::int32_t FadeInStep = 1; // volume points per fade tick
    std::int32_t FadeOutStep = 1;
};

// The playlist, its current entry and what its window shows of it.
using PlaylistState = playlist::PlaylistState;

// Grab offsets of the docked windows (window corner minus cursor or minus
// the player's corner).
struct DragOffsets {
    std::int32_t DragDX = 0, DragDY = 0;
    std::int32_t PlaylistDX = 0, PlaylistDY = 0;
    std::int32_t EqDX = 0, EqDY = 0, EqDragDX = 0, EqDragDY = 0;
};

struct VisualizationState {
    QImage VisBitmap = QImage(100, 30, QImage::Format_RGB32);
    std::uint32_t VisColor = 0;
    std::array<float, 513> FftData{};
    std::array<std::int32_t, 513> PeakLevel{};
    std::array<std::int32_t, 513> BarLevel{};
};

struct EqualizerState {
    std::array<std::int32_t, 10> EqSlider{};
    bool EqEnabled = false;
    std::array<audio::Handle, 10> EqFx{};
    audio::EqParameters EqParam{0, 0, 0};
    // With the equalizer audible: the first slider's gain in dB, and the
    // effect that applies it ahead of the bands.
    std::int32_t EqPreamp = 0;
    audio::Handle EqPreampFx = 0;
};

// Which windows exist and whether the single-key commands listen.
struct WindowFlags {
    bool PlayerCreated = false;
    bool PlaylistCreated = false;
    bool HotKeysEnabled = true;
    bool DialogOpen = false;
};

struct PlayerState {
    PlaybackState Playback;
    PlaylistState Tracks;
    AppDirectories Dirs; // AppDir, SkinsDir, SkinDir
    DragOffsets Drag;
    VisualizationState Vis;
    EqualizerState Eq;
    WindowFlags Windows;
};

} // namespace velmoro::app
