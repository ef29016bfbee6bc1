#include "app/audiodevice.h"

#include "platform/logging.h"

namespace velmoro::app {

std::uint32_t OutputFlags(const settings::Settings& settings)
{
    std::uint32_t flags = 0;
    if (settings.Checked(QStringLiteral("uscita8Check")))
        flags |= audio::kInit8Bits;
    if (settings.Checked(QStringLiteral("monoCheck")))
        flags |= audio::kInitMono;
    if (settings.Checked(QStringLiteral("A3dSuppCheck")))
        flags |= audio::kInit3D;
    return flags;
}

bool InitAudioDevice(audio::IAudioLibrary& audio, int device, std::uint32_t flags,
                     const ShowErrorFunction& showError)
{
    audio.Free();
    if (audio.Init(device, 44100, flags)) {
        audio.Start();
        return true;
    }
    qCWarning(lcApp) << "the audio device" << device << "with output flags" << flags
                     << "cannot be opened: the program goes on without sound";
    if (showError)
        showError(QStringLiteral("Periferica MM System non pronta!"),
                  QStringLiteral(
                      "La priferica audion non funziona o è al momento occupata. Attendere e riprovare"));
    return false;
}

QStringList DeviceListLines(audio::IAudioLibrary& audio)
{
    QStringList lines;
    std::string description;
    for (int n = 0; audio.GetDeviceDescription(n, description); ++n)
        lines << QString::number(n + 1) + QStringLiteral(" - ") + QString::fromStdString(description);
    return lines;
}

} // namespace velmoro::app
