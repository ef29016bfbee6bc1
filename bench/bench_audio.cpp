// CPU time of decoding and mixing, per second of audio, as a ratio to the
// mpg123 command decoding the same file; and the longest device callback.
// The equalizer's ten bands alone, as a share of one core and of decoding.
#include "audio/effectchain.h"
#include "audio/library.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmoro::audio;

namespace {

const std::string kFile = VELMORO_FIXTURE_DIR "/l3-v1-44100-cbr128-id3v2.mp3"; // 12 s
constexpr double kSeconds = 12.0;

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU seconds of `mpg123 -q -w /dev/null FILE`, the best of three runs.
double Mpg123Seconds()
{
    static const double best = [] {
        double fastest = 1e9;
        for (int run = 0; run < 3; ++run) {
            const pid_t pid = fork();
            if (pid == 0) {
                execlp("mpg123", "mpg123", "-q", "-w", "/dev/null", kFile.c_str(),
                       static_cast<char*>(nullptr));
                _exit(127);
            }
            int status = 0;
            rusage usage{};
            wait4(pid, &status, 0, &usage);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
                return 0.0;
            fastest = std::min(fastest, double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                                            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6);
        }
        return fastest;
    }();
    return best;
}

struct Run {
    double cpuSeconds = 0;
    double worstCallbackMicros = 0;
};

// Plays `streams` copies of the file to their end on a manual device in
// 10 ms blocks; with two, they crossfade over the whole file in 1-point steps.
Run PlayThrough(int streams)
{
    auto provider = std::make_unique<ManualProvider>();
    ManualProvider* p = provider.get();
    AudioLibrary lib(std::move(provider), LibraryOptions{false});
    lib.Init(-1, 44100, 0);
    lib.Start();
    const double start = ProcessCpuSeconds();
    std::vector<Handle> handles;
    for (int i = 0; i < streams; ++i) {
        handles.push_back(lib.StreamCreateFile(kFile, kStreamFx | kStreamExactSeek));
        lib.ChannelSetAttributes(handles.back(), -1, i == 0 ? 100 : 0, -101);
        lib.StreamPlay(handles.back(), false, 0);
    }
    Run run;
    const auto blocks = int(kSeconds * 100);
    for (int block = 0; block < blocks; ++block) {
        if (streams == 2 && block % 12 == 0) {
            const int step = block / 12;
            lib.ChannelSetAttributes(handles[0], -1, std::max(0, 100 - step), -101);
            lib.ChannelSetAttributes(handles[1], -1, std::min(100, step), -101);
        }
        lib.Update();
        const auto before = std::chrono::steady_clock::now();
        p->Current()->Step(441);
        const auto micros =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - before);
        run.worstCallbackMicros = std::max(run.worstCallbackMicros, micros.count());
        p->Current()->ClearCaptured();
    }
    run.cpuSeconds = ProcessCpuSeconds() - start;
    return run;
}

void Report(benchmark::State& state, int streams)
{
    double cpu = 0;
    double worst = 0;
    for (auto _ : state) {
        const Run run = PlayThrough(streams);
        cpu += run.cpuSeconds;
        worst = std::max(worst, run.worstCallbackMicros);
    }
    const double perRun = cpu / double(state.iterations());
    state.counters["cpu_ms_per_audio_s"] = perRun / kSeconds * 1000;
    state.counters["ratio_to_mpg123"] = Mpg123Seconds() > 0 ? perRun / Mpg123Seconds() : 0;
    state.counters["worst_callback_us"] = worst;
}

void BM_DecodeAndMixOneStream(benchmark::State& state)
{
    Report(state, 1);
}
BENCHMARK(BM_DecodeAndMixOneStream)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DecodeAndMixTwoStreamsCrossfading(benchmark::State& state)
{
    Report(state, 2);
}
BENCHMARK(BM_DecodeAndMixTwoStreamsCrossfading)->Unit(benchmark::kMillisecond)->Iterations(5);

// The equalizer's preamplifier and ten bands, all moving, over the 12 s of a
// 44.1 kHz stereo stream in the mixer's blocks.
void BM_EqualizerTenBands(benchmark::State& state)
{
    constexpr float kCentres[10] = {80, 170, 310, 600, 1000, 3000, 6000, 12000, 14000, 16000};
    constexpr std::size_t kBlock = 441;
    std::vector<float> samples(kBlock * 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = float((i * 7919) % 20000) - 10000.0f;
    double cpu = 0;
    for (auto _ : state) {
        EffectChain chain;
        chain.Add(1, FxKind::Gain);
        chain.Set(1, {0, 0, -3});
        for (Handle band = 0; band < 10; ++band) {
            chain.Add(band + 2, FxKind::PeakingEq);
            chain.Set(band + 2, {kCentres[band], 3, band % 2 ? 6.0f : -6.0f});
        }
        const double start = ProcessCpuSeconds();
        const auto blocks = int(kSeconds * 100);
        for (int block = 0; block < blocks; ++block) {
            if (block % 10 == 0) // a slider moved every 100 ms: the coefficients glide
                chain.Set(2 + Handle(block / 10 % 10),
                          {kCentres[block / 10 % 10], 3, float(block % 28 - 14)});
            chain.Process(samples.data(), kBlock, 44100);
            benchmark::DoNotOptimize(samples.data());
        }
        cpu += ProcessCpuSeconds() - start;
    }
    const double perRun = cpu / double(state.iterations());
    state.counters["percent_of_a_core"] = perRun / kSeconds * 100;
    state.counters["percent_of_mpg123"] = Mpg123Seconds() > 0 ? perRun / Mpg123Seconds() * 100 : 0;
}
BENCHMARK(BM_EqualizerTenBands)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
