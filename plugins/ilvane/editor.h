// Ilvane's panel: a slider and a dB field for each gain, and a reset button.
// open, close, idle and valueChanged run on the UI thread; setParameter on any
// thread (off the UI thread it is shown at the next idle).
#pragma once

#include "aeffguieditor.h"

class Editor : public AEffGUIEditor, public CControlListener {
public:
    explicit Editor(AudioEffect* effect);
    ~Editor() override;

    VstIntPtr open(void* parentWindow) override;
    void close() override;
    // Shows the effect's current value of index (value is not used).
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CDrawContext* context, CControl* control) override;

    // Writes value with "%2.2f" into a buffer of 12 bytes.
    virtual void formatValue(float value, char* text);

    // The controls while open, null while closed (for tests and tools).
    CHorizontalSlider* getLowSlider() const { return lowSlider; }
    CHorizontalSlider* getHighSlider() const { return highSlider; }
    CTextEdit* getLowText() const { return lowText; }
    CTextEdit* getHighText() const { return highText; }
    CKickButton* getResetButton() const { return resetButton; }

private:
    // The gain of a normalised value as "<dB> dB", into a buffer of 12 bytes.
    void dbText(float value, char* out);
    CTextEdit* createText(const CRect& size, VstInt32 index);
    // A typed gain: a number of dB, with or without " dB", sets that gain.
    void typedGain(CTextEdit* field, VstInt32 index);

    CHorizontalSlider* lowSlider = nullptr;
    CHorizontalSlider* highSlider = nullptr;
    CTextEdit* lowText = nullptr;
    CTextEdit* highText = nullptr;
    CBitmap* background = nullptr;
    CKickButton* resetButton = nullptr;
    char text[12] = {};
};
