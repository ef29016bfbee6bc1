// ReadData over a folder of 2,000 generated files, against the raw I/O that
// any reader of them must do (open, read the first 64 KiB and the last 128
// bytes, close). Both run on a warm cache; compare their items per second.
// Then one hostile file: 31 MB of frame headers every four bytes, none
// confirmed, which the default search limit must cut short (goal: < 100 ms).
#include "support/mpegcraft.h"
#include "trackinfo/mpegaudio.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "readeveryfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <random>
#include <vector>

using velmoro::trackinfo::TMPEGAudio;
using namespace velmoro::test;

namespace {

constexpr int kFiles = 2000;

// Files of 100 to 400 KB: half start with an ID3v2 tag, a quarter with junk,
// most end with an ID3v1 tag. The seed is fixed so every run reads the same.
class Library {
public:
    Library()
    {
        std::mt19937 random(20261208);
        const std::uint32_t header = MakeHeader({}); // MPEG 1 Layer III, 128 kbit/s: frames of 417 bytes
        for (int i = 0; i < kFiles; ++i) {
            QByteArray bytes;
            if (i % 2 == 0)
                bytes = Id3v2Tag(2000 + int(random() % 60000), 'p');
            if (i % 4 == 1)
                bytes.append(QByteArray(int(random() % 3000), '\x13'));
            bytes.append(Frames(header, 417, 240 + int(random() % 720)));
            if (i % 5 != 0)
                bytes.append("TAG" + QByteArray(125, 'x'));
            m_paths << WriteFile(m_dir.filePath(QStringLiteral("song%1.mp3").arg(i)), bytes);
        }
    }
    const QStringList& Paths() const { return m_paths; }

private:
    QTemporaryDir m_dir;
    QStringList m_paths;
};

const Library& Files()
{
    static const Library library;
    return library;
}

void BM_ReadDataFolder(benchmark::State& state)
{
    ReadEveryFile(state, Files().Paths());
}
BENCHMARK(BM_ReadDataFolder)->Unit(benchmark::kMillisecond);

void BM_RawIOFolder(benchmark::State& state)
{
    std::vector<QByteArray> names;
    for (const QString& path : Files().Paths())
        names.push_back(QFile::encodeName(path));
    std::vector<char> buffer(64 * 1024);
    for (auto _ : state) {
        for (const QByteArray& name : names) {
            const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
            benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
            const off_t size = ::lseek(fd, 0, SEEK_END);
            benchmark::DoNotOptimize(::pread(fd, buffer.data(), 128, size - 128));
            ::close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(names.size()));
}
BENCHMARK(BM_RawIOFolder)->Unit(benchmark::kMillisecond);

void BM_ReadDataFalseSyncs(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray falseSyncs = HeaderBytes(MakeHeader({})).repeated(31 * 1000 * 1000 / 4);
    const QStringList paths{WriteFile(dir.filePath(QStringLiteral("false-syncs.mp3")), falseSyncs)};
    ReadEveryFile(state, paths);
}
BENCHMARK(BM_ReadDataFalseSyncs)->Unit(benchmark::kMillisecond);

} // namespace
