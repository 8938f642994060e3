// Gelmira's panel: its size and lifecycle through the library, its knobs,
// displays, the typed note and the gestures with the editor built in-process.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "plugins/gelmira/editor.h"
#include "plugins/gelmira/layout.h"
#include "plugins/gelmira/note_table.h"
#include "tests/support/editor_in_process.h"
#include "tests/support/loaded_plugin.h"

using namespace gelmira;

namespace {

enum { kLpIn = 0, kHpIn, kRoot, kWidth, kRootGain, kTune2, kGain2, kTune3, kGain3, kLpOut,
       kHpOut, kDryWet };

bool same(const CRect& a, const CRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct GelmiraEditor : ::testing::Test {
    InProcess p;
    Editor* ed() { return static_cast<Editor*>(p.editor()); }
    std::vector<std::pair<VstInt32, float>> automation() {
        std::vector<std::pair<VstInt32, float>> out;
        for (const auto& c : p.gestureCalls())
            if (c.opcode == audioMasterAutomate) out.emplace_back(c.index, c.opt);
        return out;
    }
    // What a display shows: the text of a text field, the value of a number
    // display as the toolkit renders it ("%2.2f").
    std::string shown(VstInt32 index) {
        if (index == kRoot) return ed()->getRootText()->text();
        if (index == kDryWet) return ed()->getDryWetText()->text();
        char s[64];
        std::snprintf(s, sizeof s, "%2.2f", ed()->display(index)->getValue());
        return s;
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

TEST_F(GelmiraEditor, OpenShowsTheDefaultsWithTheirViewsSettings) {
    p.open();
    const char* want[12] = {"20000.00", "20.00", "B 0",  "50.00", "0.00",     "0.00",
                            "0.00",     "0.00",  "0.00", "20000.00", "20.00", "  0 %"};
    for (VstInt32 i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown(i), want[i]);
        ASSERT_NE(ed()->knob(i), nullptr);
        EXPECT_EQ(ed()->knob(i)->getValue(), p.effect()->getParameter(i));
        EXPECT_TRUE(same(ed()->knob(i)->getViewSize(), layout::knobOf(i).size));
        const CParamDisplay* d = i == kRoot     ? ed()->getRootText()
                                 : i == kDryWet ? ed()->getDryWetText()
                                                : ed()->display(i);
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(same(d->getViewSize(), layout::displayOf(i).size));
        EXPECT_EQ(d->getFont(), 5);
        EXPECT_EQ(d->getFontColor(), (CColor{255, 255, 0, 255}));
        EXPECT_EQ(d->getBackColor(), (CColor{0, 0, 0, 255}));
        EXPECT_EQ(d->getFrameColor(), (CColor{0, 0, 0, 255}));
        EXPECT_EQ(d->getStyle(), (i == kRoot || i == kDryWet) ? 0 : 1);
    }
    EXPECT_TRUE(ed()->getRootText()->getMouseEnabled());
    EXPECT_FALSE(ed()->getDryWetText()->getMouseEnabled());
    EXPECT_EQ(ed()->display(kRoot), nullptr);  // the note is a text field, not a number
}

TEST_F(GelmiraEditor, DisplaysFollowTheValuesWithoutReports) {
    struct Case { VstInt32 index; float value; const char* text; } cases[] = {
        {kDryWet, 0.5f, " 50 %"},   {kDryWet, 1.0f, "100 %"},   {kDryWet, 0.999f, " 99 %"},
        {kDryWet, 0.001f, "  0 %"}, {kDryWet, -0.05f, " -5 %"}, {kDryWet, 1e6f, "Huge! %"},
        {kRoot, 1.0f, "B 2"},       {kRoot, 0.0f, "C -1"},      {kRoot, 0.99f, "A# 2"},
        {kRoot, 3.0f, "A# 2"},      // no note: the name stays
        {kTune3, 0.0f, "-12.00"},   {kTune2, 1.0f, "12.00"},    {kTune2, 0.49f, "-1.00"},
        {kWidth, 1.0f, "100.00"},   {kRootGain, 0.5f, "3.00"},  {kGain3, 1.0f, "6.00"},
        {kLpIn, 0.5f, "632.46"},    {kHpOut, 0.0f, "20.00"},    {kLpOut, 0.25f, "112.47"},
    };
    p.open();
    for (const Case& c : cases) {
        p.host.clearCalls();
        p.effect()->setParameter(c.index, c.value);
        EXPECT_EQ(shown(c.index), c.text) << c.index << " " << c.value;
        EXPECT_EQ(ed()->knob(c.index)->getValue(), c.value);
        EXPECT_TRUE(p.gestureCalls().empty());  // host changes never echo back
    }
}

TEST_F(GelmiraEditor, AChangeWhileClosedTouchesNoViewAndShowsAtTheNextOpen) {
    p.open();
    p.dispatch(effEditClose);
    EXPECT_EQ(ed()->knob(kDryWet), nullptr);
    EXPECT_EQ(ed()->getDryWetText(), nullptr);
    p.effect()->setParameter(kDryWet, 0.5f);
    p.effect()->setParameter(kRoot, 1.0f);
    p.effect()->setParameter(kTune3, 0.0f);
    p.effect()->setParameter(99, 0.5f);  // outside the table: ignored by both
    p.open();
    ASSERT_NE(ed()->knob(kDryWet), nullptr);
    EXPECT_EQ(shown(kDryWet), " 50 %");
    EXPECT_EQ(shown(kRoot), "B 2");
    EXPECT_EQ(shown(kTune3), "-12.00");
    EXPECT_EQ(ed()->knob(kTune3)->getValue(), 0.0f);
}

TEST_F(GelmiraEditor, FormattersFollowTheirRules) {
    char s[12];
    struct { VstInt32 v; const char* text; } ints[] = {
        {0, "  0"}, {7, "  7"}, {100, "100"}, {-12, "-12"}, {99999999, "99999999"},
        {100000000, "Huge!"}, {2147483647, "Huge!"}, {-1000000000, "-1000000"},
    };
    for (const auto& c : ints) {
        ed()->formatInteger(c.v, s);
        EXPECT_STREQ(s, c.text) << c.v;
    }
    ed()->formatValue(-12.0f, s);
    EXPECT_STREQ(s, "-12.00");
    ed()->formatValue(20000.0f, s);
    EXPECT_STREQ(s, "20000.00");
}

// A drag on each knob reaches the host as its own parameter, bracketed, and
// its display follows.
TEST_F(GelmiraEditor, EachKnobAutomatesItsOwnParameter) {
    for (VstInt32 i = 0; i < 12; ++i) p.effect()->setParameter(i, 0.25f);
    p.open();
    for (VstInt32 i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const CRect k = layout::knobOf(i).size;
        const int cx = (k.left + k.right) / 2, cy = (k.top + k.bottom) / 2;
        p.host.clearCalls();
        p.drag(CPoint(cx, cy), {CPoint(cx + 20, cy), CPoint(cx + 20, cy - 30)});  // +50 pixels
        const auto calls = p.gestureCalls();
        ASSERT_EQ(calls.size(), 4u);
        EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
        EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
        for (const auto& c : calls) EXPECT_EQ(c.index, i);
        const auto reports = automation();
        ASSERT_EQ(reports.size(), 2u);
        EXPECT_EQ(reports[0].first, i);
        EXPECT_FLOAT_EQ(reports[0].second, 0.35f);
        EXPECT_EQ(reports[1], (std::pair<VstInt32, float>{i, 0.5f}));
        EXPECT_EQ(p.effect()->getParameter(i), 0.5f);
        EXPECT_EQ(ed()->knob(i)->getValue(), 0.5f);
    }
    EXPECT_EQ(shown(kRoot), "B 0");
    EXPECT_EQ(shown(kDryWet), " 50 %");
    EXPECT_EQ(shown(kLpIn), "632.46");
}

// Typing into the note field: a name from the table (any case, spaces
// around) sets Root Pitch inside one gesture; anything else restores the
// shown name; nothing ever reaches parameter 1.
TEST_F(GelmiraEditor, TypedNoteNamesSetRootPitchAndNothingElse) {
    p.open();
    struct Case { const char* typed; int note; const char* shown; } cases[] = {
        {"A 2", 45, "A 2"},     {"C# -1", 1, "C# -1"}, {"c# -1", 1, "C# -1"},
        {"  e 0  ", 16, "E 0"}, {"B 2", 47, "B 2"},    {"c -1", 0, "C -1"},
        {"g#1", -1, "C -1"},    {"H 1", -1, "C -1"},   {"C 3", -1, "C -1"},
        {"", -1, "C -1"},       {"0.5", -1, "C -1"},   {"20", -1, "C -1"},
        {"C# -1 x", -1, "C -1"}, {"Bb 1", -1, "C -1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const float before = p.effect()->getParameter(kRoot);
        p.host.clearCalls();
        type(ed()->getRootText(), c.typed);
        const auto calls = p.gestureCalls();
        for (const auto& call : calls) EXPECT_EQ(call.index, kRoot);
        if (c.note >= 0) {
            ASSERT_EQ(calls.size(), 3u);
            EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
            EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
            EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
            EXPECT_EQ(automation()[0].second, Editor::rootValue(c.note));
            EXPECT_EQ(noteIndex(p.effect()->getParameter(kRoot)), c.note);
        } else {
            EXPECT_TRUE(automation().empty());
            EXPECT_EQ(p.effect()->getParameter(kRoot), before);
        }
        EXPECT_STREQ(ed()->getRootText()->text(), c.shown);
        EXPECT_EQ(p.effect()->getParameter(kHpIn), 0.0f);
    }
}

TEST(GelmiraEditorNotes, EveryNoteHasAValueThatSelectsIt) {
    for (int i = 0; i < kNotes; ++i) {
        const float v = Editor::rootValue(i);
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
        EXPECT_EQ(noteIndex(v), i) << noteName(i);
    }
}

TEST_F(GelmiraEditor, SnapshotOfTheOpenPanel) {
    p.effect()->setParameter(kRoot, 0.7f);
    p.effect()->setParameter(kDryWet, 0.5f);
    p.open();
    p.dispatch(effEditIdle);
    ASSERT_EQ(cairo_surface_write_to_png(p.frame()->getSurface(), "gelmira_editor.png"),
              CAIRO_STATUS_SUCCESS);
}

}  // namespace
