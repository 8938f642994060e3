// Faroll's identity, parameters, programs and texts through the built
// library, as a host sees them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "faroll_fixture.h"

namespace {

enum { kLowGain, kMidGain, kHighGain, kLowCut, kMidCut, kHighCut, kLowFreq, kMidFreq, kHighFreq,
       kReset };

TEST(FarollIdentity, RecordAndStrings) {
    FarollInstance f;
    AEffect* e = f->effect();
    EXPECT_EQ(e->uniqueID, fourCharCode('m', 'h', 'u', 'v'));
    EXPECT_EQ(e->numPrograms, 11);
    EXPECT_EQ(e->numParams, 10);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing);
    EXPECT_EQ(f->effectName(), "Faroll");
    EXPECT_EQ(f->productString(), "Faroll");
    EXPECT_EQ(f->vendorString(), "Joralt");
    EXPECT_EQ(f->vendorVersion(), 1000);
    EXPECT_EQ(f->dispatch(effCanDo, 0, 0, const_cast<char*>("receiveVstMidiEvent")), 0);
}

TEST(FarollParameters, FreshInstanceValuesNamesLabelsAndTexts) {
    struct Row {
        const char* name;
        const char* label;
        float value;
        const char* display;
    } rows[] = {
        {"Low Gain", "dB", 0.5f, "0.000000"}, {"Mid Gain", "dB", 0.5f, "0.000000"},
        {"High Gain", "dB", 0.5f, "0.000000"}, {"Low Cut", "", 1.0f, "1"},
        {"Mid Cut", "", 1.0f, "1"},            {"High Cut", "", 1.0f, "1"},
        {"Low Freq", "Hz", 0.5f, "249.9999"}, {"Mid Freq", "Hz", 0.5f, "1000.000"},
        {"High Freq", "Hz", 0.5f, "3000.000"}, {"Reset", "", 0.0f, ""},
    };
    FarollInstance f;
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f->getParameter(i), rows[i].value);
        hosting::TextProbe name = f->probeText(effGetParamName, i);
        EXPECT_EQ(name.text, rows[i].name);
        EXPECT_EQ(name.touched, i == kReset ? 6 : 10);  // terminator at 9 (Reset: 5)
        hosting::TextProbe label = f->probeText(effGetParamLabel, i);
        EXPECT_EQ(label.text, rows[i].label);
        EXPECT_EQ(label.touched, *rows[i].label ? 9 : 0);  // cuts and Reset write nothing
        EXPECT_EQ(f->probeText(effGetParamDisplay, i).text, rows[i].display);
    }
    for (int i : {-1, 10, 1000}) {
        EXPECT_EQ(f->getParameter(i), 0.0f);
        for (VstInt32 op : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(f->probeText(op, i).touched, 0) << op << " " << i;
        f->setParameter(i, 0.0f);  // ignored
    }
    EXPECT_EQ(f->parameterDisplay(kLowGain), "0.000000");
}

TEST(FarollParameters, MappingsAsTheHostShowsThem) {
    struct Row {
        VstInt32 index;
        float value;
        const char* display;
    } rows[] = {
        {kLowGain, 0.0f, "-96.0000"},  {kLowGain, 0.25f, "-19.2000"}, {kLowGain, 0.5f, "0.000000"},
        {kLowGain, 0.75f, "4.800000"}, {kLowGain, 1.0f, "6.000000"},  {kLowFreq, 0.0f, "70.00000"},
        {kLowFreq, 1.0f, "499.9999"},  {kMidFreq, 0.0f, "500.0000"},  {kMidFreq, 1.0f, "2000.000"},
        {kHighFreq, 0.0f, "2000.000"}, {kHighFreq, 1.0f, "15000.00"},
    };
    FarollInstance f;
    for (const Row& r : rows) {
        f->setParameter(r.index, r.value);
        EXPECT_EQ(f->parameterDisplay(r.index), r.display) << r.index << " at " << r.value;
        EXPECT_EQ(f->getParameter(r.index), r.value);
    }
    // The mid total follows the shelf curve exactly; so does High Gain.
    for (float x : {0.0f, 0.1f, 0.25f, 0.33f, 0.5f, 0.75f, 0.9f, 1.0f}) {
        f->setParameter(kLowGain, x);
        f->setParameter(kMidGain, x);
        f->setParameter(kHighGain, x);
        EXPECT_EQ(f->parameterDisplay(kMidGain), f->parameterDisplay(kLowGain)) << x;
        EXPECT_EQ(f->parameterDisplay(kHighGain), f->parameterDisplay(kLowGain)) << x;
    }
}

TEST(FarollParameters, OnlyOnePointZeroPlaysACutSwitch) {
    FarollInstance f;
    f->setParameter(kLowGain, 0.75f);
    const double playing = farollGainDb(*f, 40.0, 44100.0);
    EXPECT_NEAR(playing, 4.8, 0.1);
    struct Row {
        float value;
        float reads;
        const char* display;
    } rows[] = {{0.999f, 0.0f, ""}, {0.0f, 0.0f, ""}, {2.0f, 2.0f, "2"}, {-1.0f, -1.0f, "-1"},
                {1.5f, 1.0f, "1"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.value);
        f->setParameter(kLowCut, r.value);
        EXPECT_EQ(f->getParameter(kLowCut), r.reads);
        EXPECT_EQ(f->parameterDisplay(kLowCut), r.display);
        if (r.reads != 1.0f) {
            EXPECT_LT(farollGainDb(*f, 40.0, 44100.0), -90.0);
        }
    }
    f->setParameter(kLowCut, 1.0f);
    EXPECT_NEAR(farollGainDb(*f, 40.0, 44100.0), playing, 0.01);
    EXPECT_EQ(f->parameterDisplay(kLowGain), "4.800000");  // the knob, even while cut
}

TEST(FarollParameters, ResetByAnyValueKeepsTheProgramRecord) {
    for (float value : {0.0f, 1.0f, 0.7f}) {
        SCOPED_TRACE(value);
        FarollInstance f;
        const float before[9] = {0.1f, 0.2f, 0.3f, 0.0f, 1.0f, 0.0f, 0.7f, 0.8f, 0.9f};
        for (int i = 0; i < 9; ++i) f->setParameter(i, before[i]);
        f->setParameter(kReset, value);
        EXPECT_EQ(f->getParameter(kReset), std::trunc(value));
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(f->getParameter(i), i >= kLowCut && i <= kHighCut ? 1.0f : 0.5f) << i;
        EXPECT_EQ(f->parameterDisplay(kHighFreq), "3000.000");
        EXPECT_EQ(f->parameterDisplay(kMidGain), "0.000000");
        f->setProgram(0);
        for (int i = 0; i < 9; ++i) EXPECT_EQ(f->getParameter(i), before[i]) << i;
    }
}

TEST(FarollPrograms, NamesNumberingAndBounds) {
    FarollInstance f;
    EXPECT_EQ(f->programName(), "Init 1");
    EXPECT_EQ(f->programNameIndexed(4), "Init");
    EXPECT_EQ(f->programNameIndexed(10), "Init");
    EXPECT_EQ(f->programNameIndexed(11), std::nullopt);
    EXPECT_EQ(f->programNameIndexed(-1), std::nullopt);
    f->setProgram(10);
    EXPECT_EQ(f->programName(), "Init 11");

    f->setProgram(3);
    f->setProgramName("Init");
    EXPECT_EQ(f->programName(), "Init 4");
    f->setProgramName("Warm Mix");
    EXPECT_EQ(f->programName(), "Warm Mix");
    EXPECT_EQ(f->programNameIndexed(3), "Warm Mix");
    const std::string longName = "A name far longer than the field can hold";
    f->setProgramName(longName);
    EXPECT_EQ(f->programName(), longName.substr(0, 23));
    EXPECT_EQ(f->programNameIndexed(0), "Init");

    // Out-of-range program numbers change nothing.
    f->setParameter(kLowGain, 0.2f);
    for (VstIntPtr n : {VstIntPtr(-1), VstIntPtr(11), VstIntPtr(-100000)}) {
        f->dispatch(effSetProgram, 0, n);
        EXPECT_EQ(f->program(), 3);
        EXPECT_EQ(f->getParameter(kLowGain), 0.2f);
    }
}

TEST(FarollPrograms, EachProgramKeepsItsLastEditedValues) {
    FarollInstance f;
    f->setParameter(kMidFreq, 0.9f);
    f->setParameter(kHighCut, 0.0f);
    f->setProgram(1);
    EXPECT_EQ(f->getParameter(kMidFreq), 0.5f);
    EXPECT_EQ(f->getParameter(kHighCut), 1.0f);
    f->setParameter(kMidFreq, 0.1f);
    f->setProgram(0);
    EXPECT_EQ(f->getParameter(kMidFreq), 0.9f);
    EXPECT_EQ(f->getParameter(kHighCut), 0.0f);
    EXPECT_EQ(f->parameterDisplay(kHighCut), "");
    f->setProgram(1);
    EXPECT_EQ(f->getParameter(kMidFreq), 0.1f);
}

TEST(FarollParameters, HostileValuesKeepTheOutputFinite) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = {nan, inf, -inf, -1.0f, -10.0f, 2.0f, 40.0f, 1e30f, -1e30f};
    for (float v : values) {
        for (VstInt32 index = 0; index < 9; ++index) {
            SCOPED_TRACE(testing::Message() << "parameter " << index << " at " << v);
            FarollInstance f;
            f->setParameter(index, v);
            std::vector<float> l = testsignal::noise(4096), r = testsignal::noise(4096, 0.5, 7);
            testsignal::processBlocks(*f, l, r);
            bool finite = true;
            for (size_t i = 0; i < l.size(); ++i) finite &= std::isfinite(l[i]) && std::isfinite(r[i]);
            EXPECT_TRUE(finite);
            EXPECT_LT(testsignal::rms(l, 2048), 10.0);  // stable: no growth
        }
    }
}

}  // namespace
