#include "plugins/ilvane/ilvane.h"

#include "plugins/ilvane/editor.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "host/entry.h"
#include "plugins/ilvane/cookbook_shelf.h"

namespace ilvane {

namespace {

constexpr float kLowShelfHz = 100.0f;
constexpr float kHighShelfHz = 5000.0f;

constexpr EffectIdentity kIdentity{fourCharCode('X', 'E', 'F', 'O'), "Ilvane", "Ilvane", "Joralt",
                                   1000};
constexpr ParameterText kParameters[Ilvane::kNumParams] = {
    {"Low Gain", 9, "dB", 8},
    {"High Gain", 9, "dB", 8},
    {"Reset", 5, nullptr, 0},
};
constexpr float kProgramDefaults[2] = {0.5f, 0.5f};
constexpr char kProgramName[] = "Init";

// Limits on what reaches a design, so that no value a host sends can make a
// shelf unstable or non-finite: gains beyond +-120 dB are held there (NaN
// designs flat), and the shelf frequency stays below half the rate.
constexpr float kDesignGainLimitDb = 120.0f;
constexpr float kMaxFrequencyPerRate = 0.49f;

float designGain(float gainDb) {
    if (std::isnan(gainDb)) return 0.0f;
    return std::fmax(-kDesignGainLimitDb, std::fmin(kDesignGainLimitDb, gainDb));
}

float designFrequency(float frequencyHz, float rate) {
    return std::fmin(frequencyHz, rate * kMaxFrequencyPerRate);
}

// Truncation toward zero of a host's value, defined for every float.
VstInt32 truncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0f) return 2147483647;
    if (value <= -2147483648.0f) return -2147483647 - 1;
    return static_cast<VstInt32>(value);
}

}  // namespace

Ilvane::Ilvane(audioMasterCallback audioMaster)
    : SuiteEffect(audioMaster, kNumPrograms, kNumParams, kIdentity, kParameters),
      programs(kProgramDefaults, kProgramName) {
    canProcessReplacing();
    canDoubleReplacing();
    setNumInputs(2);
    setNumOutputs(2);

    const float rate = refreshDesignRate();
    designs.update([&](ShelfDesign& d) {
        designLow(d, lowGainDb.load(std::memory_order_relaxed), rate);
        designHigh(d, highGainDb.load(std::memory_order_relaxed), rate);
    });
    curProgram = 0;
    setParameter(kLowGain, programs.value(0, kLowGain));
    setParameter(kHighGain, programs.value(0, kHighGain));

    // The editor attaches itself and sets the has-editor flag; without one
    // (no memory) the effect works as before.
    new (std::nothrow) Editor(this);
}

void Ilvane::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processShelfPair(designs, shelves32, inputs[0], inputs[1],
                     outputs[0], outputs[1], sampleFrames);
}

void Ilvane::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processShelfPair(designs, shelves64, inputs[0], inputs[1],
                     outputs[0], outputs[1], sampleFrames);
}

float Ilvane::gainDbFromNormalized(float v) {
    return static_cast<float>((double(v) * 2.0 - 1.0) * 12.0);
}

float Ilvane::refreshDesignRate() {
    const float rate = getSampleRate();
    if (std::isfinite(rate) && rate > 0.0f) designRate.store(rate, std::memory_order_relaxed);
    return designRate.load(std::memory_order_relaxed);
}

void Ilvane::designLow(ShelfDesign& d, float gainDb, float rate) {
    designCookbookLowShelf(d.low, designFrequency(kLowShelfHz, rate), designGain(gainDb), rate);
}

void Ilvane::designHigh(ShelfDesign& d, float gainDb, float rate) {
    designCookbookHighShelf(d.high, designFrequency(kHighShelfHz, rate), designGain(gainDb),
                            rate);
}

// Each change runs whole inside one publication: concurrent writers (host
// automation and the editor) are serialised there, so the stored values and
// the design in effect always agree.
void Ilvane::setParameter(VstInt32 index, float value) {
    const float rate = refreshDesignRate();
    switch (index) {
    case 0:
        designs.update([&](ShelfDesign& d) {
            programs.store(curProgram, kLowGain, value);
            lowGain.store(value, std::memory_order_relaxed);
            const float db = gainDbFromNormalized(value);
            lowGainDb.store(db, std::memory_order_relaxed);
            designLow(d, db, rate);
        });
        updateEditor(0, value);
        break;
    case 1:
        designs.update([&](ShelfDesign& d) {
            programs.store(curProgram, kHighGain, value);
            highGain.store(value, std::memory_order_relaxed);
            const float db = gainDbFromNormalized(value);
            highGainDb.store(db, std::memory_order_relaxed);
            designHigh(d, db, rate);
        });
        updateEditor(1, value);
        break;
    case 2:
        // Only the live values return to 0 dB; the program keeps its gains.
        designs.update([&](ShelfDesign& d) {
            resetValue.store(truncateToInt(value), std::memory_order_relaxed);
            lowGain.store(0.5f, std::memory_order_relaxed);
            highGain.store(0.5f, std::memory_order_relaxed);
            const float db = gainDbFromNormalized(0.5f);
            lowGainDb.store(db, std::memory_order_relaxed);
            highGainDb.store(db, std::memory_order_relaxed);
            designLow(d, db, rate);
            designHigh(d, db, rate);
        });
        updateEditor(0, 0.5f);
        updateEditor(1, 0.5f);
        break;
    default:
        break;
    }
}

float Ilvane::getParameter(VstInt32 index) {
    switch (index) {
    case 0: return lowGain.load(std::memory_order_relaxed);
    case 1: return highGain.load(std::memory_order_relaxed);
    case 2: return static_cast<float>(resetValue.load(std::memory_order_relaxed));
    default: return 0.0f;
    }
}

void Ilvane::setProgram(VstInt32 program) {
    if (!programs.valid(program)) return;
    curProgram = program;
    setParameter(kLowGain, programs.value(program, kLowGain));
    setParameter(kHighGain, programs.value(program, kHighGain));
}

void Ilvane::setProgramName(char* name) { programs.setName(curProgram, name); }

void Ilvane::getProgramName(char* name) {
    programs.copyNumberedName(curProgram, name, kProgramName);
}

bool Ilvane::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!programs.valid(index)) return false;
    programs.copyName(index, text);
    return true;
}

void Ilvane::getParameterDisplay(VstInt32 index, char* text) {
    switch (index) {
    case 0: float2string(lowGainDb.load(std::memory_order_relaxed), text, 8); break;
    case 1: float2string(highGainDb.load(std::memory_order_relaxed), text, 8); break;
    case 2: int2string(resetValue.load(std::memory_order_relaxed), text, 8); break;
    default: break;
    }
}

void Ilvane::updateEditor(VstInt32 index, float value) {
    if (editor) static_cast<Editor*>(editor)->setParameter(index, value);
}

}  // namespace ilvane

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return createSuiteEffect<ilvane::Ilvane>(audioMaster);
}
