// Tarn's panel: its size and lifecycle through the library; its knobs, value
// texts and limiter switch with the editor built in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "plugins/tarn/editor.h"
#include "plugins/tarn/tarn.h"
#include "tests/support/editor_in_process.h"
#include "tests/support/loaded_plugin.h"

using namespace tarn;

namespace {

// A rectangle's edges, to compare and print.
std::vector<long> edges(const CRect& r) { return {r.left, r.top, r.right, r.bottom}; }

struct Row {
    VstInt32 index;
    CRect knob;
    CRect text;
    const char* defaultText;
};

// The panel column by column, top to bottom, with the texts at the defaults.
const Row kRows[] = {
    {Tarn::kLowQ, {15, 15, 60, 60}, {10, 56, 65, 71}, "0.10 Q"},
    {Tarn::kLowFrequency, {15, 75, 60, 120}, {10, 116, 65, 131}, "20.00 Hz"},
    {Tarn::kLowGain, {15, 135, 60, 180}, {10, 176, 65, 191}, "0.00 dB"},
    {Tarn::kMidQ, {85, 15, 130, 60}, {80, 56, 135, 71}, "0.10 Q"},
    {Tarn::kMidFrequency, {85, 75, 130, 120}, {80, 116, 135, 131}, "700.00 Hz"},
    {Tarn::kMidGain, {85, 135, 130, 180}, {80, 176, 135, 191}, "0.00 dB"},
    {Tarn::kHighQ, {155, 15, 200, 60}, {150, 56, 205, 71}, "0.10 Q"},
    {Tarn::kHighFrequency, {155, 75, 200, 120}, {147, 116, 208, 131}, "5000.00 Hz"},
    {Tarn::kHighGain, {155, 135, 200, 180}, {150, 176, 205, 191}, "0.00 dB"},
};

struct TarnEditor : ::testing::Test {
    InProcess p;
    Editor* ed() { return static_cast<Editor*>(p.editor()); }
    std::vector<std::pair<VstInt32, float>> automation() {
        std::vector<std::pair<VstInt32, float>> out;
        for (const auto& c : p.gestureCalls())
            if (c.opcode == audioMasterAutomate) out.emplace_back(c.index, c.opt);
        return out;
    }
    void click(int x, int y) {
        p.press(x, y);
        p.release(x, y);
    }
};

TEST_F(TarnEditor, DefaultsShowEveryKnobAndTextWhereThePanelPutsThem) {
    p.open();
    for (const Row& r : kRows) {
        SCOPED_TRACE(r.index);
        CAnimKnob* knob = ed()->getKnob(r.index);
        CTextEdit* text = ed()->getValueText(r.index);
        ASSERT_TRUE(knob && text);
        EXPECT_EQ(edges(knob->getViewSize()), edges(r.knob));
        EXPECT_EQ(knob->getTag(), r.index);
        EXPECT_EQ(knob->getListener(), ed());
        EXPECT_EQ(knob->getValue(), p.effect()->getParameter(r.index));
        EXPECT_EQ(knob->getBackground()->getHeight(), 2700);
        EXPECT_EQ(edges(text->getViewSize()), edges(r.text));
        EXPECT_STREQ(text->text(), r.defaultText);
        EXPECT_EQ(text->getTag(), 1);
        EXPECT_EQ(text->getListener(), nullptr);
        EXPECT_FALSE(text->getMouseEnabled());
        EXPECT_EQ(text->getFont(), 5);
        EXPECT_EQ(text->getFontColor(), (CColor{0, 255, 255, 255}));
        EXPECT_EQ(text->getBackColor(), (CColor{0, 0, 0, 255}));
        EXPECT_EQ(text->getFrameColor(), (CColor{0, 0, 0, 255}));
    }
    COnOffButton* limiter = ed()->getLimiterButton();
    ASSERT_TRUE(limiter);
    EXPECT_EQ(edges(limiter->getViewSize()), edges(CRect(92, 215, 128, 233)));
    EXPECT_EQ(limiter->getTag(), 9);
    EXPECT_EQ(limiter->getValue(), 0.0f);
    EXPECT_EQ(ed()->getKnob(9), nullptr);
    EXPECT_EQ(ed()->getValueText(-1), nullptr);
}

// The cyan pixels of the frame's picture inside r, as the columns they span.
std::pair<int, int> textColumns(cairo_surface_t* surface, const CRect& r) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    int first = 1 << 30, last = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t px = *reinterpret_cast<const uint32_t*>(data + y * stride + 4 * x);
            const int red = (px >> 16) & 255, green = (px >> 8) & 255;
            if (green > 96 && red < 64) first = std::min(first, x), last = std::max(last, x);
        }
    return {first, last};
}

TEST_F(TarnEditor, TheWidestTextFitsInsideHighFrequencysWiderRectangle) {
    p.effect()->setParameter(Tarn::kHighFrequency, 1.0f);
    p.open();
    p.dispatch(effEditIdle);
    CTextEdit* text = ed()->getValueText(Tarn::kHighFrequency);
    EXPECT_STREQ(text->text(), "20000.00 Hz");
    EXPECT_EQ(text->getViewSize().width(), 61);
    const CRect r = text->getViewSize();
    // Its width as drawn: more than the others' 55 pixels, within these 61.
    cairo_t* cr = cairo_create(p.frame()->getSurface());
    CDrawContext context(cr);
    const double width = context.stringWidth(text->text(), text->getFont());
    cairo_destroy(cr);
    EXPECT_GT(width, 55.0);
    EXPECT_LE(width, 61.0);
    // And on the panel: every cyan pixel of it inside the rectangle, none cut off.
    const auto [first, last] = textColumns(p.frame()->getSurface(), r);
    EXPECT_GT(first, r.left);
    EXPECT_LE(last, r.right - 1);
    EXPECT_GE(last - first + 1, static_cast<int>(width) - 2);
}

TEST_F(TarnEditor, TextsFollowTheMappingsOfEachUnit) {
    struct Case { VstInt32 index; float value; const char* shown; } cases[] = {
        {Tarn::kLowFrequency, 1.0f, "800.00 Hz"},  {Tarn::kMidFrequency, 0.5f, "3850.00 Hz"},
        {Tarn::kHighFrequency, 0.25f, "8750.00 Hz"}, {Tarn::kMidQ, 1.0f, "10.00 Q"},
        {Tarn::kHighQ, 0.5f, "5.05 Q"},            {Tarn::kLowGain, 0.0f, "-12.00 dB"},
        {Tarn::kHighGain, 0.75f, "6.00 dB"},        {Tarn::kMidGain, 1.0f, "12.00 dB"},
        // What a hostile host may send is shown as it maps, bounded.
        {Tarn::kLowQ, NAN, "nan Q"},                {Tarn::kLowGain, 1e9f, "24000000000.00 dB"},
    };
    p.open();
    p.host.clearCalls();
    for (const Case& c : cases) {
        p.effect()->setParameter(c.index, c.value);
        EXPECT_STREQ(ed()->getValueText(c.index)->text(), c.shown) << c.index;
        EXPECT_EQ(std::isnan(ed()->getKnob(c.index)->getValue()), std::isnan(c.value));
    }
    EXPECT_TRUE(p.gestureCalls().empty());  // host changes never echo back
}

TEST_F(TarnEditor, DraggingAKnobAutomatesItsParameterInsideItsBracket) {
    p.open();
    p.host.clearCalls();
    p.drag(CPoint(37, 157), {CPoint(37, 147), CPoint(37, 137)});  // Low Gain, 20 pixels up
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const auto& c : calls) EXPECT_EQ(c.index, Tarn::kLowGain);
    const auto reports = automation();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_FLOAT_EQ(reports[0].second, 0.55f);
    EXPECT_FLOAT_EQ(reports[1].second, 0.6f);
    EXPECT_FLOAT_EQ(p.effect()->getParameter(Tarn::kLowGain), 0.6f);
    EXPECT_STREQ(ed()->getValueText(Tarn::kLowGain)->text(), "2.40 dB");
}

TEST_F(TarnEditor, TheLimiterSwitchTogglesParameterNineWithOneReportPerClick) {
    p.open();
    for (float expected : {1.0f, 0.0f}) {
        p.host.clearCalls();
        click(110, 224);
        const auto calls = p.gestureCalls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
        EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
        EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
        for (const auto& c : calls) EXPECT_EQ(c.index, Tarn::kLimiter);
        EXPECT_EQ(calls[1].opt, expected);
        EXPECT_EQ(p.effect()->getParameter(Tarn::kLimiter), expected);
        EXPECT_EQ(ed()->getLimiterButton()->getValue(), expected);
    }
}

TEST_F(TarnEditor, ClickingAValueTextDoesNothing) {
    p.open();
    p.host.clearCalls();
    for (const Row& r : kRows) {
        // Below the knob's bottom edge, where only the text (and the panel) lies.
        click((r.text.left + r.text.right) / 2, r.text.bottom - 4);
        click(r.text.left + 1, r.text.bottom - 2);
        EXPECT_FALSE(ed()->getValueText(r.index)->isEditing());
        EXPECT_STREQ(ed()->getValueText(r.index)->text(), r.defaultText);
    }
    EXPECT_TRUE(p.gestureCalls().empty());
    for (const Row& r : kRows) EXPECT_EQ(p.effect()->getParameter(r.index), r.index >= 6 ? 0.5f : 0.0f);
}

TEST_F(TarnEditor, ReopeningShowsTheCurrentValuesIncludingChangesWhileClosed) {
    p.open();
    p.effect()->setParameter(Tarn::kMidFrequency, 0.5f);
    p.dispatch(effEditClose);
    EXPECT_EQ(ed()->getKnob(Tarn::kMidFrequency), nullptr);
    EXPECT_EQ(ed()->getLimiterButton(), nullptr);
    p.effect()->setParameter(Tarn::kHighGain, 1.0f);  // while closed
    p.effect()->setParameter(Tarn::kLimiter, 1.0f);
    p.effect()->setProgram(0);
    p.open();
    EXPECT_STREQ(ed()->getValueText(Tarn::kMidFrequency)->text(), "3850.00 Hz");
    EXPECT_EQ(ed()->getKnob(Tarn::kMidFrequency)->getValue(), 0.5f);
    EXPECT_STREQ(ed()->getValueText(Tarn::kHighGain)->text(), "12.00 dB");
    EXPECT_EQ(ed()->getKnob(Tarn::kHighGain)->getValue(), 1.0f);
    EXPECT_EQ(ed()->getLimiterButton()->getValue(), 1.0f);
    // A program change while open shows that program's values.
    p.effect()->setParameter(Tarn::kHighGain, 0.25f);
    p.effect()->setProgram(1);
    EXPECT_STREQ(ed()->getValueText(Tarn::kHighGain)->text(), "0.00 dB");
    EXPECT_STREQ(ed()->getValueText(Tarn::kMidFrequency)->text(), "700.00 Hz");
    EXPECT_EQ(ed()->getLimiterButton()->getValue(), 0.0f);
}

TEST_F(TarnEditor, SnapshotOfTheOpenPanel) {
    p.effect()->setParameter(Tarn::kLowFrequency, 0.3f);
    p.effect()->setParameter(Tarn::kMidQ, 0.6f);
    p.effect()->setParameter(Tarn::kHighGain, 0.8f);
    p.effect()->setParameter(Tarn::kLimiter, 1.0f);
    p.open();
    p.dispatch(effEditIdle);
    ASSERT_EQ(cairo_surface_write_to_png(p.frame()->getSurface(), "tarn_editor.png"), CAIRO_STATUS_SUCCESS);
}

}  // namespace
