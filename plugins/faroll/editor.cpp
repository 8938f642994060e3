#include "plugins/faroll/editor.h"

#include <cstdio>
#include <new>

#include "plugins/faroll/layout.h"
#include "plugins/faroll/mappings.h"

namespace faroll {

using namespace layout;

Editor::Editor(AudioEffect* effect)
    : AEffGUIEditor(effect), background(new (std::nothrow) CBitmap(bitmaps::kBackground)) {
    if (!background) return;  // no panel to show: the editor stays at size 0 and never opens
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(background->getHeight());
    rect.right = static_cast<VstInt16>(background->getWidth());
}

Editor::~Editor() {
    close();
    if (background) background->forget();
}

void Editor::formatValue(float value, char* out) {
    std::snprintf(out, kTextSize, "%2.2f", static_cast<double>(value));
}

void Editor::valueText(VstInt32 index, float value, char* out) {
    float units = 0;
    switch (index) {
    case kLowGain:
    case kHighGain: units = gainDbFromNormalized(value); break;
    case kMidGain: units = midSectionGainDb(value).totalDb; break;
    case kLowFreq: units = lowFreqFromNormalized(value); break;
    case kMidFreq: units = midFreqFromNormalized(value); break;
    case kHighFreq: units = highFreqFromNormalized(value); break;
    default: out[0] = 0; return;
    }
    formatValue(units, out);
    vstAppendText(out, index <= kHighGain ? " dB" : " Hz", kTextSize - 1);
}

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    if (!background) return 0;
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);
    controls.build(frame, this, kControls);

    const auto knob = [&](long tag) { return controls.find<CAnimKnob>(tag, ControlKind::animKnob); };
    const auto cut = [&](long tag) { return controls.find<COnOffButton>(tag, ControlKind::onOffButton); };
    const auto field = [&](long tag) { return controls.find<CTextEdit>(tag, ControlKind::textEdit); };
    lowGainKnob = knob(kLowGain);
    midGainKnob = knob(kMidGain);
    highGainKnob = knob(kHighGain);
    lowFreqKnob = knob(kLowFreq);
    highFreqKnob = knob(kHighFreq);
    midFreqKnob = knob(kMidFreq);
    lowCutButton = cut(kLowCut);
    midCutButton = cut(kMidCut);
    highCutButton = cut(kHighCut);
    resetButton = controls.find<CKickButton>(kReset, ControlKind::kickButton);
    lowGainText = field(kLowGain);
    midGainText = field(kMidGain);
    highGainText = field(kHighGain);
    lowFreqText = field(kLowFreq);
    highFreqText = field(kHighFreq);
    midFreqText = field(kMidFreq);
    // The value texts only show: they carry tag 1 like every display of the
    // panel (the table keeps the index whose value each one shows).
    for (CTextEdit* t : {lowGainText, midGainText, highGainText, lowFreqText, highFreqText,
                         midFreqText})
        t->setTag(1);

    for (VstInt32 index = kLowGain; index <= kReset; ++index) setParameter(index, 0.0f);
    return 1;
}

void Editor::close() {
    controls.forget();
    delete frame;
    frame = nullptr;
    lowGainKnob = midGainKnob = highGainKnob = lowFreqKnob = highFreqKnob = midFreqKnob = nullptr;
    lowCutButton = midCutButton = highCutButton = nullptr;
    resetButton = nullptr;
    lowGainText = midGainText = highGainText = lowFreqText = highFreqText = midFreqText = nullptr;
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (index < kLowGain || index > kReset) return;
    if (!showsNow(index) || controls.empty()) return;
    const float v = effect->getParameter(index);
    const bool knob = index <= kHighGain || (index >= kLowFreq && index <= kHighFreq);
    if (knob) {
        valueText(index, v, text);
        controls.show(index, v, text);
    } else {
        controls.show(index, v);
    }
}

void Editor::valueChanged(CDrawContext* /*context*/, CControl* control) {
    const long tag = control->getTag();
    if (tag >= kLowGain && tag <= kHighFreq) {
        effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
    } else if (tag == kReset) {
        // Every band back to its default, in index order, then Reset itself.
        for (VstInt32 index : {kLowGain, kMidGain, kHighGain})
            effect->setParameterAutomated(index, 0.5f);
        for (VstInt32 index : {kLowCut, kMidCut, kHighCut})
            effect->setParameterAutomated(index, 1.0f);
        for (VstInt32 index : {kLowFreq, kMidFreq, kHighFreq})
            effect->setParameterAutomated(index, 0.5f);
        effect->setParameterAutomated(kReset, control->getValue());
    } else {
        return;
    }
    control->setDirty();
}

}  // namespace faroll
