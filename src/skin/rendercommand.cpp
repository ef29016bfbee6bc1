#include "skin/rendercommand.h"

#include "skin/eqpainter.h"
#include "skin/playlistpainter.h"
#include "skin/regionfile.h"
#include "skin/skinsource.h"
#include "skin/winampskin.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace velmoro::skin {

namespace {

// Larger windows than this are no window a screen shows.
constexpr int kMaxPlaylistSide = 8192;

// Options read from a parsed command line; a bad value is told and remembered.
struct OptionReader {
    const QCommandLineParser& parser;
    QTextStream& err;
    bool ok = true;

    bool IsSet(const char* name) const { return parser.isSet(QString::fromLatin1(name)); }
    QString Text(const char* name) const { return parser.value(QString::fromLatin1(name)); }

    int Number(const char* name, int fallback)
    {
        if (!IsSet(name))
            return fallback;
        bool valid = false;
        const int value = Text(name).toInt(&valid);
        if (!valid) {
            err << QStringLiteral("valore non numerico per --%1\n").arg(QString::fromLatin1(name));
            ok = false;
        }
        return value;
    }
};

// A comma-separated list of numbers into `into`.
void ReadNumbers(OptionReader& in, const char* name, QList<int>& into)
{
    for (const QString& item : in.Text(name).split(u',', Qt::SkipEmptyParts)) {
        bool valid = false;
        into << item.trimmed().toInt(&valid);
        if (!valid) {
            in.err << QStringLiteral("valore non numerico per --%1\n").arg(QString::fromLatin1(name));
            in.ok = false;
        }
    }
}

// The skin of the options over a window's skin, which starts as the
// built-in one, and, when asked for, its window shapes; false when the skin
// cannot be read.
template <typename WindowSkin>
bool LoadWindowSkin(const RenderOptions& o, WindowSkin& skin, WindowRegions* regions = nullptr)
{
    if (o.skinDirectory.isEmpty())
        return true;
    const std::unique_ptr<SkinSource> source = OpenSkinSource(o.skinDirectory);
    if (!source)
        return false;
    skin.Load(*source);
    if (regions)
        *regions = LoadRegionFile(*source);
    return true;
}

QStringList SampleRows()
{
    return {QStringLiteral("1. Velmoro - Sigla d'apertura"),
            QStringLiteral("2. Orchestra Notturna - Notturno in Re"),
            QStringLiteral("3. I Gabbiani - Estate al mare"),
            QStringLiteral("4. Coro di Voci - Canto popolare"),
            QStringLiteral("5. Quartetto d'Archi - Allegro ma non troppo")};
}

// nullopt when the skin cannot be read.
std::optional<QImage> RenderPlaylist(const RenderOptions& o)
{
    PlaylistSkin skin;
    if (!LoadWindowSkin(o, skin))
        return std::nullopt;
    const QStringList rows = o.rows.value_or(SampleRows());
    PlaylistView view;
    view.size = o.playlistSize;
    view.rowCount = int(rows.size());
    view.topRow = std::clamp(o.topRow, 0, view.rowCount);
    view.rowText = [&rows](int row) { return rows.at(row); };
    view.marked = [&o](int row) { return o.markedRows.contains(row); };
    view.currentRow = o.currentRow;
    view.selectedRow = o.selectedRow;
    view.positionStatus = o.positionStatus.isNull()
                              ? QStringLiteral("%1/%2 (0MB)").arg(o.currentRow + 1).arg(rows.size())
                              : o.positionStatus;
    view.timeStatus = o.timeStatus.isNull() ? QStringLiteral("00:00") : o.timeStatus;
    view.thumbTop = o.thumbTop;
    view.thumbHeld = o.thumbHeld;
    QImage image;
    PaintPlaylistWindow(skin, view, image);
    return image;
}

// The playlist options into o.
void ReadPlaylistOptions(OptionReader& in, RenderOptions& o)
{
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch size = sizePattern.match(in.Text("playlist"));
    o.playlistSize = QSize(size.captured(1).toInt(), size.captured(2).toInt());
    if (!size.hasMatch() || o.playlistSize.width() < 1 || o.playlistSize.height() < 1 ||
        o.playlistSize.width() > kMaxPlaylistSide || o.playlistSize.height() > kMaxPlaylistSide) {
        in.err << QStringLiteral("dimensioni non valide per --playlist: serve LARGHEZZAxALTEZZA, fino a %1\n")
                      .arg(kMaxPlaylistSide);
        in.ok = false;
    }
    o.currentRow = in.Number("current", o.currentRow);
    o.selectedRow = in.Number("selected", o.selectedRow);
    o.topRow = in.Number("top", o.topRow);
    o.thumbTop = in.Number("thumb", o.thumbTop);
    o.thumbHeld = in.IsSet("thumb-held");
    ReadNumbers(in, "marked", o.markedRows);
    if (in.IsSet("list-info"))
        o.positionStatus = in.Text("list-info");
    if (in.IsSet("list-time"))
        o.timeStatus = in.Text("list-time");
    if (in.IsSet("rows")) {
        QFile file(in.Text("rows"));
        if (!file.open(QIODevice::ReadOnly)) {
            in.err << QStringLiteral("impossibile leggere %1\n").arg(file.fileName());
            in.ok = false;
            return;
        }
        QStringList rows = QString::fromUtf8(file.readAll()).split(u'\n');
        if (!rows.isEmpty() && rows.back().isEmpty())
            rows.removeLast(); // the line break that ends the last row
        for (QString& row : rows)
            if (row.endsWith(u'\r'))
                row.chop(1);
        o.rows = rows;
    }
}

std::optional<QImage> RenderEqualizer(const RenderOptions& o)
{
    EqualizerSkin skin;
    WindowRegions regions;
    if (!LoadWindowSkin(o, skin, &regions))
        return std::nullopt;
    const auto look = [&o](const char* name) {
        const bool on = o.eqOn.contains(QString::fromLatin1(name));
        if (o.eqPressed.contains(QString::fromLatin1(name)))
            return on ? EqButtonLook::PressedOn : EqButtonLook::PressedOff;
        return on ? EqButtonLook::On : EqButtonLook::Off;
    };
    EqualizerView view;
    view.enable = look("enable");
    view.autoButton = look("auto");
    view.presetPressed = o.eqPressed.contains(u"preset");
    for (int slider = 0; slider < std::min<int>(kEqSliderCount, int(o.eqSliders.size())); ++slider)
        view.sliders[std::size_t(slider)] =
            EqSliderLook{std::clamp(o.eqSliders[slider], kEqLowestPosition, kEqHighestPosition),
                         o.eqHeldSliders.contains(slider)};
    QImage image;
    PaintEqualizerWindow(skin, view, image);
    const QRegion shape = ShapeMask(regions.Of(RegionShape::Equalizer), 1);
    return shape.isEmpty() ? image : CutToShape(image, shape);
}

} // namespace

std::optional<QImage> RenderSkin(const RenderOptions& o, QString* error)
{
    const auto fail = [&](const char* message) {
        if (error)
            *error = QString::fromUtf8(message).arg(o.skinDirectory);
        return std::nullopt;
    };
    // The player takes a missing skin for the built-in one; asked for a
    // picture of a skin, that would be a picture of another.
    if (!o.skinDirectory.isEmpty() && LocateSkin(o.skinDirectory).isEmpty())
        return fail("skin non trovata: %1");
    if (o.playlistSize.isValid() || o.equalizer) {
        std::optional<QImage> image = o.equalizer ? RenderEqualizer(o) : RenderPlaylist(o);
        if (!image)
            return fail("impossibile leggere la skin in %1");
        if (o.scale > 1)
            *image = image->scaled(image->size() * o.scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        return image;
    }
    TWinampSkin skin;
    skin.ApplicationActive = [active = !o.inactive] { return active; };
    skin.TitleScrollTimer().stop(); // a still picture: the title starts at its beginning
    if (!o.skinDirectory.isEmpty() && skin.LoadSkin(o.skinDirectory) != 0)
        return fail("impossibile leggere la skin in %1");
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
    // region.txt's shape: what lies outside it the window does not show.
    const QRegion shape =
        ShapeMask(skin.Skin().Regions.Of(o.shade ? RegionShape::WindowShade : RegionShape::Normal), 1);
    if (!shape.isEmpty())
        image = CutToShape(image, shape);
    if (o.scale > 1)
        image = image.scaled(image.size() * o.scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image;
}

int RunRenderSkinCommand(const QStringList& arguments)
{
    QTextStream err(stderr);
    QCommandLineParser parser;
    QString usage = QStringLiteral(
        "Uso: velmoro-render-skin [opzioni] SKIN|- FILE.png\n"
        "Disegna la finestra principale di una skin (o, con --playlist o --equalizer,\n"
        "quella della playlist o dell'equalizzatore) in un file PNG, senza schermo. La skin \u00e8 una "
        "cartella o un\n"
        "file .wsz; \"-\" sceglie la skin incorporata. Le righe si contano da 0.\n\nOpzioni:\n");
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
    option("playlist", "la finestra della playlist, di queste dimensioni", "LxA");
    option("rows", "righe della playlist, una per riga (UTF-8); di norma cinque d'esempio", "file");
    option("current", "riga del brano corrente", "n");
    option("selected", "riga selezionata", "n");
    option("marked", "righe marcate, come 1,3", "elenco");
    option("top", "prima riga mostrata", "n");
    option("list-info", "stato a sinistra; di norma corrente+1/righe (0MB)", "testo");
    option("list-time", "durata totale; di norma 00:00", "hh:nn");
    option("thumb", "posizione del cursore della barra di scorrimento", "n");
    option("thumb-held", "cursore della barra tenuto premuto");
    option("equalizer", "la finestra dell'equalizzatore");
    option("eq-sliders", "posizioni dei cursori da -14 (in alto) a 14, dal primo", "elenco");
    option("eq-held", "cursori tenuti premuti, come 0,3", "elenco");
    option("eq-on", "pulsanti accesi: enable, auto", "elenco");
    option("eq-pressed", "pulsanti premuti: enable, auto, preset", "elenco");
    option("help", "mostra questo aiuto");
    if (!parser.parse(QStringList{QStringLiteral("velmoro")} + arguments)) {
        err << QStringLiteral("argomenti non validi\n") << usage;
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.positionalArguments().size() != 2) {
        err << usage;
        return parser.isSet(QStringLiteral("help")) ? 0 : 2;
    }

    OptionReader in{parser, err};
    RenderOptions o;
    const QString directory = parser.positionalArguments().at(0);
    o.skinDirectory = directory == u"-" ? QString() : directory;
    if (in.IsSet("title"))
        o.title = in.Text("title");
    o.progress = in.Text("time");
    o.volume = in.Number("volume", o.volume);
    o.balance = in.Number("balance", o.balance);
    o.position = in.Number("position", o.position);
    o.bitrate = in.Number("bitrate", o.bitrate);
    o.frequency = in.Number("frequency", o.frequency);
    o.scale = std::clamp(in.Number("scale", 1), 1, 16);
    const QStringList meters = in.Text("meters").split(u',', Qt::SkipEmptyParts);
    if (!meters.isEmpty()) {
        o.leftMeter = meters.value(0).toInt();
        o.rightMeter = meters.value(1, meters.value(0)).toInt();
    }
    o.status = in.Text("status");
    o.stereo = in.Text("stereo");
    o.checked = in.Text("checked").split(u',', Qt::SkipEmptyParts);
    o.shade = in.IsSet("shade");
    o.inactive = in.IsSet("inactive");
    if (in.IsSet("playlist"))
        ReadPlaylistOptions(in, o);
    o.equalizer = in.IsSet("equalizer");
    ReadNumbers(in, "eq-sliders", o.eqSliders);
    ReadNumbers(in, "eq-held", o.eqHeldSliders);
    o.eqOn = in.Text("eq-on").split(u',', Qt::SkipEmptyParts);
    o.eqPressed = in.Text("eq-pressed").split(u',', Qt::SkipEmptyParts);
    if (!in.ok)
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

int RunRenderSkinProgram(int argc, char** argv, int skipped)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RunRenderSkinCommand(QApplication::arguments().mid(skipped));
}

} // namespace velmoro::skin
