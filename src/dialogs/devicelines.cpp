#include "dialogs/devicelines.h"

namespace velmoro::dialogs {

namespace {

// The capability bits of the record's flags that the window tells.
constexpr std::uint32_t kEmulated = 0x20, kCertified = 0x40, kMixerMono = 0x100, kMixerStereo = 0x200,
                        kMixer8Bits = 0x400, kMixer16Bits = 0x800;

QString Either(bool yes, const char* ifYes, const char* ifNo)
{
    return QString::fromUtf8(yes ? ifYes : ifNo);
}

QString OrUnknown(const std::string& text)
{
    return text.empty() ? QStringLiteral("sconosciuto") : QString::fromStdString(text);
}

} // namespace

QStringList DeviceInfoLines(const audio::DeviceInfo& info)
{
    const auto has = [&info](std::uint32_t flag) { return (info.flags & flag) != 0; };
    return {
        QStringLiteral(" Versione A3D %1").arg(info.a3d).toUpper(),
        QStringLiteral(" Versione DirectX %1").arg(info.dsver).toUpper(),
        QStringLiteral("  Memoria Hardware libera %1 bytes").arg(info.hwfree),
        QStringLiteral("  Slot liberi per i campioni %1").arg(info.freesam),
        QStringLiteral("  Slot liberi per il 3D %1").arg(info.free3d),
        QStringLiteral("  Frequenza minima  %1 Hz").arg(info.minrate),
        QStringLiteral("  Frequenza massima %1 Hz").arg(info.maxrate),
        Either(info.eax != 0, "  Supporta EAX", "  Non supporta EAX"),
        Either(has(kEmulated), "  Driver in emulazione", "  Driver non in emulazione"),
        Either(has(kCertified), "  Driver cretificato da Microsoft", "  Driver non certificato"),
        Either(has(kMixerMono), "  Mono supportato dal mixer", "  Mono non supportato dal mixer"),
        Either(has(kMixerStereo), "  Stereo supportato dal mixer", "  Stereo non supportato dal mixer"),
        Either(has(kMixer8Bits), "  Supporto audio a 8 bit", "  Non supportato a 8 bit"),
        Either(has(kMixer16Bits), "  Supporto audio a 16 bit", "  Non supportato a 16 bit"),
    };
}

QStringList DeviceReportLines(const audio::DeviceReport* report)
{
    if (!report)
        return {QStringLiteral("  Nessuna periferica aperta")};
    QString server = OrUnknown(report->server);
    if (!report->serverVersion.empty())
        server += u' ' + QString::fromStdString(report->serverVersion);
    const QString latency = report->latencyMs < 0 ? QStringLiteral("sconosciuta")
                                                  : QStringLiteral("%1 ms").arg(report->latencyMs);
    return {
        QStringLiteral("  Server audio: %1").arg(server),
        QStringLiteral("  Uscita: %1").arg(OrUnknown(report->sinkName)),
        QStringLiteral("  Descrizione: %1").arg(OrUnknown(report->sinkDescription)),
        QStringLiteral("  Formato: %1, %2 Hz, %3")
            .arg(OrUnknown(report->sampleFormat))
            .arg(report->rate)
            .arg(report->channels == 1 ? QStringLiteral("mono")
                                       : QStringLiteral("%1 canali").arg(report->channels)),
        QStringLiteral("  Latenza in uso: %1").arg(latency),
    };
}

} // namespace velmoro::dialogs
