// The controls' behaviour, driven through a frame with synthetic input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/vstgui.h"

namespace {

// Records reports and gesture brackets as text: "begin 3", "3=0.5", "end 3", "idle".
struct Recorder : CControlListener, CEditorInterface {
    void valueChanged(CDrawContext*, CControl* c) override {
        log.push_back(std::to_string(c->getTag()) + "=" + std::to_string(c->getValue()));
    }
    void beginEdit(long tag) override { log.push_back("begin " + std::to_string(tag)); }
    void endEdit(long tag) override { log.push_back("end " + std::to_string(tag)); }
    void doIdleStuff() override { ++idlePasses; }
    std::vector<std::string> log;
    int idlePasses = 0;
};

std::string v(long tag, float value) { return std::to_string(tag) + "=" + std::to_string(value); }

struct Toolkit : ::testing::Test {
    Recorder rec;
    CFrame frame{CRect(0, 0, 200, 120), nullptr, &rec};
    CBitmap* strip = new CBitmap(129);
    CBitmap* track = new CBitmap(130);
    CBitmap* handle = new CBitmap(131);
    ~Toolkit() override {
        strip->forget();
        track->forget();
        handle->forget();
    }
    CAnimKnob* addKnob(long tag = 1) {
        auto* k = new CAnimKnob(CRect(100, 40, 130, 70), &rec, tag, 63, 30, strip);
        frame.addView(k);
        return k;
    }
    // Track 10..110, handle 10 wide, travel 10..100.
    CHorizontalSlider* addSlider(int style, bool freeClick) {
        auto* s = new CHorizontalSlider(CRect(10, 20, 110, 31), &rec, 0, 10, 100, handle, track, {}, style);
        s->setFreeClick(freeClick);
        frame.addView(s);
        return s;
    }
    void drag(CPoint from, CPoint to, int buttons = kLButton) {
        frame.onMouseDown(from, buttons);
        frame.onMouseMoved(to, buttons);
        frame.onMouseUp(to, 0);
    }
};

TEST_F(Toolkit, BitmapsComeFromTheLibrarysOwnTableWithReferenceCounts) {
    EXPECT_EQ(strip->getWidth(), 30);
    EXPECT_EQ(strip->getHeight(), 1890);
    CBitmap* missing = new CBitmap(4711);
    EXPECT_FALSE(missing->isLoaded());
    EXPECT_EQ(missing->getWidth(), 0);
    missing->forget();
    EXPECT_EQ(strip->getNbReference(), 1);
    addKnob();
    EXPECT_EQ(strip->getNbReference(), 2);  // the knob holds one until the frame deletes it
}

TEST_F(Toolkit, KnobShowsTheTruncatedPictureOfItsValue) {
    CAnimKnob* knob = addKnob();
    struct Case { float value; int picture; } cases[] = {
        {0.0f, 0}, {0.5f, 31}, {0.999f, 61}, {1.0f, 62}, {-1.0f, 0}, {2.0f, 62}};
    for (const Case& c : cases) {
        knob->setValue(c.value);
        EXPECT_EQ(knob->pictureIndex(), c.picture) << c.value;
    }
    CBitmap* sixty = new CBitmap(129);
    CAnimKnob other(CRect(0, 0, 45, 45), nullptr, 0, 60, 30, sixty);
    sixty->forget();
    other.setValue(0.5f);
    EXPECT_EQ(other.pictureIndex(), 29);
}

TEST_F(Toolkit, SetValueStoresOnlyAndInputReportsOncePerChange) {
    CAnimKnob* knob = addKnob(4);
    knob->setValue(0.25f);
    EXPECT_TRUE(rec.log.empty());
    frame.redrawDirty();
    EXPECT_FALSE(knob->isDirty());
    knob->setValue(0.3f);
    EXPECT_TRUE(knob->isDirty());  // a value not yet drawn
    knob->setValue(7.0f);
    EXPECT_EQ(knob->getValue(), 7.0f);  // no clamp
    knob->setValue(0.5f);
    frame.onMouseDown(CPoint(110, 60), kLButton);
    frame.onMouseMoved(CPoint(110, 60), kLButton);  // no movement: no report
    frame.onMouseMoved(CPoint(130, 60), kLButton);
    frame.onMouseMoved(CPoint(130, 60), kLButton);
    frame.onMouseUp(CPoint(130, 60), 0);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"begin 4", v(4, 0.6f), "end 4"}));
}

TEST_F(Toolkit, LinearKnobFollowsUpAndRightOver200PixelsOr300Fine) {
    CAnimKnob* knob = addKnob();
    setGlobalKnobMode(kLinearMode);
    struct Case { CPoint to; int buttons; float expected; } cases[] = {
        {{110, 10}, kLButton, 0.75f},            // 50 up
        {{160, 60}, kLButton, 0.75f},            // 50 right
        {{110, 160}, kLButton, 0.0f},            // 100 down, clamped
        {{110, 0}, kLButton | kShift, 0.7f},     // 60 up, fine
    };
    for (const Case& c : cases) {
        knob->setValue(0.5f);
        drag(CPoint(110, 60), c.to, c.buttons);
        EXPECT_NEAR(knob->getValue(), c.expected, 1e-6) << c.to.x << "," << c.to.y;
    }
    // Shift pressed mid-drag re-bases: no jump, then fine steps.
    knob->setValue(0.5f);
    frame.onMouseDown(CPoint(110, 60), kLButton);
    frame.onMouseMoved(CPoint(110, 40), kLButton);           // 0.6
    frame.onMouseMoved(CPoint(110, 40), kLButton | kShift);  // still 0.6
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    frame.onMouseMoved(CPoint(110, 10), kLButton | kShift);  // + 30 / 300
    frame.onMouseUp(CPoint(110, 10), 0);
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-6);
}

TEST_F(Toolkit, CircularKnobTakesTheAngleAndStaysPinnedAcrossTheGap) {
    CAnimKnob* knob = addKnob();
    setGlobalKnobMode(kCircularMode);
    const CPoint centre(115, 55);
    frame.onMouseDown(centre.offset(0, -12), kLButton);  // top
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6);
    frame.onMouseMoved(centre.offset(-12, 0), kLButton);  // left: 180 degrees
    EXPECT_NEAR(knob->getValue(), 1.0f / 6.0f, 1e-6);
    frame.onMouseMoved(centre.offset(-12, 12), kLButton);  // lower left: minimum
    EXPECT_NEAR(knob->getValue(), 0.0f, 1e-6);
    frame.onMouseMoved(centre.offset(-3, 12), kLButton);  // left half of the gap
    EXPECT_EQ(knob->getValue(), 0.0f);
    frame.onMouseMoved(centre.offset(3, 12), kLButton);  // right half: would be 1, stays 0
    EXPECT_EQ(knob->getValue(), 0.0f);
    frame.onMouseUp(centre, 0);
    // Alt swaps to linear for one gesture.
    knob->setValue(0.5f);
    drag(centre, centre.offset(0, -12), kLButton | kAlt);
    EXPECT_NEAR(knob->getValue(), 0.56f, 1e-6);
    setGlobalKnobMode(kLinearMode);
}

TEST_F(Toolkit, WheelKeysAndCtrlClickAreEachOneBracketedStep) {
    CAnimKnob* knob = addKnob(2);
    knob->setValue(0.5f);
    EXPECT_TRUE(frame.onWheel(CPoint(110, 50), 1.0f, 0));
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
    frame.onWheel(CPoint(110, 50), -1.0f, kShift);
    EXPECT_NEAR(knob->getValue(), 0.59f, 1e-6);
    EXPECT_FALSE(frame.onWheel(CPoint(5, 5), 1.0f, 0));  // nothing there
    frame.onMouseDown(CPoint(110, 50), kLButton);          // takes the keys
    frame.onMouseUp(CPoint(110, 50), 0);
    rec.log.clear();
    CKey down;
    down.virt = kKeyDown;
    EXPECT_TRUE(frame.onKeyDown(down));
    EXPECT_NEAR(knob->getValue(), 0.49f, 1e-6);
    frame.onMouseDown(CPoint(110, 50), kLButton | kControl);
    EXPECT_FALSE(frame.isTracking());
    EXPECT_EQ(knob->getValue(), 0.5f);
    ASSERT_EQ(rec.log.size(), 6u);
    EXPECT_EQ(rec.log[0], "begin 2");
    EXPECT_EQ(rec.log[2], "end 2");
    EXPECT_EQ(rec.log[3], "begin 2");
    EXPECT_EQ(rec.log[4], v(2, 0.5f));
    EXPECT_EQ(rec.log[5], "end 2");
}

TEST_F(Toolkit, SliderHandleSitsAtOffsetPlusTruncatedTravel) {
    CHorizontalSlider* left = addSlider(kLeft, false);
    left->setOffsetHandle(CPoint(0, -1));
    struct Case { float value; int x; } cases[] = {{0.0f, 10}, {1.0f, 100}, {0.5f, 55}, {0.999f, 99}, {3.0f, 100}};
    for (const Case& c : cases) {
        left->setValue(c.value);
        EXPECT_EQ(left->handleRect().left, c.x) << c.value;
        EXPECT_EQ(left->handleRect().top, 19);
    }
    CHorizontalSlider* right = addSlider(kRight, false);  // the default: minimum on the right
    right->setValue(0.0f);
    EXPECT_EQ(right->handleRect().left, 100);
    CBitmap* vhandle = new CBitmap(131);
    CVerticalSlider vertical(CRect(0, 0, 10, 100), nullptr, 0, 0, 86, vhandle, nullptr);
    vhandle->forget();
    vertical.setValue(1.0f);
    EXPECT_EQ(vertical.handleRect().top, 0);  // minimum at the bottom
    vertical.setValue(0.0f);
    EXPECT_EQ(vertical.handleRect().top, 86);
}

TEST_F(Toolkit, SliderWithoutFreeClickMovesOnlyWhenItsHandleIsGrabbed) {
    CHorizontalSlider* slider = addSlider(kLeft, false);
    slider->setValue(0.5f);  // handle 55..65
    frame.onMouseDown(CPoint(30, 25), kLButton);
    frame.onMouseMoved(CPoint(40, 25), kLButton);
    frame.onMouseUp(CPoint(40, 25), 0);
    EXPECT_TRUE(rec.log.empty());
    EXPECT_EQ(slider->getValue(), 0.5f);
    drag(CPoint(58, 25), CPoint(76, 25));  // grab point kept: 18 pixels of 90
    EXPECT_NEAR(slider->getValue(), 0.7f, 1e-6);
    EXPECT_EQ(rec.log.front(), "begin 0");
    EXPECT_EQ(rec.log.back(), "end 0");
    drag(CPoint(78, 25), CPoint(168, 25), kLButton | kShift);  // fine: 90 pixels count 9
    EXPECT_NEAR(slider->getValue(), 0.8f, 1e-6);
}

TEST_F(Toolkit, SliderWithFreeClickCentresTheHandleOnThePointer) {
    CHorizontalSlider* slider = addSlider(kLeft, true);
    slider->setValue(0.0f);  // handle 10..20, centre 15
    frame.onMouseDown(CPoint(60, 25), kLButton);
    EXPECT_NEAR(slider->getValue(), 0.5f, 1e-6);
    frame.onMouseUp(CPoint(60, 25), 0);
}

TEST_F(Toolkit, ButtonsToggleAndKick) {
    CBitmap* onOff = new CBitmap(132);
    CBitmap* kickBitmap = new CBitmap(133);
    auto* toggle = new COnOffButton(CRect(10, 50, 30, 60), &rec, 2, onOff);
    auto* kick = new CKickButton(CRect(10, 80, 40, 95), &rec, 3, 15, kickBitmap);
    onOff->forget();
    kickBitmap->forget();
    frame.addView(toggle);
    frame.addView(kick);
    toggle->setValue(0.3f);  // any non-zero value is on
    frame.onMouseDown(CPoint(15, 55), kLButton);
    EXPECT_FALSE(frame.isTracking());
    frame.onMouseUp(CPoint(15, 55), 0);
    EXPECT_EQ(toggle->getValue(), 0.0f);
    frame.onMouseDown(CPoint(15, 85), kLButton);
    frame.onMouseMoved(CPoint(100, 100), kLButton);  // leaving shows 0
    frame.onMouseMoved(CPoint(15, 85), kLButton);
    frame.onMouseUp(CPoint(15, 85), 0);
    EXPECT_EQ(kick->getValue(), 0.0f);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"begin 2", v(2, 0), "end 2", "begin 3", v(3, 1),
                                                 v(3, 0), v(3, 1), v(3, 0), "end 3"}));
}

TEST_F(Toolkit, ClicksGoToTheTopmostEnabledView) {
    CAnimKnob* knob = addKnob(1);
    auto* cover = new CTextEdit(CRect(100, 40, 130, 70), &rec, 8, "cover");
    frame.addView(cover);
    auto* display = new CParamDisplay(CRect(0, 100, 50, 120));
    frame.addView(display);
    EXPECT_EQ(frame.viewAt(CPoint(110, 50)), cover);
    cover->setMouseEnabled(false);
    EXPECT_EQ(frame.viewAt(CPoint(110, 50)), knob);
    frame.onMouseDown(CPoint(110, 50), kLButton);
    EXPECT_FALSE(cover->isEditing());  // a disabled field never opens
    frame.onMouseUp(CPoint(110, 50), 0);
    EXPECT_EQ(frame.viewAt(CPoint(10, 110)), display);
    rec.log.clear();
    frame.onMouseDown(CPoint(10, 110), kLButton);  // swallowed, nothing reported
    EXPECT_TRUE(rec.log.empty());
}

TEST_F(Toolkit, TextEditReportsAChangedTextInsideABracketAtCommit) {
    auto* field = new CTextEdit(CRect(120, 16, 170, 34), &rec, 5, "0.50");
    frame.addView(field);
    addKnob(1);
    auto type = [&](const char* s) {
        for (; *s; ++s) {
            CKey k;
            k.character = *s;
            frame.onKeyDown(k);
        }
    };
    CKey back, ret, esc;
    back.virt = kKeyBack;
    ret.virt = kKeyReturn;
    esc.virt = kKeyEscape;
    // Escape restores, an unchanged commit reports nothing.
    frame.onMouseDown(CPoint(130, 20), kLButton);
    ASSERT_TRUE(field->isEditing());
    type("9");
    frame.onKeyDown(esc);
    EXPECT_STREQ(field->text(), "0.50");
    frame.onMouseDown(CPoint(130, 20), kLButton);
    frame.onKeyDown(ret);
    EXPECT_TRUE(rec.log.empty());
    // Typing and Return.
    frame.onMouseDown(CPoint(130, 20), kLButton);
    frame.onKeyDown(back);
    frame.onKeyDown(back);
    type("75");
    frame.onKeyDown(ret);
    EXPECT_STREQ(field->text(), "0.75");
    EXPECT_EQ(rec.log, (std::vector<std::string>{"begin 5", v(5, 0), "end 5"}));
    // A click elsewhere commits first.
    rec.log.clear();
    frame.onMouseDown(CPoint(130, 20), kLButton);
    type("x");
    frame.onMouseDown(CPoint(110, 50), kLButton);
    frame.onMouseUp(CPoint(110, 50), 0);
    EXPECT_STREQ(field->text(), "0.75x");
    EXPECT_EQ(rec.log.front(), "begin 5");
    // Text is bounded.
    std::string longText(1000, 'a');
    field->setText(longText.c_str());
    EXPECT_EQ(std::string(field->text()).size(), size_t(CTextEdit::kMaxText));
}

TEST_F(Toolkit, DragRunsTheIdlePassAbout50MsApart) {
    addKnob(1);
    frame.onMouseDown(CPoint(110, 60), kLButton);
    frame.onMouseMoved(CPoint(110, 59), kLButton);
    EXPECT_EQ(rec.idlePasses, 0);  // too soon after the press
    const int64_t start = guiMilliseconds();
    while (guiMilliseconds() - start < 60) {}
    frame.onMouseMoved(CPoint(110, 58), kLButton);
    frame.onMouseMoved(CPoint(110, 57), kLButton);
    EXPECT_EQ(rec.idlePasses, 1);
    frame.onMouseUp(CPoint(110, 57), 0);
}

TEST_F(Toolkit, FrameDrawsIntoAnySurface) {
    frame.setBackground(new CBitmap(128));
    frame.getBackground()->forget();
    CParamDisplay* display = new CParamDisplay(CRect(0, 100, 50, 120));
    display->setBackColor(CColor{0, 0, 255, 255});
    frame.addView(display);
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 200, 120);
    frame.drawTo(target);
    cairo_surface_flush(target);
    const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(target));
    const int stride = cairo_image_surface_get_stride(target) / 4;
    EXPECT_EQ(px[110 * stride + 2] & 0xffffff, 0x0000ffu);  // the display's fill
    EXPECT_NE(px[50 * stride + 60] & 0xffffff, 0u);          // the background picture
    cairo_surface_destroy(target);
}

}  // namespace
