#pragma once
// The shared player state: what the windows, the engine and the timers read
// and write, in one object that the application owns and hands on by
// reference. UI thread only, except where a field says otherwise.
#include "audio/audiolibrary.h"
#include "playlist/mpegaudiolist.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

namespace velmoro::app {

struct PlayerState {
    audio::Handle CurrentStream = 0; // written only by the engine's opens
    audio::Handle FadingStream = 0;  // the previous stream while it fades out
    audio::Handle DspHandle = 0;     // the DSP function set on CurrentStream
    QString CurrentFileName;         // file name or address, as opened
    std::int32_t TrackSeconds = 0;
    std::int32_t PlayStatus = 0; // 0 idle, 1 playing, 2 stopped, 3 paused
    QString AppDir;              // directories end with "/"
    QString SkinsDir;
    QString SkinDir;
    playlist::TMPEGAudioList Playlist;
    std::int32_t CurrentIndex = 0;
    std::int32_t FadeInStep = 1;
    std::int32_t FadeOutStep = 1;
    bool PlayerCreated = false;
    bool PlaylistCreated = false;
    std::int32_t DragDX = 0, DragDY = 0;
    std::int32_t PlaylistDX = 0, PlaylistDY = 0;
    std::int32_t EqDX = 0, EqDY = 0, EqDragDX = 0, EqDragDY = 0;
    std::uint32_t PlNormalColor = 0, PlCurrentColor = 0, PlNormalBgColor = 0, PlSelectedBgColor = 0;
    QImage VisBitmap = QImage(100, 30, QImage::Format_RGB32);
    std::uint32_t VisColor = 0;
    std::array<float, 513> FftData{};
    std::array<std::int32_t, 513> PeakLevel{};
    std::array<std::int32_t, 513> BarLevel{};
    std::array<std::int32_t, 10> EqSlider{};
    bool EqEnabled = false;
    std::array<audio::Handle, 10> EqFx{};
    audio::EqParameters EqParam{0, 0, 0};
    bool HotKeysEnabled = true;
    bool DialogOpen = false;
    std::int32_t PlaylistTotalSeconds = 0;
    std::int32_t PlaylistTotalSize = 0;
};

} // namespace velmoro::app
