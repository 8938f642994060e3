#include "plugins/hoverin/hoverin.h"

#include <new>

#include "host/entry.h"
#include "plugins/hoverin/editor.h"
#include "plugins/hoverin/parameters.h"

namespace hoverin {

namespace {

constexpr EffectIdentity kIdentity{fourCharCode('k', 'w', 'z', 't'), "Hoverin", "Hoverin", "Joralt",
                                   1000};
constexpr ParameterText kParameters[Hoverin::kNumParams] = {
    {"Dry Wet", 9, "%", 8},       {"Feedback", 9, "%", 8}, {"Rate", 9, "", 8},
    {"Range", 9, "Octaves", 8},   {"Frequency", 9, "Hz", 8}, {"Out Gain", 9, "dB", 8},
};
constexpr char kProgramName[] = "Default";
constexpr int kDisplayLength = 8;

}  // namespace


Hoverin::Hoverin(audioMasterCallback audioMaster)
    : SuiteEffect(audioMaster, 1, kNumParams, kIdentity, kParameters),
      programs(kProgramName) {
    canProcessReplacing();
    canDoubleReplacing();
    setNumInputs(2);
    setNumOutputs(2);

    sampleRate.store(getSampleRate(), std::memory_order_relaxed);
    const RateDivision* division = rateDivision(static_cast<int>(rateIndexFor(0.5f)));
    rateValue.store(division->value, std::memory_order_relaxed);
    rateText.store(division->name, std::memory_order_relaxed);
    octaves.store(octavesFor(0.15f), std::memory_order_relaxed);
    frequencyHz.store(frequencyHzFor(0.8f), std::memory_order_relaxed);
    outGainDb.store(outGainDbFor(1.0f), std::memory_order_relaxed);

    // No audio runs yet: the channels take the first set and restart directly.
    controls.update([this](PhaserControls& c) { fillChannelSettings(c); });
    configureChannels(*controls.takeNewest(seenControls));
    restarts.takeNewest(seenRestarts);
    left.restartSweep();
    right.restartSweep();

    // The editor attaches itself and sets the has-editor flag; without one
    // (no memory) the effect works as before.
    new (std::nothrow) Editor(this);
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
    if (!validParameter(index)) {
        updateEditor(index, value);  // which ignores it
        return;
    }
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
    });
    // Rate, Range and Frequency restart the sweep; Feedback lets it run on.
    if (index == kRate || index == kRange || index == kFrequency) restarts.publish({});
    updateEditor(index, value);
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

// One program: whatever number the host selected, the name is that program's.
void Hoverin::setProgramName(char* name) { programs.setName(0, name); }

void Hoverin::getProgramName(char* name) { programs.copyName(0, name); }

void Hoverin::updateEditor(VstInt32 index, float value) {
    if (editor) static_cast<Editor*>(editor)->setParameter(index, value);
}

}  // namespace hoverin

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return createSuiteEffect<hoverin::Hoverin>(audioMaster);
}
