#include "vesk_core.h"

#include <cstdio>
#include <cstring>

namespace vesk {

namespace {

constexpr char kDefaultProgramName[] = "Vesk Preset";

constexpr const char* kParameterNames[VeskCore::kNumParams] = {
    "Input",  "20Hz",   "31Hz",   "63Hz",   "90Hz",   "125Hz",  "160Hz",
    "200Hz",  "250Hz",  "375Hz",  "500Hz",  "750Hz",  "1000Hz", "1500Hz",
    "2000Hz", "3000Hz", "4000Hz", "8000Hz", "16000Hz", "Output"};

constexpr auto kRelaxed = std::memory_order_relaxed;

}  // namespace

VeskCore::VeskCore(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams, VstGeneration::v23) {
    for (VeskProgram& program : programs) {
        for (auto& p : program.params) p.store(0.5f, kRelaxed);
        vstCopyText(program.name, kDefaultProgramName, VeskProgram::kNameLength);
    }
    setNumInputs(2);
    setNumOutputs(2);
    hasVu(true);
    canProcessReplacing(true);
    setUniqueID(kVeskId);
    for (auto& v : value) v.store(0.5f, kRelaxed);
    setProgram(0);
    designRate.store(getSampleRate(), kRelaxed);
    designAll();
}

VeskProgram& VeskCore::currentProgram() {
    const VstInt32 index = curProgram;
    return programs[index >= 0 && index < kNumPrograms ? index : 0];
}

void VeskCore::designAll() {
    vesk::VeskDesign all;
    const float fs = vesk::limitedRate(getDesignRate());
    for (int i = 0; i < kNumParams; ++i) {
        const float live = value[i].load(kRelaxed);
        factor[i].store(gainFactor(live), kRelaxed);
        db[i].store(gainDb(live), kRelaxed);
    }
    all.inputGain = vesk::limitedGain(factor[0].load(kRelaxed));
    all.outputGain = vesk::limitedGain(factor[kNumParams - 1].load(kRelaxed));
    for (int band = 0; band < vesk::kBandCount; ++band)
        all.band[band] = vesk::designBand(band, vesk::limitedGain(factor[band + 1].load(kRelaxed)), fs);
    design.publish(all);
}

void VeskCore::setParameter(VstInt32 index, float sent) {
    const float rate = getSampleRate();
    designRate.store(rate, kRelaxed);
    if (!valid(index)) return;
    currentProgram().params[index].store(sent, kRelaxed);
    const float live = snapToCentre(sent);
    const float g = gainFactor(live);
    value[index].store(live, kRelaxed);
    factor[index].store(g, kRelaxed);
    db[index].store(gainDb(live), kRelaxed);

    const float played = vesk::limitedGain(g);
    if (index == 0) {
        design.update([&](vesk::VeskDesign& d) { d.inputGain = played; });
    } else if (index == kNumParams - 1) {
        design.update([&](vesk::VeskDesign& d) { d.outputGain = played; });
    } else {
        const int band = index - 1;
        const BandCoefficients c = vesk::designBand(band, played, vesk::limitedRate(rate));
        design.update([&](vesk::VeskDesign& d) { d.band[band] = c; });
    }
}

float VeskCore::getParameter(VstInt32 index) {
    return valid(index) ? value[index].load(kRelaxed) : 0.0f;
}

void VeskCore::getParameterName(VstInt32 index, char* text) {
    if (valid(index)) vstCopyText(text, kParameterNames[index], kVstMaxParamStrLen);
}

void VeskCore::getParameterLabel(VstInt32 index, char* text) {
    if (valid(index)) vstCopyText(text, "dB", kVstMaxParamStrLen);
}

void VeskCore::getParameterDisplay(VstInt32 index, char* text) {
    if (valid(index)) float2string(db[index].load(kRelaxed), text, kVstMaxParamStrLen);
}

float VeskCore::programValue(VstInt32 program, VstInt32 index) const {
    if (program < 0 || program >= kNumPrograms || !valid(index)) return 0.0f;
    return programs[program].params[index].load(kRelaxed);
}

void VeskCore::setProgram(VstInt32 program) {
    if (program < 0 || program >= kNumPrograms) return;
    curProgram = program;
    for (VstInt32 i = 0; i < kNumParams; ++i)
        setParameter(i, programs[program].params[i].load(kRelaxed));
}

void VeskCore::setProgramName(char* name) {
    vstCopyText(currentProgram().name, name, VeskProgram::kNameLength);
}

void VeskCore::getProgramName(char* name) {
    const VeskProgram& program = currentProgram();
    if (std::strcmp(program.name, kDefaultProgramName) == 0) {
        char numbered[2 * (VeskProgram::kNameLength + 1)];
        std::snprintf(numbered, sizeof numbered, "%s %d", program.name,
                      static_cast<int>(&program - programs) + 1);
        vstCopyText(name, numbered, VeskProgram::kNameLength);
    } else {
        vstCopyText(name, program.name, VeskProgram::kNameLength);
    }
}

bool VeskCore::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (index < 0 || index >= kNumPrograms) return false;
    vstCopyText(text, programs[index].name, VeskProgram::kNameLength);
    return true;
}

bool VeskCore::getEffectName(char* name) {
    vstCopyText(name, "Vesk", kVstMaxEffectNameLen);
    return true;
}

bool VeskCore::getProductString(char* text) {
    vstCopyText(text, "Vesk", kVstMaxProductStrLen);
    return true;
}

bool VeskCore::getVendorString(char* text) {
    vstCopyText(text, "Kesp VST", kVstMaxVendorStrLen);
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
