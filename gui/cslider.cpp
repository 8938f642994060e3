#include "cslider.h"

CSlider::CSlider(const CRect& size, CControlListener* listener, long tag, int minPos, int maxPos,
                 CBitmap* handle, CBitmap* background, CPoint offset, int style, bool horizontal)
    : CControl(size, listener, tag, background),
      minPos(minPos),
      maxPos(maxPos > minPos ? maxPos : minPos),
      handle(handle),
      offset(offset),
      style(style),
      horizontal(horizontal) {
    if (handle) handle->remember();
}

CSlider::~CSlider() {
    if (handle) handle->forget();
}

float CSlider::direction() const {
    // Moving right or down: + when the minimum is on the left or at the top.
    if (horizontal) return (style & kRight) ? -1.0f : 1.0f;
    return (style & kTop) ? 1.0f : -1.0f;
}

CRect CSlider::handleRect() const {
    const int range = maxPos - minPos;
    float v = (value - vmin) / (vmax - vmin);
    if (!(v >= 0.0f)) v = 0.0f;
    if (v > 1.0f) v = 1.0f;
    if (direction() < 0) v = 1.0f - v;
    int pos = minPos + static_cast<int>(v * static_cast<float>(range));
    if (pos > maxPos) pos = maxPos;
    const int w = handle ? handle->getWidth() : 0;
    const int h = handle ? handle->getHeight() : 0;
    const int x = horizontal ? pos + offsetHandle.x : size.left + offsetHandle.x;
    const int y = horizontal ? size.top + offsetHandle.y : pos + offsetHandle.y;
    return {x, y, x + w, y + h};
}

void CSlider::draw(CDrawContext* context) {
    if (background) background->draw(context, size, offset);
    if (!handle) return;
    // The handle may stick out of the slider; keep it inside the slider's rectangle.
    cairo_t* cr = context->cairo();
    cairo_save(cr);
    cairo_rectangle(cr, size.left, size.top, size.width(), size.height());
    cairo_clip(cr);
    handle->drawTransparent(context, handleRect());
    cairo_restore(cr);
}

bool CSlider::onMouseDown(CPoint where, int buttons) {
    if (!(buttons & kLButton)) return false;
    if (checkDefaultValue(buttons)) return false;
    const CRect grip = handleRect();
    const bool onHandle = grip.pointInside(where);
    if (!freeClick && !onHandle) return false;
    beginEdit();
    fine = (buttons & kShift) != 0;
    anchor = along(where);
    anchorValue = value;
    if (!onHandle) {
        // Centre the handle on the pointer at once.
        const int length = horizontal ? grip.width() : grip.height();
        const int start = horizontal ? grip.left : grip.top;
        const int shift = along(where) - (start + length / 2);
        const float range = static_cast<float>(maxPos - minPos);
        if (range > 0) changeByUser(value + direction() * shift / range * (vmax - vmin));
        anchorValue = value;
    }
    return true;
}

void CSlider::onMouseMoved(CPoint where, int buttons) {
    const bool nowFine = (buttons & kShift) != 0;
    if (nowFine != fine) {
        fine = nowFine;
        anchor = along(where);
        anchorValue = value;
    }
    const float range = static_cast<float>(maxPos - minPos);
    if (range > 0) {
        float moved = static_cast<float>(along(where) - anchor) / range;
        if (fine) moved *= 0.1f;
        changeByUser(anchorValue + direction() * moved * (vmax - vmin));
    }
    trackingIdle();
}

void CSlider::onMouseUp(CPoint /*where*/, int /*buttons*/) { endEdit(); }

bool CSlider::onWheel(CPoint /*where*/, float distance, int buttons) {
    step(distance, buttons);
    return true;
}

bool CSlider::onKeyDown(const CKey& key) {
    if (key.virt == kKeyUp || key.virt == kKeyRight) step(1.0f, key.modifiers);
    else if (key.virt == kKeyDown || key.virt == kKeyLeft) step(-1.0f, key.modifiers);
    else return false;
    return true;
}
