#pragma once
// Opening the audio output, at start and whenever the options change device
// or output format.
#include "audio/audiolibrary.h"
#include "settings/settings.h"

#include <QString>
#include <functional>

namespace velmoro::app {

using ShowErrorFunction = std::function<void(const QString& title, const QString& text)>;

// The Init flags the output check boxes ask for: 1 for 8-bit, 2 for mono,
// 8 for 3D.
std::uint32_t OutputFlags(const settings::Settings& settings);

// Closes the library (every stream handle becomes invalid) and opens it on
// device (−1 the default) with flags at 44100 Hz; when that fails, shows the
// error once and leaves the program without sound. True when sound works.
bool InitAudioDevice(audio::IAudioLibrary& audio, int device, std::uint32_t flags,
                     const ShowErrorFunction& showError);

// The device list lines: "1 - first description", "2 - …".
QStringList DeviceListLines(audio::IAudioLibrary& audio);

} // namespace velmoro::app
