// The editor base every plug-in editor derives from. The effect owns its
// editor; the host reaches it through the editor opcodes of the dispatcher.
// All operations run on the host's user-interface thread.
#pragma once

#include "vst/abi.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;
    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

    virtual AudioEffect* getEffect() { return effect; }
    // Hands the host the editor's size. Non-zero when rect was set.
    virtual VstIntPtr getRect(ERect** rect) {
        if (rect) *rect = nullptr;
        return 0;
    }
    // Opens the editor in the host's parent window (an X11 window id on Linux).
    virtual VstIntPtr open(void* parentWindow) {
        systemWindow = parentWindow;
        return 0;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onWheel(float /*distance*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*mode*/) { return false; }

protected:
    AudioEffect* effect = nullptr;
    void* systemWindow = nullptr;
};
