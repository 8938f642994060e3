// Hoverin's panel: a knob for each of the six parameters and, under each, a
// display of its value in its unit. open, close, idle and valueChanged run on
// the UI thread; setParameter on any thread (off the UI thread it is shown at
// the next idle).
#pragma once

#include "host/guieditor/aeffguieditor.h"
#include "host/guieditor/control_set.h"

namespace hoverin {

class Editor : public AEffGUIEditor, public CControlListener {
public:
    static constexpr int kControls = 6;

    explicit Editor(AudioEffect* effect);
    ~Editor() override;

    VstIntPtr open(void* parentWindow) override;
    void close() override;
    // Shows the effect's current value of index (value is not used) on its
    // knob and display; any other index is ignored.
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CDrawContext* context, CControl* control) override;

    // Writes value with "%2.2f" into a buffer of 12 bytes.
    virtual void formatValue(float value, char* text);

    // The views while open, null while closed (for tests and tools).
    CAnimKnob* getKnob(int index) const;
    CTextEdit* getDisplay(int index) const;
    // The Rate division last shown: its index, speed and name (null before any).
    float shownRateIndex() const { return rateIndex; }
    float shownRateValue() const { return rateValue; }
    const char* shownRateText() const { return rateText; }

private:
    // The display text of index for the effect's value v, into text.
    void displayText(VstInt32 index, float v);
    bool validIndex(long index) const { return index >= 0 && index < kControls; }

    ControlSet controls;
    CAnimKnob* knobs[kControls] = {};
    CTextEdit* displays[kControls] = {};
    CBitmap* background = nullptr;
    char text[12] = {};
    float rateIndex = 0.0f;
    float rateValue = 0.0f;
    const char* rateText = nullptr;
};

}  // namespace hoverin
