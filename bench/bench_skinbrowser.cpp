// A click on a skin in the skin browser: the archive read, the preview
// loaded and painted whole, the readme shown. The preview must show within
// one frame (16.7 ms) of the click; the clicks alternate between two skins,
// so that every one loads a skin that is not on show.
#include "benchskins.h"
#include "options/skinbrowserform.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace velmoro;

namespace {

// The player's windows are not part of a preview.
struct NoWindows : options::SkinTarget {
    int LoadPlayerSkin(const QString&) override { return 0; }
    void ReloadOtherSkins() override {}
};

} // namespace

static void BM_SkinBrowserPreviewClick(benchmark::State& state)
{
    bench::App();
    QTemporaryDir dir;
    app::PlayerState player;
    player.Dirs.SkinsDir = dir.path() + '/';
    player.Dirs.SkinDir = player.Dirs.SkinsDir + "[Default]";
    const QByteArray readme = QByteArray("Una skin di prova, con le sue note.\n").repeated(200);
    for (unsigned seed : {1u, 2u})
        bench::Put(dir.filePath(QStringLiteral("Skin%1.wsz").arg(seed)),
                   bench::PaintedSkinArchive(seed, {{QStringLiteral("Skin/readme.txt"), readme}}));
    settings::Settings settings;
    NoWindows windows;
    options::TSkinBrowserForm browser(player, settings, windows);
    browser.FillList();
    if (browser.SkinList->count() != 2)
        state.SkipWithError("the skins are not listed");
    int row = 0;
    for (auto _ : state) {
        browser.SkinList->setCurrentRow(row);
        browser.SkinListClick();
        benchmark::DoNotOptimize(browser.SkinPreview().Canvas().constBits());
        row = 1 - row;
    }
    if (browser.ReadmeSkin->toPlainText().isEmpty())
        state.SkipWithError("the readme is not shown");
    state.counters["frame_ms"] = 1000.0 / 60;
}
BENCHMARK(BM_SkinBrowserPreviewClick)->Unit(benchmark::kMillisecond);
