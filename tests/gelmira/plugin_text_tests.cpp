// Gelmira's identity, parameter table and texts, through its library.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/support/loaded_plugin.h"

namespace {

struct GelmiraTexts : testing::Test {
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Gelmira};
};

TEST_F(GelmiraTexts, Identity) {
    AEffect* e = plugin().effect();
    EXPECT_EQ(e->uniqueID, fourCharCode('v', 'n', 'r', 'x'));
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 12);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing);
    EXPECT_EQ(plugin().effectName(), "Gelmira");
    EXPECT_EQ(plugin().vendorString(), "Joralt");
    EXPECT_EQ(plugin().productString(), "Gelmira");
    EXPECT_EQ(plugin().vendorVersion(), 1000);
    EXPECT_EQ(plugin().dispatch(effGetEffectName, 0, 0, nullptr), 0);
}

TEST_F(GelmiraTexts, NamesLabelsAndDefaults) {
    struct Row {
        const char* name;
        const char* label;
        float value;
        const char* display;
    } rows[] = {
        {"LP Cutoff In ", "Hz", 1.0f, "20000.00"}, {"HP Cutoff In", "Hz", 0.0f, "20.00000"},
        {"Root Pitch", "Root", 0.5f, "B 0"},       {"Filter Width", "Width", 0.5f, "50"},
        {"Root Gain", "dB", 0.0f, "0.000000"},     {"Bank 2 Tune", "Semitone", 0.5f, ""},
        {"Bank 2 Gain", "dB", 0.0f, "0.000000"},   {"Bank 3 Tune", "Semitone", 0.5f, ""},
        {"Bank 3 Gain", "dB", 0.0f, "0.000000"},   {"LP Cutoff Out", "Hz", 1.0f, "20000.00"},
        {"HP Cutoff Out", "Hz", 0.0f, "20.00000"}, {"Dry Wet", "%", 0.0f, ""},
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plugin().parameterName(i), rows[i].name);
        EXPECT_EQ(plugin().parameterLabel(i), rows[i].label);
        EXPECT_EQ(plugin().getParameter(i), rows[i].value);
        EXPECT_EQ(plugin().parameterDisplay(i), rows[i].display);
    }
    EXPECT_EQ(plugin().programName(), "Default");
}

TEST_F(GelmiraTexts, DisplaysFollowTheValues) {
    struct Row {
        int index;
        float value;
        const char* display;
    } rows[] = {
        {5, 0.0f, "-12"},        {5, 1.0f, "12"},          {5, 0.49f, "-1"},
        {7, 0.75f, "6"},         {11, 0.001f, "1"},        {11, 1.0f, "100"},
        {11, 0.0f, ""},          {3, 0.0f, ""},            {3, 1.0f, "100"},
        {4, 1.0f, "6.000000"},   {6, 0.5f, "3.000000"},    {0, 1.0f, "20000.00"},
        {0, 0.5f, "632.4555"},   {10, 0.0f, "20.00000"},   {2, 0.0f, "C -1"},
        {2, 0.99f, "A# 2"},      {2, 1.0f, "B 2"},         {2, 0.03f, "C# -1"},
        {2, 1.0f / 47.0f, "C -1"},  // 47 × (1/47) rounds to just below 1
    };
    for (const Row& r : rows) {
        plugin().setParameter(r.index, r.value);
        EXPECT_EQ(plugin().getParameter(r.index), r.value);
        EXPECT_EQ(plugin().parameterDisplay(r.index), r.display) << r.index << " " << r.value;
    }
}

TEST_F(GelmiraTexts, ValuesOutsideTheRangeAreKeptAndShownSafely) {
    plugin().setParameter(2, 0.25f);
    plugin().setParameter(2, 3.0f);  // no note: the name stays
    EXPECT_EQ(plugin().getParameter(2), 3.0f);
    EXPECT_EQ(plugin().parameterDisplay(2), "B -1");
    plugin().setParameter(2, NAN);
    EXPECT_EQ(plugin().parameterDisplay(2), "B -1");
    plugin().setParameter(4, -2.0f);
    EXPECT_EQ(plugin().parameterDisplay(4), "-12.0000");
    plugin().setParameter(0, 1e9f);
    EXPECT_EQ(plugin().parameterDisplay(0), "Huge!");
    plugin().setParameter(11, 1e30f);
    EXPECT_EQ(plugin().parameterDisplay(11), "1000000");
    for (int i = 0; i < 12; ++i) {
        plugin().setParameter(i, INFINITY);
        hosting::TextProbe t = plugin().probeText(effGetParamDisplay, i);
        EXPECT_LE(t.touched, 9) << i;
    }
}

TEST_F(GelmiraTexts, IndicesOutsideTheTableAreIgnored) {
    for (int index : {12, -1, 1000}) {
        plugin().setParameter(index, 0.7f);
        EXPECT_EQ(plugin().getParameter(index), 0.0f);
        for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(plugin().probeText(op, index).touched, 0) << op << " " << index;
    }
}

TEST_F(GelmiraTexts, TextsStayWithinTheirBounds) {
    for (int i = 0; i < 12; ++i) {
        int bound = (i == 0 || i == 1 || i == 9 || i == 10) ? 14 : i == 4 ? 10 : i == 11 ? 8 : 12;
        EXPECT_LE(plugin().probeText(effGetParamName, i).touched, bound + 1) << i;
        EXPECT_LE(plugin().probeText(effGetParamLabel, i).touched, 9) << i;
    }
    plugin().setProgramName(std::string(100, 'x'));
    EXPECT_EQ(plugin().programName(), std::string(24, 'x'));
    EXPECT_LE(plugin().probeText(effGetProgramName).touched, 25);
    plugin().setProgramName("Bells");
    EXPECT_EQ(plugin().programName(), "Bells");
    plugin().setProgram(0);
    EXPECT_EQ(plugin().programName(), "Bells");
}

}  // namespace
