// A view with a value from 0 to 1, a tag and a listener. UI thread only.
#pragma once

#include "cview.h"

class CControl;

class CControlListener {
public:
    virtual ~CControlListener() = default;
    // A user changed control; context is the frame's drawing target (may be null).
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    virtual long controlModifierClicked(CDrawContext* /*context*/, CControl* /*control*/,
                                        long /*button*/) {
        return 0;
    }
};

class CControl : public CView {
public:
    // background may be null; the control keeps a reference to it while it lives.
    CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background = nullptr);
    ~CControl() override;

    // Stores the value only: no clamp, no redraw request, no report.
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    long getTag() const { return tag; }
    void setTag(long newTag) { tag = newTag; }
    CControlListener* getListener() const { return listener; }
    void setMin(float v) { vmin = v; }
    void setMax(float v) { vmax = v; }
    float getMin() const { return vmin; }
    float getMax() const { return vmax; }
    void setDefaultValue(float v) { defaultValue = v; }
    float getDefaultValue() const { return defaultValue; }
    void setWheelInc(float v) { wheelInc = v; }
    float getWheelInc() const { return wheelInc; }
    CBitmap* getBackground() const { return background; }

    // Asks for a redraw at the next idle.
    virtual void update(CDrawContext* /*context*/) { setDirty(); }
    // Dirty also when the value differs from the one last drawn.
    bool isDirty() const override;
    void setDirty(bool state = true) override;

protected:
    // Brackets of a gesture, reported to the frame's editor with the tag.
    void beginEdit();
    void endEdit();
    // A change by the user: clamps, and reports only when the value changes.
    void changeByUser(float newValue);
    // A wheel or key step of steps x wheel increment (x 0.1 with Shift), bracketed.
    void step(float steps, int modifiers);
    // Ctrl+click: the default value, bracketed. True when it was one.
    bool checkDefaultValue(int buttons);
    void drawn() { drawnValue = value; dirty = false; }
    // Runs the editor's idle pass during a drag, spaced by about 50 ms.
    void trackingIdle();

    CControlListener* listener;
    long tag;
    float value = 0.0f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
    float drawnValue = -1.0f;
    CBitmap* background;
};
