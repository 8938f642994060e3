// Ilvane as a host sees it through the built library: identity, parameter
// texts, programs, Reset and the redesign rules.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

namespace {

class IlvanePlugin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Ilvane};
};

// Identity, counts and flags are in the suite's table (tests/suite); these
// are the answers Ilvane leaves to the base.
TEST_F(IlvanePlugin, Identity) {
    EXPECT_EQ(plugin().effect()->version, 1);
    char canDo[] = "receiveVstMidiEvent";
    EXPECT_EQ(plugin().dispatch(effCanDo, 0, 0, canDo), 0);
    EXPECT_EQ(plugin().dispatch(effGetPlugCategory), 0);
    EXPECT_EQ(plugin().dispatch(effGetTailSize), 0);
    EXPECT_EQ(plugin().dispatch(effGetChunk), 0);
    EXPECT_EQ(plugin().probeText(effGetEffectName).touched, 33);
    EXPECT_EQ(plugin().probeText(effGetVendorString).touched, 65);
}

TEST_F(IlvanePlugin, FreshInstance) {
    EXPECT_EQ(plugin().getParameter(0), 0.5f);
    EXPECT_EQ(plugin().getParameter(1), 0.5f);
    EXPECT_EQ(plugin().getParameter(2), 0.0f);
    EXPECT_EQ(plugin().parameterDisplay(0), "0.000000");
    EXPECT_EQ(plugin().parameterDisplay(1), "0.000000");
    EXPECT_EQ(plugin().parameterDisplay(2), "");
    EXPECT_EQ(plugin().programName(), "Init 1");
}

// Names, labels and displays, with the bytes each query writes into the
// host's buffer (bounded copies write their full width and a terminator).
struct TextCase {
    VstInt32 opcode;
    VstInt32 index;
    const char* text;
    int touched;
};

TEST_F(IlvanePlugin, ParameterTexts) {
    const TextCase cases[] = {
        {effGetParamName, 0, "Low Gain", 10},   {effGetParamName, 1, "High Gain", 10},
        {effGetParamName, 2, "Reset", 6},       {effGetParamName, 3, "", 0},
        {effGetParamName, -1, "", 0},           {effGetParamLabel, 0, "dB", 9},
        {effGetParamLabel, 1, "dB", 9},         {effGetParamLabel, 2, "", 0},
        {effGetParamLabel, 3, "", 0},           {effGetParamDisplay, 3, "", 0},
        {effGetParamDisplay, 0, "0.000000", 9}, {effGetParamDisplay, 2, "", 9},
    };
    for (const TextCase& c : cases) {
        hosting::TextProbe probe = plugin().probeText(c.opcode, c.index);
        EXPECT_EQ(probe.text, c.text) << "opcode " << c.opcode << " index " << c.index;
        EXPECT_EQ(probe.touched, c.touched) << "opcode " << c.opcode << " index " << c.index;
    }
}

TEST_F(IlvanePlugin, GainAndResetDisplays) {
    struct Case {
        VstInt32 index;
        float value;
        const char* display;
    };
    const Case cases[] = {
        {0, 1.0f, "12.00000"}, {0, 0.0f, "-12.0000"}, {1, 0.75f, "6.000000"},
        {1, 0.25f, "-6.00000"}, {0, 0.5f, "0.000000"}, {2, 1.0f, "1"},
        {2, 0.0f, ""},          {2, 3.9f, "3"},        {2, -2.5f, "-2"},
    };
    for (const Case& c : cases) {
        plugin().setParameter(c.index, c.value);
        EXPECT_EQ(plugin().parameterDisplay(c.index), c.display) << c.index << " " << c.value;
    }
    plugin().setParameter(2, 1.0f);
    EXPECT_EQ(plugin().getParameter(2), 1.0f);
    plugin().setParameter(7, 0.3f);
    EXPECT_EQ(plugin().getParameter(7), 0.0f);
}

TEST_F(IlvanePlugin, ProgramNames) {
    plugin().setProgram(3);
    EXPECT_EQ(plugin().program(), 3);
    EXPECT_EQ(plugin().programName(), "Init 4");
    plugin().setProgramName("Bright");
    EXPECT_EQ(plugin().programName(), "Bright");
    EXPECT_EQ(plugin().programNameIndexed(3), "Bright");
    EXPECT_EQ(plugin().programNameIndexed(0), "Init");
    EXPECT_EQ(plugin().programNameIndexed(4), std::nullopt);
    EXPECT_EQ(plugin().programNameIndexed(-1), std::nullopt);

    // A name longer than the record keeps its first 23 characters.
    plugin().setProgramName(std::string(40, 'x'));
    EXPECT_EQ(plugin().programName(), std::string(23, 'x'));

    // Out-of-range program numbers change nothing.
    plugin().dispatch(effSetProgram, 0, -1);
    plugin().dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(plugin().program(), 3);
}

TEST_F(IlvanePlugin, ProgramsKeepTheirLastEditedGains) {
    plugin().setProgram(1);
    plugin().setParameter(0, 0.9f);
    plugin().setParameter(1, 0.2f);
    plugin().setProgram(2);
    EXPECT_EQ(plugin().getParameter(0), 0.5f);
    EXPECT_EQ(plugin().getParameter(1), 0.5f);
    plugin().setProgram(1);
    EXPECT_EQ(plugin().getParameter(0), 0.9f);
    EXPECT_EQ(plugin().getParameter(1), 0.2f);
}

TEST_F(IlvanePlugin, ResetFlattensTheLiveGainsOnly) {
    plugin().setParameter(0, 1.0f);
    plugin().setParameter(1, 0.0f);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 20.0, 44100.0), 12.0, 0.05);

    plugin().setParameter(2, 0.0f);  // any value resets, 0 included
    EXPECT_EQ(plugin().getParameter(0), 0.5f);
    EXPECT_EQ(plugin().getParameter(1), 0.5f);
    EXPECT_EQ(plugin().parameterDisplay(0), "0.000000");
    // Flat within what 32-bit state allows near the low shelf's poles.
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 20.0, 44100.0), 0.0, 0.01);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 15000.0, 44100.0), 0.0, 0.01);

    // The program kept its gains: selecting it again brings them back.
    plugin().setProgram(plugin().program());
    EXPECT_EQ(plugin().getParameter(0), 1.0f);
    EXPECT_EQ(plugin().getParameter(1), 0.0f);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 20.0, 44100.0), 12.0, 0.05);
}

TEST_F(IlvanePlugin, SampleRateTakesEffectAtTheNextParameterChange) {
    plugin().setParameter(0, 1.0f);
    // Designed at 44100 Hz, the shelf's midpoint sits at 50 Hz of a 22050 Hz stream.
    plugin().setSampleRate(22050.0f);
    const double before = testsignal::sineGainDb(plugin(), 50.0, 22050.0);
    EXPECT_NEAR(before, 6.0, 0.05);
    // A change of the other band refreshes the rate but leaves this shelf alone.
    plugin().setParameter(1, 0.5f);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 50.0, 22050.0), before, 1e-6);
    // Redesigned for 22050 Hz, the midpoint is back at 100 Hz.
    plugin().setParameter(0, 1.0f);
    EXPECT_NEAR(testsignal::sineGainDb(plugin(), 100.0, 22050.0), 6.0, 0.05);
}

}  // namespace
