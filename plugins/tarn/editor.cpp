#include "plugins/tarn/editor.h"

#include <cstdio>
#include <new>

#include "plugins/tarn/layout.h"
#include "plugins/tarn/tarn_mappings.h"

namespace tarn {

namespace {

using namespace layout;

// How each parameter's value text reads: its unit's mapping and suffix.
struct ValueUnit {
    float (*map)(float);
    const char* suffix;
};
constexpr ValueUnit kUnits[Tarn::kLimiter] = {
    {lowFrequencyHz, " Hz"}, {midFrequencyHz, " Hz"}, {highFrequencyHz, " Hz"},
    {qValue, " Q"},          {qValue, " Q"},          {qValue, " Q"},
    {gainDb, " dB"},         {gainDb, " dB"},         {gainDb, " dB"},
};

// The table entry of parameter index's knob (its text follows it), or -1.
constexpr int knobEntry(VstInt32 index) {
    for (int row = 0; row < kRows; ++row)
        if (kControls[2 * row].tag == index) return 2 * row;
    return -1;
}

}  // namespace

Editor::Editor(AudioEffect* effect)
    : AEffGUIEditor(effect), background(new (std::nothrow) CBitmap(bitmaps::kBackground)) {
    if (background && background->getWidth() == 0) {  // the picture could not be decoded
        background->forget();
        background = nullptr;
    }
    if (!background) return;
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(background->getHeight());
    rect.right = static_cast<VstInt16>(background->getWidth());
}

Editor::~Editor() {
    close();
    if (background) background->forget();
}

void Editor::formatValue(float value, char* out) { std::snprintf(out, kTextSize, "%2.2f", value); }

void Editor::valueText(VstInt32 index, float v, char* out) {
    formatValue(kUnits[index].map(v), out);
    vstAppendText(out, kUnits[index].suffix, kTextSize - 1);
}

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    if (!background) return 0;
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);
    // The knob and switch pictures are loaded here, each time; the frame's
    // controls hold them and deleting the frame releases them.
    controls.build(frame, this, kControls);
    for (VstInt32 index = 0; index < Tarn::kNumParams; ++index) setParameter(index, 0.0f);
    return 1;
}

void Editor::close() {
    controls.forget();
    delete frame;
    frame = nullptr;
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (!showsNow(index) || controls.empty()) return;
    if (index == Tarn::kLimiter) {
        COnOffButton* button = getLimiterButton();
        button->setValue(effect->getParameter(index));
        button->setDirty();
    } else if (const int entry = knobEntry(index); entry >= 0) {
        const float v = effect->getParameter(index);
        CControl* knob = controls.view(entry);
        knob->setValue(v);
        knob->setDirty();
        valueText(index, v, text);
        static_cast<CTextEdit*>(controls.view(entry + 1))->setText(text);
    }
    postUpdate();
}

CAnimKnob* Editor::getKnob(VstInt32 index) const {
    const int entry = knobEntry(index);
    return entry < 0 ? nullptr : static_cast<CAnimKnob*>(controls.view(entry));
}

CTextEdit* Editor::getValueText(VstInt32 index) const {
    const int entry = knobEntry(index);
    return entry < 0 ? nullptr : static_cast<CTextEdit*>(controls.view(entry + 1));
}

COnOffButton* Editor::getLimiterButton() const {
    return static_cast<COnOffButton*>(controls.view(kLimiterEntry));
}

void Editor::valueChanged(CDrawContext* context, CControl* control) {
    const long tag = control->getTag();
    if (tag < 0 || tag >= Tarn::kNumParams) return;
    effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
    control->update(context);
}

}  // namespace tarn
