#include "probe_effect.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "host/entry.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    auto* effect = new (std::nothrow) ProbeEffect(audioMaster);
    if (effect && !effect->getEditor()) {
        delete effect;
        return nullptr;
    }
    return effect;
}

ProbeEffect::ProbeEffect(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, 1, kNumProbeParams) {
    for (auto& v : values) v.store(0.0f, std::memory_order_relaxed);
    values[kLevel].store(0.5f, std::memory_order_relaxed);
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('G', 'u', 'P', 'r'));
    new (std::nothrow) ProbeEditor(this);
}

void ProbeEffect::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i) outputs[c][i] = inputs[c][i];
}

void ProbeEffect::setParameter(VstInt32 index, float value) {
    if (index < 0 || index >= kNumProbeParams) return;
    values[index].store(value, std::memory_order_relaxed);
    if (editor) static_cast<AEffGUIEditor*>(editor)->setParameter(index, value);
}

float ProbeEffect::getParameter(VstInt32 index) {
    return index >= 0 && index < kNumProbeParams ? values[index].load(std::memory_order_relaxed) : 0.0f;
}

namespace {
void formatLevel(float value, char* text) { std::snprintf(text, 16, "%2.2f", value); }
}  // namespace

ProbeEditor::ProbeEditor(AudioEffect* effect) : AEffGUIEditor(effect), background(new CBitmap(128)) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(background->getHeight());
    rect.right = static_cast<VstInt16>(background->getWidth());
}

ProbeEditor::~ProbeEditor() {
    close();
    background->forget();
}

VstIntPtr ProbeEditor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();
    auto* knobStrip = new CBitmap(129);
    auto* track = new CBitmap(130);
    auto* handle = new CBitmap(131);
    auto* onOff = new CBitmap(132);
    auto* kickPictures = new CBitmap(133);
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow, this);
    frame->setBackground(background);

    level = new CHorizontalSlider(CRect(10, 20, 110, 31), this, kLevel, 10, 100, handle, track,
                                  CPoint(0, 0), kLeft);
    level->setFreeClick(false);
    level->setValue(effect->getParameter(kLevel));
    frame->addView(level);
    levelText = new CTextEdit(CRect(120, 16, 170, 34), this, kLevel);
    char text[16];
    formatLevel(effect->getParameter(kLevel), text);
    levelText->setText(text);
    frame->addView(levelText);

    drive = new CAnimKnob(CRect(150, 40, 180, 70), this, kDrive, 63, 30, knobStrip);
    drive->setValue(effect->getParameter(kDrive));
    frame->addView(drive);
    driveDisplay = new CParamDisplay(CRect(140, 72, 190, 84));
    driveDisplay->setFont(kNormalFontVerySmall);
    driveDisplay->setValue(effect->getParameter(kDrive));
    frame->addView(driveDisplay);

    toggle = new COnOffButton(CRect(10, 50, 30, 60), this, kSwitch, onOff);
    toggle->setValue(effect->getParameter(kSwitch));
    frame->addView(toggle);
    kick = new CKickButton(CRect(10, 80, 40, 95), this, kKick, 15, kickPictures);
    kick->setValue(effect->getParameter(kKick));
    frame->addView(kick);
    // A label over the knob's lower half: mouse-disabled, so clicks reach the knob.
    label = new CTextEdit(CRect(150, 60, 180, 70), nullptr, 9, "drv");
    label->setMouseEnabled(false);
    frame->addView(label);

    for (CBitmap* b : {knobStrip, track, handle, onOff, kickPictures}) b->forget();
    return 1;
}

void ProbeEditor::close() {
    delete frame;
    frame = nullptr;
    level = nullptr;
    levelText = nullptr;
    drive = nullptr;
    driveDisplay = nullptr;
    toggle = nullptr;
    kick = nullptr;
    label = nullptr;
}

void ProbeEditor::setParameter(VstInt32 index, float /*value*/) {
    if (!showsNow(index)) return;
    const float v = effect->getParameter(index);
    char text[16];
    switch (index) {
    case kLevel:
        level->setValue(v);
        formatLevel(v, text);
        levelText->setText(text);
        break;
    case kDrive:
        drive->setValue(v);
        driveDisplay->setValue(v);
        break;
    case kSwitch: toggle->setValue(v); break;
    case kKick: kick->setValue(v); break;
    default: break;
    }
}

void ProbeEditor::valueChanged(CDrawContext* /*context*/, CControl* control) {
    const long tag = control->getTag();
    if (control == levelText) {
        // Typed text: a number sets the level.
        char text[CTextEdit::kMaxText + 1];
        levelText->getText(text);
        char* end = nullptr;
        const float v = std::strtof(text, &end);
        if (end != text) effect->setParameterAutomated(kLevel, v < 0 ? 0 : v > 1 ? 1 : v);
        else setParameter(kLevel, 0);
        return;
    }
    if (tag < 0 || tag >= kNumProbeParams) return;
    effect->setParameterAutomated(tag, control->getValue());
    control->setDirty();
}
