#include "plugins/gelmira/gelmira.h"

#include <new>

#include "host/entry.h"
#include "plugins/gelmira/cut_filter.h"
#include "plugins/gelmira/difference_equation.h"
#include "plugins/gelmira/editor.h"
#include "plugins/gelmira/harmonic_bank.h"
#include "plugins/gelmira/note_table.h"

namespace gelmira {

namespace {

constexpr EffectIdentity kIdentity{fourCharCode('v', 'n', 'r', 'x'), "Gelmira", "Gelmira",
                                   "Joralt", 1000};

// Names have their own limits (14, 12, 10 or 8 characters); every label is cut
// to 8, so "Semitones" reads "Semitone".
constexpr int kLabelLimit = 8;
constexpr ParameterText kParameters[Gelmira::kNumParams] = {
    {"LP Cutoff In ", 14, "Hz", kLabelLimit},  {"HP Cutoff In", 14, "Hz", kLabelLimit},
    {"Root Pitch", 12, "Root", kLabelLimit},   {"Filter Width", 12, "Width", kLabelLimit},
    {"Root Gain", 10, "dB", kLabelLimit},      {"Bank 2 Tune", 12, "Semitones", kLabelLimit},
    {"Bank 2 Gain", 12, "dB", kLabelLimit},    {"Bank 3 Tune", 12, "Semitones", kLabelLimit},
    {"Bank 3 Gain", 12, "dB", kLabelLimit},    {"LP Cutoff Out", 14, "Hz", kLabelLimit},
    {"HP Cutoff Out", 14, "Hz", kLabelLimit},  {"Dry Wet", 8, "%", kLabelLimit},
};

const float kDefaults[Gelmira::kNumParams] = {1.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f,
                                              0.0f, 0.5f, 0.0f, 1.0f, 0.0f, 0.0f};

constexpr int kTextLimit = 8;

}  // namespace

Gelmira::Gelmira(audioMasterCallback audioMaster)
    : SuiteEffect(audioMaster, 1, kNumParams, kIdentity, kParameters), programs("Default") {
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    canDoubleReplacing();

    designSampleRate = getSampleRate();
    chain.change([&](ChainSettings& s) {
        for (int i = 0; i < kNumParams; ++i) apply(i, kDefaults[i], s);
        retune(s);
    });

    // The editor attaches itself and sets the has-editor flag. One that could
    // not be built, or could not load its panel, leaves the effect without
    // editor, working as before.
    Editor* panel = new (std::nothrow) Editor(this);
    if (panel && !panel->hasBackground()) {
        setEditor(nullptr);
        delete panel;
    }
}

void Gelmira::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    chain.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

void Gelmira::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    chain.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

void Gelmira::setParameter(VstInt32 index, float value) {
    if (!validParameter(index)) return;
    chain.change([&](ChainSettings& s) {
        apply(index, value, s);
        designSampleRate = getSampleRate();
        retune(s);
    });
    if (editor) static_cast<Editor*>(editor)->setParameter(index, value);
}

void Gelmira::apply(VstInt32 index, float value, ChainSettings& s) {
    values[index].store(value, std::memory_order_relaxed);
    auto cut = [&](std::atomic<float>& hz, int stage, bool lowPass) {
        float cutoff = cutoffFrequency(value);
        hz.store(cutoff, std::memory_order_relaxed);
        CutFilter filter;
        if (lowPass)
            filter.designLowPass(cutoff, designSampleRate);
        else
            filter.designHighPass(cutoff, designSampleRate);
        s.assign(stage, filter);
    };
    switch (index) {
        case kLpIn: cut(lpInHz, ChainSettings::kLowPassIn, true); break;
        case kHpIn: cut(hpInHz, ChainSettings::kHighPassIn, false); break;
        case kLpOut: cut(lpOutHz, ChainSettings::kLowPassOut, true); break;
        case kHpOut: cut(hpOutHz, ChainSettings::kHighPassOut, false); break;
        case kRootPitch:
            rootIndex = noteIndex(value);
            rootHz = noteFrequency(rootIndex);
            if (const char* name = noteName(rootIndex))
                rootName.store(name, std::memory_order_relaxed);
            bank2Hz = offsetNote(rootIndex, bank2Offset.load(std::memory_order_relaxed));
            bank3Hz = offsetNote(rootIndex, bank3Offset.load(std::memory_order_relaxed));
            break;
        case kFilterWidth:
            widthValue = 200.0f * value + 100.0f;
            widthDisplay.store(percent(value), std::memory_order_relaxed);
            break;
        case kRootGain: rootLevel = 6.0f * value; break;
        case kBank2Tune:
            bank2Offset.store(tuneOffset(value), std::memory_order_relaxed);
            bank2Hz = offsetNote(rootIndex, bank2Offset.load(std::memory_order_relaxed));
            break;
        case kBank2Gain: bank2Level = 6.0f * value; break;
        case kBank3Tune:
            bank3Offset.store(tuneOffset(value), std::memory_order_relaxed);
            bank3Hz = offsetNote(rootIndex, bank3Offset.load(std::memory_order_relaxed));
            break;
        case kBank3Gain: bank3Level = 6.0f * value; break;
        case kDryWet:
            dryWetDisplay.store(percent(value), std::memory_order_relaxed);
            s.mix = limit(value, 0.0f, 1.0f);
            break;
        default: break;
    }
}

void Gelmira::retune(ChainSettings& s) {
    HarmonicBank bank;
    bank.tune(rootHz, widthValue, rootLevel, designSampleRate);
    s.assignBank(ChainSettings::kBank1, bank);
    bank.tune(bank2Hz, widthValue, bank2Level, designSampleRate);
    s.assignBank(ChainSettings::kBank2, bank);
    bank.tune(bank3Hz, widthValue, bank3Level, designSampleRate);
    s.assignBank(ChainSettings::kBank3, bank);
}

float Gelmira::getParameter(VstInt32 index) {
    return validParameter(index) ? values[index].load(std::memory_order_relaxed) : 0.0f;
}

void Gelmira::setProgramName(char* name) { programs.setName(0, name); }

void Gelmira::getProgramName(char* name) { programs.copyName(0, name); }

void Gelmira::getParameterDisplay(VstInt32 index, char* text) {
    if (!validParameter(index)) return;
    auto load = [](const auto& v) { return v.load(std::memory_order_relaxed); };
    switch (index) {
        case kLpIn: float2string(load(lpInHz), text, kTextLimit); break;
        case kHpIn: float2string(load(hpInHz), text, kTextLimit); break;
        case kLpOut: float2string(load(lpOutHz), text, kTextLimit); break;
        case kHpOut: float2string(load(hpOutHz), text, kTextLimit); break;
        case kRootPitch: {
            const char* name = load(rootName);
            vstCopyText(text, name ? name : "", kTextLimit);
            break;
        }
        case kFilterWidth: int2string(load(widthDisplay), text, kTextLimit); break;
        case kBank2Tune: int2string(load(bank2Offset), text, kTextLimit); break;
        case kBank3Tune: int2string(load(bank3Offset), text, kTextLimit); break;
        case kDryWet: int2string(load(dryWetDisplay), text, kTextLimit); break;
        default:  // the three gains: the linear factor 6·x
            float2string(6.0f * load(values[index]), text, kTextLimit);
            break;
    }
}

}  // namespace gelmira

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return createSuiteEffect<gelmira::Gelmira>(audioMaster);
}
