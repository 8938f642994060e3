// A knob drawn from a strip of sub-pictures stacked top to bottom.
#pragma once

#include "ccontrol.h"

class CAnimKnob : public CControl {
public:
    // subPixmaps pictures of heightOfOneImage pixels each in background.
    // offset is kept for compatibility and not used for drawing.
    CAnimKnob(const CRect& size, CControlListener* listener, long tag, int subPixmaps,
              int heightOfOneImage, CBitmap* background, CPoint offset = {});

    void draw(CDrawContext* context) override;
    bool onMouseDown(CPoint where, int buttons) override;
    void onMouseMoved(CPoint where, int buttons) override;
    void onMouseUp(CPoint where, int buttons) override;
    bool onWheel(CPoint where, float distance, int buttons) override;
    bool onKeyDown(const CKey& key) override;

    // The picture (0 .. subPixmaps - 1) shown for the value.
    int pictureIndex() const;

private:
    float valueFromAngle(CPoint where) const;

    int subPixmaps;
    int heightOfOneImage;
    CPoint offset;
    bool circular = false;
    bool fine = false;
    CPoint anchor;
    float anchorValue = 0.0f;
};
