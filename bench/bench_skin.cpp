// The main window repaints on every refresh tick (10 ms by default): the
// time, the position bar and both level meters must cost little, and a full
// paint (skin change, activation, shade mode) must stay well below a frame.
#include "skin/archivecraft.h"
#include "skin/playlistpainter.h"
#include "skin/skincraft.h"
#include "skin/skinset.h"
#include "skin/skinsource.h"
#include "skin/winampskin.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace velmoro::skin;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "velmoro_bench";
    static char* argv[] = {name, nullptr};
    // Other benchmarks of the same program may have made it first.
    static QApplication* app = [] {
        if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
            return existing;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A sheet as a 24-bit BMP, in runs of a few colours so that it packs about
// as well as the sheets of published skins do.
QByteArray PaintedSheet(QSize size, std::mt19937& random)
{
    QImage image(size, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(24, 33, 41), qRgb(90, 110, 140), qRgb(200, 200, 210), qRgb(0, 0, 0)};
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random() % 4 == 0 ? QRgb(random()) : colours[(x / 3 + y / 2) % 4]);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return buffer.data();
}

} // namespace

static void BM_SkinFullPaint(benchmark::State& state)
{
    App();
    TWinampSkin skin;
    skin.SetTitle(QStringLiteral("Artista - Un titolo abbastanza lungo da scorrere"));
    skin.SetProgress(QStringLiteral("01:23"));
    skin.SetBitrate(192);
    skin.SetFrequency(44100);
    for (auto _ : state)
        skin.Repaint();
}
BENCHMARK(BM_SkinFullPaint)->Unit(benchmark::kMicrosecond);

static void BM_SkinRefreshTick(benchmark::State& state)
{
    App();
    TWinampSkin skin;
    int tick = 0;
    for (auto _ : state) {
        const int seconds = tick / 100;
        skin.SetProgress(QStringLiteral("%1:%2")
                             .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0')));
        skin.SetPositionBar(tick % 257);
        skin.SetLeftMeter(tick % 51);
        skin.SetRightMeter((tick * 7) % 51);
        ++tick;
    }
}
BENCHMARK(BM_SkinRefreshTick)->Unit(benchmark::kMicrosecond);

// A hostile skin: a main.bmp that is a 5600 × 5600 PNG, and every cursor
// file with 64 entries all pointing at one 5000 × 5000 PNG. The sizes are
// refused from the pictures' headers, so loading it costs about what a real
// skin costs rather than gigabytes and minutes of decoding.
static void BM_LoadSkinOfGiantPictures(benchmark::State& state)
{
    App();
    QTemporaryDir dir;
    const QByteArray giant = velmoro::test::EncodePng(QImage(5000, 5000, QImage::Format_Mono));
    const QByteArray cursor = velmoro::test::CraftCursorOfPictures({giant}, std::vector<int>(64, 0));
    Put(dir.filePath("main.bmp"), velmoro::test::EncodePng(QImage(5600, 5600, QImage::Format_Mono)));
    for (const CursorSlot& slot : CursorSlots())
        Put(dir.filePath(slot.file), cursor);
    TWinampSkin skin;
    for (auto _ : state)
        benchmark::DoNotOptimize(skin.LoadSkin(dir.path()));
}
BENCHMARK(BM_LoadSkinOfGiantPictures)->Unit(benchmark::kMillisecond)->Iterations(3);

// Choosing a .wsz skin: the archive read and its sheets unpacked, then the
// main and playlist windows painted whole, as the player shows them.
static void BM_LoadArchiveSkinAndPaint(benchmark::State& state)
{
    App();
    std::mt19937 random(19);
    std::vector<velmoro::test::ArchiveEntry> entries;
    for (const BitmapSlot& slot : BitmapSlots())
        entries.push_back(
            {QStringLiteral("Skin/") + QLatin1String(slot.file), PaintedSheet(slot.size, random)});
    entries.push_back({QStringLiteral("Skin/pledit.bmp"), PaintedSheet({280, 186}, random)});
    entries.push_back({QStringLiteral("Skin/eqmain.bmp"), PaintedSheet({275, 315}, random)});
    entries.push_back({QStringLiteral("Skin/pledit.txt"), "[Text]\nNormal=#00FF00\nCurrent=#FFFFFF\n"});
    entries.push_back({QStringLiteral("Skin/viscolor.txt"), QByteArray("24,33,41\n").repeated(24)});
    const QByteArray archive = velmoro::test::CraftZip(entries);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("skin.wsz"));
    Put(path, archive);
    state.counters["archive_KiB"] = double(archive.size()) / 1024;

    TWinampSkin skin;
    PlaylistSkin playlistSkin;
    QImage playlist;
    PlaylistView view;
    view.rowCount = 20;
    view.rowText = [](int row) { return QStringLiteral("%1. Artista - Titolo").arg(row + 1); };
    for (auto _ : state) {
        if (skin.LoadSkin(path) != 0)
            state.SkipWithError("the archive did not load");
        const std::unique_ptr<SkinSource> source = OpenSkinSource(path);
        playlistSkin.Load(*source);
        PaintPlaylistWindow(playlistSkin, view, playlist);
        benchmark::DoNotOptimize(playlist.constBits());
    }
}
BENCHMARK(BM_LoadArchiveSkinAndPaint)->Unit(benchmark::kMillisecond);
