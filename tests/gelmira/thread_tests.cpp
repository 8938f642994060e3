// Parameter changes from other threads while audio runs: every sample uses
// one whole set of designs, never a mix of old and new.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <thread>

#include "chain_reference.h"
#include "tests/support/loaded_plugin.h"

using namespace gelmiratest;

namespace {

// A writer flips the chain between two whole sets while the audio thread
// runs blocks. Replaying the input through the units, each output sample
// must be the one its set before, or the other set from that sample on,
// gives: a torn or late set matches neither.
TEST(GelmiraThreads, EverySampleUsesOneWholeSet) {
    const ChainSettings sets[2] = {makeSettings(100.0f, 0.0f, 1.0f, 4000.0f, 30.0f),
                                   makeSettings(120.0f, 2.0f, 0.6f, 9000.0f, 90.0f)};
    auto chain = std::make_unique<FilterChain>();
    auto publish = [&](int which) {
        chain->change([&](ChainSettings& v) {
            v.stages = sets[which].stages;
            v.mix = sets[which].mix;
        });
    };
    publish(0);

    const int frames = 60000, block = 300;
    std::vector<float> inL = noise(frames, 5), inR = noise(frames, 6, 0.4f);
    std::vector<float> outL(frames), outR(frames);
    std::atomic<bool> done{false};
    std::atomic<int> published{0};
    std::thread writer([&] {
        for (int i = 1; !done.load(); ++i) {
            publish(i & 1);
            published.fetch_add(1);
            std::this_thread::yield();
        }
    });
    for (int at = 0; at < frames; at += block) {
        chain->process(inL.data() + at, inR.data() + at, outL.data() + at, outR.data() + at, block);
        while (at == 0 && published.load() < 3) std::this_thread::yield();
    }
    done = true;
    writer.join();

    ReferenceChain reference;
    int current = 0, switches = 0;
    reference.load(sets[current]);
    for (int i = 0; i < frames; ++i) {
        ReferenceChain same = reference;
        float l, r;
        same.process(inL[i], inR[i], l, r);
        if (l == outL[i] && r == outR[i]) {
            reference = same;
            continue;
        }
        current ^= 1;
        ++switches;
        reference.load(sets[current]);
        reference.process(inL[i], inR[i], l, r);
        ASSERT_EQ(l, outL[i]) << "sample " << i;
        ASSERT_EQ(r, outR[i]) << "sample " << i;
    }
    EXPECT_GT(switches, 0);
}

// Two threads change parameters and read displays through the library while
// a third processes audio.
TEST(GelmiraThreads, HostAndEditorChangesDuringAudio) {
    LoadedPlugin p(PLUGIN_PATH_Gelmira);
    ASSERT_TRUE(p.create());
    hosting::Plugin& plugin = *p.plugin;
    plugin.setParameter(11, 1.0f);
    std::atomic<bool> done{false};
    std::atomic<bool> finite{true};
    std::thread audio([&] {
        std::vector<float> l(512), r(512);
        while (!done.load()) {
            for (int i = 0; i < 512; ++i) l[i] = r[i] = static_cast<float>(std::sin(i * 0.1));
            float* c[2] = {l.data(), r.data()};
            plugin.processReplacing(c, c, 512);
            for (float v : l) finite = finite && std::isfinite(v);
        }
    });
    auto changer = [&](int first) {
        for (int n = 0; n < 2000; ++n) {
            int index = (first + n) % 12;
            plugin.setParameter(index, static_cast<float>((n * 37) % 101) / 100.0f);
            (void)plugin.parameterDisplay((index + 5) % 12);
            (void)plugin.getParameter(index);
        }
    };
    std::thread host(changer, 0), editor(changer, 6);
    host.join();
    editor.join();
    done = true;
    audio.join();
    EXPECT_TRUE(finite.load());
}

}  // namespace
