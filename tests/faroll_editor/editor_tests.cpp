// Faroll's panel: its size and lifecycle through the library; its views,
// texts, switches, Reset and gestures with the editor built in-process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "faroll_panel.h"
#include "plugins/faroll/mappings.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

using namespace faroll::layout;

namespace {

using Automation = std::vector<std::pair<VstInt32, float>>;

constexpr long kKnobs[] = {kLowGain, kMidGain, kHighGain, kLowFreq, kMidFreq, kHighFreq};

struct FarollEditor : ::testing::Test, FarollPanel {};

TEST_F(FarollEditor, FreshOpenShowsTheMiddleOfEveryKnobAndEveryBandPlaying) {
    p.open();
    const char* texts[] = {"0.00 dB", "0.00 dB", "0.00 dB", "250.00 Hz", "1000.00 Hz", "3000.00 Hz"};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(kKnobs[i]);
        ASSERT_NE(knob(kKnobs[i]), nullptr);
        EXPECT_EQ(knob(kKnobs[i])->pictureIndex(), 31);
        EXPECT_EQ(knob(kKnobs[i])->getTag(), kKnobs[i]);
        CTextEdit* t = text(kKnobs[i]);
        EXPECT_STREQ(t->text(), texts[i]);
        // Displays only: tag 1, no listener, no mouse, white on black in font 5.
        EXPECT_EQ(t->getTag(), 1);
        EXPECT_EQ(t->getListener(), nullptr);
        EXPECT_FALSE(t->getMouseEnabled());
        EXPECT_EQ(t->getFont(), kNormalFontSmaller);
        EXPECT_EQ(t->getFontColor(), (CColor{255, 255, 255, 255}));
        EXPECT_EQ(t->getBackColor(), (CColor{0, 0, 0, 255}));
        EXPECT_EQ(t->getFrameColor(), (CColor{0, 0, 0, 255}));
    }
    for (long tag : {kLowCut, kMidCut, kHighCut}) EXPECT_EQ(button(tag)->getValue(), 1.0f) << tag;
    EXPECT_EQ(button(kReset)->getValue(), 0.0f);
    EXPECT_EQ(p.frame()->getNbViews(), 16);
    const auto corners = [](CView* v) {
        const CRect r = v->getViewSize();
        return std::vector<long>{long(r.left), long(r.top), long(r.right), long(r.bottom)};
    };
    EXPECT_EQ(corners(button(kReset)), (std::vector<long>{180, 260, 228, 296}));
    EXPECT_EQ(corners(button(kHighCut)), (std::vector<long>{180, 215, 228, 251}));
    EXPECT_EQ(corners(text(kMidFreq)), (std::vector<long>{90, 190, 160, 205}));
    EXPECT_EQ(corners(knob(kMidFreq)), (std::vector<long>{95, 125, 155, 185}));
}

// Host changes show at once while open, and at the next open while closed,
// never echoing back as automation.
TEST_F(FarollEditor, HostChangesShowOnTheControlsWithoutReports) {
    struct Row {
        long tag;
        float value;
        int picture;
        const char* text;
    } rows[] = {
        {kLowGain, 0.0f, 0, "-96.00 dB"},   {kMidGain, 1.0f, 62, "6.00 dB"},
        {kHighGain, 0.75f, 46, "4.80 dB"},  {kLowFreq, 1.0f, 62, "500.00 Hz"},
        {kMidFreq, 0.0f, 0, "500.00 Hz"},   {kHighFreq, 1.0f, 62, "15000.00 Hz"},
    };
    for (bool openFirst : {true, false}) {
        SCOPED_TRACE(openFirst);
        if (openFirst) p.open();
        p.host.clearCalls();
        for (const Row& r : rows) p.effect()->setParameter(r.tag, r.value);
        p.effect()->setParameter(kMidCut, 0.0f);
        if (!openFirst) p.open();
        for (const Row& r : rows) {
            EXPECT_EQ(knob(r.tag)->pictureIndex(), r.picture) << r.tag;
            EXPECT_STREQ(text(r.tag)->text(), r.text) << r.tag;
        }
        EXPECT_EQ(button(kMidCut)->getValue(), 0.0f);
        EXPECT_TRUE(p.gestureCalls().empty());
        // Reset from the host brings every control back.
        p.effect()->setParameter(kReset, 0.0f);
        for (long tag : kKnobs) EXPECT_EQ(knob(tag)->pictureIndex(), 31) << tag;
        EXPECT_STREQ(text(kHighFreq)->text(), "3000.00 Hz");
        EXPECT_EQ(button(kMidCut)->getValue(), 1.0f);
        EXPECT_TRUE(p.gestureCalls().empty());
        p.dispatch(effEditClose);
        EXPECT_EQ(knob(kLowGain), nullptr);
    }
}

// Values a host may send outside 0 to 1 give texts that fit their buffer.
TEST_F(FarollEditor, TextsOfValuesFarOutsideTheRange) {
    p.open();
    p.effect()->setParameter(kMidFreq, 40.0f);  // 500 * 4^40 Hz
    p.effect()->setParameter(kLowGain, -1e30f);
    p.effect()->setParameter(kHighGain, std::nanf(""));
    const std::string mid = text(kMidFreq)->text();
    EXPECT_GT(mid.size(), 25u);
    EXPECT_EQ(mid.substr(mid.size() - 6), ".00 Hz");
    EXPECT_EQ(knob(kMidFreq)->pictureIndex(), 62);
    EXPECT_STREQ(text(kLowGain)->text(), "-inf dB");
    EXPECT_EQ(knob(kLowGain)->pictureIndex(), 0);
    EXPECT_STREQ(text(kHighGain)->text(), "nan dB");
}

TEST_F(FarollEditor, DraggingAKnobAutomatesItsIndexInsideOneBracket) {
    p.open();
    p.host.clearCalls();
    // Linear mode: 200 pixels for the whole range, up increases.
    const CRect r = knob(kHighFreq)->getViewSize();
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    p.drag(CPoint(x, y), {CPoint(x, y - 20), CPoint(x, y - 50)});
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const auto& c : calls) EXPECT_EQ(c.index, kHighFreq);
    const Automation sent = automation();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_FLOAT_EQ(sent[0].second, 0.6f);
    EXPECT_FLOAT_EQ(sent[1].second, 0.75f);
    EXPECT_EQ(p.effect()->getParameter(kHighFreq), sent[1].second);
    EXPECT_EQ(knob(kHighFreq)->pictureIndex(), 46);
    char want[32];
    std::snprintf(want, sizeof want, "%2.2f Hz", faroll::highFreqFromNormalized(sent[1].second));
    EXPECT_STREQ(text(kHighFreq)->text(), want);
}

// The 40 Hz level through the effect's 32-bit entry, in dB, after settling.
double lowBandDb(AudioEffect* effect) {
    std::vector<float> l = testsignal::sine(40.0, 44100.0, 44100), r = l;
    const std::vector<float> in = l;
    for (size_t at = 0; at < l.size(); at += 512) {
        const int n = static_cast<int>(std::min<size_t>(512, l.size() - at));
        float* c[2] = {l.data() + at, r.data() + at};
        effect->processReplacing(c, c, n);
    }
    return 20 * std::log10(testsignal::rms(l, 22050) / testsignal::rms(in, 22050));
}

TEST_F(FarollEditor, CutSwitchSendsZeroCutsTheBandAndKeepsTheGainText) {
    p.effect()->setParameter(kLowGain, 0.75f);
    p.open();
    EXPECT_NEAR(lowBandDb(p.effect()), 4.8, 0.1);
    p.host.clearCalls();
    click(button(kLowCut));
    EXPECT_EQ(automation(), (Automation{{kLowCut, 0.0f}}));
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(p.effect()->getParameter(kLowCut), 0.0f);
    EXPECT_EQ(button(kLowCut)->getValue(), 0.0f);
    EXPECT_LT(lowBandDb(p.effect()), -90.0);
    EXPECT_STREQ(text(kLowGain)->text(), "4.80 dB");
    EXPECT_EQ(knob(kLowGain)->pictureIndex(), 46);
    p.host.clearCalls();
    click(button(kLowCut));
    EXPECT_EQ(automation(), (Automation{{kLowCut, 1.0f}}));
    EXPECT_NEAR(lowBandDb(p.effect()), 4.8, 0.1);
}

TEST_F(FarollEditor, ResetAutomatesTenValuesPerPressAndPerReleaseInOneBracket) {
    const float edited[9] = {0.1f, 0.9f, 0.3f, 0.0f, 0.0f, 0.0f, 0.2f, 0.8f, 0.6f};
    p.effect()->setProgram(2);
    for (int i = 0; i < 9; ++i) p.effect()->setParameter(i, edited[i]);
    p.open();
    p.host.clearCalls();
    click(button(kReset));
    Automation press = {{0, 0.5f}, {1, 0.5f}, {2, 0.5f}, {3, 1.0f}, {4, 1.0f},
                        {5, 1.0f}, {6, 0.5f}, {7, 0.5f}, {8, 0.5f}, {9, 1.0f}};
    Automation want = press;
    want.insert(want.end(), press.begin(), press.end() - 1);
    want.push_back({9, 0.0f});
    EXPECT_EQ(automation(), want);
    const auto calls = p.gestureCalls();
    ASSERT_EQ(calls.size(), 22u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.front().index, kReset);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(calls.back().index, kReset);
    EXPECT_EQ(p.effect()->getParameter(kReset), 0.0f);
    EXPECT_EQ(button(kReset)->getValue(), 0.0f);
    for (long tag : kKnobs) EXPECT_EQ(knob(tag)->pictureIndex(), 31) << tag;
    for (long tag : {kLowCut, kMidCut, kHighCut}) EXPECT_EQ(button(tag)->getValue(), 1.0f);
    EXPECT_STREQ(text(kLowGain)->text(), "0.00 dB");
    EXPECT_STREQ(text(kLowFreq)->text(), "250.00 Hz");
    // The current program received the defaults: away and back keeps them.
    p.effect()->setProgram(3);
    p.effect()->setParameter(kLowGain, 0.2f);
    p.effect()->setProgram(2);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(p.effect()->getParameter(i), i >= 3 && i <= 5 ? 1.0f : 0.5f) << i;
    EXPECT_EQ(knob(kLowGain)->pictureIndex(), 31);
}

TEST_F(FarollEditor, ClicksOnValueTextsAndBareBackgroundDoNothing) {
    p.open();
    p.host.clearCalls();
    for (long tag : kKnobs) {
        click(text(tag));
        EXPECT_EQ(p.frame()->getFocusView(), nullptr) << tag;
    }
    p.press(120, 285);  // the engraved name
    p.release(120, 285);
    EXPECT_TRUE(p.gestureCalls().empty());
    for (long tag : kKnobs) EXPECT_EQ(p.effect()->getParameter(tag), 0.5f);
}

TEST_F(FarollEditor, SnapshotOfTheOpenPanel) {
    p.effect()->setParameter(kLowGain, 0.25f);
    p.effect()->setParameter(kMidFreq, 1.0f);
    p.effect()->setParameter(kHighCut, 0.0f);
    p.open();
    p.dispatch(effEditIdle);
    ASSERT_EQ(cairo_surface_write_to_png(p.frame()->getSurface(), "faroll_editor.png"),
              CAIRO_STATUS_SUCCESS);
}

}  // namespace
