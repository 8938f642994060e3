#include "plugins/hoverin/editor.h"

#include <cstdio>
#include <new>

#include "plugins/hoverin/layout.h"
#include "plugins/hoverin/parameters.h"

namespace hoverin {

namespace {

enum { kDryWet, kFeedback, kRate, kRange, kFrequency, kOutGain };

}  // namespace

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

void Editor::formatValue(float value, char* out) { std::snprintf(out, 12, "%2.2f", value); }

// The texts follow what the effect runs and shows the host: Rate, Range,
// Frequency and Out Gain use the value held within 0 ... 1 (a NaN as 0), the
// percentages the value as sent.
void Editor::displayText(VstInt32 index, float v) {
    const float x = mappedValue(v);
    switch (index) {
    case kDryWet:
    case kFeedback:
        formatValue(100.0f * v, text);
        vstAppendText(text, "%", 11);
        break;
    case kRate: {
        const float division = rateIndexFor(x);
        if (const RateDivision* d = rateDivision(static_cast<int>(division))) {
            rateIndex = division;
            rateValue = d->value;
            rateText = d->name;
        }
        vstCopyText(text, rateText ? rateText : "", 11);
        break;
    }
    case kRange:
        effect->int2string(static_cast<VstInt32>(octavesFor(x)), text, 8);
        vstAppendText(text, " Oct", 11);
        break;
    case kFrequency:
        formatValue(frequencyHzFor(x), text);
        vstAppendText(text, "Hz", 11);
        break;
    case kOutGain:
        formatValue(outGainDbFor(x), text);
        vstAppendText(text, "dB", 11);
        break;
    default:
        break;
    }
}

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    if (!background) return 0;
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);
    controls.build(frame, this, layout::kControls);
    for (int i = 0; i < kControls; ++i) {
        knobs[i] = static_cast<CAnimKnob*>(controls.view(layout::knobEntry(i)));
        displays[i] = static_cast<CTextEdit*>(controls.view(layout::displayEntry(i)));
        setParameter(i, 0.0f);
    }
    return 1;
}

void Editor::close() {
    controls.forget();
    for (int i = 0; i < kControls; ++i) knobs[i] = nullptr, displays[i] = nullptr;
    delete frame;
    frame = nullptr;
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (!validIndex(index) || !showsNow(index) || !knobs[index]) return;
    const float v = effect->getParameter(index);
    displayText(index, v);
    for (CControl* view : {static_cast<CControl*>(knobs[index]), static_cast<CControl*>(displays[index])}) {
        if (view->getValue() != v) {
            view->setValue(v);
            view->setDirty();
        }
    }
    displays[index]->setText(text);  // marks it for redraw
}

CAnimKnob* Editor::getKnob(int index) const { return validIndex(index) ? knobs[index] : nullptr; }

CTextEdit* Editor::getDisplay(int index) const {
    return validIndex(index) ? displays[index] : nullptr;
}

void Editor::valueChanged(CDrawContext* /*context*/, CControl* control) {
    const long tag = control->getTag();
    if (!validIndex(tag)) return;
    effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
    control->setDirty();
}

}  // namespace hoverin
