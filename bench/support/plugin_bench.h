// Benchmarks of a plug-in through its built library, as a host drives it:
// 48000 Hz, stereo blocks of 512 frames. Reports the time per stereo frame
// ("ns_per_frame", printed with its SI prefix) and the real-time factor.
#pragma once

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hosting/plugin_host.h"

namespace pluginbench {

constexpr int kFrames = 512;
constexpr double kRate = 48000.0;

// Time per stereo frame and seconds of audio per second of work, for
// `frames` frames an iteration.
inline void addFrameCounters(benchmark::State& state, int frames = kFrames) {
    using benchmark::Counter;
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["ns_per_frame"] =
        Counter(frames, Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["realtime_x"] = Counter(frames / kRate, Counter::kIsIterationInvariantRate);
}

// An instance at 48000 Hz and 512-frame blocks, resumed, with the given
// (index, value) settings applied in order.
struct Instance {
    Instance(const char* path, std::initializer_list<std::pair<int, float>> settings) {
        library = hosting::Library::load(path, error);
        if (library) plugin = hosting::Plugin::create(*library, host);
        if (!plugin) {
            if (error.empty()) error = std::string(path) + " built no instance";
            return;
        }
        plugin->setSampleRate(static_cast<float>(kRate));
        plugin->setBlockSize(kFrames);
        plugin->resume();
        for (auto [index, value] : settings) plugin->setParameter(index, value);
    }
    hosting::Host host;
    std::string error;
    std::unique_ptr<hosting::Library> library;
    std::unique_ptr<hosting::Plugin> plugin;
};

// Deterministic noise in [-amplitude, amplitude), one block.
template <class Sample>
std::vector<Sample> noiseBlock(unsigned seed, double amplitude = 0.5) {
    std::vector<Sample> s(kFrames);
    unsigned x = seed;
    for (Sample& v : s) {
        x = x * 1664525u + 1013904223u;
        v = static_cast<Sample>(amplitude * ((x >> 8) / 8388608.0 - 1.0));
    }
    return s;
}

// Processes the same noise block through the 32-bit (float) or 64-bit
// (double) replacing entry for every iteration, then adds the counters.
template <class Sample>
void processBlocks(benchmark::State& state, Instance& instance, double amplitude = 0.5) {
    if (!instance.plugin) {
        state.SkipWithError(instance.error.c_str());
        return;
    }
    const std::vector<Sample> inL = noiseBlock<Sample>(1, amplitude),
                              inR = noiseBlock<Sample>(2, amplitude);
    std::vector<Sample> outL(kFrames), outR(kFrames);
    Sample* in[2] = {const_cast<Sample*>(inL.data()), const_cast<Sample*>(inR.data())};
    Sample* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        if constexpr (sizeof(Sample) == sizeof(float))
            instance.plugin->processReplacing(in, out, kFrames);
        else
            instance.plugin->processDoubleReplacing(in, out, kFrames);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    addFrameCounters(state);
}

}  // namespace pluginbench
