// The editor base of the plug-ins' toolkit editors: the bridge between the
// effect and a frame of the toolkit. getRect, open, close and idle run on the
// host's user-interface thread; setParameter on whichever thread changed the
// parameter (see showsNow).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>

#include "host/aeffeditor.h"
#include "host/audioeffect.h"
#include "gui/vstgui.h"

// Virtual key codes and modifier bits of VstKeyCode.
enum VstVirtualKey : unsigned char {
    VKEY_BACK = 1, VKEY_TAB = 2, VKEY_RETURN = 4, VKEY_ESCAPE = 6, VKEY_END = 9, VKEY_HOME = 10,
    VKEY_LEFT = 11, VKEY_UP = 12, VKEY_RIGHT = 13, VKEY_DOWN = 14, VKEY_ENTER = 19,
    VKEY_DELETE = 22,
};
enum VstModifierKey : unsigned char {
    MODIFIER_SHIFT = 1, MODIFIER_ALTERNATE = 2, MODIFIER_COMMAND = 4, MODIFIER_CONTROL = 8,
};

class AEffGUIEditor : public AEffEditor, public CEditorInterface {
public:
    // Stores itself as the effect's editor (which sets the has-editor flag).
    explicit AEffGUIEditor(AudioEffect* effect);
    ~AEffGUIEditor() override;

    VstIntPtr getRect(ERect** rect) override;
    // Stores the parent window and notes the calling thread as the UI thread.
    // Editors call it first in their own open.
    VstIntPtr open(void* parentWindow) override;
    bool isOpen() override { return frame != nullptr; }
    // Shows parameter changes posted from other threads, pumps the window's
    // events and redraws what is dirty. Ignored while the idle pass runs.
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool onWheel(float distance) override;
    // 0 circular, 1 relative circular, 2 linear; one value for the library.
    bool setKnobMode(VstInt32 mode) override;

    // Called by the effect after it applied a parameter change, on any thread.
    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    // Gesture brackets from the frame: audioMasterBeginEdit / EndEdit with the index.
    void beginEdit(long index) override;
    void endEdit(long index) override;
    // The idle pass during a gesture: redraw, then the host's idle.
    void doIdleStuff() override;

    // Any thread: the next idle redraws the whole frame. Editors that update
    // their controls and then ask for one redraw call it after every change.
    void postUpdate() { updateRequested.store(true, std::memory_order_release); }

    CFrame* getFrame() const { return frame; }

protected:
    // The first step of an editor's setParameter: true when it may set its
    // controls now, that is while open and on the UI thread. Called on another
    // thread it posts the index instead and returns false; the next idle calls
    // setParameter again on the UI thread with the effect's value.
    bool showsNow(VstInt32 index);

    ERect rect{};
    CFrame* frame = nullptr;

private:
    void showPosted();
    bool onUiThread() const { return uiThread.load(std::memory_order_acquire) == std::this_thread::get_id(); }

    static constexpr int kPostedWords = 4;  // parameter indices 0 .. 255
    std::array<std::atomic<uint64_t>, kPostedWords> posted{};
    std::atomic<std::thread::id> uiThread;
    std::atomic<bool> updateRequested{false};
    bool inIdlePass = false;
};
