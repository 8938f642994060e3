// Ilvane's panel: its size and lifecycle through the library, its controls,
// texts and gestures with the editor built in-process.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "plugins/ilvane/editor.h"
#include "tests/support/editor_in_process.h"
#include "tests/support/loaded_plugin.h"

using namespace ilvane;

namespace {

TEST(IlvaneEditorLibrary, EachLibraryFindsOnlyItsOwnBitmaps) {
    LoadedPlugin ilvane(PLUGIN_PATH_Ilvane);
    LoadedPlugin probe(PLUGIN_PATH_GuiProbe);
    ASSERT_TRUE(ilvane.create());
    ASSERT_TRUE(probe.create());
    auto a = ilvane.plugin->editorRect();
    auto b = probe.plugin->editorRect();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->right, 339);  // bitmap 128 of each library
    EXPECT_EQ(b->right, 200);
    EXPECT_EQ(ilvane.plugin->dispatch(effEditOpen), 1);
    EXPECT_EQ(probe.plugin->dispatch(effEditOpen), 1);
    ilvane.plugin->dispatch(effEditIdle);
    probe.plugin->dispatch(effEditIdle);
}

struct IlvaneEditor : ::testing::Test {
    InProcess p;
    Editor* ed() { return static_cast<Editor*>(p.editor()); }
    std::vector<std::pair<VstInt32, float>> automation() {
        std::vector<std::pair<VstInt32, float>> out;
        for (const auto& c : p.gestureCalls())
            if (c.opcode == audioMasterAutomate) out.emplace_back(c.index, c.opt);
        return out;
    }
    void type(CTextEdit* field, const char* s) {
        const CRect r = field->getViewSize();
        p.press(r.left + 5, r.top + 5);
        p.release(r.left + 5, r.top + 5);
        VstKeyCode back{0, VKEY_BACK, 0};
        for (int i = 0; i < 20; ++i) p.editor()->onKeyDown(back);
        for (; *s; ++s) {
            VstKeyCode k{*s, 0, 0};
            p.editor()->onKeyDown(k);
        }
        VstKeyCode ret{0, VKEY_RETURN, 0};
        p.editor()->onKeyDown(ret);
    }
};

TEST_F(IlvaneEditor, OpenShowsHandlesAndDbTextsOfTheCurrentValues) {
    struct Case { float low, high; int lowX, highX; const char* lowText; const char* highText; } cases[] = {
        {1.0f, 0.0f, 253, 68, "12.00 dB", "-12.00 dB"},
        {0.5f, 0.75f, 160, 206, "0.00 dB", "6.00 dB"},
        {0.7f, 0.25f, 197, 114, "4.80 dB", "-6.00 dB"},
    };
    for (const Case& c : cases) {
        p.effect()->setParameter(0, c.low);  // while closed
        p.effect()->setParameter(1, c.high);
        p.open();
        EXPECT_EQ(ed()->getLowSlider()->handleRect().left, c.lowX) << c.low;
        EXPECT_EQ(ed()->getLowSlider()->handleRect().top, 24);
        EXPECT_EQ(ed()->getHighSlider()->handleRect().left, c.highX) << c.high;
        EXPECT_EQ(ed()->getHighSlider()->handleRect().top, 63);
        EXPECT_STREQ(ed()->getLowText()->text(), c.lowText);
        EXPECT_STREQ(ed()->getHighText()->text(), c.highText);
        EXPECT_EQ(ed()->getLowText()->getFontColor(), (CColor{204, 102, 0, 255}));
        EXPECT_EQ(ed()->getLowText()->getBackColor(), (CColor{51, 0, 0, 255}));
        EXPECT_EQ(ed()->getLowText()->getFont(), kNormalFont);
        p.dispatch(effEditClose);
        EXPECT_EQ(ed()->getLowSlider(), nullptr);
    }
    // While open a host change moves the handle and rewrites the text, with no report.
    p.open();
    p.host.clearCalls();
    p.effect()->setParameter(0, 0.5f);
    EXPECT_STREQ(ed()->getLowText()->text(), "0.00 dB");
    EXPECT_EQ(ed()->getLowSlider()->handleRect().left, 160);
    EXPECT_TRUE(p.gestureCalls().empty());
}

TEST_F(IlvaneEditor, DraggingTheLowHandleAutomatesIndexZeroInsideItsBracket) {
    p.effect()->setParameter(0, 0.0f);
    p.open();
    p.host.clearCalls();
    p.drag(CPoint(75, 30), {CPoint(112, 30), CPoint(112, 33), CPoint(149, 30)});
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[3].opcode, audioMasterEndEdit);
    EXPECT_EQ(automation(), (std::vector<std::pair<VstInt32, float>>{{0, 37.0f / 185.0f}, {0, 74.0f / 185.0f}}));
    for (const auto& c : calls) EXPECT_EQ(c.index, 0);
    EXPECT_FLOAT_EQ(p.effect()->getParameter(0), 74.0f / 185.0f);
    EXPECT_STREQ(ed()->getLowText()->text(), "-2.40 dB");
    // A click beside the handle (now at 68 + 74) does nothing.
    p.host.clearCalls();
    p.drag(CPoint(240, 30), {CPoint(250, 30)});
    p.drag(CPoint(100, 70), {CPoint(120, 70)});  // the high slider's track, away from its handle
    EXPECT_TRUE(p.gestureCalls().empty());
    EXPECT_FLOAT_EQ(p.effect()->getParameter(0), 74.0f / 185.0f);
}

TEST_F(IlvaneEditor, ResetClickAutomatesBothGainsAndTheButtonPerReport) {
    p.effect()->setParameter(0, 1.0f);
    p.effect()->setParameter(1, 0.0f);
    p.open();
    p.host.clearCalls();
    p.press(300, 100);
    p.release(300, 100);
    EXPECT_EQ(automation(), (std::vector<std::pair<VstInt32, float>>{
                                {0, 0.5f}, {1, 0.5f}, {2, 1.0f}, {0, 0.5f}, {1, 0.5f}, {2, 0.0f}}));
    const auto calls = p.gestureCalls();
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.front().index, 2);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    EXPECT_STREQ(ed()->getLowText()->text(), "0.00 dB");
    EXPECT_STREQ(ed()->getHighText()->text(), "0.00 dB");
    EXPECT_EQ(ed()->getLowSlider()->handleRect().left, 160);
    EXPECT_EQ(ed()->getHighSlider()->handleRect().left, 160);
    EXPECT_EQ(p.effect()->getParameter(2), 0.0f);
    EXPECT_EQ(ed()->getResetButton()->getValue(), 0.0f);
}

TEST_F(IlvaneEditor, TypedDbSetsThatGainAndOtherTextRestoresTheOldOne) {
    p.open();
    struct Case { const char* typed; float value; const char* shown; } cases[] = {
        {"4.8", 0.7f, "4.80 dB"},
        {"-3 dB", 0.375f, "-3.00 dB"},
        {" 6dB ", 0.75f, "6.00 dB"},
        {"20", 1.0f, "12.00 dB"},
        {"-40 dB", 0.0f, "-12.00 dB"},
    };
    for (const Case& c : cases) {
        p.host.clearCalls();
        type(ed()->getHighText(), c.typed);
        EXPECT_EQ(automation(), (std::vector<std::pair<VstInt32, float>>{{1, c.value}})) << c.typed;
        EXPECT_FLOAT_EQ(p.effect()->getParameter(1), c.value);
        EXPECT_STREQ(ed()->getHighText()->text(), c.shown);
        EXPECT_FLOAT_EQ(ed()->getHighSlider()->getValue(), c.value);
    }
    for (const char* junk : {"loud", "nan", "inf", "3 Hz", ""}) {
        p.host.clearCalls();
        type(ed()->getLowText(), junk);
        EXPECT_TRUE(automation().empty()) << junk;
        EXPECT_STREQ(ed()->getLowText()->text(), "0.00 dB") << junk;
        EXPECT_EQ(p.effect()->getParameter(0), 0.5f);
    }
}

TEST_F(IlvaneEditor, SnapshotOfTheOpenPanel) {
    p.effect()->setParameter(0, 0.7f);
    p.effect()->setParameter(1, 0.25f);
    p.open();
    p.dispatch(effEditIdle);
    ASSERT_EQ(cairo_surface_write_to_png(p.frame()->getSurface(), "ilvane_editor.png"), CAIRO_STATUS_SUCCESS);
}

}  // namespace
