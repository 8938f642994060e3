// The editor bridge as a host sees it: the probe's editor through its library,
// and gestures through the host's log with the editor built in-process.
#include <gtest/gtest.h>

#include "tests/support/editor_in_process.h"
#include "tests/support/loaded_plugin.h"
#include "probe_effect.h"

namespace {

TEST(EditorBridge, LibraryHasAnEditorWhoseRectIsKnownBeforeOpen) {
    LoadedPlugin p(PLUGIN_PATH_GuiProbe);
    ASSERT_TRUE(p.create());
    EXPECT_TRUE(p.plugin->effect()->flags & effFlagsHasEditor);
    auto rect = p.plugin->editorRect();
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->right - rect->left, 200);
    EXPECT_EQ(rect->bottom - rect->top, 120);
    // Opcodes with the editor closed are harmless.
    EXPECT_EQ(p.plugin->dispatch(effEditIdle), 0);
    EXPECT_EQ(p.plugin->dispatch(effEditClose), 0);
    EXPECT_EQ(p.plugin->dispatch(effSetEditKnobMode, 0, 2), 1);
    VstIntPtr opened = p.plugin->dispatch(effEditOpen);
    EXPECT_EQ(opened, 1);
    p.plugin->dispatch(effEditIdle);
    EXPECT_EQ(p.plugin->dispatch(effEditKeyDown, 0, VKEY_UP), 0);  // no control has the keys yet
    // Closing with the editor open releases everything (the sanitizer build checks leaks).
}

TEST(EditorBridge, OpenCloseOpenRebuildsControlsWithCurrentValues) {
    InProcess p;
    p.open();
    auto* ed = static_cast<ProbeEditor*>(p.editor());
    EXPECT_EQ(ed->level->getValue(), 0.5f);
    EXPECT_STREQ(ed->levelText->text(), "0.50");
    p.dispatch(effEditClose);
    EXPECT_EQ(p.frame(), nullptr);
    p.effect()->setParameter(kLevel, 0.25f);  // closed: nothing to show, nothing lost
    p.effect()->setParameter(kDrive, 1.0f);
    p.effect()->setParameter(77, 1.0f);
    p.open();
    EXPECT_EQ(ed->level->getValue(), 0.25f);
    EXPECT_STREQ(ed->levelText->text(), "0.25");
    EXPECT_EQ(ed->drive->getValue(), 1.0f);
    // While open a host change reaches the control without a report.
    p.host.clearCalls();
    p.effect()->setParameter(kLevel, 0.75f);
    EXPECT_EQ(ed->level->getValue(), 0.75f);
    EXPECT_STREQ(ed->levelText->text(), "0.75");
    EXPECT_TRUE(p.gestureCalls().empty());
    for (int i = 0; i < 3; ++i) {
        p.dispatch(effEditClose);
        p.open();
    }
    EXPECT_EQ(ed->level->getValue(), 0.75f);
}

TEST(EditorBridge, DragIsBracketedWithOneAutomationPerChange) {
    InProcess p;
    p.open();
    auto* ed = static_cast<ProbeEditor*>(p.editor());
    p.host.clearCalls();
    // Level 0.5: handle at 10 + 45 = 55. Drag it 9 and then 18 pixels right.
    p.drag(CPoint(58, 25), {CPoint(67, 25), CPoint(67, 26), CPoint(76, 25)});
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(calls[1].opt, 0.6f);
    EXPECT_EQ(calls[2].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(calls[2].opt, 0.7f);
    EXPECT_EQ(calls[3].opcode, audioMasterEndEdit);
    for (const auto& c : calls) EXPECT_EQ(c.index, kLevel);
    EXPECT_FLOAT_EQ(p.effect()->getParameter(kLevel), 0.7f);
    EXPECT_STREQ(ed->levelText->text(), "0.70");
    // Beside the handle: nothing at all.
    p.host.clearCalls();
    p.drag(CPoint(20, 25), {CPoint(40, 25)});
    EXPECT_TRUE(p.gestureCalls().empty());
}

TEST(EditorBridge, KeysWheelAndKnobModeArriveThroughTheDispatcher) {
    InProcess p;
    p.open();
    p.press(165, 45);  // the knob takes the keys
    p.release(165, 45);
    p.host.clearCalls();
    EXPECT_EQ(p.dispatch(effEditKeyDown, 0, VKEY_UP), 1);
    EXPECT_FLOAT_EQ(p.effect()->getParameter(kDrive), 0.1f);
    EXPECT_EQ(p.dispatch(effEditKeyDown, 0, VKEY_DOWN, nullptr, MODIFIER_SHIFT), 1);
    EXPECT_FLOAT_EQ(p.effect()->getParameter(kDrive), 0.09f);
    p.move(165, 45, 0);
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[3].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[5].opcode, audioMasterEndEdit);
    // Circular mode from the host: the press jumps to the pointer's angle.
    EXPECT_EQ(p.dispatch(effSetEditKnobMode, 0, kCircularMode), 1);
    p.press(165, 43);  // straight above the centre (165, 55)
    p.release(165, 43);
    EXPECT_FLOAT_EQ(p.effect()->getParameter(kDrive), 0.5f);
    p.dispatch(effSetEditKnobMode, 0, kLinearMode);
}

TEST(EditorBridge, ButtonsAndTypedTextBecomeAutomation) {
    InProcess p;
    p.open();
    p.host.clearCalls();
    p.press(15, 55);
    p.release(15, 55);
    EXPECT_EQ(p.effect()->getParameter(kSwitch), 1.0f);
    p.press(15, 85);
    p.release(15, 85);
    EXPECT_EQ(p.effect()->getParameter(kKick), 0.0f);
    std::vector<std::pair<VstInt32, float>> seen;
    for (const auto& c : p.gestureCalls())
        if (c.opcode == audioMasterAutomate) seen.emplace_back(c.index, c.opt);
    EXPECT_EQ(seen, (std::vector<std::pair<VstInt32, float>>{{2, 1.0f}, {3, 1.0f}, {3, 0.0f}}));
    auto* ed = static_cast<ProbeEditor*>(p.editor());
    p.press(130, 20);  // the level field
    ASSERT_TRUE(ed->levelText->isEditing());
    VstKeyCode back{0, VKEY_BACK, 0};
    for (int i = 0; i < 4; ++i) p.editor()->onKeyDown(back);
    for (char c : std::string("0.3")) {
        VstKeyCode k{c, 0, 0};
        p.editor()->onKeyDown(k);
    }
    p.host.clearCalls();
    VstKeyCode ret{0, VKEY_RETURN, 0};
    p.editor()->onKeyDown(ret);
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(calls[1].opt, 0.3f);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    EXPECT_STREQ(ed->levelText->text(), "0.30");
}

TEST(EditorBridge, IdlePassDuringADragCallsTheHostsIdleOnly) {
    InProcess p;
    p.open();
    int nestedIdles = 0;
    p.host.answer = [&](const hosting::HostCall& call) -> VstIntPtr {
        if (call.opcode == audioMasterIdle) {
            ++nestedIdles;
            p.dispatch(effEditIdle);  // a host that idles its editors from here is ignored
        }
        return 0;
    };
    p.press(58, 25);
    const int64_t start = guiMilliseconds();
    int y = 0;
    while (guiMilliseconds() - start < 120) p.move(58 + (++y % 20), 25);
    p.release(58, 25);
    EXPECT_GE(p.host.callsWithOpcode(audioMasterIdle).size(), 1u);
    EXPECT_LE(p.host.callsWithOpcode(audioMasterIdle).size(), 3u);
    EXPECT_EQ(nestedIdles, static_cast<int>(p.host.callsWithOpcode(audioMasterIdle).size()));
    p.host.answer = nullptr;
}

TEST(EditorBridge, SnapshotOfTheOpenEditor) {
    InProcess p;
    p.effect()->setParameter(kDrive, 0.8f);
    p.effect()->setParameter(kSwitch, 1.0f);
    p.open();
    p.dispatch(effEditIdle);
    const char* file = "gui_probe_editor.png";
    ASSERT_EQ(cairo_surface_write_to_png(p.frame()->getSurface(), file), CAIRO_STATUS_SUCCESS);
}

}  // namespace
