// Inside the effect: what a program holds, and the rate each design used.
#include <gtest/gtest.h>

#include "plugins/vesk/vesk_core.h"

using namespace vesk;
using namespace dsp;

namespace {

VstIntPtr silentHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2300 : 0;
}

TEST(VeskCore, ProgramsKeepTheValuesAsSent) {
    VeskCore core(silentHost);
    core.setParameter(5, 0.5049f);
    EXPECT_EQ(core.getParameter(5), 0.5f);
    EXPECT_EQ(core.programValue(0, 5), 0.5049f);
    core.setProgram(2);
    core.setParameter(0, 0.503f);
    EXPECT_EQ(core.programValue(2, 0), 0.503f);
    EXPECT_EQ(core.programValue(0, 0), 0.5f);
    core.setProgram(0);
    EXPECT_EQ(core.programValue(0, 5), 0.5049f);  // replayed through setParameter, kept
    EXPECT_EQ(core.getParameter(5), 0.5f);
    EXPECT_EQ(core.programValue(10, 0), 0.0f);
    EXPECT_EQ(core.programValue(0, 20), 0.0f);
}

TEST(VeskCore, EveryParameterCallFetchesTheRate) {
    VeskCore core(silentHost);
    EXPECT_EQ(core.getDesignRate(), 44100.0f);
    core.setSampleRate(96000.0f);
    EXPECT_EQ(core.getDesignRate(), 44100.0f);  // a rate change alone redesigns nothing
    core.setParameter(42, 0.0f);                // even an ignored index fetches it
    EXPECT_EQ(core.getDesignRate(), 96000.0f);
}

}  // namespace
