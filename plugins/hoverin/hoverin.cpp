#include "hoverin.h"

#include <new>

#include "host/entry.h"
#include "parameters.h"

namespace hoverin {

namespace {

struct ParameterText {
    const char* name;
    const char* label;
};

const ParameterText kParameters[Hoverin::kNumParams] = {
    {"Dry Wet", "%"}, {"Feedback", "%"}, {"Rate", ""},
    {"Range", "Octaves"}, {"Frequency", "Hz"}, {"Out Gain", "dB"},
};

constexpr int kNameLength = 9;
constexpr int kLabelLength = 8;
constexpr int kDisplayLength = 8;

bool knownParameter(VstInt32 index) { return index >= 0 && index < Hoverin::kNumParams; }

}  // namespace


Hoverin::Hoverin(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, 1, kNumParams, VstGeneration::v24) {
    canProcessReplacing();
    canDoubleReplacing();
    setNumInputs(2);
    setNumOutputs(2);
    setUniqueID(fourCharCode('k', 'w', 'z', 't'));
    vstCopyText(programName, "Default", kProgramNameLength);

    sampleRate.store(getSampleRate(), std::memory_order_relaxed);
    const RateDivision* division = rateDivision(static_cast<int>(rateIndexFor(0.5f)));
    rateValue.store(division->value, std::memory_order_relaxed);
    rateText.store(division->name, std::memory_order_relaxed);
    octaves.store(octavesFor(0.15f), std::memory_order_relaxed);
    frequencyHz.store(frequencyHzFor(0.8f), std::memory_order_relaxed);
    outGainDb.store(outGainDbFor(1.0f), std::memory_order_relaxed);

    // No audio runs yet: the channels take the first set directly.
    controls.update([this](PhaserControls& c) { fillChannelSettings(c); });
    configureChannels(controls.current(), true);
}

Hoverin::~Hoverin() { rateText.store(nullptr, std::memory_order_relaxed); }

void Hoverin::fillChannelSettings(PhaserControls& c) {
    c.mix = mappedValue(dryWet.load(std::memory_order_relaxed));
    c.gain = mappedValue(outGain.load(std::memory_order_relaxed));
    c.feedback = mappedValue(feedback.load(std::memory_order_relaxed));
    c.rate = rateValue.load(std::memory_order_relaxed);
    c.octaves = octaves.load(std::memory_order_relaxed);
    c.frequency = frequencyHz.load(std::memory_order_relaxed);
    c.sampleRate = sampleRate.load(std::memory_order_relaxed);
}

void Hoverin::setParameter(VstInt32 index, float value) {
    sampleRate.store(getSampleRate(), std::memory_order_relaxed);
    if (!knownParameter(index)) return;
    const float x = mappedValue(value);
    // Everything below runs under the hand-over's writer lock, so changes from
    // two threads at once never mix their halves.
    controls.update([&](PhaserControls& c) {
        switch (index) {
        case kDryWet:
            dryWet.store(value, std::memory_order_relaxed);
            c.mix = x;
            return;
        case kOutGain:
            outGain.store(value, std::memory_order_relaxed);
            outGainDb.store(outGainDbFor(x), std::memory_order_relaxed);
            c.gain = x;
            return;
        case kFeedback:
            feedback.store(value, std::memory_order_relaxed);
            break;
        case kRate: {
            rate.store(value, std::memory_order_relaxed);
            const float division = rateIndexFor(x);
            rateIndex.store(division, std::memory_order_relaxed);
            if (const RateDivision* d = rateDivision(static_cast<int>(division))) {
                rateValue.store(d->value, std::memory_order_relaxed);
                rateText.store(d->name, std::memory_order_relaxed);
            }
            break;
        }
        case kRange:
            range.store(value, std::memory_order_relaxed);
            octaves.store(octavesFor(x), std::memory_order_relaxed);
            break;
        case kFrequency:
            frequency.store(value, std::memory_order_relaxed);
            frequencyHz.store(frequencyHzFor(x), std::memory_order_relaxed);
            break;
        }
        fillChannelSettings(c);
        ++c.configureSerial;
        if (index != kFeedback) ++c.restartSerial;
    });
}

float Hoverin::getParameter(VstInt32 index) {
    switch (index) {
    case kDryWet: return dryWet.load(std::memory_order_relaxed);
    case kFeedback: return feedback.load(std::memory_order_relaxed);
    case kRate: return rate.load(std::memory_order_relaxed);
    case kRange: return range.load(std::memory_order_relaxed);
    case kFrequency: return frequency.load(std::memory_order_relaxed);
    case kOutGain: return outGain.load(std::memory_order_relaxed);
    default: return 0.0f;
    }
}

void Hoverin::getParameterName(VstInt32 index, char* text) {
    if (knownParameter(index)) vstCopyText(text, kParameters[index].name, kNameLength);
}

void Hoverin::getParameterLabel(VstInt32 index, char* label) {
    if (knownParameter(index)) vstCopyText(label, kParameters[index].label, kLabelLength);
}

void Hoverin::getParameterDisplay(VstInt32 index, char* text) {
    switch (index) {
    case kDryWet:
        float2string(100.0f * dryWet.load(std::memory_order_relaxed), text, 5);
        break;
    case kFeedback:
        float2string(100.0f * feedback.load(std::memory_order_relaxed), text, 5);
        break;
    case kRate:
        vstCopyText(text, rateText.load(std::memory_order_relaxed), kDisplayLength);
        break;
    case kRange:
        int2string(static_cast<VstInt32>(octaves.load(std::memory_order_relaxed)), text, 1);
        break;
    case kFrequency:
        float2string(frequencyHz.load(std::memory_order_relaxed), text, 6);
        break;
    case kOutGain:
        float2string(outGainDb.load(std::memory_order_relaxed), text, 5);
        break;
    default:
        break;
    }
}

void Hoverin::setProgramName(char* name) { vstCopyText(programName, name, kProgramNameLength); }

void Hoverin::getProgramName(char* name) { vstCopyText(name, programName, kProgramNameLength); }

bool Hoverin::getEffectName(char* name) {
    vstCopyText(name, "Hoverin", 32);
    return true;
}

bool Hoverin::getVendorString(char* text) {
    vstCopyText(text, "Joralt", 64);
    return true;
}

bool Hoverin::getProductString(char* text) {
    vstCopyText(text, "Hoverin", 64);
    return true;
}

VstInt32 Hoverin::getVendorVersion() { return 1000; }

}  // namespace hoverin

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new (std::nothrow) hoverin::Hoverin(audioMaster);
}
