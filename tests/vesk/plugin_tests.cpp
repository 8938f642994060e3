// Vesk as a host sees it through the built library: identity, parameter
// texts, programs and their names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>

#include "tests/support/exported_symbols.h"
#include "tests/support/loaded_plugin.h"

namespace {

class VeskPlugin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vesk.create()); }
    hosting::Plugin& plugin() { return *vesk.plugin; }
    LoadedPlugin vesk{PLUGIN_PATH_Vesk};
};

TEST_F(VeskPlugin, Identity) {
    EXPECT_EQ(exportedSymbols(PLUGIN_PATH_Vesk), std::set<std::string>{"main"});
    EXPECT_STREQ(vesk.library->entryName(), "main");
    AEffect* e = plugin().effect();
    EXPECT_EQ(e->uniqueID, fourCharCode('V', 'e', 's', 'k'));
    EXPECT_EQ(e->numPrograms, 10);
    EXPECT_EQ(e->numParams, 20);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsHasVu | effFlagsCanReplacing);  // no editor yet, no chunks
    EXPECT_EQ(e->processDoubleReplacing, nullptr);
    EXPECT_EQ(plugin().effectName(), "Vesk");
    EXPECT_EQ(plugin().productString(), "Vesk");
    EXPECT_EQ(plugin().vendorString(), "Kesp VST");
    EXPECT_EQ(plugin().vendorVersion(), 1000);
    EXPECT_EQ(plugin().dispatch(effGetPlugCategory), 1);
    EXPECT_EQ(plugin().dispatch(effGetVstVersion), 2300);
    EXPECT_EQ(plugin().dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstEvents")), 0);
}

TEST_F(VeskPlugin, ParameterNamesLabelsAndDefaults) {
    const char* names[] = {"Input",  "20Hz",   "31Hz",   "63Hz",   "90Hz",    "125Hz",  "160Hz",
                           "200Hz",  "250Hz",  "375Hz",  "500Hz",  "750Hz",   "1000Hz", "1500Hz",
                           "2000Hz", "3000Hz", "4000Hz", "8000Hz", "16000Hz", "Output"};
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plugin().parameterName(i), names[i]);
        EXPECT_EQ(plugin().parameterLabel(i), "dB");
        EXPECT_EQ(plugin().getParameter(i), 0.5f);
        EXPECT_EQ(plugin().parameterDisplay(i), "0.000000");
    }
}

TEST_F(VeskPlugin, CentreSnapAndDisplays) {
    struct Case {
        float sent, played;
        const char* display;
    };
    const Case cases[] = {
        {0.0f, 0.0f, "-12.0000"},     {0.25f, 0.25f, "-6.00000"},  {0.4949f, 0.4949f, "-0.12240"},
        {0.495f, 0.5f, "0.000000"},   {0.5049f, 0.5f, "0.000000"}, {0.505f, 0.5f, "0.000000"},
        {1.0f, 1.0f, "12.00000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        plugin().setParameter(5, c.sent);
        EXPECT_EQ(plugin().getParameter(5), c.played);
        EXPECT_EQ(plugin().parameterDisplay(5), c.display);
    }
    plugin().setParameter(5, 0.506f);
    EXPECT_EQ(plugin().getParameter(5), 0.506f);
    EXPECT_NEAR(std::stof(plugin().parameterDisplay(5)), 0.144f, 1e-5);
}

TEST_F(VeskPlugin, IndexesOutsideTheTablesAreIgnored) {
    for (VstInt32 index : {-1, 20, 1000}) {
        SCOPED_TRACE(index);
        plugin().setParameter(index, 0.9f);
        EXPECT_EQ(plugin().getParameter(index), 0.0f);
        EXPECT_EQ(plugin().probeText(effGetParamName, index).touched, 0);
        EXPECT_EQ(plugin().probeText(effGetParamLabel, index).touched, 0);
        EXPECT_EQ(plugin().probeText(effGetParamDisplay, index).touched, 0);
    }
    for (int i = 0; i < 20; ++i) EXPECT_EQ(plugin().getParameter(i), 0.5f);
    EXPECT_FALSE(plugin().programNameIndexed(10));
    EXPECT_FALSE(plugin().programNameIndexed(-1));
    plugin().setProgram(10);
    EXPECT_EQ(plugin().program(), 0);
}

TEST_F(VeskPlugin, DisplaysOfValuesOutsideTheRangeStayBounded) {
    for (float value : {std::nanf(""), INFINITY, -INFINITY, 1e9f, -1e9f, 2.0f, -1.0f}) {
        SCOPED_TRACE(value);
        plugin().setParameter(7, value);
        const hosting::TextProbe display = plugin().probeText(effGetParamDisplay, 7);
        EXPECT_GT(display.touched, 0);
        EXPECT_LE(display.touched, 9);
    }
    plugin().setParameter(7, 2.0f);
    EXPECT_EQ(plugin().getParameter(7), 2.0f);  // used as sent
    EXPECT_EQ(plugin().parameterDisplay(7), "36.00000");
}

TEST_F(VeskPlugin, ProgramNamesNumberedUntilRenamed) {
    for (int i = 0; i < 10; ++i) {
        plugin().setProgram(i);
        EXPECT_EQ(plugin().programName(), "Vesk Preset " + std::to_string(i + 1));
        EXPECT_EQ(plugin().programNameIndexed(i), "Vesk Preset");
        EXPECT_EQ(plugin().programNameIndexed(i, 7), "Vesk Preset");  // category ignored
    }
    plugin().setProgram(3);
    plugin().setProgramName("Warm Mids");
    EXPECT_EQ(plugin().programName(), "Warm Mids");
    EXPECT_EQ(plugin().programNameIndexed(3), "Warm Mids");
    EXPECT_EQ(plugin().programNameIndexed(4), "Vesk Preset");

    // A 24-byte name field: 23 characters and the terminator, also towards the host.
    plugin().setProgramName(std::string(40, 'x'));
    EXPECT_EQ(plugin().programName(), std::string(23, 'x'));
    EXPECT_LE(plugin().probeText(effGetProgramName).touched, 24);
    EXPECT_LE(plugin().probeText(effGetProgramNameIndexed, 3).touched, 24);
    EXPECT_LE(plugin().probeText(effGetParamName, 18).touched, 9);
    EXPECT_LE(plugin().probeText(effGetParamDisplay, 18).touched, 9);
}

TEST_F(VeskPlugin, ProgramsKeepTheirValues) {
    plugin().setProgram(1);
    plugin().setParameter(3, 0.8f);
    plugin().setParameter(19, 0.503f);
    plugin().setProgram(0);
    EXPECT_EQ(plugin().getParameter(3), 0.5f);
    EXPECT_EQ(plugin().getParameter(19), 0.5f);
    plugin().setParameter(3, 0.1f);
    plugin().setProgram(1);
    EXPECT_EQ(plugin().getParameter(3), 0.8f);
    EXPECT_EQ(plugin().getParameter(19), 0.5f);  // stored as 0.503, played snapped
    EXPECT_EQ(plugin().parameterDisplay(3), "7.200000");
    plugin().setProgram(0);
    EXPECT_EQ(plugin().getParameter(3), 0.1f);
}

}  // namespace
