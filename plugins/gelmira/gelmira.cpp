#include "gelmira.h"

#include <new>

#include "cut_filter.h"
#include "difference_equation.h"
#include "host/entry.h"
#include "harmonic_bank.h"
#include "note_table.h"

namespace gelmira {

using gelmira::ChainSettings;

namespace {

struct ParameterText {
    const char* name;
    int nameBound;
    const char* label;
};

const ParameterText kParameters[Gelmira::kNumParams] = {
    {"LP Cutoff In ", 14, "Hz"},  {"HP Cutoff In", 14, "Hz"},
    {"Root Pitch", 12, "Root"},   {"Filter Width", 12, "Width"},
    {"Root Gain", 10, "dB"},      {"Bank 2 Tune", 12, "Semitones"},
    {"Bank 2 Gain", 12, "dB"},    {"Bank 3 Tune", 12, "Semitones"},
    {"Bank 3 Gain", 12, "dB"},    {"LP Cutoff Out", 14, "Hz"},
    {"HP Cutoff Out", 14, "Hz"},  {"Dry Wet", 8, "%"},
};

const float kDefaults[Gelmira::kNumParams] = {1.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f,
                                              0.0f, 0.5f, 0.0f, 1.0f, 0.0f, 0.0f};

constexpr int kTextLimit = 8;
constexpr int kProgramNameLimit = 24;

bool inRange(VstInt32 index) { return index >= 0 && index < Gelmira::kNumParams; }

}  // namespace

Gelmira::Gelmira(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kNumParams, VstGeneration::v24) {
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing();
    canDoubleReplacing();
    setUniqueID(fourCharCode('v', 'n', 'r', 'x'));
    vstCopyText(programName, "Default", kProgramNameLimit);

    designSampleRate = getSampleRate();
    chain.change([&](ChainSettings& s) {
        for (int i = 0; i < kNumParams; ++i) apply(i, kDefaults[i], s);
        retune(s);
    });
}

Gelmira::~Gelmira() = default;

void Gelmira::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    chain.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

void Gelmira::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    chain.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

void Gelmira::setParameter(VstInt32 index, float value) {
    if (!inRange(index)) return;
    chain.change([&](ChainSettings& s) {
        apply(index, value, s);
        designSampleRate = getSampleRate();
        retune(s);
    });
}

void Gelmira::apply(VstInt32 index, float value, ChainSettings& s) {
    using namespace gelmira;
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
    gelmira::HarmonicBank bank;
    bank.tune(rootHz, widthValue, rootLevel, designSampleRate);
    s.assignBank(ChainSettings::kBank1, bank);
    bank.tune(bank2Hz, widthValue, bank2Level, designSampleRate);
    s.assignBank(ChainSettings::kBank2, bank);
    bank.tune(bank3Hz, widthValue, bank3Level, designSampleRate);
    s.assignBank(ChainSettings::kBank3, bank);
}

float Gelmira::getParameter(VstInt32 index) {
    return inRange(index) ? values[index].load(std::memory_order_relaxed) : 0.0f;
}

void Gelmira::setProgramName(char* name) { vstCopyText(programName, name, kProgramNameLimit); }

void Gelmira::getProgramName(char* name) { vstCopyText(name, programName, kProgramNameLimit); }

void Gelmira::getParameterLabel(VstInt32 index, char* label) {
    if (inRange(index)) vstCopyText(label, kParameters[index].label, kTextLimit);
}

void Gelmira::getParameterName(VstInt32 index, char* text) {
    if (inRange(index)) vstCopyText(text, kParameters[index].name, kParameters[index].nameBound);
}

void Gelmira::getParameterDisplay(VstInt32 index, char* text) {
    if (!inRange(index)) return;
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

bool Gelmira::getEffectName(char* name) {
    vstCopyText(name, "Gelmira", 32);
    return true;
}

bool Gelmira::getVendorString(char* text) {
    vstCopyText(text, "Joralt", 64);
    return true;
}

bool Gelmira::getProductString(char* text) {
    vstCopyText(text, "Gelmira", 64);
    return true;
}

VstInt32 Gelmira::getVendorVersion() { return 1000; }

}  // namespace gelmira

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    try {
        return new (std::nothrow) gelmira::Gelmira(audioMaster);
    } catch (...) {
        return nullptr;
    }
}
