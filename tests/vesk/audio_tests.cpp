// Audio through the built library, as a host feeds it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "dsp/band_section.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"
#include "plugins/vesk/vesk_design.h"

using namespace vesk;
using namespace dsp;

namespace {

using testsignal::sineGainDb;

class VeskAudio : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vesk.create()); }
    hosting::Plugin& plugin() { return *vesk.plugin; }
    LoadedPlugin vesk{PLUGIN_PATH_Vesk};
};

TEST_F(VeskAudio, FlatSettingsReturnNoiseSampleForSample) {
    std::vector<float> in = testsignal::noise(44100, 0.5, 21);
    std::vector<float> l = in, r = testsignal::noise(44100, 0.5, 22), inR = r;
    testsignal::processBlocks(plugin(), l, r, 500);
    for (size_t i = 0; i < in.size(); ++i) {
        ASSERT_EQ(l[i], in[i]) << i;
        ASSERT_EQ(r[i], inR[i]) << i;
    }
}

TEST_F(VeskAudio, InputAndOutputGains) {
    struct Case {
        int index;
        float value, factor;
    };
    for (const Case c : {Case{0, 1.0f, vesk::gainFactor(1.0f)}, Case{19, 0.0f, vesk::gainFactor(0.0f)}}) {
        SCOPED_TRACE(c.index);
        plugin().setParameter(c.index, c.value);
        std::vector<float> in = testsignal::noise(2000, 0.2, 23), l = in, r = in;
        testsignal::processBlocks(plugin(), l, r);
        for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(l[i], c.factor * in[i]) << i;
        plugin().setParameter(c.index, 0.5f);
    }
    EXPECT_NEAR(vesk::gainFactor(1.0f), 3.981072f, 1e-6);
}

TEST_F(VeskAudio, BandsLiftAndCutAtTheirCentresOnly) {
    plugin().setParameter(12, 1.0f);  // 1000 Hz
    EXPECT_NEAR(sineGainDb(plugin(), 1000, 44100), 12.0, 0.1);
    EXPECT_NEAR(sineGainDb(plugin(), 20, 44100, 2.0, 1.0), 0.0, 0.25);
    EXPECT_NEAR(sineGainDb(plugin(), 21500, 44100), 0.0, 0.3);
    plugin().setParameter(12, 0.5f);
    plugin().setParameter(18, 0.0f);  // 16000 Hz
    EXPECT_NEAR(sineGainDb(plugin(), 16000, 44100), -12.0, 0.1);
    plugin().setParameter(18, 0.5f);
    plugin().setParameter(5, 0.506f);  // 125 Hz, just past the snap
    EXPECT_NEAR(sineGainDb(plugin(), 125, 44100), 0.144, 0.01);
}

// Eighteen sections in order with the designs given, run on noise.
std::vector<float> reference(const BandCoefficients (&design)[vesk::kBandCount],
                             const std::vector<float>& in) {
    BandSection band[vesk::kBandCount];
    for (int i = 0; i < vesk::kBandCount; ++i) band[i].setCoefficients(design[i]);
    std::vector<float> out(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        float l = in[i], r = in[i];
        for (BandSection& s : band) s.processStereo(l, r, l, r);
        out[i] = l;
    }
    return out;
}

TEST_F(VeskAudio, RateChangeReachesOnlyTheBandSetAfterIt) {
    plugin().setParameter(12, 1.0f);  // designed at 44100 Hz
    plugin().setSampleRate(22050.0f);
    plugin().setParameter(5, 0.0f);   // designed at 22050 Hz
    BandCoefficients expected[vesk::kBandCount] = {};
    expected[11] = vesk::designBand(11, vesk::gainFactor(1.0f), 44100.0f);
    expected[4] = vesk::designBand(4, vesk::gainFactor(0.0f), 22050.0f);
    ASSERT_NE(expected[4], vesk::designBand(4, vesk::gainFactor(0.0f), 44100.0f));

    const std::vector<float> in = testsignal::noise(5000, 0.5, 24);
    std::vector<float> l = in, r = in;
    testsignal::processBlocks(plugin(), l, r);
    const std::vector<float> want = reference(expected, in);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(l[i], want[i]) << i;
}

TEST_F(VeskAudio, ProgramChangeRedesignsEveryBandAtTheCurrentRate) {
    plugin().setProgram(2);
    plugin().setParameter(12, 1.0f);
    plugin().setParameter(17, 0.0f);
    plugin().setSampleRate(22050.0f);
    plugin().setProgram(0);
    plugin().setProgram(2);
    BandCoefficients expected[vesk::kBandCount] = {};
    expected[11] = vesk::designBand(11, vesk::gainFactor(1.0f), 22050.0f);
    expected[16] = vesk::designBand(16, vesk::gainFactor(0.0f), 22050.0f);

    const std::vector<float> in = testsignal::noise(3000, 0.5, 28);
    std::vector<float> l = in, r = in;
    testsignal::processBlocks(plugin(), l, r);
    const std::vector<float> want = reference(expected, in);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(l[i], want[i]) << i;
}

TEST_F(VeskAudio, AccumulatingProcessAddsAndReplacingReplaces) {
    plugin().setParameter(0, 1.0f);
    const std::vector<float> in = testsignal::noise(300, 0.2, 25);
    std::vector<float> inR = in;
    std::vector<float> acc0(300, 0.5f), acc1(300, -0.5f), rep0(300, 7.0f), rep1(300, 7.0f);
    float* ins[2] = {const_cast<float*>(in.data()), inR.data()};
    float* accs[2] = {acc0.data(), acc1.data()};
    float* reps[2] = {rep0.data(), rep1.data()};
    plugin().processReplacing(ins, reps, 300);
    LoadedPlugin second(PLUGIN_PATH_Vesk);  // fresh history for the accumulating run
    ASSERT_TRUE(second.create());
    second.plugin->setParameter(0, 1.0f);
    second.plugin->processAccumulating(ins, accs, 300);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(rep0[i], vesk::gainFactor(1.0f) * in[i]);
        ASSERT_EQ(acc0[i], 0.5f + rep0[i]);
        ASSERT_EQ(acc1[i], -0.5f + rep1[i]);
    }
}

TEST_F(VeskAudio, BadHostInputLeavesNothingBrokenForGood) {
    const float nan = std::nanf(""), inf = INFINITY;
    for (float value : {nan, inf, -inf, 1e9f, -1e9f}) {
        for (int i = 0; i < 20; ++i) plugin().setParameter(i, value);
    }
    for (float rate : {nan, 0.0f, -44100.0f, inf, 8000.0f, 1e9f}) {
        plugin().setSampleRate(rate);
        for (int i = 0; i < 20; ++i) plugin().setParameter(i, i % 3 ? 1.0f : 0.0f);
        std::vector<float> l = testsignal::noise(4096, 0.5, 26), r = l;
        l[7] = nan;
        r[9] = inf;
        testsignal::processBlocks(plugin(), l, r, 4096);  // poisoned block
        l = testsignal::noise(20000, 0.5, 27);
        r = l;
        testsignal::processBlocks(plugin(), l, r, 333);
        for (size_t i = 0; i < l.size(); ++i) {
            ASSERT_TRUE(std::isfinite(l[i]) && std::isfinite(r[i])) << rate << " " << i;
        }
        EXPECT_LT(testsignal::rms(l, 10000), 1e4) << rate;  // stable: bounded, whatever the stacked gains
    }
    // Zero-length and odd blocks.
    std::vector<float> l(1, 0.25f), r(1, 0.25f);
    float* ch[2] = {l.data(), r.data()};
    plugin().processReplacing(ch, ch, 0);
    plugin().processReplacing(ch, ch, -5);
    plugin().processReplacing(ch, ch, 1);
    EXPECT_TRUE(std::isfinite(l[0]));
}

}  // namespace
