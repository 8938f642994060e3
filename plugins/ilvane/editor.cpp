#include "editor.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

enum Tag { kLowGain = 0, kHighGain = 1, kReset = 2 };

constexpr CColor kFieldText{204, 102, 0, 255};
constexpr CColor kFieldGround{51, 0, 0, 255};

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
    : AEffGUIEditor(effect), background(new (std::nothrow) CBitmap(128)) {
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

CTextEdit* Editor::createText(const CRect& size, VstInt32 index) {
    auto* field = new CTextEdit(size, this, index);
    field->setFont(kNormalFont);
    field->setFontColor(kFieldText);
    dbText(effect->getParameter(index), text);
    field->setText(text);
    field->setBackColor(kFieldGround);
    field->setFrameColor(kFieldGround);
    return field;
}

VstIntPtr Editor::open(void* parentWindow) {
    AEffGUIEditor::open(parentWindow);
    if (frame) close();  // a second open without a close: build afresh
    if (!background) return 0;
    auto* lowTrack = new CBitmap(129);
    auto* highTrack = new CBitmap(132);
    auto* lowHandle = new CBitmap(130);
    auto* highHandle = new CBitmap(131);
    auto* resetPictures = new CBitmap(133);

    frame = new CFrame(CRect(0, 0, background->getWidth(), background->getHeight()), parentWindow,
                       this);
    frame->setBackground(background);

    lowSlider = new CHorizontalSlider(CRect(68, 25, 270, 36), this, kLowGain, 68, 68 + 202 - 17,
                                      lowHandle, lowTrack, CPoint(0, 0), kLeft);
    lowSlider->setOffsetHandle(CPoint(0, -1));
    lowSlider->setValue(effect->getParameter(kLowGain));
    lowSlider->setFreeClick(false);
    frame->addView(lowSlider);
    lowText = createText(CRect(280, 20, 335, 40), kLowGain);
    frame->addView(lowText);

    highSlider = new CHorizontalSlider(CRect(68, 65, 270, 76), this, kHighGain, 68, 68 + 202 - 17,
                                       highHandle, highTrack, CPoint(0, 0), kLeft);
    highSlider->setOffsetHandle(CPoint(0, -2));
    highSlider->setValue(effect->getParameter(kHighGain));
    highSlider->setFreeClick(false);
    frame->addView(highSlider);
    highText = createText(CRect(280, 60, 335, 80), kHighGain);
    frame->addView(highText);

    resetButton = new CKickButton(CRect(276, 87, 336, 117), this, kReset, 30, resetPictures, CPoint(0, 0));
    resetButton->setValue(effect->getParameter(kReset));
    frame->addView(resetButton);

    for (CBitmap* b : {lowTrack, highTrack, lowHandle, highHandle, resetPictures}) b->forget();
    return 1;
}

void Editor::close() {
    delete frame;
    frame = nullptr;
    lowSlider = highSlider = nullptr;
    lowText = highText = nullptr;
    resetButton = nullptr;
}

void Editor::setParameter(VstInt32 index, float /*value*/) {
    if (!showsNow(index)) return;
    const float v = effect->getParameter(index);
    char local[12];
    if (index == kLowGain || index == kHighGain) {
        CHorizontalSlider* slider = index == kLowGain ? lowSlider : highSlider;
        CTextEdit* field = index == kLowGain ? lowText : highText;
        if (slider) slider->setValue(v);
        if (field) {
            dbText(v, local);
            field->setText(local);
        }
    } else if (index == kReset && resetButton) {
        resetButton->setValue(v);
    }
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
    if (control == lowText || control == highText) {
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
