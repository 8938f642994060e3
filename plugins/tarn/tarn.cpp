#include "plugins/tarn/tarn.h"

#include <cmath>
#include <new>

#include "host/entry.h"
#include "plugins/tarn/editor.h"
#include "plugins/tarn/tarn_mappings.h"

namespace tarn {

namespace {

// The effect's name, product and vendor are left unanswered.
constexpr EffectIdentity kIdentity{fourCharCode('T', 'a', 'r', 'n'), nullptr, nullptr, nullptr, 0};

// Several names are longer than the eight characters the interface promises;
// they are written whole, each copy bounded to the text's own length (hosts
// hand name buffers far larger). A label buffer is only kVstMaxParamStrLen + 1
// bytes, so the limiter's label is cut there ("Limiter ").
constexpr int kWhole = ParameterText::kWholeText;
constexpr ParameterText kParameterTexts[Tarn::kNumParams] = {
    {"Low Frequency", kWhole, "Hz", kWhole}, {"Mid Frequency", kWhole, "Hz", kWhole},
    {"High Frequency", kWhole, "Hz", kWhole}, {"Low Q", kWhole, "Q", kWhole},
    {"Mid Q", kWhole, "Q", kWhole},           {"High Q", kWhole, "Q", kWhole},
    {"Low Gain", kWhole, "dB", kWhole},       {"Mid Gain", kWhole, "dB", kWhole},
    {"High Gain", kWhole, "dB", kWhole},      {"Limiter", kWhole, "Limiter OnOff", kVstMaxParamStrLen},
};

constexpr float kDefaults[Tarn::kNumParams] = {0, 0, 0, 0, 0, 0, 0.5f, 0.5f, 0.5f, 0};
constexpr char kDefaultProgramName[] = "Tarn Preset";
constexpr int kDisplayLength = 8;

}  // namespace

Tarn::Tarn(audioMasterCallback audioMaster)
    : SuiteEffect(audioMaster, kNumPrograms, kNumParams, kIdentity, kParameterTexts,
                  VstGeneration::v23),
      programs(kDefaults, kDefaultProgramName) {
    setNumInputs(2);
    setNumOutputs(2);
    canMono();
    canProcessReplacing();
    designRate.store(getSampleRate(), std::memory_order_relaxed);
    for (VstInt32 i = 0; i < kNumParams; ++i) values[i].store(kDefaults[i], std::memory_order_relaxed);
    setProgram(0);
    redesign();
    chain.setReleaseTime(75.0f, designRate.load(std::memory_order_relaxed));
    chain.resetGains();

    // The editor attaches itself and sets has-editor. One that could not be
    // built, or could not load its panel, leaves the effect without editor.
    Editor* panel = new (std::nothrow) Editor(this);
    if (panel && !panel->hasBackground()) {
        setEditor(nullptr);
        delete panel;
    }
}

void Tarn::setParameter(VstInt32 index, float value) {
    if (validParameter(index)) {
        programs.store(program.load(std::memory_order_relaxed), index, value);
        values[index].store(value, std::memory_order_relaxed);
    }
    // A rate that is not finite and positive is not used: the last good one stays.
    float rate = getSampleRate();
    if (std::isfinite(rate) && rate > 0.0f) designRate.store(rate, std::memory_order_relaxed);
    redesign();
    if (editor && validParameter(index)) static_cast<Editor*>(editor)->setParameter(index, value);
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
    return validParameter(index) ? values[index].load(std::memory_order_relaxed) : 0.0f;
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

void Tarn::getParameterDisplay(VstInt32 index, char* text) {
    if (validParameter(index)) float2string(displayValue(index), text, kDisplayLength);
}

void Tarn::setProgram(VstInt32 index) {
    if (!programs.valid(index)) return;
    curProgram = index;
    program.store(index, std::memory_order_relaxed);
    for (VstInt32 i = 0; i < kNumParams; ++i) setParameter(i, programs.value(index, i));
}

void Tarn::setProgramName(char* name) {
    if (name) programs.setName(program.load(std::memory_order_relaxed), name);
}

void Tarn::getProgramName(char* name) {
    if (name)
        programs.copyNumberedName(program.load(std::memory_order_relaxed), name,
                                  kDefaultProgramName);
}

bool Tarn::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!text || !programs.valid(index)) return false;
    programs.copyName(index, text);
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
    return createSuiteEffect<tarn::Tarn>(audioMaster);
}
