#include "plugins/vesk/vesk_core.h"

#include "host/guieditor/aeffguieditor.h"

namespace vesk {

namespace {

constexpr EffectIdentity kIdentity{kVeskId, "Vesk", "Vesk", "Kesp VST", 1000};

constexpr int kNameLimit = kVstMaxParamStrLen;
constexpr ParameterText dbParameter(const char* name) { return {name, kNameLimit, "dB", kNameLimit}; }
constexpr ParameterText kParameters[VeskCore::kNumParams] = {
    dbParameter("Input"),   dbParameter("20Hz"),   dbParameter("31Hz"),   dbParameter("63Hz"),
    dbParameter("90Hz"),    dbParameter("125Hz"),  dbParameter("160Hz"),  dbParameter("200Hz"),
    dbParameter("250Hz"),   dbParameter("375Hz"),  dbParameter("500Hz"),  dbParameter("750Hz"),
    dbParameter("1000Hz"),  dbParameter("1500Hz"), dbParameter("2000Hz"), dbParameter("3000Hz"),
    dbParameter("4000Hz"),  dbParameter("8000Hz"), dbParameter("16000Hz"), dbParameter("Output")};

constexpr float kProgramDefaults[VeskCore::kNumParams] = {
    0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f,
    0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
constexpr char kDefaultProgramName[] = "Vesk Preset";

constexpr auto kRelaxed = std::memory_order_relaxed;

}  // namespace

VeskCore::VeskCore(audioMasterCallback audioMaster)
    : SuiteEffect(audioMaster, kNumPrograms, kNumParams, kIdentity, kParameters,
                  VstGeneration::v23),
      programs(kProgramDefaults, kDefaultProgramName) {
    setNumInputs(2);
    setNumOutputs(2);
    hasVu(true);
    canProcessReplacing(true);
    for (auto& v : value) v.store(0.5f, kRelaxed);
    setProgram(0);
    designRate.store(getSampleRate(), kRelaxed);
    designAll();
}

void VeskCore::designAll() {
    VeskDesign all;
    const float fs = limitedRate(getDesignRate());
    for (int i = 0; i < kNumParams; ++i) {
        const float live = value[i].load(kRelaxed);
        factor[i].store(gainFactor(live), kRelaxed);
        db[i].store(gainDb(live), kRelaxed);
    }
    all.inputGain = limitedGain(factor[0].load(kRelaxed));
    all.outputGain = limitedGain(factor[kNumParams - 1].load(kRelaxed));
    for (int band = 0; band < kBandCount; ++band)
        all.band[band] = designBand(band, limitedGain(factor[band + 1].load(kRelaxed)), fs);
    design.publish(all);
}

void VeskCore::setParameter(VstInt32 index, float sent) {
    const float rate = getSampleRate();
    designRate.store(rate, kRelaxed);
    if (validParameter(index)) {
        programs.store(curProgram, index, sent);  // as sent: the snap is for playing only
        const float live = snapToCentre(sent);
        const float g = gainFactor(live);
        value[index].store(live, kRelaxed);
        factor[index].store(g, kRelaxed);
        db[index].store(gainDb(live), kRelaxed);

        const float played = limitedGain(g);
        if (index == 0) {
            design.update([&](VeskDesign& d) { d.inputGain = played; });
        } else if (index == kNumParams - 1) {
            design.update([&](VeskDesign& d) { d.outputGain = played; });
        } else {
            const int band = index - 1;
            const BandCoefficients c = designBand(band, played, limitedRate(rate));
            design.update([&](VeskDesign& d) { d.band[band] = c; });
        }
    }
    if (editor) static_cast<AEffGUIEditor*>(editor)->postUpdate();  // a redraw at the next idle
}

float VeskCore::getParameter(VstInt32 index) {
    return validParameter(index) ? value[index].load(kRelaxed) : 0.0f;
}

void VeskCore::getParameterDisplay(VstInt32 index, char* text) {
    if (validParameter(index)) float2string(db[index].load(kRelaxed), text, kVstMaxParamStrLen);
}

float VeskCore::programValue(VstInt32 program, VstInt32 index) const {
    if (!programs.valid(program) || !validParameter(index)) return 0.0f;
    return programs.value(program, index);
}

void VeskCore::setProgram(VstInt32 program) {
    if (!programs.valid(program)) return;
    curProgram = program;
    for (VstInt32 i = 0; i < kNumParams; ++i) setParameter(i, programs.value(program, i));
}

void VeskCore::setProgramName(char* name) { programs.setName(curProgram, name); }

void VeskCore::getProgramName(char* name) {
    programs.copyNumberedName(curProgram, name, kDefaultProgramName);
}

bool VeskCore::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!programs.valid(index)) return false;
    programs.copyName(index, text);
    return true;
}

void VeskCore::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    chain.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, design, false);
}

void VeskCore::process(float** inputs, float** outputs, VstInt32 sampleFrames) {
    chain.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames, design, true);
}

float VeskCore::gainFactor(float p) { return vesk::gainFactor(p); }
float VeskCore::gainDb(float p) { return vesk::gainDb(p); }
float VeskCore::snapToCentre(float p) { return vesk::snapToCentre(p); }

}  // namespace vesk
