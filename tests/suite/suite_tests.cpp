// What every plug-in of the suite shares as a host sees it, one row a plug-in:
// identity and flags, texts within their limits, programs, indexes outside
// the range, processing in place and from separate buffers, automation while
// processing, and silence that settles without denormals.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

namespace {

using suite::PluginRow;

class Suite : public ::testing::TestWithParam<PluginRow> {
protected:
    const PluginRow& row() const { return GetParam(); }
    // A fresh instance at 44100 Hz, resumed, as a host starts one.
    std::unique_ptr<LoadedPlugin> start() {
        auto p = std::make_unique<LoadedPlugin>(row().path);
        EXPECT_TRUE(p->create());
        p->plugin->setSampleRate(44100.0f);
        p->plugin->setBlockSize(512);
        p->plugin->resume();
        return p;
    }
};

TEST_P(Suite, IdentityFlagsAndEditorSize) {
    auto p = start();
    AEffect* e = p->plugin->effect();
    EXPECT_EQ(e->uniqueID, row().uniqueId);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->numParams, row().parameters);
    EXPECT_EQ(e->numPrograms, row().programs);
    EXPECT_EQ(e->flags, row().flags);
    EXPECT_EQ(p->plugin->effectName(), row().effectName);
    EXPECT_EQ(p->plugin->vendorString(), row().vendor);
    EXPECT_EQ(p->plugin->productString(), row().product);
    EXPECT_EQ(p->plugin->vendorVersion(), row().vendorVersion);
    EXPECT_LE(p->plugin->probeText(effGetEffectName).touched, kVstMaxEffectNameLen + 1);
    EXPECT_LE(p->plugin->probeText(effGetVendorString).touched, kVstMaxVendorStrLen + 1);
    auto rect = p->plugin->editorRect();
    if (row().editorWidth == 0) {
        EXPECT_FALSE(rect.has_value());
        return;
    }
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->right - rect->left, row().editorWidth);
    EXPECT_EQ(rect->bottom - rect->top, row().editorHeight);
}

// The editor's rectangle is known before it first opens; it opens and closes
// again and again with changes while open and while closed, and an effect
// closed with its editor open frees it.
TEST_P(Suite, EditorOpensAndClosesAgainAndAgain) {
    auto p = start();
    auto rect = p->plugin->editorRect();
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    const int last = row().parameters - 1;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(p->plugin->dispatch(effEditOpen), 1);
        p->plugin->dispatch(effEditIdle);
        p->plugin->setParameter(0, 0.1f * i);
        p->plugin->dispatch(effEditClose);
        p->plugin->setParameter(last, 0.2f * i);  // closed: nothing to show
    }
    p->plugin->dispatch(effEditOpen);
}

TEST_P(Suite, EveryParameterHasANameAndTextsWithinTheirLimits) {
    auto p = start();
    for (int i = 0; i < row().parameters; ++i) {
        const auto name = p->plugin->probeText(effGetParamName, i);
        EXPECT_FALSE(name.text.empty()) << i;
        EXPECT_LE(name.touched, row().nameBytes) << i;
        EXPECT_LE(p->plugin->probeText(effGetParamLabel, i).touched, row().labelBytes) << i;
        for (float v : {0.0f, 0.37f, 1.0f}) {
            p->plugin->setParameter(i, v);
            EXPECT_LE(p->plugin->probeText(effGetParamDisplay, i).touched, row().displayBytes)
                << i << " at " << v;
        }
    }
}

TEST_P(Suite, IndexesOutsideTheRangeAreIgnored) {
    auto p = start();
    const int n = row().parameters;
    std::vector<float> before;
    for (int i = 0; i < n; ++i) before.push_back(p->plugin->getParameter(i));
    for (VstInt32 bad : {-1, n, n + 1000, INT_MIN, INT_MAX}) {
        p->plugin->setParameter(bad, 0.3f);
        EXPECT_EQ(p->plugin->getParameter(bad), 0.0f) << bad;
        for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(p->plugin->probeText(op, bad).touched, 0) << "opcode " << op << " index " << bad;
    }
    for (int i = 0; i < n; ++i) EXPECT_EQ(p->plugin->getParameter(i), before[i]) << i;

    const std::string name = p->plugin->programName();
    for (VstInt32 bad : {-1, row().programs, INT_MAX}) {
        p->plugin->setProgram(bad);
        EXPECT_EQ(p->plugin->program(), 0) << bad;
        EXPECT_EQ(p->plugin->probeText(effGetProgramNameIndexed, bad).touched, 0) << bad;
        EXPECT_FALSE(p->plugin->programNameIndexed(bad).has_value()) << bad;
    }
    EXPECT_EQ(p->plugin->programName(), name);
}

TEST_P(Suite, ProgramsAreSelectedAndNamedWithinTheirLimit) {
    auto p = start();
    EXPECT_EQ(p->plugin->programName(), row().firstProgramName);
    for (int k = 0; k < row().programs; ++k) {
        p->plugin->setProgram(k);
        EXPECT_EQ(p->plugin->program(), k);
        EXPECT_FALSE(p->plugin->programName().empty()) << k;
    }
    // An oversized name is cut at the limit, and no more than the limit is written.
    p->plugin->setProgram(row().programs - 1);
    p->plugin->setProgramName(std::string(300, 'x'));
    const auto stored = p->plugin->probeText(effGetProgramName);
    EXPECT_EQ(stored.touched, row().programNameBytes);
    EXPECT_EQ(stored.text, std::string(row().programNameChars, 'x'));
    p->plugin->setProgramName("Mine");
    EXPECT_EQ(p->plugin->programName(), "Mine");
}

// Settings away from the defaults, so the filters do something.
void setSomething(hosting::Plugin& plugin, int parameters) {
    for (int i = 0; i < parameters; ++i) plugin.setParameter(i, 0.2f + 0.6f * float(i % 4) / 3.0f);
}

template <class Sample>
void expectInPlaceMatchesSeparate(Suite* t, const PluginRow& row) {
    LoadedPlugin a(row.path), b(row.path);
    ASSERT_TRUE(a.create() && b.create());
    for (LoadedPlugin* p : {&a, &b}) {
        p->plugin->setSampleRate(44100.0f);
        p->plugin->resume();
        setSomething(*p->plugin, row.parameters);
    }
    const std::vector<float> noise = testsignal::noise(4096, 0.5, 3);
    std::vector<Sample> l(noise.begin(), noise.end()), r(l.rbegin(), l.rend());
    std::vector<Sample> inL = l, inR = r, outL(l.size(), Sample(9)), outR(l.size(), Sample(9));
    for (size_t at = 0; at < l.size(); at += 500) {  // odd block sizes, last one short
        const int n = int(std::min<size_t>(500, l.size() - at));
        Sample* inPlace[2] = {l.data() + at, r.data() + at};
        Sample* in[2] = {inL.data() + at, inR.data() + at};
        Sample* out[2] = {outL.data() + at, outR.data() + at};
        if constexpr (sizeof(Sample) == 4) {
            a.plugin->processReplacing(inPlace, inPlace, n);
            b.plugin->processReplacing(in, out, n);
        } else {
            a.plugin->processDoubleReplacing(inPlace, inPlace, n);
            b.plugin->processDoubleReplacing(in, out, n);
        }
    }
    EXPECT_EQ(l, outL) << t->GetParam().name;
    EXPECT_EQ(r, outR);
    EXPECT_EQ(std::vector<float>(noise.begin(), noise.end()),
              std::vector<float>(inL.begin(), inL.end()));  // the input is left alone
}

TEST_P(Suite, InPlaceMatchesSeparateBuffers) {
    expectInPlaceMatchesSeparate<float>(this, row());
    if (row().doublePrecision) expectInPlaceMatchesSeparate<double>(this, row());
}

TEST_P(Suite, AutomationWhileProcessingKeepsTheOutputFinite) {
    auto p = start();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(0.0f, 1.0f);
    std::uniform_int_distribution<int> index(0, row().parameters - 1), block(1, 64);
    std::vector<float> l, r;
    int nonFinite = 0;
    for (int step = 0; step < 3000; ++step) {
        for (int k = 0; k < 4; ++k) p->plugin->setParameter(index(random), value(random));
        if (step % 500 == 0) p->plugin->setProgram(step / 500 % row().programs);
        l = testsignal::noise(block(random), 0.5, step);
        r = l;
        p->plugin->processStereo(l, r);
        for (size_t i = 0; i < l.size(); ++i) nonFinite += !std::isfinite(l[i]) + !std::isfinite(r[i]);
    }
    EXPECT_EQ(nonFinite, 0);
}

TEST_P(Suite, SilenceSettlesAndNeverTurnsDenormal) {
    auto p = start();
    setSomething(*p->plugin, row().parameters);
    std::vector<float> l = testsignal::noise(44100, 0.5, 5), r = l;
    p->plugin->processStereo(l, r);
    for (int second = 0; second < 3; ++second) {
        l.assign(44100, 0.0f);
        r.assign(44100, 0.0f);
        p->plugin->processStereo(l, r);
        for (float v : l) ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL) << second;
        for (float v : r) ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL) << second;
    }
    EXPECT_LT(testsignal::rms(l), 1e-6);
    EXPECT_LT(testsignal::rms(r), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Plugins, Suite, ::testing::ValuesIn(suite::plugins()),
                         [](const auto& info) { return suite::rowName(info.param); });

}  // namespace
