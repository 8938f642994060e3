#include "cbuttons.h"

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, long tag,
                           CBitmap* background, long /*style*/)
    : CControl(size, listener, tag, background) {}

void COnOffButton::draw(CDrawContext* context) {
    if (!background) return;
    const int half = background->getHeight() / 2;
    background->draw(context, size, CPoint(0, value != 0.0f ? half : 0));
}

bool COnOffButton::onMouseDown(CPoint /*where*/, int buttons) {
    if (!(buttons & kLButton)) return false;
    beginEdit();
    changeByUser(value != 0.0f ? vmin : vmax);
    endEdit();
    return false;  // no tracking
}

CKickButton::CKickButton(const CRect& size, CControlListener* listener, long tag,
                         int heightOfOneImage, CBitmap* background, CPoint offset)
    : CControl(size, listener, tag, background), heightOfOneImage(heightOfOneImage),
      offset(offset) {}

void CKickButton::draw(CDrawContext* context) {
    if (!background) return;
    const int y = offset.y + (value != 0.0f ? heightOfOneImage : 0);
    background->draw(context, size, CPoint(offset.x, y));
}

bool CKickButton::onMouseDown(CPoint /*where*/, int buttons) {
    if (!(buttons & kLButton)) return false;
    beginEdit();
    changeByUser(vmax);
    return true;
}

void CKickButton::onMouseMoved(CPoint where, int /*buttons*/) {
    changeByUser(size.pointInside(where) ? vmax : vmin);
    trackingIdle();
}

void CKickButton::onMouseUp(CPoint /*where*/, int /*buttons*/) {
    changeByUser(vmin);
    endEdit();
}
