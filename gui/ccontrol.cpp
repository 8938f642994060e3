#include "ccontrol.h"

#include "cframe.h"

namespace {
int gKnobMode = kLinearMode;
}

void setGlobalKnobMode(int mode) { gKnobMode = mode; }
int getGlobalKnobMode() { return gKnobMode; }

CControl::CControl(const CRect& size, CControlListener* listener, long tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag), background(background) {
    if (background) background->remember();
}

CControl::~CControl() {
    if (background) background->forget();
}

bool CControl::isDirty() const { return dirty || value != drawnValue; }

void CControl::setDirty(bool state) {
    dirty = state;
    if (!state) drawnValue = value;
}

void CControl::beginEdit() {
    if (parent) parent->beginEdit(tag);
}

void CControl::endEdit() {
    if (parent) parent->endEdit(tag);
}

void CControl::changeByUser(float newValue) {
    if (newValue < vmin) newValue = vmin;
    if (newValue > vmax) newValue = vmax;
    if (newValue == value) return;
    value = newValue;
    dirty = true;
    if (listener) listener->valueChanged(parent ? parent->getDrawContext() : nullptr, this);
}

void CControl::step(float steps, int modifiers) {
    float increment = steps * wheelInc;
    if (modifiers & kShift) increment *= 0.1f;
    beginEdit();
    changeByUser(value + increment);
    endEdit();
}

bool CControl::checkDefaultValue(int buttons) {
    if (!(buttons & kLButton) || !(buttons & kControl)) return false;
    beginEdit();
    changeByUser(defaultValue);
    endEdit();
    return true;
}

void CControl::trackingIdle() {
    if (parent) parent->trackingIdle();
}
