// The main window repaints on every refresh tick (10 ms by default): the
// time, the position bar and both level meters must cost little, and a full
// paint (skin change, activation, shade mode) must stay well below a frame.
#include "benchskins.h"
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
using velmoro::bench::App;
using velmoro::bench::PaintedSheet;
using velmoro::bench::Put;

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
    const QByteArray archive = velmoro::bench::PaintedSkinArchive(19);
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
