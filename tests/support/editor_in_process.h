// An effect built in the test's own process, through the test's host
// callback, so a test can reach its editor's frame and drive it with
// synthetic input while the host records what the plug-in tells it.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "host/guieditor/aeffguieditor.h"
#include "host/entry.h"
#include "hosting/plugin_host.h"

class InProcess {
public:
    InProcess() { record = host.instantiate(&entry); }
    ~InProcess() {
        if (!record) return;
        dispatch(effClose);
        host.forget(record);
    }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }
    AudioEffect* effect() const { return static_cast<AudioEffect*>(record->object); }
    AEffGUIEditor* editor() const { return static_cast<AEffGUIEditor*>(effect()->getEditor()); }
    CFrame* frame() const { return editor()->getFrame(); }
    // Opens the editor without a parent window (offscreen).
    void open() { ASSERT_EQ(dispatch(effEditOpen), 1); }

    void press(int x, int y, int buttons = kLButton) { frame()->onMouseDown(CPoint(x, y), buttons); }
    void move(int x, int y, int buttons = kLButton) { frame()->onMouseMoved(CPoint(x, y), buttons); }
    void release(int x, int y) { frame()->onMouseUp(CPoint(x, y), 0); }
    void drag(CPoint from, const std::vector<CPoint>& path) {
        press(from.x, from.y);
        for (CPoint p : path) move(p.x, p.y);
        release(path.empty() ? from.x : path.back().x, path.empty() ? from.y : path.back().y);
    }

    // The begin, automate and end calls the plug-in made, in order.
    std::vector<hosting::HostCall> gestureCalls() const {
        std::vector<hosting::HostCall> out;
        for (const auto& c : host.calls())
            if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterEndEdit ||
                c.opcode == audioMasterAutomate)
                out.push_back(c);
        return out;
    }

    hosting::Host host;
    AEffect* record = nullptr;

private:
    static AEffect* entry(audioMasterCallback audioMaster) {
        AudioEffect* e = createEffectInstance(audioMaster);
        return e ? e->getAeffect() : nullptr;
    }
};
