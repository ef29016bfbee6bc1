// The playlist window's work on a list of 10,000 read files: rebuilding the
// rows, sorting by each of the six keys, and the shuffle that reads every
// file again (warm: the files are in the page cache after the first round).
// Then the memory a list of 100,000 entries holds once its rows are built,
// and the window itself over such a list: opened (the rows built, shown and
// painted whole) within 200 ms, and one wheel step repainted within 2 ms.
#include "offscreenapp.h"
#include "playlist/listcommands.h"
#include "playlist/playlistform.h"
#include "playlist/playlistview.h"
#include "support/mpegcraft.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>
#include <random>
#include <unistd.h>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

constexpr int kWindowEntries = 10000;
const QString kRowTemplate = QStringLiteral("[%DF,T%]  %A,T%  - %T,T%");

QByteArray Id3v1(const QByteArray& title, const QByteArray& artist, const QByteArray& album)
{
    const auto field = [](const QByteArray& text) { return text.left(30).leftJustified(30, '\0'); };
    return "TAG" + field(title) + field(artist) + field(album) + "2026" + QByteArray(30, '\0') + '\0' +
           '\x11';
}

// Short MPEG files of 10 to 40 frames with tags of 500 artists and 2,000
// albums, as a music folder holds them; the seed is fixed.
class WindowLibrary {
public:
    WindowLibrary()
    {
        std::mt19937 random(20261209);
        const std::uint32_t header = MakeHeader({});
        for (int i = 0; i < kWindowEntries; ++i) {
            const int artist = int(random() % 500);
            const QByteArray bytes = Frames(header, 417, 10 + int(random() % 31)) +
                                     Id3v1("Brano " + QByteArray::number(int(random() % 100000)),
                                           "Artista " + QByteArray::number(artist),
                                           "Album " + QByteArray::number(artist * 4 + int(random() % 4)));
            m_list.AddFile(WriteFile(
                m_dir.filePath(QStringLiteral("%1 - brano %2.mp3").arg(random() % 100000).arg(i)), bytes));
        }
    }
    TMPEGAudioList& List() { return m_list; }

private:
    QTemporaryDir m_dir;
    TMPEGAudioList m_list;
};

TMPEGAudioList& WindowList()
{
    static WindowLibrary library;
    return library.List();
}

void BM_RefreshRows10000(benchmark::State& state)
{
    TMPEGAudioList& list = WindowList();
    for (auto _ : state)
        benchmark::DoNotOptimize(RefreshRows(list, kRowTemplate));
    state.SetItemsProcessed(state.iterations() * list.Count());
}
BENCHMARK(BM_RefreshRows10000)->Unit(benchmark::kMillisecond);

void BM_SortByKey10000(benchmark::State& state)
{
    TMPEGAudioList& list = WindowList();
    const auto key = SortKey(state.range(0));
    state.SetLabel(SortKeyTemplate(key).toStdString());
    for (auto _ : state) {
        // Each round starts from the order of another key.
        state.PauseTiming();
        SortByKey(list, SortKey((int(key) + 1) % 6));
        state.ResumeTiming();
        SortByKey(list, key);
    }
    state.SetItemsProcessed(state.iterations() * list.Count());
}
BENCHMARK(BM_SortByKey10000)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_Shuffle10000(benchmark::State& state)
{
    TMPEGAudioList& list = WindowList();
    std::mt19937 random(7);
    const auto draw = [&](int n) { return int(random() % unsigned(n)); };
    Shuffle(list, draw); // warms the page cache
    for (auto _ : state)
        benchmark::DoNotOptimize(Shuffle(list, draw));
    state.SetItemsProcessed(state.iterations() * list.Count());
}
BENCHMARK(BM_Shuffle10000)->Unit(benchmark::kMillisecond);

std::int64_t ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

// Records of their own strings each (none shared), with the file names of a
// music folder; the rows built on them hold their own texts too.
TMPEGAudioData BigListRecord(int i)
{
    TMPEGAudioData d;
    d.Header = QStringLiteral("TAG");
    d.Title = QStringLiteral("Brano numero %1").arg(i);
    d.Artist = QStringLiteral("Artista %1").arg(i % 5000);
    d.Album = QStringLiteral("Album %1").arg(i % 20000);
    d.Year = QStringLiteral("2026");
    d.Duration = std::uint16_t(120 + i % 300);
    d.FileLength = 4'000'000 + i;
    d.Version = 1;
    d.Layer = 3;
    d.SampleRate = 44100;
    d.BitRate = 128;
    d.FileName = QStringLiteral("/home/utente/Musica/Artista %1/Album %2/%3 - Brano numero %4.mp3")
                     .arg(i % 5000)
                     .arg(i % 20000)
                     .arg(i % 20 + 1, 2, 10, QLatin1Char('0'))
                     .arg(i);
    d.FileDateTime = 0x5A210000 + i;
    return d;
}

void BM_MemoryPerEntry100000(benchmark::State& state)
{
    constexpr int kBigList = 100000;
    for (auto _ : state) {
        malloc_trim(0);
        const std::int64_t residentBefore = ResidentBytes();
        const std::size_t heapBefore = mallinfo2().uordblks;
        {
            TMPEGAudioList list;
            for (int i = 0; i < kBigList; ++i)
                list.AddRecord(BigListRecord(i));
            RefreshRows(list, kRowTemplate);
            state.counters["resident_bytes_per_entry"] = double(ResidentBytes() - residentBefore) / kBigList;
            state.counters["heap_bytes_per_entry"] = double(mallinfo2().uordblks - heapBefore) / kBigList;
        }
    }
    state.SetItemsProcessed(state.iterations() * kBigList);
}
BENCHMARK(BM_MemoryPerEntry100000)->Unit(benchmark::kMillisecond)->Iterations(1);

constexpr int kWindowBigList = 100000;

using velmoro::bench::NeedOffscreenApplication;

// The player's side, which neither benchmark reaches.
class IdleHost : public PlaylistHost {
public:
    void PlayCurrentEntry() override {}
    void ShowPlayerMenu(QPoint) override {}
    void PointerOverRows() override {}
};

// What the player hands the window: the shared list of 100,000 records (no
// file read), the settings and the folders.
struct WindowSetting {
    WindowSetting()
    {
        NeedOffscreenApplication();
        for (int i = 0; i < kWindowBigList; ++i)
            tracks.Playlist.AddRecord(BigListRecord(i));
    }
    std::unique_ptr<TPlaylistForm> NewForm()
    {
        return std::make_unique<TPlaylistForm>(tracks, settings, appDir, skinsDir, host);
    }

    PlaylistState tracks;
    velmoro::settings::Settings settings;
    const QString appDir = QStringLiteral("/tmp/");
    const QString skinsDir = QStringLiteral("/tmp/Skins/");
    IdleHost host;
};

WindowSetting& BigWindowSetting()
{
    static WindowSetting setting;
    return setting;
}

// From a window made at start-up and still hidden: the rows of the whole
// list built, the window shown and painted whole for the first time.
void BM_OpenWindow100000(benchmark::State& state)
{
    WindowSetting& setting = BigWindowSetting();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TPlaylistForm> form = setting.NewForm();
        state.ResumeTiming();
        form->RefreshPlaylistList();
        form->show();
        benchmark::DoNotOptimize(form->grab());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kWindowBigList);
}
BENCHMARK(BM_OpenWindow100000)->Unit(benchmark::kMillisecond);

// One notch of the wheel over the rows, three rows down, and the rows
// painted again; from the middle of the list, back to it when near the end.
void BM_WheelStep100000(benchmark::State& state)
{
    WindowSetting& setting = BigWindowSetting();
    std::unique_ptr<TPlaylistForm> form = setting.NewForm();
    form->RefreshPlaylistList();
    form->show();
    form->grab();
    const QRect rows = form->PlayListBox->geometry();
    const QPointF inside(rows.width() / 2.0, rows.height() / 2.0);
    form->SelectRow(kWindowBigList / 2);
    for (auto _ : state) {
        if (form->TopRow() > kWindowBigList - 100) {
            state.PauseTiming();
            form->SelectRow(kWindowBigList / 2);
            state.ResumeTiming();
        }
        const int top = form->TopRow();
        QWheelEvent wheel(inside, form->PlayListBox->mapToGlobal(inside), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->PlayListBox, &wheel);
        benchmark::DoNotOptimize(form->grab(rows));
        if (form->TopRow() != top + 3) {
            state.SkipWithError("the wheel did not scroll the rows");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WheelStep100000)->Unit(benchmark::kMicrosecond);

} // namespace
