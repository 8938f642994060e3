// Buttons: an on/off toggle and a momentary kick button.
#pragma once

#include "ccontrol.h"

// Toggles between 0 and 1 at the press. The upper half of the bitmap shows 0,
// the lower half any other value.
class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background,
                 long style = 0);
    void draw(CDrawContext* context) override;
    bool onMouseDown(CPoint where, int buttons) override;
};

// 1 while pressed with the pointer inside, 0 otherwise; always ends at 0.
// The picture of heightOfOneImage at the top shows 0, the one below it 1.
class CKickButton : public CControl {
public:
    CKickButton(const CRect& size, CControlListener* listener, long tag, int heightOfOneImage,
                CBitmap* background, CPoint offset = {});
    void draw(CDrawContext* context) override;
    bool onMouseDown(CPoint where, int buttons) override;
    void onMouseMoved(CPoint where, int buttons) override;
    void onMouseUp(CPoint where, int buttons) override;

private:
    int heightOfOneImage;
    CPoint offset;
};
