// The main window repaints on every refresh tick (10 ms by default): the
// time, the position bar and both level meters must cost little, and a full
// paint (skin change, activation, shade mode) must stay well below a frame.
#include "skin/winampskin.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace velmoro::skin;

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "velmoro_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
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
