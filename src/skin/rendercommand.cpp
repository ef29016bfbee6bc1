#include "skin/rendercommand.h"

#include "skin/winampskin.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace velmoro::skin {

std::optional<QImage> RenderSkin(const RenderOptions& o, QString* error)
{
    TWinampSkin skin;
    skin.ApplicationActive = [active = !o.inactive] { return active; };
    skin.TitleScrollTimer().stop(); // a still picture: the title starts at its beginning
    if (!o.skinDirectory.isEmpty() && skin.LoadSkin(o.skinDirectory) != 0) {
        if (error)
            *error = QStringLiteral("impossibile leggere la skin in %1").arg(o.skinDirectory);
        return std::nullopt;
    }
    if (!o.title.isNull())
        skin.SetTitle(o.title);
    skin.SetProgress(o.progress);
    skin.SetVolume(o.volume);
    skin.SetBalance(o.balance);
    skin.SetPositionBar(o.position);
    skin.SetBitrate(o.bitrate);
    skin.SetFrequency(o.frequency);
    skin.SetLeftMeter(o.leftMeter);
    skin.SetRightMeter(o.rightMeter);
    skin.SetStatus(o.status == u"play"    ? ssPlay
                   : o.status == u"pause" ? ssPause
                   : o.status == u"stop"  ? ssStop
                                          : ssNone);
    skin.SetStereoMode(o.stereo == u"mono"     ? TStereoMode(smMono)
                       : o.stereo == u"stereo" ? TStereoMode(smStereo)
                                               : TStereoMode());
    TSkinChecked checked;
    checked.setFlag(ckShuffle, o.checked.contains(u"shuffle"));
    checked.setFlag(ckRepeat, o.checked.contains(u"repeat"));
    checked.setFlag(ckEqualizer, o.checked.contains(u"eq"));
    checked.setFlag(ckPlaylist, o.checked.contains(u"pl"));
    skin.SetChecked(checked);
    skin.SetSticky(o.shade); // repaints everything, as the window would
    QImage image = skin.Canvas().copy(0, 0, skin.width(), skin.height());
    if (o.scale > 1)
        image = image.scaled(image.size() * o.scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

int RunRenderSkinCommand(const QStringList& arguments)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    QString usage =
        QStringLiteral("Uso: velmoro-render-skin [opzioni] CARTELLA_SKIN|- FILE.png\n"
                       "Disegna la finestra principale di una skin in un file PNG, senza schermo;\n"
                       "\"-\" al posto della cartella sceglie la skin incorporata.\n\nOpzioni:\n");
    const auto option = [&](const char* name, const char* help, const char* value = nullptr) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromUtf8(help));
        if (value)
            o.setValueName(QString::fromLatin1(value));
        parser.addOption(o);
        const QString left = QStringLiteral("  --%1%2")
                                 .arg(QString::fromLatin1(name),
                                      value ? QStringLiteral(" ") + QString::fromLatin1(value) : QString());
        usage += left.leftJustified(24) + QString::fromUtf8(help) + u'\n';
    };
    option("title", "titolo mostrato", "testo");
    option("time", "tempo, come \"01:02\"", "mm:ss");
    option("volume", "volume 0-100", "n");
    option("balance", "bilanciamento 0-100 (50 al centro)", "n");
    option("position", "barra di posizione 0-256", "n");
    option("bitrate", "bit rate in kbps", "n");
    option("frequency", "frequenza in Hz", "n");
    option("meters", "livelli sinistro e destro 0-50", "s,d");
    option("status", "stato: play, pause o stop", "stato");
    option("stereo", "mono o stereo", "modo");
    option("checked", "pulsanti accesi: shuffle, repeat, eq, pl", "elenco");
    option("shade", "modalit\u00e0 compatta");
    option("inactive", "barra del titolo inattiva");
    option("scale", "ingrandimento intero", "n");
    option("help", "mostra questo aiuto");
    if (!parser.parse(QStringList{QStringLiteral("velmoro")} + arguments)) {
        err << QStringLiteral("argomenti non validi\n") << usage;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.positionalArguments().size() != 2) {
        err << usage;
        return parser.isSet(QStringLiteral("help")) ? 0 : 2;
    }

    bool ok = true;
    const auto number = [&](const char* name, int fallback) {
        if (!parser.isSet(QString::fromLatin1(name)))
            return fallback;
        bool valid = false;
        const int value = parser.value(QString::fromLatin1(name)).toInt(&valid);
        if (!valid) {
            err << QStringLiteral("valore non numerico per --%1\n").arg(QString::fromLatin1(name));
            ok = false;
        }
        return value;
    };
    RenderOptions o;
    const QString directory = parser.positionalArguments().at(0);
    o.skinDirectory = directory == u"-" ? QString() : directory;
    if (parser.isSet(QStringLiteral("title")))
        o.title = parser.value(QStringLiteral("title"));
    o.progress = parser.value(QStringLiteral("time"));
    o.volume = number("volume", o.volume);
    o.balance = number("balance", o.balance);
    o.position = number("position", o.position);
    o.bitrate = number("bitrate", o.bitrate);
    o.frequency = number("frequency", o.frequency);
    o.scale = std::clamp(number("scale", 1), 1, 16);
    const QStringList meters = parser.value(QStringLiteral("meters")).split(u',', Qt::SkipEmptyParts);
    if (!meters.isEmpty()) {
        o.leftMeter = meters.value(0).toInt();
        o.rightMeter = meters.value(1, meters.value(0)).toInt();
    }
    o.status = parser.value(QStringLiteral("status"));
    o.stereo = parser.value(QStringLiteral("stereo"));
    o.checked = parser.value(QStringLiteral("checked")).split(u',', Qt::SkipEmptyParts);
    o.shade = parser.isSet(QStringLiteral("shade"));
    o.inactive = parser.isSet(QStringLiteral("inactive"));
    if (!ok)
        return 2;

    QString error;
    const std::optional<QImage> image = RenderSkin(o, &error);
    if (!image) {
        err << error << '\n';
        return 1;
    }
    const QString out = parser.positionalArguments().at(1);
    if (!image->save(out, "PNG")) {
        err << QStringLiteral("impossibile scrivere %1\n").arg(out);
        return 1;
    }
    return 0;
}

} // namespace velmoro::skin
