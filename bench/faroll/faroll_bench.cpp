// Faroll's processing cost through the built library: 48000 Hz, 512-frame
// blocks, every band active. Reports ns per stereo frame and the real-time factor.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "plugin_host.h"

namespace {

constexpr int kFrames = 512;
constexpr double kRate = 48000.0;

struct Instance {
    Instance() {
        std::string error;
        library = hosting::Library::load(PLUGIN_PATH_Faroll, error);
        if (library) plugin = hosting::Plugin::create(*library, host);
        if (!plugin) return;
        plugin->setSampleRate(float(kRate));
        plugin->setBlockSize(kFrames);
        plugin->resume();
        // Every band away from 0 dB so that no section is trivial.
        const float values[] = {0.3f, 0.7f, 0.4f, 1.0f, 1.0f, 1.0f, 0.6f, 0.4f, 0.7f};
        for (int i = 0; i < 9; ++i) plugin->setParameter(i, values[i]);
    }
    hosting::Host host;
    std::unique_ptr<hosting::Library> library;
    std::unique_ptr<hosting::Plugin> plugin;
};

template <class Sample>
void run(benchmark::State& state) {
    Instance f;
    if (!f.plugin) {
        state.SkipWithError("Faroll.so did not load");
        return;
    }
    std::vector<Sample> l(kFrames), r(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        l[i] = Sample(0.5 * std::sin(0.05 * i));
        r[i] = Sample(0.5 * std::sin(0.031 * i));
    }
    Sample* c[2] = {l.data(), r.data()};
    for (auto _ : state) {
        if constexpr (sizeof(Sample) == 4)
            f.plugin->processReplacing(c, c, kFrames);
        else
            f.plugin->processDoubleReplacing(c, c, kFrames);
        benchmark::DoNotOptimize(l.data());
        benchmark::ClobberMemory();
    }
    const double frames = double(state.iterations()) * kFrames;
    state.SetItemsProcessed(int64_t(frames));
    // ns per stereo frame, and seconds of audio per second of processing.
    state.counters["ns_per_frame"] = benchmark::Counter(
        frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_factor"] =
        benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

void BM_Faroll32(benchmark::State& state) { run<float>(state); }
void BM_Faroll64(benchmark::State& state) { run<double>(state); }

BENCHMARK(BM_Faroll32);
BENCHMARK(BM_Faroll64);

}  // namespace
