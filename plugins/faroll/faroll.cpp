#include "faroll.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "design_limits.h"
#include "host/entry.h"
#include "mappings.h"
#include "peak_design.h"

namespace faroll {

using namespace faroll;

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
constexpr float kCutShelfDb = -96.0f;
constexpr float kCutSectionDb = -16.0f;
constexpr int kProgramNameChars = 23;

const char* const kNames[kNumFarollParameters] = {
    "Low Gain", "Mid Gain", "High Gain", "Low Cut",  "Mid Cut",
    "High Cut", "Low Freq", "Mid Freq",  "High Freq", "Reset"};

// value truncated towards zero; values outside the integer range (and NaN)
// give 0, so they cut a band like any value below 1.
int truncated(float value) {
    if (!(value > -2147483648.0f && value < 2147483648.0f)) return 0;
    return static_cast<int>(value);
}

template <class Sample>
void passThrough(Sample** inputs, Sample** outputs, VstInt32 frames) {
    for (int c = 0; c < 2; ++c)
        if (outputs[c] != inputs[c]) std::memmove(outputs[c], inputs[c], sizeof(Sample) * frames);
}

}  // namespace

Faroll::Faroll(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumFarollPrograms, kNumFarollParameters) {
    canProcessReplacing();
    canDoubleReplacing();
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('m', 'h', 'u', 'v'));
    setSampleRate(getSampleRate());
    setProgram(0);
}

void Faroll::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (!rateSupported.load(kRelaxed)) return passThrough(inputs, outputs, sampleFrames);
    processBandChainBlock(designs, chain32, applied32, inputs[0], inputs[1], outputs[0],
                          outputs[1], sampleFrames);
}

void Faroll::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    if (!rateSupported.load(kRelaxed)) return passThrough(inputs, outputs, sampleFrames);
    processBandChainBlock(designs, chain64, applied64, inputs[0], inputs[1], outputs[0],
                          outputs[1], sampleFrames);
}

void Faroll::setParameter(VstInt32 index, float value) {
    if (index < 0 || index >= kNumFarollParameters) return;
    sampleRate.store(getSampleRate(), kRelaxed);
    FarollProgram& p = program();
    switch (index) {
        case kLowGain:
            p.lowGain.store(value, kRelaxed);
            lowGain.store(value, kRelaxed);
            lowGainDb.store(gainDbFromNormalized(value), kRelaxed);
            designLowBand();
            break;
        case kMidGain: {
            p.midGain.store(value, kRelaxed);
            midGain.store(value, kRelaxed);
            const MidGains g = midSectionGainDb(value);
            midSectionDb.store(g.sectionDb, kRelaxed);
            midGainDb.store(g.totalDb, kRelaxed);
            designMidBand();
            break;
        }
        case kHighGain:
            p.highGain.store(value, kRelaxed);
            highGain.store(value, kRelaxed);
            highGainDb.store(gainDbFromNormalized(value), kRelaxed);
            designHighBand();
            break;
        case kLowCut:
            p.lowCut.store(truncated(value), kRelaxed);
            lowCut.store(truncated(value), kRelaxed);
            lowGainDb.store(gainDbFromNormalized(lowGain.load(kRelaxed)), kRelaxed);
            designLowBand();
            break;
        case kMidCut: {
            p.midCut.store(truncated(value), kRelaxed);
            midCut.store(truncated(value), kRelaxed);
            const MidGains g = midSectionGainDb(midGain.load(kRelaxed));
            midSectionDb.store(g.sectionDb, kRelaxed);
            midGainDb.store(g.totalDb, kRelaxed);
            designMidBand();
            break;
        }
        case kHighCut:
            p.highCut.store(truncated(value), kRelaxed);
            highCut.store(truncated(value), kRelaxed);
            highGainDb.store(gainDbFromNormalized(highGain.load(kRelaxed)), kRelaxed);
            designHighBand();
            break;
        case kLowFreq:
            p.lowFreq.store(value, kRelaxed);
            lowFreq.store(value, kRelaxed);
            lowFreqHz.store(lowFreqFromNormalized(value), kRelaxed);
            designLowBand();
            break;
        case kMidFreq:
            p.midFreq.store(value, kRelaxed);
            midFreq.store(value, kRelaxed);
            midFreqHz.store(midFreqFromNormalized(value), kRelaxed);
            designMidBand();
            break;
        case kHighFreq:
            p.highFreq.store(value, kRelaxed);
            highFreq.store(value, kRelaxed);
            highFreqHz.store(highFreqFromNormalized(value), kRelaxed);
            highDesignHz.store(highDesignFrequency(sampleRate.load(kRelaxed),
                                                   highFreqHz.load(kRelaxed)),
                               kRelaxed);
            designHighBand();
            break;
        case kReset:
            reset(value);
            break;
    }
}

// Every band back to 0 dB and its middle frequency; the program record stays.
void Faroll::reset(float value) {
    resetValue.store(truncated(value), kRelaxed);
    for (auto* v : {&lowGain, &midGain, &highGain, &lowFreq, &midFreq, &highFreq})
        v->store(0.5f, kRelaxed);
    for (auto* c : {&lowCut, &midCut, &highCut}) c->store(1, kRelaxed);
    lowFreqHz.store(lowFreqFromNormalized(0.5f), kRelaxed);
    midFreqHz.store(midFreqFromNormalized(0.5f), kRelaxed);
    highFreqHz.store(highFreqFromNormalized(0.5f), kRelaxed);
    highDesignHz.store(highDesignFrequency(sampleRate.load(kRelaxed), highFreqHz.load(kRelaxed)),
                       kRelaxed);
    lowGainDb.store(gainDbFromNormalized(0.5f), kRelaxed);
    highGainDb.store(gainDbFromNormalized(0.5f), kRelaxed);
    const MidGains g = midSectionGainDb(0.5f);
    midSectionDb.store(g.sectionDb, kRelaxed);
    midGainDb.store(g.totalDb, kRelaxed);
    designLowBand();
    designHighBand();
    designMidBand();
}

// Each design reads the band's values inside the publisher's writer lock, so
// the last of two concurrent changes always publishes the newest values.
void Faroll::designLowBand() {
    designs.update([this](BandDesign& d) {
        const float rate = designRate(sampleRate.load(kRelaxed));
        const float db = lowCut.load(kRelaxed) == 1 ? lowGainDb.load(kRelaxed) : kCutShelfDb;
        designLowShelf(d.low, designFrequency(lowFreqHz.load(kRelaxed), rate),
                       designShelfGain(db), rate);
        ++d.serial;
    });
}

void Faroll::designMidBand() {
    designs.update([this](BandDesign& d) {
        const float rate = designRate(sampleRate.load(kRelaxed));
        const float db = midCut.load(kRelaxed) == 1 ? midSectionDb.load(kRelaxed) : kCutSectionDb;
        d.mid = peakCoefficients(designFrequency(midFreqHz.load(kRelaxed), rate),
                                 designSectionGain(db), rate);
        ++d.serial;
    });
}

void Faroll::designHighBand() {
    designs.update([this](BandDesign& d) {
        const float rate = designRate(sampleRate.load(kRelaxed));
        const float db = highCut.load(kRelaxed) == 1 ? highGainDb.load(kRelaxed) : kCutShelfDb;
        designHighShelf(d.high, designFrequency(highDesignHz.load(kRelaxed), rate),
                        designShelfGain(db), rate);
        ++d.serial;
    });
}

float Faroll::getParameter(VstInt32 index) {
    switch (index) {
        case kLowGain: return lowGain.load(kRelaxed);
        case kMidGain: return midGain.load(kRelaxed);
        case kHighGain: return highGain.load(kRelaxed);
        case kLowCut: return static_cast<float>(lowCut.load(kRelaxed));
        case kMidCut: return static_cast<float>(midCut.load(kRelaxed));
        case kHighCut: return static_cast<float>(highCut.load(kRelaxed));
        case kLowFreq: return lowFreq.load(kRelaxed);
        case kMidFreq: return midFreq.load(kRelaxed);
        case kHighFreq: return highFreq.load(kRelaxed);
        case kReset: return static_cast<float>(resetValue.load(kRelaxed));
        default: return 0.0f;
    }
}

void Faroll::getParameterName(VstInt32 index, char* text) {
    if (index < 0 || index >= kNumFarollParameters) return;
    vstCopyText(text, kNames[index], index == kReset ? 5 : 9);
}

void Faroll::getParameterLabel(VstInt32 index, char* label) {
    if (index >= kLowGain && index <= kHighGain) vstCopyText(label, "dB", kVstMaxParamStrLen);
    if (index >= kLowFreq && index <= kHighFreq) vstCopyText(label, "Hz", kVstMaxParamStrLen);
}

void Faroll::getParameterDisplay(VstInt32 index, char* text) {
    constexpr int n = kVstMaxParamStrLen;
    switch (index) {
        case kLowGain: return float2string(lowGainDb.load(kRelaxed), text, n);
        case kMidGain: return float2string(midGainDb.load(kRelaxed), text, n);
        case kHighGain: return float2string(highGainDb.load(kRelaxed), text, n);
        case kLowCut: return int2string(lowCut.load(kRelaxed), text, n);
        case kMidCut: return int2string(midCut.load(kRelaxed), text, n);
        case kHighCut: return int2string(highCut.load(kRelaxed), text, n);
        case kLowFreq: return float2string(lowFreqHz.load(kRelaxed), text, n);
        case kMidFreq: return float2string(midFreqHz.load(kRelaxed), text, n);
        case kHighFreq: return float2string(highFreqHz.load(kRelaxed), text, n);
        case kReset: return int2string(resetValue.load(kRelaxed), text, n);
        default: return;
    }
}

void Faroll::setProgram(VstInt32 number) {
    if (number < 0 || number >= kNumFarollPrograms) return;
    curProgram = number;
    FarollProgram& p = programs[number];
    // Read the record first: each setParameter below writes into it again.
    const float values[] = {p.lowGain.load(kRelaxed),  p.midGain.load(kRelaxed),
                            p.highGain.load(kRelaxed), p.lowFreq.load(kRelaxed),
                            p.midFreq.load(kRelaxed),  p.highFreq.load(kRelaxed),
                            float(p.lowCut.load(kRelaxed)), float(p.midCut.load(kRelaxed)),
                            float(p.highCut.load(kRelaxed))};
    const VstInt32 order[] = {kLowGain, kMidGain, kHighGain, kLowFreq, kMidFreq,
                              kHighFreq, kLowCut,  kMidCut,   kHighCut};
    for (int i = 0; i < 9; ++i) setParameter(order[i], values[i]);
}

void Faroll::setProgramName(char* name) {
    vstCopyText(program().name, name, kProgramNameChars);
}

void Faroll::getProgramName(char* name) {
    const FarollProgram& p = program();
    if (std::strcmp(p.name, "Init") == 0) {
        char numbered[kVstMaxProgNameLen + 16];
        std::snprintf(numbered, sizeof numbered, "%s %d", p.name, curProgram + 1);
        vstCopyText(name, numbered, kVstMaxProgNameLen);
    } else {
        vstCopyText(name, p.name, kVstMaxProgNameLen);
    }
}

bool Faroll::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (index < 0 || index >= kNumFarollPrograms) return false;
    vstCopyText(text, programs[index].name, kVstMaxProgNameLen);
    return true;
}

void Faroll::setSampleRate(float rate) {
    AudioEffectX::setSampleRate(rate);
    sampleRate.store(rate, kRelaxed);
    rateSupported.store(!(rate < 44100.0f), kRelaxed);
}

bool Faroll::getEffectName(char* name) {
    vstCopyText(name, "Faroll", kVstMaxEffectNameLen);
    return true;
}

bool Faroll::getVendorString(char* text) {
    vstCopyText(text, "Joralt", kVstMaxVendorStrLen);
    return true;
}

bool Faroll::getProductString(char* text) {
    vstCopyText(text, "Faroll", kVstMaxProductStrLen);
    return true;
}

}  // namespace faroll

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    try {
        return new (std::nothrow) faroll::Faroll(audioMaster);
    } catch (...) {
        return nullptr;
    }
}
