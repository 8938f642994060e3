#include "audioeffect.h"

#include <cmath>
#include <cstring>

namespace {

AudioEffect* effectOf(AEffect* e) { return e ? static_cast<AudioEffect*>(e->object) : nullptr; }

VstIntPtr dispatchEntry(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                        float opt) noexcept {
    AudioEffect* effect = effectOf(e);
    if (!effect) return 0;
    try {
        if (opcode == effClose) {
            effect->dispatcher(opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }
        return effect->dispatcher(opcode, index, value, ptr, opt);
    } catch (...) {
        return 0;
    }
}

// The process entries skip blocks a host could not mean: no frames, or a
// missing buffer for one of the channels the record announces.
template <class Sample>
bool buffersUsable(AEffect* e, Sample** inputs, Sample** outputs, VstInt32 sampleFrames) {
    if (sampleFrames <= 0 || !outputs || (!inputs && e->numInputs > 0)) return false;
    for (VstInt32 i = 0; i < e->numInputs; ++i)
        if (!inputs[i]) return false;
    for (VstInt32 i = 0; i < e->numOutputs; ++i)
        if (!outputs[i]) return false;
    return true;
}

void processEntry(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    AudioEffect* effect = effectOf(e);
    if (effect && buffersUsable(e, inputs, outputs, sampleFrames))
        effect->process(inputs, outputs, sampleFrames);
}

void processReplacingEntry(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    AudioEffect* effect = effectOf(e);
    if (effect && buffersUsable(e, inputs, outputs, sampleFrames))
        effect->processReplacing(inputs, outputs, sampleFrames);
}

void processDoubleReplacingEntry(AEffect* e, double** inputs, double** outputs,
                                 VstInt32 sampleFrames) {
    AudioEffect* effect = effectOf(e);
    if (effect && buffersUsable(e, inputs, outputs, sampleFrames))
        effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}

void setParameterEntry(AEffect* e, VstInt32 index, float value) noexcept {
    AudioEffect* effect = effectOf(e);
    if (!effect) return;
    try {
        effect->setParameter(index, value);
    } catch (...) {
    }
}

float getParameterEntry(AEffect* e, VstInt32 index) noexcept {
    AudioEffect* effect = effectOf(e);
    if (!effect) return 0.0f;
    try {
        return effect->getParameter(index);
    } catch (...) {
        return 0.0f;
    }
}

// Ops that write a text into ptr get nothing to do when the host passes none.
bool writesText(VstInt32 opcode) {
    switch (opcode) {
    case effSetProgramName:
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
        return true;
    default:
        return false;
    }
}

// A float from the host as an integer, 0 where it has none.
VstInt32 truncatedOrZero(double v) {
    if (!std::isfinite(v) || v >= 2147483648.0 || v <= -2147483649.0) return 0;
    return static_cast<VstInt32>(v);
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams,
                         VstGeneration generation)
    : audioMaster(audioMaster),
      numPrograms(numPrograms),
      numParams(numParams),
      generation(generation) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    if (generation == VstGeneration::v24) {
        cEffect.processDoubleReplacing = processDoubleReplacingEntry;
        cEffect.flags = effFlagsCanReplacing;
    }
}

AudioEffect::~AudioEffect() { delete editor; }

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                  float opt) {
    if (writesText(opcode) && !ptr) return 0;
    auto* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<VstInt32>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        setProgramName(text);
        return 0;
    case effGetProgramName:
        getProgramName(text);
        return 0;
    case effGetParamLabel:
        getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        getParameterName(index, text);
        return 0;
    case effGetVu:
        if (generation == VstGeneration::v23) return truncatedOrZero(getVu() * 32767.0);
        return 0;
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<VstInt32>(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effIdentify:
        return fourCharCode('N', 'v', 'E', 'f');
    default:
        return 0;
    }
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstInt32 AudioEffect::getMasterVersion() {
    VstInt32 version = static_cast<VstInt32>(callHost(audioMasterVersion));
    return version ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() {
    return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

bool AudioEffect::isInputConnected(VstInt32 input) {
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

void vstCopyText(char* dest, const char* source, int maxLen) {
    if (!dest || maxLen < 0) return;
    std::strncpy(dest, source ? source : "", static_cast<size_t>(maxLen));
    dest[maxLen] = 0;
}

void vstAppendText(char* dest, const char* source, int maxLen) {
    if (!dest || !source || maxLen < 0) return;
    size_t used = strnlen(dest, static_cast<size_t>(maxLen));
    size_t room = static_cast<size_t>(maxLen) - used;
    size_t add = strnlen(source, room);
    std::memcpy(dest + used, source, add);
    dest[used + add] = 0;
}
