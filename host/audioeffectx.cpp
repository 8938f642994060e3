#include "audioeffectx.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

VstIntPtr asBool(bool b) { return b ? 1 : 0; }

bool needsText(VstInt32 opcode) {
    switch (opcode) {
    case effString2Parameter:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
    case effCanDo:
    case effGetErrorText:
        return true;
    default:
        return false;
    }
}

// The modifier byte of a key code: the host's float truncated to an integer.
unsigned char modifierByte(float opt) {
    if (!std::isfinite(opt) || std::fabs(opt) >= 2147483648.0f) return 0;
    return static_cast<unsigned char>(static_cast<VstInt32>(opt));
}

}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    if (needsText(opcode) && !ptr) return 0;
    if ((opcode >= effEditGetRect && opcode <= effEditSleep) || opcode == effEditKeyDown ||
        opcode == effEditKeyUp || opcode == effSetEditKnobMode)
        return dispatchEditor(opcode, index, value, ptr, opt);
    const bool v23 = generation == VstGeneration::v23;
    auto* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effGetChunk:
        return getChunk(static_cast<void**>(ptr), index != 0);
    case effSetChunk:
        return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    case effProcessEvents:
        return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
        return asBool(canParameterBeAutomated(index));
    case effString2Parameter:
        return asBool(string2parameter(index, text));
    case effGetProgramNameIndexed:
        return asBool(getProgramNameIndexed(static_cast<VstInt32>(value), index, text));
    case effGetInputProperties:
        return asBool(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetOutputProperties:
        return asBool(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
    case effGetPlugCategory:
        return getPlugCategory();
    case effOfflineNotify:
        return offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value),
                             index != 0);
    case effOfflinePrepare:
        return offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value));
    case effOfflineRun:
        return offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value));
    case effProcessVarIo:
        return asBool(processVariableIo(static_cast<VstVariableIo*>(ptr)));
    case effSetSpeakerArrangement:
        return asBool(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                            static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBypass:
        return asBool(setBypass(value != 0));
    case effGetEffectName:
        return asBool(getEffectName(text));
    case effGetVendorString:
        return asBool(getVendorString(text));
    case effGetProductString:
        return asBool(getProductString(text));
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return canDo(text);
    case effGetTailSize:
        return getGetTailSize();
    case effGetParameterProperties:
        return asBool(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
    case effGetVstVersion:
        return getVstVersion();
    case effGetMidiProgramName:
        return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
        return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
        return asBool(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
        return asBool(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
    case effBeginSetProgram:
        return asBool(beginSetProgram());
    case effEndSetProgram:
        return asBool(endSetProgram());
    case effGetSpeakerArrangement:
        return asBool(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                            static_cast<VstSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
        return getNextShellPlugin(text);
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
        return asBool(setPanLaw(static_cast<VstInt32>(value), opt));
    case effBeginLoadBank:
        return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
        return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
        return v23 ? 0 : asBool(setProcessPrecision(static_cast<VstInt32>(value)));
    case effGetNumMidiInputChannels:
        return v23 ? 0 : getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
        return v23 ? 0 : getNumMidiOutputChannels();
    default:
        break;
    }
    if (v23) {
        VstIntPtr routed = 0;
        if (dispatchDeprecated(opcode, index, value, ptr, opt, routed)) return routed;
    }
    return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
}

VstIntPtr AudioEffectX::dispatchEditor(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                       float opt) {
    if (!editor) return 0;
    const bool v23 = generation == VstGeneration::v23;
    switch (opcode) {
    case effEditGetRect: {
        VstIntPtr result = editor->getRect(static_cast<ERect**>(ptr));
        return v23 ? result : asBool(result != 0);
    }
    case effEditOpen: {
        VstIntPtr result = editor->open(ptr);
        return v23 ? result : asBool(result != 0);
    }
    case effEditClose:
        editor->close();
        return 0;
    case effEditIdle:
        editor->idle();
        return 0;
    case effEditKeyDown:
    case effEditKeyUp: {
        VstKeyCode keyCode{index, static_cast<unsigned char>(value), modifierByte(opt)};
        bool taken = opcode == effEditKeyDown ? editor->onKeyDown(keyCode)
                                              : editor->onKeyUp(keyCode);
        return asBool(taken);
    }
    case effSetEditKnobMode:
        return asBool(editor->setKnobMode(static_cast<VstInt32>(value)));
    default:
        return 0;
    }
}

// The 2.3 form still answers the opcodes the 2.4 interface retired.
// Returns true when the opcode is one of them, with its answer in result.
bool AudioEffectX::dispatchDeprecated(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt, VstIntPtr& result) {
    switch (opcode) {
    case effGetNumProgramCategories:
        result = getNumCategories();
        return true;
    case effCopyProgram:
        result = asBool(copyProgram(index));
        return true;
    case effConnectInput:
        inputConnected(index, value != 0);
        result = 1;
        return true;
    case effConnectOutput:
        outputConnected(index, value != 0);
        result = 1;
        return true;
    case effGetCurrentPosition:
        result = reportCurrentPosition();
        return true;
    case effGetDestinationBuffer:
        result = reinterpret_cast<VstIntPtr>(reportDestinationBuffer());
        return true;
    case effSetBlockSizeAndSampleRate:
        setBlockSizeAndSampleRate(static_cast<VstInt32>(value), opt);
        result = 1;
        return true;
    case effGetErrorText:
        result = asBool(getErrorText(static_cast<char*>(ptr)));
        return true;
    case effIdle:
        result = fxIdle();
        return true;
    case effGetIcon:
        result = reinterpret_cast<VstIntPtr>(getIcon());
        return true;
    case effSetViewPosition:
        result = asBool(setViewPosition(index, static_cast<VstInt32>(value)));
        return true;
    case effKeysRequired:
        result = keysRequired() ? 0 : 1;
        return true;
    default:
        return false;
    }
}

void AudioEffectX::resume() {
    if (generation == VstGeneration::v23) return;
    char midi[] = "receiveVstMidiEvent";
    if ((cEffect.flags & effFlagsIsSynth) || canDo(midi) == 1) wantEvents(1);
}

VstPlugCategory AudioEffectX::getPlugCategory() {
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input,
                                         VstSpeakerArrangement** output) {
    if (input) *input = nullptr;
    if (output) *output = nullptr;
    return false;
}
