// Sliders: a handle bitmap moving over a track drawn from the background bitmap.
#pragma once

#include "ccontrol.h"

// Where the minimum lies.
enum CSliderStyle { kLeft = 1 << 0, kRight = 1 << 1, kTop = 1 << 2, kBottom = 1 << 3 };

class CSlider : public CControl {
public:
    // minPos and maxPos: the range of the handle's left (horizontal) or top
    // (vertical) edge, in frame coordinates. offset: where the track starts in
    // the background bitmap. The slider keeps a reference to both bitmaps.
    CSlider(const CRect& size, CControlListener* listener, long tag, int minPos, int maxPos,
            CBitmap* handle, CBitmap* background, CPoint offset, int style, bool horizontal);
    ~CSlider() override;

    void setOffsetHandle(CPoint offset) { offsetHandle = offset; }
    CPoint getOffsetHandle() const { return offsetHandle; }
    // Free click on: a press anywhere centres the handle on the pointer.
    // Off: only a press on the handle moves it.
    void setFreeClick(bool state) { freeClick = state; }
    bool getFreeClick() const { return freeClick; }

    // Where the handle is drawn for the current value, in frame coordinates.
    CRect handleRect() const;

    void draw(CDrawContext* context) override;
    bool onMouseDown(CPoint where, int buttons) override;
    void onMouseMoved(CPoint where, int buttons) override;
    void onMouseUp(CPoint where, int buttons) override;
    bool onWheel(CPoint where, float distance, int buttons) override;
    bool onKeyDown(const CKey& key) override;

private:
    // The pointer coordinate along the travel, and +1 or -1 for the value's direction.
    int along(CPoint where) const { return horizontal ? where.x : where.y; }
    float direction() const;

    int minPos;
    int maxPos;
    CBitmap* handle;
    CPoint offset;
    CPoint offsetHandle;
    int style;
    bool horizontal;
    bool freeClick = true;
    bool fine = false;
    int anchor = 0;
    float anchorValue = 0.0f;
};

class CHorizontalSlider : public CSlider {
public:
    // style kLeft puts the minimum on the left; the default kRight puts it on the right.
    CHorizontalSlider(const CRect& size, CControlListener* listener, long tag, int minPos,
                      int maxPos, CBitmap* handle, CBitmap* background, CPoint offset = {},
                      int style = kRight)
        : CSlider(size, listener, tag, minPos, maxPos, handle, background, offset, style, true) {}
};

class CVerticalSlider : public CSlider {
public:
    // style kBottom (the default) puts the minimum at the bottom; kTop at the top.
    CVerticalSlider(const CRect& size, CControlListener* listener, long tag, int minPos,
                    int maxPos, CBitmap* handle, CBitmap* background, CPoint offset = {},
                    int style = kBottom)
        : CSlider(size, listener, tag, minPos, maxPos, handle, background, offset, style, false) {}
};
