#include "host/suite_effect.h"

#include <cstring>

void copyParameterText(char* dest, const char* text, int limit) {
    if (!text) return;
    vstCopyText(dest, text,
                limit == ParameterText::kWholeText ? static_cast<int>(std::strlen(text)) : limit);
}

SuiteEffect::SuiteEffect(audioMasterCallback audioMaster, VstInt32 numPrograms,
                         VstInt32 numParams, const EffectIdentity& identity,
                         const ParameterText* parameters, VstGeneration generation)
    : AudioEffectX(audioMaster, numPrograms, numParams, generation),
      identity(identity),
      parameters(parameters) {
    setUniqueID(identity.uniqueId);
}

void SuiteEffect::getParameterName(VstInt32 index, char* text) {
    if (validParameter(index)) copyParameterText(text, parameters[index].name, parameters[index].nameLimit);
}

void SuiteEffect::getParameterLabel(VstInt32 index, char* label) {
    if (validParameter(index)) copyParameterText(label, parameters[index].label, parameters[index].labelLimit);
}

namespace {
bool answer(char* text, const char* value, int limit) {
    if (!value) return false;
    vstCopyText(text, value, limit);
    return true;
}
}  // namespace

bool SuiteEffect::getEffectName(char* name) {
    return answer(name, identity.effectName, kVstMaxEffectNameLen);
}

bool SuiteEffect::getProductString(char* text) {
    return answer(text, identity.productString, kVstMaxProductStrLen);
}

bool SuiteEffect::getVendorString(char* text) {
    return answer(text, identity.vendorString, kVstMaxVendorStrLen);
}
