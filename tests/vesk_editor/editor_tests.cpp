// Vesk's panel: its size and lifecycle through the library, its sliders,
// displays and gestures with the editor built in-process.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "plugins/vesk/editor.h"
#include "plugins/vesk/layout.h"
#include "plugins/vesk/vesk_core.h"
#include "tests/support/editor_in_process.h"
#include "tests/support/loaded_plugin.h"

using namespace vesk;

namespace {

// A rectangle as left, top, right, bottom, to compare and print.
std::array<int, 4> box(const CRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// What a display shows: its value with the toolkit's "%2.2f".
std::string shown(const CParamDisplay* d) {
    char text[32];
    std::snprintf(text, sizeof text, "%2.2f", d->getValue());
    return text;
}

// The panel y of a handle's top for a value.
int handleTop(float v) { return 30 + static_cast<int>((1.0f - v) * 78.0f); }

struct VeskEditor : ::testing::Test {
    InProcess p;
    Editor* ed() { return static_cast<Editor*>(p.editor()); }
    VeskCore* core() { return static_cast<VeskCore*>(p.effect()); }
    std::vector<std::pair<VstInt32, float>> automation() {
        std::vector<std::pair<VstInt32, float>> out;
        for (const auto& c : p.gestureCalls())
            if (c.opcode == audioMasterAutomate) out.emplace_back(c.index, c.opt);
        return out;
    }
    int sliderX(int i) { return layout::sliderLeft(i) + 5; }
};

TEST_F(VeskEditor, DefaultsPutEveryHandleInTheMiddleAndEveryDisplayAtZero) {
    EXPECT_TRUE(ed()->areControlsLive());
    EXPECT_EQ(ed()->slider(0), nullptr);  // nothing before the first open
    p.open();
    for (int i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        CVerticalSlider* s = ed()->slider(i);
        CParamDisplay* d = ed()->display(i);
        ASSERT_TRUE(s && d);
        EXPECT_EQ(s->getValue(), 0.5f);
        EXPECT_EQ(box(s->getViewSize()), box(layout::kControls[i].size));
        EXPECT_EQ(box(s->handleRect()), box(CRect(layout::sliderLeft(i) + 1, 69, layout::sliderLeft(i) + 10, 76)));
        EXPECT_EQ(shown(d), "0.00");
        EXPECT_EQ(box(d->getViewSize()), box(layout::kControls[20 + i].size));
        EXPECT_EQ(d->getFont(), 6);
        EXPECT_EQ(d->getStyle(), 1);
        EXPECT_EQ(d->getFontColor(), (CColor{0, 255, 255, 255}));
        EXPECT_EQ(d->getBackColor(), (CColor{0, 0, 0, 255}));
        EXPECT_EQ(d->getFrameColor(), (CColor{0, 0, 0, 255}));
    }
    // The rectangles of the table: Input and Output apart, the bands 28 pixels apart.
    EXPECT_EQ(box(ed()->slider(0)->getViewSize()), box(CRect(25, 30, 36, 116)));
    EXPECT_EQ(box(ed()->slider(1)->getViewSize()), box(CRect(73, 30, 84, 116)));
    EXPECT_EQ(box(ed()->slider(18)->getViewSize()), box(CRect(549, 30, 560, 116)));
    EXPECT_EQ(box(ed()->slider(19)->getViewSize()), box(CRect(597, 30, 608, 116)));
    EXPECT_EQ(box(ed()->display(0)->getViewSize()), box(CRect(18, 10, 45, 25)));
    EXPECT_EQ(box(ed()->display(12)->getViewSize()), box(CRect(374, 10, 401, 25)));
    EXPECT_EQ(box(ed()->display(19)->getViewSize()), box(CRect(590, 10, 617, 25)));
}

TEST_F(VeskEditor, DraggingThe1000HzSliderToTheTopSetsParameter12) {
    p.open();
    p.host.clearCalls();
    p.drag(CPoint(sliderX(12), 72), {CPoint(sliderX(12), 50), CPoint(sliderX(12), 20)});
    const auto calls = p.gestureCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const auto& c : calls) EXPECT_EQ(c.index, 12);
    EXPECT_EQ(automation().back(), (std::pair<VstInt32, float>{12, 1.0f}));
    EXPECT_EQ(p.effect()->getParameter(12), 1.0f);
    EXPECT_EQ(shown(ed()->display(12)), "12.00");
    EXPECT_EQ(ed()->slider(12)->handleRect().top, 30);
    for (int i = 0; i < 20; ++i) {
        if (i == 12) continue;
        EXPECT_EQ(p.effect()->getParameter(i), 0.5f) << i;
    }
}

TEST_F(VeskEditor, ADragEndingInTheSnapRangeCentresTheHandleAndShowsZero) {
    p.effect()->setParameter(12, 0.6f);
    p.open();
    EXPECT_EQ(ed()->slider(12)->handleRect().top, handleTop(0.6f));
    p.host.clearCalls();
    // Grab the handle and move it 8 pixels down: 0.6 - 8/78 = 0.4974.
    const int grab = handleTop(0.6f) + 3;
    p.drag(CPoint(sliderX(12), grab), {CPoint(sliderX(12), grab + 4), CPoint(sliderX(12), grab + 8)});
    const float sent = automation().back().second;
    EXPECT_GE(sent, 0.495f);
    EXPECT_LE(sent, 0.505f);
    EXPECT_NE(sent, 0.5f);
    EXPECT_EQ(p.effect()->getParameter(12), 0.5f);  // played snapped
    EXPECT_EQ(core()->programValue(0, 12), sent);   // kept as sent
    EXPECT_EQ(ed()->slider(12)->getValue(), 0.5f);
    EXPECT_EQ(ed()->slider(12)->handleRect().top, handleTop(0.5f));
    EXPECT_EQ(shown(ed()->display(12)), "0.00");
}

TEST_F(VeskEditor, AClickOnADisplayDoesNothing) {
    p.open();
    p.host.clearCalls();
    for (int i : {0, 12, 19}) {
        const CRect r = ed()->display(i)->getViewSize();
        p.drag(CPoint(r.left + 5, r.top + 5), {CPoint(r.left + 5, r.top + 30)});
    }
    EXPECT_TRUE(p.gestureCalls().empty());
    for (int i = 0; i < 20; ++i) EXPECT_EQ(p.effect()->getParameter(i), 0.5f) << i;
}

TEST_F(VeskEditor, HostChangesShowNowWhenOpenAndAtTheNextOpenWhenClosed) {
    p.open();
    p.host.clearCalls();
    p.effect()->setParameter(3, 1.0f);  // open: shown at once, no report
    EXPECT_EQ(ed()->slider(3)->getValue(), 1.0f);
    EXPECT_EQ(shown(ed()->display(3)), "12.00");
    EXPECT_TRUE(p.gestureCalls().empty());

    p.dispatch(effEditClose);
    EXPECT_FALSE(ed()->areControlsLive());
    EXPECT_EQ(ed()->slider(3), nullptr);
    p.effect()->setParameter(5, 0.25f);  // closed: nothing to show now
    p.effect()->setParameter(19, 0.0f);
    p.open();
    EXPECT_TRUE(ed()->areControlsLive());
    EXPECT_EQ(ed()->slider(5)->getValue(), 0.25f);
    EXPECT_EQ(ed()->slider(5)->handleRect().top, handleTop(0.25f));
    EXPECT_EQ(shown(ed()->display(5)), "-6.00");
    EXPECT_EQ(shown(ed()->display(19)), "-12.00");
    EXPECT_EQ(shown(ed()->display(3)), "12.00");
}

TEST_F(VeskEditor, ProgramChangeUpdatesEveryControl) {
    p.effect()->setProgram(4);
    for (int i = 0; i < 20; ++i) p.effect()->setParameter(i, i / 19.0f);
    p.effect()->setProgram(0);
    p.open();
    EXPECT_EQ(shown(ed()->display(19)), "0.00");
    p.effect()->setProgram(4);
    for (int i = 0; i < 20; ++i) {
        const float v = snapToCentre(i / 19.0f);
        EXPECT_EQ(ed()->slider(i)->getValue(), v) << i;
        EXPECT_EQ(ed()->display(i)->getValue(), (2.0f * v - 1.0f) * 12.0f) << i;
    }
}

}  // namespace
