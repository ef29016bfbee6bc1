// Every playlist row is formatted from its template, so a long playlist
// repaints only as fast as this runs.
#include "trackinfo/mpegaudio.h"
#include "trackinfo/templates.h"

#include <benchmark/benchmark.h>

using namespace velmoro::trackinfo;

static void BM_TemplatePlaylistRow(benchmark::State& state)
{
    TMPEGAudioData d;
    d.Header = QStringLiteral("TAG");
    d.Title = QStringLiteral("Smells Like Teen Spirit");
    d.Artist = QStringLiteral("Nirvana");
    d.Duration = 301;
    d.FileName = QStringLiteral("/home/user/Music/Nirvana - Smells Like Teen Spirit.mp3");
    TMPEGAudio track;
    track.SetData(d);
    const QString templ = QStringLiteral("[%DF,T%]  %A,T%  - %T,T%");

    for (auto _ : state)
        benchmark::DoNotOptimize(FormatTemplate(&track, templ));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TemplatePlaylistRow);
