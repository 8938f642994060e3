// Hoverin through its library at 48000 Hz in 512-frame stereo blocks, in both
// precisions, with feedback and the fastest sweep so every path is live.
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
        library = hosting::Library::load(PLUGIN_PATH_Hoverin, error);
        if (library) plugin = hosting::Plugin::create(*library, host);
        if (plugin) {
            plugin->setSampleRate(static_cast<float>(kRate));
            plugin->setBlockSize(kFrames);
            plugin->resume();
            plugin->setParameter(1, 0.6f);  // Feedback
            plugin->setParameter(2, 1.0f);  // Rate "16/1"
            plugin->setParameter(3, 0.5f);  // Range
        }
    }
    hosting::Host host;
    std::unique_ptr<hosting::Library> library;
    std::unique_ptr<hosting::Plugin> plugin;
};

template <class Sample>
void processStereoBlocks(benchmark::State& state) {
    Instance instance;
    if (!instance.plugin) {
        state.SkipWithError("Hoverin did not load");
        return;
    }
    std::vector<Sample> inL(kFrames), inR(kFrames), outL(kFrames), outR(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        inL[i] = static_cast<Sample>(((i * 7919) % 1000) / 1000.0 - 0.5);
        inR[i] = static_cast<Sample>(((i * 104729) % 1000) / 1000.0 - 0.5);
    }
    Sample* in[2] = {inL.data(), inR.data()};
    Sample* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        if constexpr (sizeof(Sample) == sizeof(float))
            instance.plugin->processReplacing(in, out, kFrames);
        else
            instance.plugin->processDoubleReplacing(in, out, kFrames);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    const double frames = static_cast<double>(state.iterations()) * kFrames;
    // Time per stereo frame (shown in ns) and seconds of audio per second of CPU.
    state.counters["per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_factor"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

void BM_Hoverin32(benchmark::State& state) { processStereoBlocks<float>(state); }
void BM_Hoverin64(benchmark::State& state) { processStereoBlocks<double>(state); }

}  // namespace

BENCHMARK(BM_Hoverin32);
BENCHMARK(BM_Hoverin64);
