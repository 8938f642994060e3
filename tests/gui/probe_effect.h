// A small effect with an editor of every kind of control, for testing the
// toolkit and the editor bridge through a real library.
#pragma once

#include <atomic>

#include "host/guieditor/aeffguieditor.h"
#include "host/audioeffectx.h"

enum ProbeParameter { kLevel = 0, kDrive = 1, kSwitch = 2, kKick = 3, kNumProbeParams = 4 };

class ProbeEditor;

class ProbeEffect : public AudioEffectX {
public:
    explicit ProbeEffect(audioMasterCallback audioMaster);
    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override;
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

private:
    std::atomic<float> values[kNumProbeParams];
};

class ProbeEditor : public AEffGUIEditor, public CControlListener {
public:
    explicit ProbeEditor(AudioEffect* effect);
    ~ProbeEditor() override;
    VstIntPtr open(void* parentWindow) override;
    void close() override;
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CDrawContext* context, CControl* control) override;

    CHorizontalSlider* level = nullptr;  // tag 0, minimum on the left, free click off
    CTextEdit* levelText = nullptr;      // tag 0, shows the level as "%2.2f"
    CAnimKnob* drive = nullptr;          // tag 1
    CParamDisplay* driveDisplay = nullptr;
    COnOffButton* toggle = nullptr;      // tag 2
    CKickButton* kick = nullptr;         // tag 3
    CTextEdit* label = nullptr;          // mouse-disabled, tag 9

private:
    CBitmap* background;
};
