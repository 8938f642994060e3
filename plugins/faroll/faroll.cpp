#include "plugins/faroll/faroll.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "dsp/recovery.h"
#include "host/entry.h"
#include "plugins/faroll/design_limits.h"
#include "plugins/faroll/editor.h"
#include "plugins/faroll/mappings.h"
#include "plugins/faroll/peak_design.h"

namespace faroll {

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
constexpr float kCutShelfDb = -96.0f;
constexpr float kCutSectionDb = -16.0f;

constexpr EffectIdentity kIdentity{fourCharCode('m', 'h', 'u', 'v'), "Faroll", "Faroll",
                                   "Joralt", 1000};
// Names are cut at 9 characters ("Reset" at 5), labels at 8; the cut
// switches and Reset have no label and write none.
constexpr ParameterText kParameters[Faroll::kNumParams] = {
    {"Low Gain", 9, "dB", 8},  {"Mid Gain", 9, "dB", 8}, {"High Gain", 9, "dB", 8},
    {"Low Cut", 9, nullptr, 0}, {"Mid Cut", 9, nullptr, 0}, {"High Cut", 9, nullptr, 0},
    {"Low Freq", 9, "Hz", 8},  {"Mid Freq", 9, "Hz", 8}, {"High Freq", 9, "Hz", 8},
    {"Reset", 5, nullptr, 0},
};
// Every program starts at the middle of each knob with every band playing.
constexpr float kProgramDefaults[Faroll::kProgramValues] = {0.5f, 0.5f, 0.5f, 1.0f, 1.0f,
                                                            1.0f, 0.5f, 0.5f, 0.5f};
constexpr char kProgramName[] = "Init";

// value truncated towards zero; values outside the integer range (and NaN)
// give 0, so they cut a band like any value below 1.
int truncated(float value) {
    if (!(value > -2147483648.0f && value < 2147483648.0f)) return 0;
    return static_cast<int>(value);
}

// Below the lowest supported rate the input passes unfiltered; no filter
// memory is there to tell of a non-finite sample, so the copy is cleaned of them.
template <class Sample>
void passThrough(Sample** inputs, Sample** outputs, VstInt32 frames) {
    for (int c = 0; c < 2; ++c) {
        if (outputs[c] != inputs[c]) std::memmove(outputs[c], inputs[c], sizeof(Sample) * frames);
        dsp::zeroNonFinite(outputs[c], frames);
    }
}

}  // namespace

Faroll::Faroll(audioMasterCallback audioMaster)
    : SuiteEffect(audioMaster, kNumPrograms, kNumParams, kIdentity, kParameters),
      programs(kProgramDefaults, kProgramName) {
    canProcessReplacing();
    canDoubleReplacing();
    setNumInputs(2);
    setNumOutputs(2);
    setSampleRate(getSampleRate());
    setProgram(0);
    // The editor attaches itself and sets the has-editor flag; without one
    // (no memory) the effect works as before.
    new (std::nothrow) Editor(this);
}

void Faroll::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (!rateSupported.load(kRelaxed)) return passThrough(inputs, outputs, sampleFrames);
    processBandChainBlock(designs, chain32, inputs[0], inputs[1], outputs[0], outputs[1],
                          sampleFrames);
}

void Faroll::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    if (!rateSupported.load(kRelaxed)) return passThrough(inputs, outputs, sampleFrames);
    processBandChainBlock(designs, chain64, inputs[0], inputs[1], outputs[0], outputs[1],
                          sampleFrames);
}

void Faroll::setParameter(VstInt32 index, float value) {
    if (!validParameter(index)) return;
    sampleRate.store(getSampleRate(), kRelaxed);
    const VstInt32 p = curProgram;
    switch (index) {
        case kLowGain:
            programs.store(p, kLowGain, value);
            lowGain.store(value, kRelaxed);
            lowGainDb.store(gainDbFromNormalized(value), kRelaxed);
            designLowBand();
            break;
        case kMidGain: {
            programs.store(p, kMidGain, value);
            midGain.store(value, kRelaxed);
            const MidGains g = midSectionGainDb(value);
            midSectionDb.store(g.sectionDb, kRelaxed);
            midGainDb.store(g.totalDb, kRelaxed);
            designMidBand();
            break;
        }
        case kHighGain:
            programs.store(p, kHighGain, value);
            highGain.store(value, kRelaxed);
            highGainDb.store(gainDbFromNormalized(value), kRelaxed);
            designHighBand();
            break;
        case kLowCut:
            programs.store(p, kLowCut, float(truncated(value)));
            lowCut.store(truncated(value), kRelaxed);
            lowGainDb.store(gainDbFromNormalized(lowGain.load(kRelaxed)), kRelaxed);
            designLowBand();
            break;
        case kMidCut: {
            programs.store(p, kMidCut, float(truncated(value)));
            midCut.store(truncated(value), kRelaxed);
            const MidGains g = midSectionGainDb(midGain.load(kRelaxed));
            midSectionDb.store(g.sectionDb, kRelaxed);
            midGainDb.store(g.totalDb, kRelaxed);
            designMidBand();
            break;
        }
        case kHighCut:
            programs.store(p, kHighCut, float(truncated(value)));
            highCut.store(truncated(value), kRelaxed);
            highGainDb.store(gainDbFromNormalized(highGain.load(kRelaxed)), kRelaxed);
            designHighBand();
            break;
        case kLowFreq:
            programs.store(p, kLowFreq, value);
            lowFreq.store(value, kRelaxed);
            lowFreqHz.store(lowFreqFromNormalized(value), kRelaxed);
            designLowBand();
            break;
        case kMidFreq:
            programs.store(p, kMidFreq, value);
            midFreq.store(value, kRelaxed);
            midFreqHz.store(midFreqFromNormalized(value), kRelaxed);
            designMidBand();
            break;
        case kHighFreq:
            programs.store(p, kHighFreq, value);
            highFreq.store(value, kRelaxed);
            highFreqHz.store(highFreqFromNormalized(value), kRelaxed);
            highDesignHz.store(highDesignFrequency(sampleRate.load(kRelaxed),
                                                   highFreqHz.load(kRelaxed)),
                               kRelaxed);
            designHighBand();
            break;
        case kReset:
            reset(value);
            return;
    }
    updateEditor(index, value);
}

void Faroll::updateEditor(VstInt32 index, float value) {
    if (editor) static_cast<Editor*>(editor)->setParameter(index, value);
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
    for (VstInt32 index = kLowGain; index <= kHighFreq; ++index)
        updateEditor(index, index >= kLowCut && index <= kHighCut ? 1.0f : 0.5f);
}

// Each design reads the band's values inside the publisher's writer lock, so
// the last of two concurrent changes always publishes the newest values.
void Faroll::designLowBand() {
    designs.update([this](BandDesign& d) {
        const float rate = designRate(sampleRate.load(kRelaxed));
        const float db = lowCut.load(kRelaxed) == 1 ? lowGainDb.load(kRelaxed) : kCutShelfDb;
        designLowShelf(d.low, designFrequency(lowFreqHz.load(kRelaxed), rate),
                       designShelfGain(db), rate);
    });
}

void Faroll::designMidBand() {
    designs.update([this](BandDesign& d) {
        const float rate = designRate(sampleRate.load(kRelaxed));
        const float db = midCut.load(kRelaxed) == 1 ? midSectionDb.load(kRelaxed) : kCutSectionDb;
        d.mid = peakCoefficients(designFrequency(midFreqHz.load(kRelaxed), rate),
                                 designSectionGain(db), rate);
    });
}

void Faroll::designHighBand() {
    designs.update([this](BandDesign& d) {
        const float rate = designRate(sampleRate.load(kRelaxed));
        const float db = highCut.load(kRelaxed) == 1 ? highGainDb.load(kRelaxed) : kCutShelfDb;
        designHighShelf(d.high, designFrequency(highDesignHz.load(kRelaxed), rate),
                        designShelfGain(db), rate);
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
    if (!programs.valid(number)) return;
    curProgram = number;
    // Read the record first: each setParameter below writes into it again.
    const VstInt32 order[] = {kLowGain, kMidGain, kHighGain, kLowFreq, kMidFreq,
                              kHighFreq, kLowCut,  kMidCut,   kHighCut};
    float values[kProgramValues];
    for (int i = 0; i < kProgramValues; ++i) values[i] = programs.value(number, order[i]);
    for (int i = 0; i < kProgramValues; ++i) setParameter(order[i], values[i]);
}

void Faroll::setProgramName(char* name) { programs.setName(curProgram, name); }

// Names are stored with at most 23 characters but written with the host's
// limit of 24; a program still named "Init" reads "Init <number>".
void Faroll::getProgramName(char* name) {
    const VstInt32 p = curProgram;
    if (std::strcmp(programs.name(p), kProgramName) == 0) {
        char numbered[kVstMaxProgNameLen + 16];
        std::snprintf(numbered, sizeof numbered, "%s %d", kProgramName, p + 1);
        vstCopyText(name, numbered, kVstMaxProgNameLen);
    } else {
        vstCopyText(name, programs.name(p), kVstMaxProgNameLen);
    }
}

bool Faroll::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!programs.valid(index)) return false;
    vstCopyText(text, programs.name(index), kVstMaxProgNameLen);
    return true;
}

void Faroll::setSampleRate(float rate) {
    AudioEffectX::setSampleRate(rate);
    sampleRate.store(rate, kRelaxed);
    rateSupported.store(!(rate < 44100.0f), kRelaxed);
}

}  // namespace faroll

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return createSuiteEffect<faroll::Faroll>(audioMaster);
}
