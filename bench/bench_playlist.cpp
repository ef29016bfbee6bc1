// The playlist with 10,000 entries: loading an M3U list of existing files
// (each read as AddFile reads it) against the same 10,000 ReadData calls
// alone, sorting by title, and saving the list as M3U. Then lists of a
// million entries, as M3U and PLS: load time and heap bytes per entry.
#include "playlist/mpegaudiolist.h"
#include "support/mpegcraft.h"
#include "trackinfo/mpegaudio.h"

#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "readeveryfile.h"

#include <algorithm>
#include <malloc.h>
#include <random>

using velmoro::playlist::TMPEGAudioList;
using velmoro::trackinfo::TMPEGAudio;
using velmoro::trackinfo::TMPEGAudioData;
using namespace velmoro::test;

namespace {

constexpr int kEntries = 10000;

// 10,000 small MPEG files (20 to 60 frames, most with an ID3v1 tag, some
// after junk) and an M3U list naming them relative to its folder. The seed
// is fixed so every run reads the same.
class Library {
public:
    Library()
    {
        std::mt19937 random(20261208);
        const std::uint32_t header = MakeHeader({}); // MPEG 1 Layer III, 128 kbit/s: frames of 417 bytes
        QByteArray list;
        for (int i = 0; i < kEntries; ++i) {
            QByteArray bytes;
            if (i % 4 == 1)
                bytes.append(QByteArray(int(random() % 2000), '\x13'));
            bytes.append(Frames(header, 417, 20 + int(random() % 40)));
            if (i % 5 != 0)
                bytes.append("TAG" + QByteArray::number(int(random())).leftJustified(30, ' ') +
                             QByteArray(95, 'x'));
            const QString name = QStringLiteral("song%1.mp3").arg(i);
            m_paths << WriteFile(m_dir.filePath(name), bytes);
            list += name.toUtf8() + "\r\n";
        }
        WriteFile(ListPath(), list);
    }
    const QStringList& Paths() const { return m_paths; }
    QString ListPath() const { return m_dir.filePath(QStringLiteral("list.m3u")); }
    QString OutPath() const { return m_dir.filePath(QStringLiteral("out.m3u")); }

private:
    QTemporaryDir m_dir;
    QStringList m_paths;
};

const Library& Files()
{
    static const Library library;
    return library;
}

void BM_ReadData10000(benchmark::State& state)
{
    ReadEveryFile(state, Files().Paths());
}
BENCHMARK(BM_ReadData10000)->Unit(benchmark::kMillisecond);

void BM_LoadM3U10000(benchmark::State& state)
{
    const QString list = Files().ListPath();
    for (auto _ : state) {
        TMPEGAudioList playlist;
        benchmark::DoNotOptimize(playlist.LoadM3U(list));
        if (playlist.Count() != kEntries)
            state.SkipWithError("not every entry was loaded");
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadM3U10000)->Unit(benchmark::kMillisecond);

void BM_Sort10000ByTitle(benchmark::State& state)
{
    std::mt19937 random(42);
    std::vector<TMPEGAudioData> records(kEntries);
    for (TMPEGAudioData& d : records) {
        d.Header = QStringLiteral("TAG");
        d.Title = QString::number(random()).repeated(3).left(30);
        d.FileName = QStringLiteral("/music/") + d.Title + QStringLiteral(".mp3");
    }
    for (auto _ : state) {
        state.PauseTiming();
        TMPEGAudioList playlist;
        for (const TMPEGAudioData& d : records)
            playlist.AddRecord(d);
        playlist.SortMethod = velmoro::playlist::SortByTemplate;
        playlist.SortTemplate = QStringLiteral("%T%");
        state.ResumeTiming();
        playlist.Sort();
        benchmark::DoNotOptimize(playlist.Items(0));
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_Sort10000ByTitle)->Unit(benchmark::kMillisecond);

void BM_SaveM3U10000(benchmark::State& state)
{
    TMPEGAudioList playlist;
    playlist.LoadM3U(Files().ListPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(playlist.SaveM3U(Files().OutPath(), {.relativeNames = true}));
    state.SetItemsProcessed(state.iterations() * playlist.Count());
}
BENCHMARK(BM_SaveM3U10000)->Unit(benchmark::kMillisecond);

constexpr int kMillion = 1'000'000;

// A million short names of missing files, each line once as M3U and once as
// a PLS key: the store's own cost per entry, with little of the file's.
class MillionLists {
public:
    MillionLists()
    {
        QByteArray m3u;
        QByteArray pls = "[playlist]\r\nNumberOfEntries=" + QByteArray::number(kMillion) + "\r\n";
        for (int i = 0; i < kMillion; ++i) {
            const QByteArray name = QByteArray(1, char('a' + i % 26)) + ".mp3";
            m3u += name + "\r\n";
            pls += "File" + QByteArray::number(i + 1) + '=' + name + "\r\nLength" +
                   QByteArray::number(i + 1) + "=-1\r\n";
        }
        WriteFile(M3U(), m3u);
        WriteFile(PLS(), pls);
    }
    QString M3U() const { return m_dir.filePath(QStringLiteral("million.m3u")); }
    QString PLS() const { return m_dir.filePath(QStringLiteral("million.pls")); }

private:
    QTemporaryDir m_dir;
};

const MillionLists& Million()
{
    static const MillionLists lists;
    return lists;
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

void LoadMillion(benchmark::State& state, int (TMPEGAudioList::*load)(const QString&), const QString& list)
{
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        TMPEGAudioList playlist;
        benchmark::DoNotOptimize((playlist.*load)(list));
        if (playlist.Count() != kMillion)
            state.SkipWithError("not every entry was loaded");
        state.counters["heap_bytes_per_entry"] = double(HeapInUse() - before) / kMillion;
    }
    state.SetItemsProcessed(state.iterations() * kMillion);
}

void BM_LoadM3UMillion(benchmark::State& state)
{
    LoadMillion(state, &TMPEGAudioList::LoadM3U, Million().M3U());
}
BENCHMARK(BM_LoadM3UMillion)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadPLSMillion(benchmark::State& state)
{
    LoadMillion(state, &TMPEGAudioList::LoadPLS, Million().PLS());
}
BENCHMARK(BM_LoadPLSMillion)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
