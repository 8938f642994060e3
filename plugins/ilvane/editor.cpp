#include "plugins/ilvane/editor.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "plugins/ilvane/layout.h"

namespace ilvane {

namespace {

using namespace layout;

// The gain in dB of a normalised value, as the effect computes it.
float gainDb(float v) { return static_cast<float>((static_cast<double>(v) * 2.0 - 1.0) * 12.0); }

// Reads "<number>", "<number> dB" or "<number>dB" (any case, spaces around).
// False for anything else, and for a number that is not finite.
bool parseDb(const char* s, float& db) {
    char* end = nullptr;
    const double value = std::strtod(s, &end);
    if (end == s || !std::isfinite(value)) return false;
    while (std::isspace(static_cast<unsigned char>(*end))) ++end;
    if ((end[0] == 'd' || end[0] == 'D') && (end[1] == 'b' || end[1] == 'B')) end += 2;
    while (std::isspace(static_cast<unsigned char>(*end))) ++end;
    if (*end) return false;
    db = static_cast<float>(value < -12.0 ? -12.0 : value > 12.0 ? 12.0 : value);
    return true;
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

void Editor::dbText(float value, char* out) {
    formatValue(gainDb(value), out);
    vstAppendText(out, " dB", 11);
}

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    if (!background) return 0;
    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);
    controls.build(frame, this, kControls);
    for (VstInt32 index : {kLowGain, kHighGain, kReset}) setParameter(index, 0.0f);
    return 1;
}

void Editor::close() {
    controls.forget();
    delete frame;
    frame = nullptr;
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (!showsNow(index) || controls.empty()) return;
    const float v = effect->getParameter(index);
    char local[12] = {};
    if (index == kLowGain || index == kHighGain) dbText(v, local);
    controls.show(index, v, index == kReset ? nullptr : local);
}

CHorizontalSlider* Editor::getLowSlider() const {
    return controls.find<CHorizontalSlider>(kLowGain, ControlKind::horizontalSlider);
}
CHorizontalSlider* Editor::getHighSlider() const {
    return controls.find<CHorizontalSlider>(kHighGain, ControlKind::horizontalSlider);
}
CTextEdit* Editor::getLowText() const { return controls.find<CTextEdit>(kLowGain, ControlKind::textEdit); }
CTextEdit* Editor::getHighText() const { return controls.find<CTextEdit>(kHighGain, ControlKind::textEdit); }
CKickButton* Editor::getResetButton() const {
    return controls.find<CKickButton>(kReset, ControlKind::kickButton);
}

void Editor::typedGain(CTextEdit* field, VstInt32 index) {
    char typed[CTextEdit::kMaxText + 1];
    field->getText(typed);
    float db = 0;
    if (parseDb(typed, db)) {
        effect->setParameterAutomated(index, static_cast<float>((db / 12.0 + 1.0) / 2.0));
    }
    // Show the gain as it now stands: the new value, or the old for text that is no number.
    setParameter(index, 0.0f);
}

void Editor::valueChanged(CDrawContext* /*context*/, CControl* control) {
    const long tag = control->getTag();
    if (control == getLowText() || control == getHighText()) {
        typedGain(static_cast<CTextEdit*>(control), static_cast<VstInt32>(tag));
    } else if (tag == kLowGain || tag == kHighGain) {
        effect->setParameterAutomated(static_cast<VstInt32>(tag), control->getValue());
    } else if (tag == kReset) {
        effect->setParameterAutomated(kLowGain, 0.5f);
        effect->setParameterAutomated(kHighGain, 0.5f);
        effect->setParameterAutomated(kReset, control->getValue());
    } else {
        return;
    }
    control->setDirty();
}

}  // namespace ilvane
