// Vesk's processReplacing at 48000 Hz in 512-frame blocks with every band off
// centre, through the built library; and, for comparison, eighteen
// BandSections one after the other.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "dsp/band_section.h"
#include "bench/support/plugin_bench.h"
#include "plugins/vesk/vesk_design.h"

using namespace vesk;
using namespace dsp;

namespace {

using pluginbench::kFrames;
using pluginbench::kRate;

float offCentre(int index) { return index % 2 ? 0.8f : 0.2f; }

void BM_VeskProcessReplacing(benchmark::State& state) {
    pluginbench::Instance instance(PLUGIN_PATH_Vesk, {{0, 0.45f}, {19, 0.55f}});
    if (instance.plugin)
        for (int i = 1; i <= 18; ++i) instance.plugin->setParameter(i, offCentre(i));
    pluginbench::processBlocks<float>(state, instance);
}
BENCHMARK(BM_VeskProcessReplacing);

void BM_EighteenBandSectionsInTurn(benchmark::State& state) {
    BandSection band[vesk::kBandCount];
    for (int i = 0; i < vesk::kBandCount; ++i)
        band[i].setCoefficients(
            vesk::designBand(i, vesk::gainFactor(offCentre(i + 1)), static_cast<float>(kRate)));
    std::vector<float> inL = pluginbench::noiseBlock<float>(1), inR = pluginbench::noiseBlock<float>(2);
    std::vector<float> outL(kFrames), outR(kFrames);
    for (auto _ : state) {
        for (int n = 0; n < kFrames; ++n) {
            float l = inL[n], r = inR[n];
            for (BandSection& s : band) s.processStereo(l, r, l, r);
            outL[n] = l;
            outR[n] = r;
        }
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    pluginbench::addFrameCounters(state);
}
BENCHMARK(BM_EighteenBandSectionsInTurn);

}  // namespace
