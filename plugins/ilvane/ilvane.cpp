#include "ilvane.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "cookbook_shelf.h"
#include "entry.h"

namespace {

constexpr VstInt32 kNumPrograms = 4;
constexpr VstInt32 kNumParams = 3;
constexpr float kLowShelfHz = 100.0f;
constexpr float kHighShelfHz = 5000.0f;

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
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
    canProcessReplacing();
    canDoubleReplacing();
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('X', 'E', 'F', 'O'));

    lowShelf32 = new (std::nothrow) PeakSection<float>();
    highShelf32 = new (std::nothrow) PeakSection<float>();
    lowShelf64 = new (std::nothrow) PeakSection<double>();
    highShelf64 = new (std::nothrow) PeakSection<double>();
    programs = new (std::nothrow) IlvaneProgram[kNumPrograms];
    if (!isComplete()) return;

    const float rate = refreshDesignRate();
    designs.update([&](ShelfDesign& d) {
        designLow(d, lowGainDb.load(std::memory_order_relaxed), rate);
        designHigh(d, highGainDb.load(std::memory_order_relaxed), rate);
        ++d.serial;
    });
    curProgram = 0;
    setParameter(0, programs[0].lowGain.load(std::memory_order_relaxed));
    setParameter(1, programs[0].highGain.load(std::memory_order_relaxed));

    // The editor is created and attached here once the plug-in has one.
}

Ilvane::~Ilvane() {
    delete lowShelf32;
    delete highShelf32;
    delete lowShelf64;
    delete highShelf64;
    delete[] programs;
}

bool Ilvane::isComplete() const {
    return programs && lowShelf32 && highShelf32 && lowShelf64 && highShelf64;
}

void Ilvane::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    processShelfPair(designs, *lowShelf32, *highShelf32, applied32, inputs[0], inputs[1],
                     outputs[0], outputs[1], sampleFrames);
}

void Ilvane::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) {
    processShelfPair(designs, *lowShelf64, *highShelf64, applied64, inputs[0], inputs[1],
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
            programs[curProgram].lowGain.store(value, std::memory_order_relaxed);
            lowGain.store(value, std::memory_order_relaxed);
            const float db = gainDbFromNormalized(value);
            lowGainDb.store(db, std::memory_order_relaxed);
            designLow(d, db, rate);
            ++d.serial;
        });
        updateEditor(0, value);
        break;
    case 1:
        designs.update([&](ShelfDesign& d) {
            programs[curProgram].highGain.store(value, std::memory_order_relaxed);
            highGain.store(value, std::memory_order_relaxed);
            const float db = gainDbFromNormalized(value);
            highGainDb.store(db, std::memory_order_relaxed);
            designHigh(d, db, rate);
            ++d.serial;
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
            ++d.serial;
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
    if (program < 0 || program >= kNumPrograms) return;
    curProgram = program;
    setParameter(0, programs[program].lowGain.load(std::memory_order_relaxed));
    setParameter(1, programs[program].highGain.load(std::memory_order_relaxed));
}

void Ilvane::setProgramName(char* name) {
    vstCopyText(programs[curProgram].name, name, sizeof(programs[curProgram].name) - 1);
}

void Ilvane::getProgramName(char* name) {
    const IlvaneProgram& p = programs[curProgram];
    if (std::strcmp(p.name, "Init") == 0) {
        char numbered[40];
        std::snprintf(numbered, sizeof(numbered), "%s %d", p.name, curProgram + 1);
        vstCopyText(name, numbered, sizeof(p.name) - 1);
    } else {
        vstCopyText(name, p.name, sizeof(p.name) - 1);
    }
}

bool Ilvane::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (index < 0 || index >= kNumPrograms) return false;
    vstCopyText(text, programs[index].name, sizeof(programs[index].name) - 1);
    return true;
}

void Ilvane::getParameterName(VstInt32 index, char* text) {
    switch (index) {
    case 0: vstCopyText(text, "Low Gain", 9); break;
    case 1: vstCopyText(text, "High Gain", 9); break;
    case 2: vstCopyText(text, "Reset", 5); break;
    default: break;
    }
}

void Ilvane::getParameterLabel(VstInt32 index, char* label) {
    if (index == 0 || index == 1) vstCopyText(label, "dB", 8);
}

void Ilvane::getParameterDisplay(VstInt32 index, char* text) {
    switch (index) {
    case 0: float2string(lowGainDb.load(std::memory_order_relaxed), text, 8); break;
    case 1: float2string(highGainDb.load(std::memory_order_relaxed), text, 8); break;
    case 2: int2string(resetValue.load(std::memory_order_relaxed), text, 8); break;
    default: break;
    }
}

bool Ilvane::getEffectName(char* name) {
    vstCopyText(name, "Ilvane", 32);
    return true;
}

bool Ilvane::getVendorString(char* text) {
    vstCopyText(text, "Joralt", 64);
    return true;
}

bool Ilvane::getProductString(char* text) {
    vstCopyText(text, "Ilvane", 64);
    return true;
}

VstInt32 Ilvane::getVendorVersion() { return 1000; }

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    Ilvane* effect = new (std::nothrow) Ilvane(audioMaster);
    if (effect && !effect->isComplete()) {
        delete effect;
        return nullptr;
    }
    return effect;
}
