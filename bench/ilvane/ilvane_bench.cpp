// Ilvane's processing entries through the built library, as a host drives
// them: 48000 Hz, 512-frame stereo blocks, both shelves boosted. Reports ns
// per stereo frame (the time per iteration divided by the frames) and the
// real-time factor. Run: make bench, or build/release/bench/ilvane/bench_ilvane.
#include <benchmark/benchmark.h>

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
        library = hosting::Library::load(PLUGIN_PATH_Ilvane, error);
        if (library) plugin = hosting::Plugin::create(*library, host);
        if (plugin) {
            plugin->setSampleRate(static_cast<float>(kRate));
            plugin->setBlockSize(kFrames);
            plugin->resume();
            plugin->setParameter(0, 0.8f);
            plugin->setParameter(1, 0.3f);
        }
    }
    hosting::Host host;
    std::unique_ptr<hosting::Library> library;
    std::unique_ptr<hosting::Plugin> plugin;
};

template <class Sample>
std::vector<Sample> testSignal(unsigned seed) {
    std::vector<Sample> s(kFrames);
    unsigned x = seed;
    for (Sample& v : s) {
        x = x * 1664525u + 1013904223u;
        v = static_cast<Sample>((x >> 8) / 16777216.0 - 0.5);
    }
    return s;
}

void report(benchmark::State& state) {
    const double frames = double(state.iterations()) * kFrames;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    // Seconds per stereo frame (printed with its SI prefix, e.g. "9.9n"),
    // and seconds of audio processed per second of work.
    state.counters["s_per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_factor"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

template <class Sample>
void processBlocks(benchmark::State& state) {
    Instance ilvane;
    if (!ilvane.plugin) {
        state.SkipWithError("Ilvane.so did not load");
        return;
    }
    const std::vector<Sample> inL = testSignal<Sample>(1), inR = testSignal<Sample>(2);
    std::vector<Sample> outL(kFrames), outR(kFrames);
    Sample* in[2] = {const_cast<Sample*>(inL.data()), const_cast<Sample*>(inR.data())};
    Sample* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        if constexpr (sizeof(Sample) == sizeof(float))
            ilvane.plugin->processReplacing(in, out, kFrames);
        else
            ilvane.plugin->processDoubleReplacing(in, out, kFrames);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    report(state);
}

void BM_processReplacing(benchmark::State& state) { processBlocks<float>(state); }
void BM_processDoubleReplacing(benchmark::State& state) { processBlocks<double>(state); }

BENCHMARK(BM_processReplacing);
BENCHMARK(BM_processDoubleReplacing);

}  // namespace
