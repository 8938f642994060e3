// The entry point and the host record, through the built libraries.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/host/fixture/fixture_notes.h"
#include "tests/support/loaded_plugin.h"

namespace {

struct Generation {
    const char* path;
    bool v24;
};

class FreshRecord : public ::testing::TestWithParam<Generation> {};

TEST_P(FreshRecord, HoldsTheBaseValues) {
    LoadedPlugin p(GetParam().path);
    ASSERT_TRUE(p.create());
    AEffect* e = p.plugin->effect();
    EXPECT_EQ(e->magic, fourCharCode('V', 's', 't', 'P'));
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->numPrograms, 3);
    EXPECT_EQ(e->numParams, 2);
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->resvd1, 0);
    EXPECT_EQ(e->resvd2, 0);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_NE(e->object, nullptr);
    EXPECT_EQ(e->uniqueID, fourCharCode('N', 'o', 'E', 'f'));
    const char zeros[sizeof(e->future)] = {};
    EXPECT_EQ(std::memcmp(e->future, zeros, sizeof(zeros)), 0);
    ASSERT_NE(e->dispatcher, nullptr);
    ASSERT_NE(e->process, nullptr);
    ASSERT_NE(e->processReplacing, nullptr);
    if (GetParam().v24) {
        EXPECT_NE(e->processDoubleReplacing, nullptr);
        EXPECT_EQ(e->flags, effFlagsCanReplacing);
    } else {
        EXPECT_EQ(e->processDoubleReplacing, nullptr);
        EXPECT_EQ(e->flags, 0);
    }
    // Before the host sets them: 44100 Hz and 1024 frames.
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQuerySampleRate), 44100);
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryBlockSize), 1024);
    p.plugin->setSampleRate(48000.0f);
    p.plugin->setBlockSize(256);
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQuerySampleRate), 48000);
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryBlockSize), 256);
}

INSTANTIATE_TEST_SUITE_P(BothGenerations, FreshRecord,
                         ::testing::Values(Generation{PLUGIN_PATH_Bare24, true},
                                           Generation{PLUGIN_PATH_Bare23, false}));

TEST(EntryPoint, HostVersionZeroBuildsNothing) {
    for (const char* path : {PLUGIN_PATH_Fixture24, PLUGIN_PATH_Fixture23}) {
        LoadedPlugin p(path);
        p.host.versionAnswer = 0;
        EXPECT_FALSE(p.create());
        // Only the version question was asked: createEffectInstance never ran.
        auto calls = p.host.calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].opcode, audioMasterVersion);
        EXPECT_EQ(calls[0].effect, nullptr);
    }
}

TEST(EntryPoint, FactoryFailureGivesNull) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    p.host.answer = [](const hosting::HostCall& c) -> VstIntPtr {
        return c.opcode == audioMasterCanDo &&
               std::strcmp(static_cast<char*>(c.ptr), "fixtureNoInstance") == 0;
    };
    EXPECT_FALSE(p.create());
}

TEST(EntryPoint, OutOfMemoryFlagDiscardsThe23Effect) {
    LoadedPlugin p(PLUGIN_PATH_Fixture23);
    p.host.answer = [](const hosting::HostCall& c) -> VstIntPtr {
        return c.opcode == audioMasterCanDo &&
               std::strcmp(static_cast<char*>(c.ptr), "fixtureFailEditor") == 0;
    };
    EXPECT_FALSE(p.create());
    EXPECT_TRUE(p.noted(kNoteDestroyed));
    // The flag does not outlive the failed attempt.
    p.host.answer = nullptr;
    EXPECT_TRUE(p.create());
}

TEST(EntryPoint, ExportsTheEntryOfItsGeneration) {
    LoadedPlugin p24(PLUGIN_PATH_Fixture24);
    EXPECT_STREQ(p24.library->entryName(), "VSTPluginMain");
    LoadedPlugin p23(PLUGIN_PATH_Fixture23);
    EXPECT_STREQ(p23.library->entryName(), "main");
}

TEST(Record, EffCloseReturnsOneAndDestroysEffectAndEditor) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    EXPECT_EQ(p.plugin->close(), 1);
    EXPECT_EQ(p.notes(), (std::vector<VstInt32>{kNoteClose, kNoteDestroyed, kNoteEditorDestroyed}));
}

TEST(Record, ProcessEntriesReachTheEffect) {
    LoadedPlugin p24(PLUGIN_PATH_Bare24);
    ASSERT_TRUE(p24.create());
    std::vector<float> in{1.0f, -0.5f, 0.25f}, out0(3, 9.0f), out1(3, 9.0f);
    float* ins[1] = {in.data()};
    float* outs[2] = {out0.data(), out1.data()};
    p24.plugin->processReplacing(ins, outs, 3);
    EXPECT_EQ(out0, (std::vector<float>{3.0f, -1.5f, 0.75f}));
    EXPECT_EQ(out1, out0);
    // The deprecated accumulating entry and the default 64-bit one leave outputs alone.
    p24.plugin->processAccumulating(ins, outs, 3);
    EXPECT_EQ(out0, (std::vector<float>{3.0f, -1.5f, 0.75f}));
    std::vector<double> din{1.0}, dout0{7.0}, dout1{7.0};
    double* dins[1] = {din.data()};
    double* douts[2] = {dout0.data(), dout1.data()};
    p24.plugin->processDoubleReplacing(dins, douts, 1);
    EXPECT_EQ(dout0[0], 7.0);

    // A 2.3 plug-in's own accumulating process adds to what the outputs hold.
    LoadedPlugin p23(PLUGIN_PATH_Fixture23);
    ASSERT_TRUE(p23.create());
    std::vector<float> l{1.0f, 2.0f}, r{3.0f, 4.0f}, ol{10.0f, 10.0f}, orr{1.0f, 1.0f};
    float* ins2[2] = {l.data(), r.data()};
    float* outs2[2] = {ol.data(), orr.data()};
    p23.plugin->processAccumulating(ins2, outs2, 2);
    EXPECT_EQ(ol, (std::vector<float>{12.0f, 14.0f}));
    EXPECT_EQ(orr, (std::vector<float>{7.0f, 9.0f}));
}

TEST(Record, BlocksAHostCannotMeanWriteNothing) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    std::vector<float> l{1.0f}, r{1.0f}, ol{5.0f}, orr{5.0f};
    float* ins[2] = {l.data(), r.data()};
    float* outs[2] = {ol.data(), orr.data()};
    float* missing[2] = {l.data(), nullptr};
    for (VstInt32 frames : {0, -1, -1000}) p.plugin->processReplacing(ins, outs, frames);
    p.plugin->processReplacing(ins, missing, 1);
    p.plugin->processReplacing(nullptr, outs, 1);
    p.plugin->processReplacing(ins, nullptr, 1);
    EXPECT_EQ(ol[0], 5.0f);
    EXPECT_EQ(orr[0], 5.0f);
}

TEST(Record, SetParameterAutomatedChangesTheValueBeforeTheHostHears) {
    // The fixture's editor turns key 'a' into setParameterAutomated(0, virt / 100).
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    AEffect* e = p.plugin->effect();
    float seen = -1.0f;
    p.host.answer = [&](const hosting::HostCall& c) -> VstIntPtr {
        if (c.opcode == audioMasterAutomate) seen = e->getParameter(e, c.index);
        return 0;
    };
    p.plugin->dispatch(effEditKeyDown, 'a', 42);
    auto automation = p.host.callsWithOpcode(audioMasterAutomate);
    ASSERT_EQ(automation.size(), 1u);
    EXPECT_EQ(automation[0].index, 0);
    EXPECT_EQ(automation[0].value, 0);
    EXPECT_EQ(automation[0].ptr, nullptr);
    EXPECT_FLOAT_EQ(automation[0].opt, 0.42f);
    EXPECT_FLOAT_EQ(seen, 0.42f);
}

}  // namespace
