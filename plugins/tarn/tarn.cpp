#include "tarn.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "host/entry.h"
#include "tarn_mappings.h"

namespace tarn {

namespace {

struct ParameterText {
    const char* name;
    const char* label;
};

// Several of these are longer than the eight characters the interface
// promises; they are written whole, each copy bounded to the text's own length.
constexpr ParameterText kParameterTexts[Tarn::kNumParams] = {
    {"Low Frequency", "Hz"}, {"Mid Frequency", "Hz"}, {"High Frequency", "Hz"},
    {"Low Q", "Q"},          {"Mid Q", "Q"},          {"High Q", "Q"},
    {"Low Gain", "dB"},      {"Mid Gain", "dB"},      {"High Gain", "dB"},
    {"Limiter", "Limiter OnOff"},
};

constexpr float kDefaults[Tarn::kNumParams] = {0, 0, 0, 0, 0, 0, 0.5f, 0.5f, 0.5f, 0};
constexpr char kDefaultProgramName[] = "Tarn Preset";
constexpr int kDisplayLength = 8;

bool validIndex(VstInt32 index) { return index >= 0 && index < Tarn::kNumParams; }

void copyWhole(char* text, const char* source) {
    vstCopyText(text, source, static_cast<int>(std::strlen(source)));
}

}  // namespace

Tarn::Tarn(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams, VstGeneration::v23),
      programs(new (std::nothrow) TarnProgram[kNumPrograms]) {
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('T', 'a', 'r', 'n'));
    canMono();
    canProcessReplacing();
    designRate.store(getSampleRate(), std::memory_order_relaxed);
    for (VstInt32 i = 0; i < kNumParams; ++i) values[i].store(kDefaults[i], std::memory_order_relaxed);
    if (programs) {
        for (VstInt32 p = 0; p < kNumPrograms; ++p) {
            for (VstInt32 i = 0; i < kNumParams; ++i)
                programs[p].params[i].store(kDefaults[i], std::memory_order_relaxed);
            vstCopyText(programs[p].name, kDefaultProgramName, kMaxProgramName);
        }
        setProgram(0);
    }
    redesign();
    chain.setReleaseTime(75.0f, designRate.load(std::memory_order_relaxed));
    chain.resetGains();
}

void Tarn::setParameter(VstInt32 index, float value) {
    if (validIndex(index)) {
        if (programs)
            programs[program.load(std::memory_order_relaxed)].params[index].store(
                value, std::memory_order_relaxed);
        values[index].store(value, std::memory_order_relaxed);
    }
    // A rate that is not finite and positive is not used: the last good one stays.
    float rate = getSampleRate();
    if (std::isfinite(rate) && rate > 0.0f) designRate.store(rate, std::memory_order_relaxed);
    redesign();
}

void Tarn::redesign() {
    // Read the values under the writers' lock, so that of two threads setting
    // parameters at once the later design holds both changes.
    chain.changeDesign([this](TarnDesign& d) {
        auto p = [this](int i) { return values[i].load(std::memory_order_relaxed); };
        TarnBand low{lowFrequencyHz(p(kLowFrequency)), lowFrequencyHz(p(kLowQ)),
                     gainFactor(p(kLowGain))};
        TarnBand mid{midFrequencyHz(p(kMidFrequency)), midFrequencyHz(p(kMidQ)),
                     gainFactor(p(kMidGain))};
        TarnBand high{highFrequencyHz(p(kHighFrequency)), highFrequencyHz(p(kHighQ)),
                      gainFactor(p(kHighGain))};
        d = designTarn(low, mid, high, p(kLimiter) != 0.0f,
                       designRate.load(std::memory_order_relaxed));
    });
}

float Tarn::getParameter(VstInt32 index) {
    return validIndex(index) ? values[index].load(std::memory_order_relaxed) : 0.0f;
}

float Tarn::displayValue(VstInt32 index) const {
    float p = values[index].load(std::memory_order_relaxed);
    switch (index) {
        case kLowFrequency: return lowFrequencyHz(p);
        case kMidFrequency: return midFrequencyHz(p);
        case kHighFrequency: return highFrequencyHz(p);
        case kLowQ:
        case kMidQ:
        case kHighQ: return qValue(p);
        case kLowGain:
        case kMidGain:
        case kHighGain: return gainDb(p);
        default: return p;
    }
}

void Tarn::getParameterName(VstInt32 index, char* text) {
    if (validIndex(index)) copyWhole(text, kParameterTexts[index].name);
}

void Tarn::getParameterLabel(VstInt32 index, char* text) {
    if (validIndex(index)) copyWhole(text, kParameterTexts[index].label);
}

void Tarn::getParameterDisplay(VstInt32 index, char* text) {
    if (validIndex(index)) float2string(displayValue(index), text, kDisplayLength);
}

void Tarn::setProgram(VstInt32 index) {
    if (!programs || index < 0 || index >= kNumPrograms) return;
    curProgram = index;
    program.store(index, std::memory_order_relaxed);
    for (VstInt32 i = 0; i < kNumParams; ++i)
        setParameter(i, programs[index].params[i].load(std::memory_order_relaxed));
}

void Tarn::setProgramName(char* name) {
    if (programs && name)
        vstCopyText(programs[program.load(std::memory_order_relaxed)].name, name,
                    kMaxProgramName);
}

void Tarn::getProgramName(char* name) {
    if (!name) return;
    if (!programs) {
        *name = 0;
        return;
    }
    VstInt32 current = program.load(std::memory_order_relaxed);
    const char* stored = programs[current].name;
    if (std::strcmp(stored, kDefaultProgramName) == 0) {
        char numbered[48];
        std::snprintf(numbered, sizeof numbered, "%s %d", stored, current + 1);
        vstCopyText(name, numbered, kMaxProgramName);
    } else {
        vstCopyText(name, stored, kMaxProgramName);
    }
}

bool Tarn::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!programs || !text || index < 0 || index >= kNumPrograms) return false;
    vstCopyText(text, programs[index].name, kMaxProgramName);
    return true;
}

void Tarn::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    chain.processReplacing(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

void Tarn::process(float** inputs, float** outputs, VstInt32 sampleFrames) {
    chain.processAccumulating(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
}

}  // namespace tarn

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    tarn::Tarn* effect = new (std::nothrow) tarn::Tarn(audioMaster);
    if (effect && !effect->isReady()) {
        delete effect;
        return nullptr;
    }
    return effect;
}
