// Tarn as a host sees it: identity, parameters, programs and processing,
// through the built library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/support/exported_symbols.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

namespace {

struct TarnFixture : testing::Test {
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Tarn};
};

using TarnIdentity = TarnFixture;

TEST_F(TarnIdentity, RecordAnnouncesTheEqualiser) {
    AEffect* e = plugin().effect();
    EXPECT_EQ(e->uniqueID, fourCharCode('T', 'a', 'r', 'n'));
    EXPECT_EQ(e->numPrograms, 10);
    EXPECT_EQ(e->numParams, 10);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsCanMono | effFlagsCanReplacing | effFlagsHasEditor);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_EQ(e->processDoubleReplacing, nullptr);
    EXPECT_EQ(plugin().dispatch(effGetVstVersion), 2300);
    EXPECT_EQ(plugin().dispatch(effGetPlugCategory), 0);
    char question[] = "plugAsChannelInsert";
    EXPECT_EQ(plugin().dispatch(effCanDo, 0, 0, question), 0);
    EXPECT_EQ(plugin().probeText(effGetEffectName).touched, 0);
    EXPECT_EQ(plugin().probeText(effGetVendorString).touched, 0);
    EXPECT_EQ(plugin().probeText(effGetProductString).touched, 0);
    EXPECT_EQ(plugin().vendorVersion(), 0);
    EXPECT_EQ(plugin().dispatch(effGetChunk), 0);
}

TEST(TarnLibrary, ExportsMainOnly) {
    EXPECT_EQ(exportedSymbols(PLUGIN_PATH_Tarn), (std::set<std::string>{"main"}));
}

using TarnParameters = TarnFixture;

TEST_F(TarnParameters, NamesLabelsAndDefaultDisplays) {
    struct Row {
        const char* name;
        const char* label;
        const char* display;
        float value;
    };
    const Row rows[10] = {
        {"Low Frequency", "Hz", "20.00000", 0.0f},  {"Mid Frequency", "Hz", "700.0000", 0.0f},
        {"High Frequency", "Hz", "5000.000", 0.0f}, {"Low Q", "Q", "0.100000", 0.0f},
        {"Mid Q", "Q", "0.100000", 0.0f},           {"High Q", "Q", "0.100000", 0.0f},
        {"Low Gain", "dB", "0.000000", 0.5f},       {"Mid Gain", "dB", "0.000000", 0.5f},
        {"High Gain", "dB", "0.000000", 0.5f},      {"Limiter", "Limiter ", "0.000000", 0.0f},
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        // Written whole, and not a byte past the terminator.
        hosting::TextProbe name = plugin().probeText(effGetParamName, i);
        EXPECT_EQ(name.text, rows[i].name);
        EXPECT_EQ(name.touched, int(std::string(rows[i].name).size()) + 1);
        hosting::TextProbe label = plugin().probeText(effGetParamLabel, i);
        EXPECT_EQ(label.text, rows[i].label);
        EXPECT_EQ(label.touched, int(std::string(rows[i].label).size()) + 1);
        hosting::TextProbe display = plugin().probeText(effGetParamDisplay, i);
        EXPECT_EQ(display.text, rows[i].display);
        EXPECT_EQ(display.touched, 9);
        EXPECT_EQ(plugin().getParameter(i), rows[i].value);
    }
}

TEST_F(TarnParameters, DisplaysFollowTheMappingsInSinglePrecision) {
    struct Case {
        int index;
        float value;
        const char* display;
    };
    // Mid Q at 1.0 is 10 only when p·9.9 + 0.1 is rounded to a 32-bit float
    // (in double precision it shows 9.999999).
    for (Case c : {Case{6, 0.0f, "-12.0000"}, Case{7, 1.0f, "12.00000"}, Case{8, 0.25f, "-6.00000"},
                   Case{4, 1.0f, "10.00000"}, Case{3, 0.5f, "5.049999"}, Case{0, 1.0f, "800.0000"},
                   Case{1, 1.0f, "7000.000"}, Case{2, 1.0f, "20000.00"}, Case{2, 0.7f, "15500.00"},
                   Case{9, 0.3f, "0.300000"}, Case{0, -1.0f, "-760.000"}}) {
        plugin().setParameter(c.index, c.value);
        EXPECT_EQ(plugin().parameterDisplay(c.index), c.display) << c.index << " " << c.value;
        EXPECT_EQ(plugin().getParameter(c.index), c.value);
    }
}

TEST_F(TarnParameters, IndexesOutsideTheTableAreIgnored) {
    for (int index : {-1, 10, 1000}) {
        plugin().setParameter(index, 0.9f);
        EXPECT_EQ(plugin().getParameter(index), 0.0f);
        EXPECT_EQ(plugin().probeText(effGetParamName, index).touched, 0);
        EXPECT_EQ(plugin().probeText(effGetParamLabel, index).touched, 0);
        EXPECT_EQ(plugin().probeText(effGetParamDisplay, index).touched, 0);
    }
    for (int i = 0; i < 10; ++i) EXPECT_EQ(plugin().getParameter(i), i >= 6 && i < 9 ? 0.5f : 0.0f);
}

using TarnPrograms = TarnFixture;

TEST_F(TarnPrograms, NamesAreNumberedOnlyWhileTheyAreTheDefault) {
    for (int i = 0; i < 10; ++i) {
        plugin().setProgram(i);
        EXPECT_EQ(plugin().programName(), "Tarn Preset " + std::to_string(i + 1));
        EXPECT_EQ(plugin().programNameIndexed(i), std::optional<std::string>("Tarn Preset"));
    }
    EXPECT_EQ(plugin().programNameIndexed(10), std::nullopt);
    EXPECT_EQ(plugin().programNameIndexed(-1), std::nullopt);
    EXPECT_EQ(plugin().probeText(effGetProgramNameIndexed, 10).touched, 0);

    plugin().setProgram(3);
    plugin().setProgramName("Vocal");
    EXPECT_EQ(plugin().programName(), "Vocal");
    EXPECT_EQ(plugin().programNameIndexed(3), std::optional<std::string>("Vocal"));
    plugin().setProgram(4);
    EXPECT_EQ(plugin().programName(), "Tarn Preset 5");
    // A long name keeps its first 23 characters; the host's 24 bytes suffice.
    plugin().setProgramName("A name far longer than twenty-four bytes");
    hosting::TextProbe probe = plugin().probeText(effGetProgramName);
    EXPECT_EQ(probe.text, "A name far longer than ");
    EXPECT_LE(probe.touched, 24);
    EXPECT_LE(plugin().probeText(effGetProgramNameIndexed, 4).touched, 24);
}

TEST_F(TarnPrograms, EachProgramKeepsItsLastEditedValues) {
    plugin().setProgram(2);
    plugin().setParameter(7, 0.9f);
    plugin().setParameter(9, 0.3f);
    plugin().setProgram(0);
    EXPECT_EQ(plugin().getParameter(7), 0.5f);
    EXPECT_EQ(plugin().getParameter(9), 0.0f);
    plugin().setProgram(2);
    EXPECT_EQ(plugin().getParameter(7), 0.9f);
    EXPECT_EQ(plugin().getParameter(9), 0.3f);
    EXPECT_EQ(plugin().parameterDisplay(7), "9.599999");
}

TEST_F(TarnPrograms, ChangingProgramRedesignsTheFilters) {
    plugin().setProgram(1);
    plugin().setParameter(7, 1.0f);  // Mid Gain +12 dB, twice
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 700.0, 44100.0), 24.0, 0.1);
    plugin().setProgram(0);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 700.0, 44100.0), 0.0, 0.01);
    plugin().setProgram(1);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 700.0, 44100.0), 24.0, 0.1);
}

using TarnProcessing = TarnFixture;

TEST_F(TarnProcessing, DefaultsPassNoiseUnchanged) {
    std::vector<float> in = testsignal::noise(20000, 0.5, 5);
    std::vector<float> left = in, right = in;
    testsignal::processBlocks(plugin(), left, right, 333);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(left[i], in[i]) << i;
    EXPECT_EQ(right, in);
}

TEST_F(TarnProcessing, EachBandAtFullGainLiftsItsCentreBy24Db) {
    struct Band {
        int gain;
        double hz;
    };
    for (Band b : {Band{6, 20.0}, Band{7, 700.0}, Band{8, 5000.0}}) {
        for (float value : {1.0f, 0.0f}) {
            plugin().setParameter(b.gain, value);
            EXPECT_NEAR(testsignal::sineGainDb(plugin(), b.hz, 44100.0, 2.0, 1.0),
                        value == 1.0f ? 24.0 : -24.0, 0.1)
                << b.hz << " Hz";
            plugin().setParameter(b.gain, 0.5f);
        }
    }
}

TEST_F(TarnProcessing, LimiterSwitchesOnForAnyValueButZero) {
    auto lastOfConstantHalf = [&] {
        std::vector<float> left(3000, 0.5f), right(3000, 0.5f);
        testsignal::processBlocks(plugin(), left, right);
        return left.back();
    };
    EXPECT_EQ(lastOfConstantHalf(), 0.5f);
    plugin().setParameter(9, 0.3f);
    EXPECT_NEAR(lastOfConstantHalf(), 0.46083f, 1e-5);
    EXPECT_EQ(plugin().getParameter(9), 0.3f);
    plugin().setParameter(9, 0.0f);
    EXPECT_EQ(lastOfConstantHalf(), 0.5f);
}

TEST_F(TarnProcessing, AccumulatingProcessAddsAndReplacingReplaces) {
    plugin().setParameter(7, 0.8f);
    plugin().setParameter(9, 1.0f);
    std::vector<float> inL = testsignal::noise(700, 0.7, 1), inR = testsignal::noise(700, 0.7, 2);
    // Two instances in step: one replacing, one accumulating onto 0.25.
    LoadedPlugin other(PLUGIN_PATH_Tarn);
    ASSERT_TRUE(other.create());
    other.plugin->setParameter(7, 0.8f);
    other.plugin->setParameter(9, 1.0f);
    std::vector<float> repL(700, 9.0f), repR(700, 9.0f), accL(700, 0.25f), accR(700, 0.25f);
    float* in[2] = {inL.data(), inR.data()};
    float* rep[2] = {repL.data(), repR.data()};
    float* acc[2] = {accL.data(), accR.data()};
    plugin().processReplacing(in, rep, 700);
    other.plugin->processAccumulating(in, acc, 700);
    for (int i = 0; i < 700; ++i) {
        ASSERT_EQ(accL[i], 0.25f + repL[i]) << i;
        ASSERT_EQ(accR[i], 0.25f + repR[i]) << i;
    }
}

TEST_F(TarnProcessing, ARateChangeAloneRedesignsNothing) {
    plugin().setParameter(7, 1.0f);  // designed at 44100 Hz: 700 Hz lifted
    plugin().setSampleRate(22050.0f);
    // The old design now peaks at half the frequency.
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 350.0, 22050.0), 24.0, 0.1);
    plugin().setParameter(0, 0.0f);  // any parameter fetches the new rate
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 700.0, 22050.0), 24.0, 0.1);
}

// Hostile values a host may send: the output stays finite and bounded.
TEST_F(TarnProcessing, HostileParametersAndRatesKeepTheOutputFinite) {
    const float values[] = {NAN, INFINITY, -INFINITY, -5.0f, 1e9f, 0.3746f, 2.0f};
    for (int index = 0; index < 10; ++index) {
        for (float v : values) {
            plugin().setParameter(index, v);
            std::vector<float> left = testsignal::noise(2048, 0.5, 3), right = left;
            testsignal::processBlocks(plugin(), left, right, 256);
            for (float x : left) ASSERT_TRUE(std::isfinite(x)) << index << " " << v;
            EXPECT_EQ(std::isnan(v) ? 1 : 0, std::isnan(plugin().getParameter(index)) ? 1 : 0);
        }
        plugin().setParameter(index, index >= 6 && index < 9 ? 0.5f : 0.0f);
    }
    // Bandwidths at and above half the rate; rates a host should never send.
    plugin().setParameter(2, 1.0f);
    plugin().setParameter(5, 1.0f);
    for (float rate : {40000.0f, 32000.0f, 8000.0f, 0.0f, -44100.0f, NAN, INFINITY}) {
        plugin().setSampleRate(rate);
        plugin().setParameter(8, 0.9f);
        std::vector<float> left = testsignal::noise(8192, 0.5, 4), right = left;
        testsignal::processBlocks(plugin(), left, right);
        double peak = 0;
        for (float x : left) {
            ASSERT_TRUE(std::isfinite(x)) << rate;
            peak = std::max(peak, double(std::fabs(x)));
        }
        EXPECT_LT(peak, 100.0) << rate;
    }
}

TEST_F(TarnProcessing, NonFiniteSamplesDoNotSilenceLaterBlocks) {
    plugin().setParameter(6, 0.9f);
    std::vector<float> left = {NAN, INFINITY, 0.5f}, right = {0.5f, -INFINITY, NAN};
    testsignal::processBlocks(plugin(), left, right);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 1000.0, 44100.0), 0.0, 1.0);
}

// Automation jumping across the whole range every few samples can drive the
// bands past any audio level; the host still gets only finite samples, and
// once the values hold still the equaliser sounds as a fresh one would.
TEST_F(TarnProcessing, WildAutomationNeverReachesTheHostAsNonFinite) {
    hosting::Plugin& q = *p.plugin;
    for (int n = 0; n < 20000; ++n) {
        std::vector<float> l = testsignal::sine(100.0, 44100.0, 16), r = l;
        testsignal::processBlocks(q, l, r, 16);
        for (float s : l) ASSERT_TRUE(std::isfinite(s)) << "step " << n;
        q.setParameter(n % 9, static_cast<float>((n * 37) % 101) / 100.0f);
    }
    LoadedPlugin fresh(PLUGIN_PATH_Tarn);
    ASSERT_TRUE(fresh.create());
    for (int index = 0; index < 10; ++index) fresh.plugin->setParameter(index, q.getParameter(index));
    std::vector<float> l = testsignal::sine(100.0, 44100.0, 44100), r = l, fl = l, fr = l;
    testsignal::processBlocks(q, l, r);
    testsignal::processBlocks(*fresh.plugin, fl, fr);
    EXPECT_NEAR(20 * std::log10(testsignal::rms(l, 22050) / testsignal::rms(fl, 22050)), 0.0, 0.1);
}

}  // namespace
