// Gelmira's panel: twelve knobs in three columns of four, each with its value
// below it: ten number displays, the root note's name (a note name can be
// typed into it) and the dry/wet share in percent.
// open, close, idle and valueChanged run on the UI thread; setParameter on any
// thread (off the UI thread it is shown at the next idle).
#pragma once

#include "host/guieditor/aeffguieditor.h"
#include "host/guieditor/control_set.h"

namespace gelmira {

class Editor : public AEffGUIEditor, public CControlListener {
public:
    explicit Editor(AudioEffect* effect);
    ~Editor() override;

    VstIntPtr open(void* parentWindow) override;
    void close() override;
    // Shows the effect's current value of index on its knob and display
    // (value is not used).
    void setParameter(VstInt32 index, float value) override;

    // Writes value with "%2.2f" into a buffer of 12 bytes.
    virtual void formatValue(float value, char* text);
    // Writes "Huge!" for 100000000 and above, else value with "%3d", at most
    // 8 characters, into a buffer of 12 bytes.
    virtual void formatInteger(VstInt32 value, char* text);

    void valueChanged(CDrawContext* context, CControl* control) override;

    // The views while open, null while closed (for tests and tools): the knob
    // of a parameter, the number display of a parameter other than Root Pitch
    // and Dry Wet, and those two text fields.
    CAnimKnob* knob(VstInt32 index) const;
    CParamDisplay* display(VstInt32 index) const;
    CTextEdit* getRootText() const { return rootText; }
    // False when the panel's picture could not be loaded: such an editor never opens.
    bool hasBackground() const { return background != nullptr; }
    CTextEdit* getDryWetText() const { return dryWetText; }

    // The normalised value that selects note index (0 ... 47) on the Root
    // Pitch parameter: inside the note's step, so ⌊47·x⌋ gives it back.
    static float rootValue(int index);

private:
    // Sets rootIndex, rootName and rootHz from a normalised Root Pitch value
    // (⌊47·x⌋); outside the table rootHz is 0 and rootName stays.
    float lookupRoot(float value);
    // A name typed into the Root Pitch field: a note of the table sets Root
    // Pitch (one automated change); anything else leaves it. Either way the
    // field then shows the current note's name again.
    void typedRoot();
    // Points the Part's view members at the views just built, or at nothing.
    void findViews();

    ControlSet controls;
    CBitmap* background = nullptr;
    CAnimKnob* knobs[12] = {};          // parameters 2, 3, 4, 5, 6, 7, 8, 11, 0, 1, 9, 10
    CParamDisplay* displays[6] = {};    // parameters 3, 4, 5, 6, 7, 8
    CTextEdit* rootText = nullptr;      // parameter 2: the note's name
    CTextEdit* dryWetText = nullptr;    // parameter 11: " 50 %"
    CParamDisplay* cutoffDisplays[4] = {};  // parameters 0, 1, 9, 10
    const char* rootName = nullptr;     // into the note table, not owned
    VstInt32 rootIndex = 0;
    float rootHz = 0;
    char text[12] = {};
};

}  // namespace gelmira
