// A plug-in that fails where $FAULT says, as foreign plug-ins do: "start"
// (crashes in its entry point), "editor" (crashes answering its editor size),
// "process" (crashes processing audio), "hang" (never returns from effOpen).
// Anything else: a quiet 2-in, 2-out effect with an editor.
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "host/vst/abi.h"

namespace {

bool faultIs(const char* what) {
    const char* fault = std::getenv("FAULT");
    return fault && std::strcmp(fault, what) == 0;
}

ERect editorRect{0, 0, 100, 200};

VstIntPtr dispatch(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    switch (opcode) {
    case effOpen:
        while (faultIs("hang")) pause();
        return 0;
    case effEditGetRect:
        if (faultIs("editor")) __builtin_trap();
        *static_cast<ERect**>(ptr) = &editorRect;
        return 1;
    case effGetEffectName: std::strcpy(static_cast<char*>(ptr), "Faulty"); return 1;
    case effGetVendorString: std::strcpy(static_cast<char*>(ptr), "Tests"); return 1;
    case effGetVstVersion: return 2400;
    default: return 0;
    }
}

void processReplacing(AEffect*, float** inputs, float** outputs, VstInt32 frames) {
    if (faultIs("process")) __builtin_trap();
    for (int c = 0; c < 2; ++c) std::memmove(outputs[c], inputs[c], sizeof(float) * frames);
}

void setParameter(AEffect*, VstInt32, float) {}
float getParameter(AEffect*, VstInt32) { return 0; }

AEffect record;

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback) {
    if (faultIs("start")) __builtin_trap();
    std::memset(&record, 0, sizeof(record));
    record.magic = kEffectMagic;
    record.dispatcher = dispatch;
    record.processReplacing = processReplacing;
    record.setParameter = setParameter;
    record.getParameter = getParameter;
    record.numPrograms = 1;
    record.numInputs = 2;
    record.numOutputs = 2;
    record.flags = effFlagsHasEditor | effFlagsCanReplacing;
    record.uniqueID = fourCharCode('F', 'l', 't', 'y');
    return &record;
}
