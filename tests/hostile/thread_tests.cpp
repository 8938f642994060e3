// Two threads automate (legal values, one change in seven a program change)
// while a third processes one-frame blocks, so that changes land between
// almost every pair of samples: never a non-finite sample, and (under
// ThreadSanitizer) no race.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
#include "tools/hostile/hostile.h"

namespace {

using suite::PluginRow;

class ThreadedAutomation : public ::testing::TestWithParam<PluginRow> {};

TEST_P(ThreadedAutomation, TwoAutomatingThreadsNeverMakeTheOutputNonFinite) {
    const PluginRow& row = GetParam();
    LoadedPlugin p(row.path);
    ASSERT_TRUE(p.create());
    hosting::Plugin& plugin = *p.plugin;
    AEffect* e = plugin.effect();
    plugin.setSampleRate(44100.0f);
    plugin.setBlockSize(64);
    plugin.resume();

    std::atomic<bool> done{false};
    auto automate = [&](std::uint64_t seed) {
        hostile::Rng rng(seed);
        while (!done.load(std::memory_order_relaxed)) {
            if (rng.oneIn(7))
                plugin.dispatch(effSetProgram, 0, rng.below(static_cast<std::uint32_t>(e->numPrograms)));
            else
                plugin.setParameter(static_cast<VstInt32>(rng.below(static_cast<std::uint32_t>(e->numParams))),
                                    static_cast<float>(rng.unit()));
        }
    };
    std::thread first(automate, 1), second(automate, 2);

    hostile::Rng rng(3);
    std::vector<float> l(64), r(64);
    long nonFinite = 0, firstBad = -1, frames = 0;
    double peak = 0;
    while (frames < 200000) {
        const int n = 1;
        l.resize(n);
        r.resize(n);
        for (int k = 0; k < n; ++k) {
            l[k] = static_cast<float>(rng.unit() - 0.5);
            r[k] = static_cast<float>(rng.unit() - 0.5);
        }
        plugin.processStereo(l, r);
        for (int k = 0; k < n; ++k) {
            for (float v : {l[k], r[k]}) {
                if (!std::isfinite(v)) {
                    if (nonFinite++ == 0) firstBad = frames + k;
                } else {
                    peak = std::max(peak, double(std::fabs(v)));
                }
            }
        }
        frames += n;
    }
    done = true;
    first.join();
    second.join();
    EXPECT_EQ(nonFinite, 0) << "first non-finite sample at frame " << firstBad;
    std::printf("%s: peak %.4g over %ld frames, %ld non-finite samples\n", row.name, peak, frames, nonFinite);
}

INSTANTIATE_TEST_SUITE_P(Plugins, ThreadedAutomation, ::testing::ValuesIn(suite::plugins()),
                         [](const auto& info) { return suite::rowName(info.param); });

}  // namespace
