#include "plugins/vesk/editor.h"

#include <new>

#include "plugins/vesk/layout.h"

namespace vesk {

namespace {

bool isParameter(long index) { return index >= 0 && index < Editor::kControls; }

}  // namespace

Editor::Editor(AudioEffect* effect) : AEffGUIEditor(effect) {
    try {
        background = new CBitmap(bitmaps::kBackground);
    } catch (...) {
        effect->setEditor(nullptr);  // the effect must not delete what failed to be built
        throw;
    }
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(background->getHeight());
    rect.right = static_cast<VstInt16>(background->getWidth());
    controlsLive.store(true, std::memory_order_release);
}

Editor::~Editor() {
    close();
    background->forget();
}

float Editor::gainDb(float p) { return (2.0f * p - 1.0f) * 12.0f; }

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);
    controls.build(frame, this, layout::kControls);
    controlsLive.store(true, std::memory_order_release);
    for (VstInt32 index = 0; index < kControls; ++index) setParameter(index, 0.0f);
    return 1;
}

void Editor::close() {
    controlsLive.store(false, std::memory_order_release);
    controls.forget();
    delete frame;
    frame = nullptr;
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (!controlsLive.load(std::memory_order_acquire)) return;
    if (isParameter(index) && showsNow(index) && !controls.empty()) {
        const float v = effect->getParameter(index);
        const float db = gainDb(v);
        if (CControl* s = controls.control(index); s && s->getValue() != v) {
            s->setValue(v);
            s->setDirty();
        }
        if (CParamDisplay* d = controls.text(index); d && d->getValue() != db) {
            d->setValue(db);
            d->setDirty();
        }
    }
    postUpdate();
}

CVerticalSlider* Editor::slider(VstInt32 index) const {
    return controls.find<CVerticalSlider>(index, ControlKind::verticalSlider);
}

CParamDisplay* Editor::display(VstInt32 index) const {
    return controls.find<CParamDisplay>(index, ControlKind::paramDisplay);
}

void Editor::valueChanged(CDrawContext* context, CControl* control) {
    const long tag = control->getTag();
    if (!isParameter(tag)) return;
    effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
    control->update(context);
}

}  // namespace vesk
