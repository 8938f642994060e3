// Faroll's panel: a gain and a frequency knob per band, each with its value
// text, a cut switch per band and Reset. open, close, idle and valueChanged
// run on the UI thread; setParameter on any thread (off the UI thread it is
// shown at the next idle).
#pragma once

#include "host/guieditor/aeffguieditor.h"
#include "host/guieditor/control_set.h"

namespace faroll {

class Editor : public AEffGUIEditor, public CControlListener {
public:
    // The size of a buffer that holds formatValue of any float and a unit.
    static constexpr int kTextSize = 64;

    explicit Editor(AudioEffect* effect);
    ~Editor() override;

    VstIntPtr open(void* parentWindow) override;
    void close() override;
    // Shows the effect's current value of index (value is not used).
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CDrawContext* context, CControl* control) override;

    // Writes value with "%2.2f" into a buffer of kTextSize bytes.
    virtual void formatValue(float value, char* text);

private:
    // The value text of a knob's normalised value: "<dB> dB" or "<Hz> Hz".
    void valueText(VstInt32 index, float value, char* out);

    CBitmap* background = nullptr;
    // The views while open (the frame owns them), null while closed.
    CAnimKnob* lowGainKnob = nullptr;
    CAnimKnob* midGainKnob = nullptr;
    CAnimKnob* highGainKnob = nullptr;
    CAnimKnob* lowFreqKnob = nullptr;
    CAnimKnob* highFreqKnob = nullptr;
    CAnimKnob* midFreqKnob = nullptr;
    COnOffButton* lowCutButton = nullptr;
    COnOffButton* midCutButton = nullptr;
    COnOffButton* highCutButton = nullptr;
    CKickButton* resetButton = nullptr;
    CTextEdit* lowGainText = nullptr;
    CTextEdit* midGainText = nullptr;
    CTextEdit* highGainText = nullptr;
    CTextEdit* lowFreqText = nullptr;
    CTextEdit* highFreqText = nullptr;
    CTextEdit* midFreqText = nullptr;

    ControlSet controls;
    char text[kTextSize] = {};
};

}  // namespace faroll
