// Tarn's panel: a knob and a value text for each band's Q, frequency and gain,
// and the limiter switch. The older editor generation: every change asks for
// one redraw of the whole frame at the next idle, and open loads the knob and
// switch pictures afresh. open, close, idle and valueChanged run on the UI
// thread; setParameter on any thread (off the UI thread it is shown at the
// next idle).
#pragma once

#include "host/guieditor/aeffguieditor.h"
#include "host/guieditor/control_set.h"

namespace tarn {

class Editor : public AEffGUIEditor, public CControlListener {
public:
    // Attaches itself to effect (setting has-editor) and loads the background,
    // whose size is the editor's. Without it hasBackground() is false and the
    // editor never opens.
    explicit Editor(AudioEffect* effect);
    ~Editor() override;
    bool hasBackground() const { return background != nullptr; }

    // Builds the frame and its controls, showing the effect's current values.
    VstIntPtr open(void* parentWindow) override;
    void close() override;
    // Shows the effect's current value of index (value is not used) on its
    // knob and text, or on the switch; then asks for a redraw. Nothing while closed.
    void setParameter(VstInt32 index, float value) override;
    // A knob or the switch moved: the effect gets the value as automation.
    void valueChanged(CDrawContext* context, CControl* control) override;

    // Writes value with "%2.2f" into a buffer of kTextSize bytes.
    virtual void formatValue(float value, char* text);
    static constexpr int kTextSize = 64;

    // The controls while open, null while closed or for an index without one
    // (for tests and tools). Knobs and texts for 0..8, the switch for 9.
    CAnimKnob* getKnob(VstInt32 index) const;
    CTextEdit* getValueText(VstInt32 index) const;
    COnOffButton* getLimiterButton() const;

private:
    // The text of parameter index's value v in its unit: "20.00 Hz", "0.10 Q", "-12.00 dB".
    void valueText(VstInt32 index, float v, char* out);

    ControlSet controls;
    CBitmap* background = nullptr;
    char text[kTextSize] = {};
};

}  // namespace tarn
