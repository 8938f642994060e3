// Ilvane's panel: a slider and a dB field for each gain, and a reset button.
// open, close, idle and valueChanged run on the UI thread; setParameter on any
// thread (off the UI thread it is shown at the next idle).
#pragma once

#include "host/guieditor/aeffguieditor.h"
#include "host/guieditor/control_set.h"

namespace ilvane {

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
    CHorizontalSlider* getLowSlider() const;
    CHorizontalSlider* getHighSlider() const;
    CTextEdit* getLowText() const;
    CTextEdit* getHighText() const;
    CKickButton* getResetButton() const;

private:
    // The gain of a normalised value as "<dB> dB", into a buffer of 12 bytes.
    void dbText(float value, char* out);
    // A typed gain: a number of dB, with or without " dB", sets that gain.
    void typedGain(CTextEdit* field, VstInt32 index);

    ControlSet controls;
    CBitmap* background = nullptr;
    char text[12] = {};
};

}  // namespace ilvane
