// Hoverin with its parameters automated on other threads while audio runs.
// Run under ThreadSanitizer as well: no access may race.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

namespace {

TEST(HoverinThreads, AutomationOfEveryParameterWhileAudioRuns) {
    LoadedPlugin p(PLUGIN_PATH_Hoverin);
    ASSERT_TRUE(p.create());
    hosting::Plugin& plugin = *p.plugin;
    std::atomic<bool> done{false};
    std::atomic<int> nonFinite{0};

    std::thread audio([&] {
        std::vector<float> in = testsignal::noise(512, 0.5, 11);
        int n = 0;
        while (!done.load(std::memory_order_relaxed) || n < 50) {
            if (n % 2) {
                std::vector<float> l = in, r = in;
                plugin.processStereo(l, r);
                for (float v : l) nonFinite += !std::isfinite(v);
            } else {
                std::vector<double> l(in.begin(), in.end()), r = l;
                plugin.processStereo(l, r);
                for (double v : r) nonFinite += !std::isfinite(v);
            }
            ++n;
        }
    });
    // The host's automation, and the editor's thread at once.
    auto automate = [&](std::uint32_t seed) {
        std::vector<float> values = testsignal::noise(3000, 0.75, seed);
        for (size_t i = 0; i < values.size(); ++i)
            plugin.setParameter(static_cast<VstInt32>(i % 7), values[i] + 0.5f);  // -0.25 ... 1.25
    };
    std::thread editor(automate, 21);
    std::thread reader([&] {
        while (!done.load(std::memory_order_relaxed))
            for (VstInt32 i = 0; i < 6; ++i) {
                plugin.getParameter(i);
                plugin.parameterDisplay(i);
            }
    });
    automate(22);
    editor.join();
    done = true;
    audio.join();
    reader.join();
    EXPECT_EQ(nonFinite.load(), 0);
}

}  // namespace
