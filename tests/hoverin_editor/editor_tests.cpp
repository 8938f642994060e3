// Hoverin's panel: its size and lifecycle through the library, its knobs,
// displays and gestures with the editor built in-process.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "plugins/hoverin/editor.h"
#include "tests/support/editor_in_process.h"
#include "tests/support/loaded_plugin.h"

using namespace hoverin;

namespace {

// A rectangle as (left, top, right, bottom), for comparing.
std::vector<long> corners(const CRect& r) { return {r.left, r.top, r.right, r.bottom}; }

enum { kDryWet, kFeedback, kRate, kRange, kFrequency, kOutGain };

struct HoverinEditor : ::testing::Test {
    InProcess p;
    Editor* ed() { return static_cast<Editor*>(p.editor()); }
    std::vector<std::string> texts() {
        std::vector<std::string> out;
        for (int i = 0; i < 6; ++i) out.emplace_back(ed()->getDisplay(i)->text());
        return out;
    }
    std::vector<std::pair<VstInt32, float>> automation() {
        std::vector<std::pair<VstInt32, float>> out;
        for (const auto& c : p.gestureCalls())
            if (c.opcode == audioMasterAutomate) out.emplace_back(c.index, c.opt);
        return out;
    }
};

// The row as built: six knobs 55 pixels apart, each with its display below,
// showing the defaults.
TEST_F(HoverinEditor, OpenBuildsTheRowAndShowsTheDefaults) {
    EXPECT_EQ(ed()->getKnob(0), nullptr);  // nothing before the first open
    p.open();
    EXPECT_EQ(texts(), (std::vector<std::string>{"50.00%", "0.00%", "1/2", "1 Oct", "1592.43Hz",
                                                  "0.00dB"}));
    const float defaults[] = {0.5f, 0.0f, 0.5f, 0.15f, 0.8f, 1.0f};
    for (int i = 0; i < 6; ++i) {
        CAnimKnob* knob = ed()->getKnob(i);
        CTextEdit* display = ed()->getDisplay(i);
        ASSERT_TRUE(knob && display);
        EXPECT_EQ(corners(knob->getViewSize()), (std::vector<long>{20 + 55 * i, 30, 65 + 55 * i, 75}));
        EXPECT_EQ(knob->getTag(), i);
        EXPECT_EQ(knob->getValue(), defaults[i]);
        EXPECT_EQ(corners(display->getViewSize()), (std::vector<long>{15 + 55 * i, 75, 70 + 55 * i, 90}));
        EXPECT_EQ(display->getTag(), 1);
        EXPECT_EQ(display->getValue(), defaults[i]);
        EXPECT_FALSE(display->getMouseEnabled());
        EXPECT_EQ(display->getFont(), kNormalFontSmall);
        EXPECT_EQ(display->getFontColor(), (CColor{0, 153, 153, 255}));
        EXPECT_EQ(display->getBackColor(), (CColor{0, 0, 0, 255}));
        EXPECT_EQ(display->getFrameColor(), (CColor{0, 0, 0, 255}));
    }
    // The strip's 60 pictures: 0.5 shows picture 29, the last only at 1.
    EXPECT_EQ(ed()->getKnob(kDryWet)->pictureIndex(), 29);
    EXPECT_EQ(ed()->getKnob(kFeedback)->pictureIndex(), 0);
    EXPECT_EQ(ed()->getKnob(kOutGain)->pictureIndex(), 59);
    EXPECT_STREQ(ed()->shownRateText(), "1/2");
    EXPECT_EQ(ed()->shownRateIndex(), 4.0f);
    EXPECT_EQ(ed()->shownRateValue(), 0.5f);
}

// A host change moves the knob and rewrites its display only, with no report.
TEST_F(HoverinEditor, HostChangesShowTheirTexts) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Row {
        int index;
        float value;
        const char* text;
    } const rows[] = {
        {kRate, 1.0f, "16/1"},       {kRate, 0.999f, "8/1"},       {kRate, 0.0f, "1/32"},
        {kRate, 0.5f, "1/2"},        {kOutGain, 0.0f, "-96.00dB"}, {kOutGain, 0.5f, "-14.45dB"},
        {kFrequency, 1.0f, "4000.00Hz"}, {kFrequency, 0.0f, "40.00Hz"},
        {kRange, 1.0f, "6 Oct"},     {kRange, 0.999f, "5 Oct"},    {kRange, 0.2f, "2 Oct"},
        {kDryWet, 0.25f, "25.00%"},  {kFeedback, 1.0f, "100.00%"},
        // Beyond 0 ... 1 the texts show what runs, as the host's display does.
        {kRate, 1.5f, "16/1"},       {kRate, nan, "1/32"},         {kFrequency, 3.0f, "4000.00Hz"},
    };
    p.open();
    p.host.clearCalls();
    for (const Row& r : rows) {
        const std::vector<std::string> before = texts();
        p.effect()->setParameter(r.index, r.value);
        std::vector<std::string> expected = before;
        expected[r.index] = r.text;
        EXPECT_EQ(texts(), expected) << r.index << " at " << r.value;
        const float knob = ed()->getKnob(r.index)->getValue();
        if (std::isnan(r.value))
            EXPECT_TRUE(std::isnan(knob));
        else
            EXPECT_EQ(knob, r.value);
    }
    EXPECT_STREQ(ed()->shownRateText(), "1/32");
    EXPECT_EQ(ed()->shownRateValue(), 0.03125f);
    // Indices outside the six touch nothing.
    const std::vector<std::string> before = texts();
    p.effect()->setParameter(6, 0.3f);
    ed()->setParameter(-1, 0.3f);
    EXPECT_EQ(texts(), before);
    EXPECT_TRUE(p.gestureCalls().empty());
}

TEST_F(HoverinEditor, AChangeWhileClosedShowsAtTheNextOpen) {
    p.open();
    p.dispatch(effEditClose);
    EXPECT_EQ(ed()->getDisplay(kFrequency), nullptr);
    p.effect()->setParameter(kFrequency, 1.0f);
    p.effect()->setParameter(kRate, 0.999f);
    p.open();
    EXPECT_STREQ(ed()->getDisplay(kFrequency)->text(), "4000.00Hz");
    EXPECT_EQ(ed()->getKnob(kFrequency)->getValue(), 1.0f);
    EXPECT_STREQ(ed()->getDisplay(kRate)->text(), "8/1");
}

// Dragging the Feedback knob upwards: begin, rising reports, end, all for
// index 1, and the display follows each report.
TEST_F(HoverinEditor, KnobDragAutomatesItsIndexInsideItsBracket) {
    p.open();
    p.host.clearCalls();
    const CPoint centre(97, 52);  // knob 1
    p.press(centre.x, centre.y);
    p.move(centre.x, centre.y - 10);
    EXPECT_STREQ(ed()->getDisplay(kFeedback)->text(), "5.00%");
    p.move(centre.x, centre.y - 20);
    p.move(centre.x + 10, centre.y - 30);
    p.release(centre.x + 10, centre.y - 30);

    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const auto& c : calls) EXPECT_EQ(c.index, kFeedback);
    EXPECT_EQ(automation(), (std::vector<std::pair<VstInt32, float>>{
                                {kFeedback, 0.05f}, {kFeedback, 0.1f}, {kFeedback, 0.2f}}));
    EXPECT_EQ(p.effect()->getParameter(kFeedback), 0.2f);
    EXPECT_STREQ(ed()->getDisplay(kFeedback)->text(), "20.00%");
    EXPECT_EQ(ed()->getKnob(kFeedback)->getValue(), 0.2f);
    EXPECT_EQ(ed()->getKnob(kFeedback)->pictureIndex(), 11);
    // The other knobs and texts stay.
    EXPECT_STREQ(ed()->getDisplay(kDryWet)->text(), "50.00%");
    EXPECT_EQ(p.effect()->getParameter(kDryWet), 0.5f);
}

TEST_F(HoverinEditor, AClickOnADisplayDoesNothing) {
    p.open();
    p.host.clearCalls();
    const std::vector<std::string> before = texts();
    for (int i = 0; i < 6; ++i) {
        const CRect r = ed()->getDisplay(i)->getViewSize();
        p.press(r.left + 27, r.top + 7);
        p.move(r.left + 27, r.top - 20);  // a drag starting there moves no knob either
        p.release(r.left + 27, r.top - 20);
        EXPECT_FALSE(ed()->getDisplay(i)->isEditing());
        VstKeyCode k{'7', 0, 0};
        p.editor()->onKeyDown(k);
    }
    EXPECT_TRUE(p.gestureCalls().empty());
    EXPECT_EQ(texts(), before);
}

TEST_F(HoverinEditor, SnapshotOfTheOpenPanel) {
    p.effect()->setParameter(kFeedback, 0.6f);
    p.effect()->setParameter(kRate, 0.9f);
    p.effect()->setParameter(kRange, 0.4f);
    p.open();
    p.dispatch(effEditIdle);
    ASSERT_EQ(cairo_surface_write_to_png(p.frame()->getSurface(), "hoverin_editor.png"),
              CAIRO_STATUS_SUCCESS);
}

}  // namespace
