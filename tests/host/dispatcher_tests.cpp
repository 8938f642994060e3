// Every opcode's answer through the built libraries, for both generations.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "tests/host/fixture/fixture_notes.h"
#include "tests/support/loaded_plugin.h"

namespace {

struct Row {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    VstIntPtr expect24;
    VstIntPtr expect23;
};

// Base defaults, on plug-ins that override next to nothing and have no editor.
const Row kDefaults[] = {
    {effOpen, 0, 0, 0, 0, 0},
    {effGetProgram, 0, 0, 0, 0, 0},
    {effGetVu, 0, 0, 0, 0, 0},
    {effEditGetRect, 0, 0, 0, 0, 0},
    {effEditOpen, 0, 0, 0, 0, 0},
    {effEditClose, 0, 0, 0, 0, 0},
    {effEditDraw, 0, 0, 0, 0, 0},
    {effEditMouse, 0, 0, 0, 0, 0},
    {effEditKey, 0, 0, 0, 0, 0},
    {effEditIdle, 0, 0, 0, 0, 0},
    {effEditTop, 0, 0, 0, 0, 0},
    {effEditSleep, 0, 0, 0, 0, 0},
    {effIdentify, 0, 0, 0, fourCharCode('N', 'v', 'E', 'f'), fourCharCode('N', 'v', 'E', 'f')},
    {effGetChunk, 0, 0, 0, 0, 0},
    {effSetChunk, 0, 16, 0, 0, 0},
    {effProcessEvents, 0, 0, 0, 0, 0},
    {effCanBeAutomated, 1, 0, 0, 1, 1},
    {effString2Parameter, 0, 0, 0, 0, 0},
    {effGetNumProgramCategories, 0, 0, 0, 0, 1},
    {effGetProgramNameIndexed, 0, 0, 0, 0, 0},
    {effCopyProgram, 1, 0, 0, 0, 0},
    {effConnectInput, 0, 1, 0, 0, 1},
    {effConnectOutput, 0, 1, 0, 0, 1},
    {effGetInputProperties, 0, 0, 0, 0, 0},
    {effGetOutputProperties, 0, 0, 0, 0, 0},
    {effGetPlugCategory, 0, 0, 0, kPlugCategUnknown, kPlugCategUnknown},
    {effGetCurrentPosition, 0, 0, 0, 0, 0},
    {effGetDestinationBuffer, 0, 0, 0, 0, 0},
    {effOfflineNotify, 0, 0, 0, 0, 0},
    {effOfflinePrepare, 0, 0, 0, 0, 0},
    {effOfflineRun, 0, 0, 0, 0, 0},
    {effProcessVarIo, 0, 0, 0, 0, 0},
    {effSetSpeakerArrangement, 0, 0, 0, 0, 0},
    {effSetBlockSizeAndSampleRate, 0, 512, 96000.0f, 0, 1},
    {effSetBypass, 0, 1, 0, 0, 0},
    {effGetEffectName, 0, 0, 0, 0, 0},
    {effGetErrorText, 0, 0, 0, 0, 0},
    {effGetVendorString, 0, 0, 0, 0, 0},
    {effGetVendorVersion, 0, 0, 0, 0, 0},
    {effCanDo, 0, 0, 0, 0, 0},
    {effGetTailSize, 0, 0, 0, 0, 0},
    {effIdle, 0, 0, 0, 0, 0},
    {effGetIcon, 0, 0, 0, 0, 0},
    {effSetViewPosition, 0, 0, 0, 0, 0},
    {effGetParameterProperties, 0, 0, 0, 0, 0},
    {effKeysRequired, 0, 0, 0, 0, 1},
    {effGetVstVersion, 0, 0, 0, 2400, 2300},
    {effEditKeyDown, 'a', 1, 0, 0, 0},
    {effEditKeyUp, 'a', 1, 0, 0, 0},
    {effSetEditKnobMode, 0, 2, 0, 0, 0},
    {effGetMidiProgramName, 0, 0, 0, 0, 0},
    {effGetCurrentMidiProgram, 0, 0, 0, -1, -1},
    {effGetMidiProgramCategory, 0, 0, 0, 0, 0},
    {effHasMidiProgramsChanged, 0, 0, 0, 0, 0},
    {effGetMidiKeyName, 0, 0, 0, 0, 0},
    {effBeginSetProgram, 0, 0, 0, 0, 0},
    {effEndSetProgram, 0, 0, 0, 0, 0},
    {effShellGetNextPlugin, 0, 0, 0, 0, 0},
    {effStartProcess, 0, 0, 0, 0, 0},
    {effStopProcess, 0, 0, 0, 0, 0},
    {effSetTotalSampleToProcess, 0, 1234, 0, 1234, 1234},
    {effSetPanLaw, 0, 0, 0, 0, 0},
    {effBeginLoadBank, 0, 0, 0, 0, 0},
    {effBeginLoadProgram, 0, 0, 0, 0, 0},
    {effSetProcessPrecision, 0, 1, 0, 0, 0},
    {effGetNumMidiInputChannels, 0, 0, 0, 0, 0},
    {effGetNumMidiOutputChannels, 0, 0, 0, 0, 0},
    {80, 0, 0, 0, 0, 0},
    {12345, 0, 0, 0, 0, 0},
    {-1, 0, 0, 0, 0, 0},
};

TEST(Dispatcher, BaseDefaultsOfBothGenerations) {
    LoadedPlugin p24(PLUGIN_PATH_Bare24);
    LoadedPlugin p23(PLUGIN_PATH_Bare23);
    ASSERT_TRUE(p24.create());
    ASSERT_TRUE(p23.create());
    for (const Row& row : kDefaults) {
        char buffer[512] = {};
        EXPECT_EQ(p24.plugin->dispatch(row.opcode, row.index, row.value, buffer, row.opt),
                  row.expect24)
            << "2.4 opcode " << row.opcode;
        std::memset(buffer, 0, sizeof(buffer));
        EXPECT_EQ(p23.plugin->dispatch(row.opcode, row.index, row.value, buffer, row.opt),
                  row.expect23)
            << "2.3 opcode " << row.opcode;
    }
    // Texts default to empty; the 2.3 form stored effSetBlockSizeAndSampleRate.
    EXPECT_EQ(p24.plugin->parameterName(0), "");
    EXPECT_EQ(p24.plugin->parameterDisplay(0), "");
    EXPECT_EQ(p24.plugin->parameterLabel(0), "");
    EXPECT_EQ(p24.plugin->programName(), "");
    EXPECT_EQ(p23.plugin->dispatch(effVendorSpecific, kQueryBlockSize), 512);
    EXPECT_EQ(p23.plugin->dispatch(effVendorSpecific, kQuerySampleRate), 96000);
    EXPECT_EQ(p24.plugin->dispatch(effVendorSpecific, kQueryBlockSize), 1024);
}

TEST(Dispatcher, GetSpeakerArrangementClearsBothPointers) {
    LoadedPlugin p(PLUGIN_PATH_Bare24);
    ASSERT_TRUE(p.create());
    int dummy = 0;
    void* input = &dummy;
    void* output = &dummy;
    EXPECT_EQ(p.plugin->dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input),
                                 &output),
              0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(Dispatcher, SetProgramKeepsToTheBank) {
    for (const char* path : {PLUGIN_PATH_Bare24, PLUGIN_PATH_Bare23}) {
        LoadedPlugin p(path);
        ASSERT_TRUE(p.create());
        struct {
            VstIntPtr value;
            VstInt32 expect;
        } cases[] = {{2, 2}, {3, 2}, {-1, 2}, {1000, 2}, {0, 0}, {1, 1}};
        for (auto c : cases) {
            p.plugin->setProgram(static_cast<VstInt32>(c.value));
            EXPECT_EQ(p.plugin->program(), c.expect) << "program " << c.value;
        }
    }
}

struct EditorRow {
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    VstIntPtr expect24;
    VstIntPtr expect23;
    VstInt32 note;  // what the fixture reports, 0 for nothing
};

const EditorRow kEditorRows[] = {
    {effEditGetRect, 0, 0, 0, 1, 2, 0},
    {effEditOpen, 0, 0, 0, 1, 5, kNoteEditorOpen},
    {effEditIdle, 0, 0, 0, 0, 0, kNoteEditorIdle},
    {effEditClose, 0, 0, 0, 0, 0, kNoteEditorClose},
    {effEditKeyDown, 'x', 0x1ff, 258.7f, 1, 1, kNoteKeyDown},
    {effEditKeyUp, 'y', 3, 1.0f, 0, 0, kNoteKeyUp},
    {effSetEditKnobMode, 0, 2, 0, 1, 1, kNoteKnobMode},
    {effEditDraw, 0, 0, 0, 0, 0, 0},
    {effMainsChanged, 0, 0, 0, 0, 0, kNoteSuspend},
    {effMainsChanged, 0, 1, 0, 0, 0, kNoteResume},
    {effMainsChanged, 0, 7, 0, 0, 0, kNoteResume},
    {effOpen, 0, 0, 0, 0, 0, kNoteOpen},
    {effSetProgram, 0, 1, 0, 0, 0, kNoteSetProgram},
};

TEST(Dispatcher, EditorOpcodesAndNotifications) {
    struct {
        const char* path;
        bool v24;
    } generations[] = {{PLUGIN_PATH_Fixture24, true}, {PLUGIN_PATH_Fixture23, false}};
    for (auto g : generations) {
        LoadedPlugin p(g.path);
        ASSERT_TRUE(p.create());
        EXPECT_TRUE(p.plugin->effect()->flags & effFlagsHasEditor);
        for (const EditorRow& row : kEditorRows) {
            p.host.clearCalls();
            ERect* rect = nullptr;
            void* ptr = row.opcode == effEditGetRect ? static_cast<void*>(&rect) : nullptr;
            EXPECT_EQ(p.plugin->dispatch(row.opcode, row.index, row.value, ptr, row.opt),
                      g.v24 ? row.expect24 : row.expect23)
                << g.path << " opcode " << row.opcode;
            auto notes = p.notes();
            if (row.note)
                EXPECT_EQ(notes, std::vector<VstInt32>{row.note}) << "opcode " << row.opcode;
            else
                EXPECT_TRUE(notes.empty()) << "opcode " << row.opcode;
            if (row.opcode == effEditGetRect) {
                ASSERT_NE(rect, nullptr);
                EXPECT_EQ(rect->right - rect->left, 200);
                EXPECT_EQ(rect->bottom - rect->top, 100);
            }
        }
    }
}

TEST(Dispatcher, KeyCodesCarryCharacterVirtualKeyAndModifier) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    struct {
        VstIntPtr value;
        float opt;
        int virt;
        int modifier;
    } cases[] = {{0x1ff, 258.7f, 0xff, 2}, {5, 3.9f, 5, 3}, {0, -1.0f, 0, 0xff},
                 {7, std::numeric_limits<float>::quiet_NaN(), 7, 0}, {8, 1e30f, 8, 0}};
    for (auto c : cases) {
        p.host.clearCalls();
        p.plugin->dispatch(effEditKeyDown, 'k', c.value, nullptr, c.opt);
        auto notes = p.host.callsWithOpcode(audioMasterVendorSpecific);
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].value, 'k');
        EXPECT_EQ(static_cast<int>(notes[0].opt), c.virt | (c.modifier << 8));
    }
}

TEST(Dispatcher, TextOpcodesWithoutABufferDoNothing) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    for (VstInt32 opcode : {effSetProgramName, effGetProgramName, effGetParamLabel,
                            effGetParamDisplay, effGetParamName, effGetEffectName, effCanDo,
                            effGetProgramNameIndexed, effString2Parameter})
        EXPECT_EQ(p.plugin->dispatch(opcode, 0, 0, nullptr), 0) << opcode;
}

TEST(HostCalls, WrappersAnswerForTheHost) {
    LoadedPlugin p(PLUGIN_PATH_Fixture24);
    ASSERT_TRUE(p.create());
    VstIntPtr pinAnswer = 0;
    p.host.answer = [&](const hosting::HostCall& c) -> VstIntPtr {
        if (c.opcode == audioMasterPinConnected) return pinAnswer;
        if (c.opcode == audioMasterGetSampleRate) return 88200;
        return 0;
    };
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryMasterVersion), 2400);
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryInputConnected), 1);
    pinAnswer = 1;
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryInputConnected), 0);
    auto pins = p.host.callsWithOpcode(audioMasterPinConnected);
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[0].value, 0);  // an input
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryUpdateSampleRate), 88200);
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQuerySampleRate), 88200);
    // A version answer of 0 after construction reads as 1.
    p.host.versionAnswer = 0;
    EXPECT_EQ(p.plugin->dispatch(effVendorSpecific, kQueryMasterVersion), 1);
}

}  // namespace
