#include "canimknob.h"

#include <cmath>

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, long tag, int subPixmaps,
                     int heightOfOneImage, CBitmap* background, CPoint offset)
    : CControl(size, listener, tag, background),
      subPixmaps(subPixmaps > 0 ? subPixmaps : 1),
      heightOfOneImage(heightOfOneImage > 0 ? heightOfOneImage : 1),
      offset(offset) {}

int CAnimKnob::pictureIndex() const {
    float v = value;
    if (!(v >= 0.0f)) v = 0.0f;  // also catches NaN
    if (v > 1.0f) v = 1.0f;
    // Truncated in single precision, then rounded down to a whole picture.
    const float h = static_cast<float>(heightOfOneImage);
    const int y = static_cast<int>(v * h * static_cast<float>(subPixmaps - 1));
    return y / heightOfOneImage;
}

void CAnimKnob::draw(CDrawContext* context) {
    if (background)
        background->draw(context, size, CPoint(0, pictureIndex() * heightOfOneImage));
}

float CAnimKnob::valueFromAngle(CPoint where) const {
    const double cx = (size.left + size.right) / 2.0;
    const double cy = (size.top + size.bottom) / 2.0;
    double angle = std::atan2(cy - where.y, where.x - cx) * 180.0 / M_PI;  // -180 .. 180, up = 90
    if (angle < -90.0) angle += 360.0;  // -90 .. 270: lower left is 225, lower right -45
    const double v = (225.0 - angle) / 270.0;
    return static_cast<float>(vmin + (v < 0 ? 0 : v > 1 ? 1 : v) * (vmax - vmin));
}

bool CAnimKnob::onMouseDown(CPoint where, int buttons) {
    if (!(buttons & kLButton)) return false;
    if (checkDefaultValue(buttons)) return false;
    const int mode = getGlobalKnobMode();
    circular = mode != kLinearMode;
    if (buttons & kAlt) circular = !circular;
    fine = (buttons & kShift) != 0;
    anchor = where;
    anchorValue = value;
    beginEdit();
    if (circular) changeByUser(valueFromAngle(where));
    return true;
}

void CAnimKnob::onMouseMoved(CPoint where, int buttons) {
    if (circular) {
        const float next = valueFromAngle(where);
        // Across the gap at the bottom the value stays at the end it came from.
        if (std::fabs(next - value) <= 0.5f * (vmax - vmin)) changeByUser(next);
    } else {
        const bool nowFine = (buttons & kShift) != 0;
        if (nowFine != fine) {  // re-base so the value does not jump
            fine = nowFine;
            anchor = where;
            anchorValue = value;
        }
        const float range = fine ? 300.0f : 200.0f;
        const int delta = (where.x - anchor.x) + (anchor.y - where.y);
        changeByUser(anchorValue + static_cast<float>(delta) / range * (vmax - vmin));
    }
    trackingIdle();
}

void CAnimKnob::onMouseUp(CPoint /*where*/, int /*buttons*/) { endEdit(); }

bool CAnimKnob::onWheel(CPoint /*where*/, float distance, int buttons) {
    step(distance, buttons);
    return true;
}

bool CAnimKnob::onKeyDown(const CKey& key) {
    if (key.virt == kKeyUp || key.virt == kKeyRight) step(1.0f, key.modifiers);
    else if (key.virt == kKeyDown || key.virt == kKeyLeft) step(-1.0f, key.modifiers);
    else return false;
    return true;
}
