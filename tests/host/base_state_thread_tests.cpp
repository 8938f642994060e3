// The host sets the rate, block size and program on one thread while another
// thread reads them (as parameter changes do): no race, no torn value.
#include <gtest/gtest.h>

#include <thread>

#include "tests/host/fixture/fixture_notes.h"
#include "tests/support/loaded_plugin.h"

namespace {

TEST(BaseStateThreads, RateBlockSizeAndProgramReadWhileTheHostSetsThem) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    hosting::Plugin& plugin = *p.plugin;
    std::thread host([&] {
        for (int i = 0; i < 5000; ++i) {
            plugin.setSampleRate(i & 1 ? 48000.0f : 44100.0f);
            plugin.setBlockSize(i & 1 ? 256 : 512);
            plugin.setProgram(i % 3);
        }
    });
    bool sane = true;
    for (int i = 0; i < 5000; ++i) {
        VstIntPtr rate = plugin.dispatch(effVendorSpecific, kQuerySampleRate);
        VstIntPtr size = plugin.dispatch(effVendorSpecific, kQueryBlockSize);
        VstInt32 program = plugin.program();
        sane = sane && (rate == 44100 || rate == 48000) && size >= 256 && size <= 1024 &&
               program >= 0 && program < 3;
    }
    host.join();
    EXPECT_TRUE(sane);
}

}  // namespace
