#include "plugins/gelmira/editor.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "plugins/gelmira/layout.h"
#include "plugins/gelmira/note_table.h"

namespace gelmira {

namespace {

using namespace layout;

// The order of the Part's view arrays.
constexpr VstInt32 kKnobOrder[12] = {kRootPitch, kFilterWidth, kRootGain, kBank2Tune,
                                     kBank2Gain, kBank3Tune,   kBank3Gain, kDryWet,
                                     kLpIn,      kHpIn,        kLpOut,     kHpOut};
constexpr VstInt32 kDisplayOrder[6] = {kFilterWidth, kRootGain, kBank2Tune,
                                       kBank2Gain,   kBank3Tune, kBank3Gain};
constexpr VstInt32 kCutoffOrder[4] = {kLpIn, kHpIn, kLpOut, kHpOut};

// What a number display shows for the normalised value x of its parameter.
float displayValue(VstInt32 index, float x) {
    switch (index) {
    case kLpIn:
    case kHpIn:
    case kLpOut:
    case kHpOut: return cutoffFrequency(x);
    case kFilterWidth: return 100.0f * x;
    case kBank2Tune:
    case kBank3Tune: return static_cast<float>(tuneOffset(x));
    default: return 6.0f * x;  // the three gains
    }
}

// The integer part of 100·x, defined for every float.
VstInt32 wholePercent(float x) {
    const float p = 100.0f * x;
    if (p != p) return 0;
    if (p >= 2147483520.0f) return 2147483647;
    if (p <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<VstInt32>(p);
}

// Compares a typed text, without the spaces around it, with a name, ignoring case.
bool sameName(const char* typed, const char* name) {
    while (std::isspace(static_cast<unsigned char>(*typed))) ++typed;
    std::size_t n = std::strlen(typed);
    while (n && std::isspace(static_cast<unsigned char>(typed[n - 1]))) --n;
    if (n != std::strlen(name)) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(typed[i])) !=
            std::tolower(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

void put(CControl* view, float value) {
    if (view && view->getValue() != value) {
        view->setValue(value);
        view->setDirty();
    }
}

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

void Editor::formatInteger(VstInt32 value, char* out) {
    if (value >= 100000000) {
        std::snprintf(out, 12, "Huge!");
        return;
    }
    std::snprintf(out, 12, "%3d", static_cast<int>(value));
    out[8] = 0;
}

float Editor::rootValue(int index) {
    if (index >= kNotes - 1) return 1.0f;  // only 1 reaches the last note
    if (index < 0) index = 0;
    return (static_cast<float>(index) + 0.5f) / static_cast<float>(kNotes - 1);
}

float Editor::lookupRoot(float value) {
    rootIndex = noteIndex(value);
    if (const char* name = noteName(rootIndex)) rootName = name;
    rootHz = noteFrequency(rootIndex);
    return rootHz;
}

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    if (!background) return 0;
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);
    controls.build(frame, this, kControls);
    findViews();
    for (VstInt32 index = 0; index < kNumTags; ++index) setParameter(index, 0.0f);
    return 1;
}

void Editor::close() {
    controls.forget();
    findViews();
    delete frame;
    frame = nullptr;
}

void Editor::findViews() {
    for (int i = 0; i < 12; ++i)
        knobs[i] = controls.find<CAnimKnob>(kKnobOrder[i], ControlKind::animKnob);
    for (int i = 0; i < 6; ++i)
        displays[i] = controls.find<CParamDisplay>(kDisplayOrder[i], ControlKind::paramDisplay);
    for (int i = 0; i < 4; ++i)
        cutoffDisplays[i] = controls.find<CParamDisplay>(kCutoffOrder[i], ControlKind::paramDisplay);
    rootText = controls.find<CTextEdit>(kRootPitch, ControlKind::textEdit);
    dryWetText = controls.find<CTextEdit>(kDryWet, ControlKind::textEdit);
}

CAnimKnob* Editor::knob(VstInt32 index) const {
    return controls.find<CAnimKnob>(index, ControlKind::animKnob);
}

CParamDisplay* Editor::display(VstInt32 index) const {
    return controls.find<CParamDisplay>(index, ControlKind::paramDisplay);
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (index < 0 || index >= kNumTags) return;
    if (!showsNow(index) || controls.empty()) return;
    const float x = effect->getParameter(index);
    put(knob(index), x);
    if (index == kRootPitch) {
        lookupRoot(x);
        if (rootText) rootText->setText(rootName);
    } else if (index == kDryWet) {
        formatInteger(wholePercent(x), text);
        vstAppendText(text, " %", 11);
        put(dryWetText, x);
        if (dryWetText && std::strcmp(dryWetText->text(), text) != 0) dryWetText->setText(text);
    } else {
        put(display(index), displayValue(index, x));
    }
}

void Editor::typedRoot() {
    char typed[CTextEdit::kMaxText + 1];
    rootText->getText(typed);
    for (int i = 0; i < kNotes; ++i) {
        if (sameName(typed, noteName(i))) {
            effect->setParameterAutomated(kRootPitch, rootValue(i));
            break;
        }
    }
    // Show the note as it now stands: the new one, or the old for any other text.
    setParameter(kRootPitch, 0.0f);
}

void Editor::valueChanged(CDrawContext* /*context*/, CControl* control) {
    if (control == rootText) {
        typedRoot();
    } else if (control == knob(control->getTag())) {
        effect->setParameterAutomated(static_cast<VstInt32>(control->getTag()), control->getValue());
    } else {
        return;
    }
    control->setDirty();
}

}  // namespace gelmira
