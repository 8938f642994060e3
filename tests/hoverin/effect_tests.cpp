// Hoverin as a host sees it: identity, parameters, their texts and mappings.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/support/loaded_plugin.h"

namespace {

enum { kDryWet, kFeedback, kRate, kRange, kFrequency, kOutGain };

class HoverinEffect : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Hoverin};
};

TEST_F(HoverinEffect, AnnouncesItsIdentity) {
    AEffect* e = plugin().effect();
    EXPECT_EQ(e->uniqueID, fourCharCode('k', 'w', 'z', 't'));
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 6);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    // Replacing in both precisions; no editor yet, no chunks.
    EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsCanDoubleReplacing);
    EXPECT_NE(e->processDoubleReplacing, nullptr);
    EXPECT_EQ(plugin().vendorVersion(), 1000);

    struct Text {
        VstInt32 opcode;
        const char* text;
        int limit;
    } const texts[] = {
        {effGetEffectName, "Hoverin", 32},
        {effGetVendorString, "Joralt", 64},
        {effGetProductString, "Hoverin", 64},
        {effGetProgramName, "Default", 24},
    };
    for (const Text& t : texts) {
        hosting::TextProbe probe = plugin().probeText(t.opcode);
        EXPECT_EQ(probe.text, t.text) << t.opcode;
        EXPECT_EQ(probe.touched, t.limit + 1) << t.opcode;
    }
    char name[80] = {};
    EXPECT_EQ(plugin().dispatch(effGetEffectName, 0, 0, name), 1);
    EXPECT_EQ(plugin().dispatch(effGetVendorString, 0, 0, name), 1);
    EXPECT_EQ(plugin().dispatch(effGetProductString, 0, 0, name), 1);
    EXPECT_EQ(plugin().dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstTimeInfo")), 0);
    // Never asks the host for tempo or transport.
    EXPECT_TRUE(p.host.callsWithOpcode(audioMasterGetTime).empty());
}

TEST_F(HoverinEffect, KeepsTheProgramNameWithin24Characters) {
    plugin().setProgramName("Sweeping pad for a long evening");  // 31 characters
    EXPECT_EQ(plugin().programName(), "Sweeping pad for a long ");
    EXPECT_EQ(plugin().probeText(effGetProgramName).touched, 25);
    plugin().setProgramName("Slow");
    EXPECT_EQ(plugin().programName(), "Slow");
    // The one program keeps its name only; switching leaves the parameters.
    plugin().setParameter(kFeedback, 0.3f);
    plugin().setProgram(0);
    EXPECT_EQ(plugin().getParameter(kFeedback), 0.3f);
}

TEST_F(HoverinEffect, ParametersStartAtTheirDefaults) {
    struct Row {
        const char* name;
        const char* label;
        float value;
        const char* display;
    } const rows[] = {
        {"Dry Wet", "%", 0.5f, "50.00"},      {"Feedback", "%", 0.0f, "0.000"},
        {"Rate", "", 0.5f, "1/2"},            {"Range", "Octaves", 0.15f, "1"},
        {"Frequency", "Hz", 0.8f, "1592.4"},  {"Out Gain", "dB", 1.0f, "0.000"},
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(plugin().parameterName(i), rows[i].name);
        EXPECT_EQ(plugin().parameterLabel(i), rows[i].label);
        EXPECT_EQ(plugin().getParameter(i), rows[i].value) << i;
        EXPECT_EQ(plugin().parameterDisplay(i), rows[i].display) << i;
    }
    EXPECT_EQ(plugin().probeText(effGetParamName, kFrequency).touched, 10);
    EXPECT_EQ(plugin().probeText(effGetParamLabel, kRange).touched, 9);
}

TEST_F(HoverinEffect, MapsValuesToDivisionsOctavesHertzAndDecibels) {
    struct Row {
        int index;
        float value;
        const char* display;
        int limit;  // characters the display may take
    } const rows[] = {
        {kRate, 0.0f, "1/32", 8},      {kRate, 0.5f, "1/2", 8},
        {kRate, 0.999f, "8/1", 8},     {kRate, 1.0f, "16/1", 8},
        {kRate, 0.12f, "1/16", 8},     {kRate, 0.78f, "4/1", 8},
        {kRange, 0.0f, "1", 1},        {kRange, 0.2f, "2", 1},
        {kRange, 0.999f, "5", 1},      {kRange, 1.0f, "6", 1},
        {kFrequency, 0.0f, "40.000", 6}, {kFrequency, 0.5f, "400.00", 6},
        {kFrequency, 1.0f, "4000.0", 6}, {kFrequency, 0.8f, "1592.4", 6},
        {kOutGain, 0.0f, "-96.0", 5},  {kOutGain, 0.005f, "-96.0", 5},
        {kOutGain, 0.5f, "-14.4", 5},  {kOutGain, 1.0f, "0.000", 5},
        {kDryWet, 0.5f, "50.00", 5},   {kDryWet, 1.0f, "100.0", 5},
        {kFeedback, 1.0f, "100.0", 5}, {kFeedback, 0.25f, "25.00", 5},
    };
    for (const Row& r : rows) {
        plugin().setParameter(r.index, r.value);
        EXPECT_EQ(plugin().getParameter(r.index), r.value);
        hosting::TextProbe probe = plugin().probeText(effGetParamDisplay, r.index);
        EXPECT_EQ(probe.text, r.display) << r.index << " at " << r.value;
        EXPECT_EQ(probe.touched, r.limit + 1) << r.index << " at " << r.value;
    }
}

TEST_F(HoverinEffect, IgnoresIndicesOutsideItsParameters) {
    for (VstInt32 index : {6, -1, 1000}) {
        plugin().setParameter(index, 0.9f);
        EXPECT_EQ(plugin().getParameter(index), 0.0f);
        EXPECT_EQ(plugin().probeText(effGetParamName, index).touched, 0);
        EXPECT_EQ(plugin().probeText(effGetParamLabel, index).touched, 0);
        EXPECT_EQ(plugin().probeText(effGetParamDisplay, index).touched, 0);
    }
    const float defaults[] = {0.5f, 0.0f, 0.5f, 0.15f, 0.8f, 1.0f};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(plugin().getParameter(i), defaults[i]);
}

// Values outside 0 ... 1 are kept as sent; the sound and the texts use the
// nearest value within 0 ... 1 (a NaN as 0).
TEST_F(HoverinEffect, ReportsOutOfRangeValuesAsSentAndShowsWhatRuns) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Row {
        int index;
        float value;
        const char* display;
    } const rows[] = {
        {kRate, 1.5f, "16/1"},    {kRate, -2.0f, "1/32"},   {kRate, nan, "1/32"},
        {kRange, 3.0f, "6"},      {kRange, -1.0f, "1"},     {kRange, 1e30f, "6"},
        {kFrequency, 2.0f, "4000.0"}, {kFrequency, -5.0f, "40.000"},
        {kOutGain, 4.0f, "0.000"}, {kOutGain, -1.0f, "-96.0"},
        {kDryWet, 2.0f, "200.0"},  // the percentage shows the value as sent
    };
    for (const Row& r : rows) {
        plugin().setParameter(r.index, r.value);
        const float stored = plugin().getParameter(r.index);
        if (std::isnan(r.value))
            EXPECT_TRUE(std::isnan(stored));
        else
            EXPECT_EQ(stored, r.value);
        EXPECT_EQ(plugin().parameterDisplay(r.index), r.display) << r.index << " at " << r.value;
    }
}

}  // namespace
