// Parameter changes on one thread while another processes: no data race
// (run under ThreadSanitizer) and the output stays finite throughout.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

namespace {

TEST(IlvaneThreads, AutomationWhileProcessing) {
    LoadedPlugin p(PLUGIN_PATH_Ilvane);
    ASSERT_TRUE(p.create());
    hosting::Plugin& plugin = *p.plugin;
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};

    std::thread automation([&] {
        for (int i = 0; i < 3000 || blocks.load() < 50; ++i) {
            const float v = float(i % 101) / 100.0f;
            plugin.setParameter(0, v);
            plugin.setParameter(1, 1.0f - v);
            if (i % 7 == 0) plugin.setParameter(2, float(i % 2));
            (void)plugin.getParameter(i % 3);
        }
        stop = true;
    });

    bool finite = true;
    std::vector<float> in = testsignal::noise(256, 0.5, 11);
    while (!stop.load()) {
        std::vector<float> l = in, r = in;
        std::vector<double> dl(in.begin(), in.end()), dr = dl;
        plugin.processStereo(l, r);
        plugin.processStereo(dl, dr);
        for (size_t i = 0; i < in.size(); ++i)
            finite = finite && std::isfinite(l[i]) && std::isfinite(r[i]) &&
                     std::isfinite(dl[i]) && std::isfinite(dr[i]);
        blocks.fetch_add(1);
    }
    automation.join();
    EXPECT_TRUE(finite);
    EXPECT_GE(blocks.load(), 50);
}

}  // namespace
