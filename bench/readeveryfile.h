#pragma once
// The measured loop shared by the track-reading benchmarks: every file read
// as the playlist reads it, counted as items.
#include "trackinfo/mpegaudio.h"

#include <QStringList>
#include <benchmark/benchmark.h>

inline void ReadEveryFile(benchmark::State& state, const QStringList& paths)
{
    for (auto _ : state) {
        for (const QString& path : paths) {
            velmoro::trackinfo::TMPEGAudio track;
            track.SetFileName(path);
            benchmark::DoNotOptimize(track.Data().Duration);
        }
    }
    state.SetItemsProcessed(state.iterations() * paths.size());
}
