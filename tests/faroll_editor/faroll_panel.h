// Faroll's editor built in-process, with its views found through the control
// table: the frame holds them in the table's order.
#pragma once

#include <utility>
#include <vector>

#include "plugins/faroll/editor.h"
#include "plugins/faroll/layout.h"
#include "tests/support/editor_in_process.h"

struct FarollPanel {
    InProcess p;

    // The view of the table entry for tag and kind; null while closed.
    template <class T>
    T* view(long tag, ControlKind kind) {
        if (!p.frame()) return nullptr;
        for (size_t i = 0; i < std::size(faroll::layout::kControls); ++i) {
            const ControlSpec& s = faroll::layout::kControls[i];
            if (s.tag == tag && s.kind == kind) return static_cast<T*>(p.frame()->getView(int(i)));
        }
        return nullptr;
    }
    CAnimKnob* knob(long tag) { return view<CAnimKnob>(tag, ControlKind::animKnob); }
    CTextEdit* text(long tag) { return view<CTextEdit>(tag, ControlKind::textEdit); }
    CControl* button(long tag) {
        return tag == faroll::layout::kReset ? static_cast<CControl*>(view<CKickButton>(tag, ControlKind::kickButton))
                                             : view<COnOffButton>(tag, ControlKind::onOffButton);
    }
    // A click at the centre of a view's rectangle.
    void click(CView* v) {
        const CRect r = v->getViewSize();
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
        p.press(x, y);
        p.release(x, y);
    }

    std::vector<std::pair<VstInt32, float>> automation() {
        std::vector<std::pair<VstInt32, float>> out;
        for (const auto& c : p.gestureCalls())
            if (c.opcode == audioMasterAutomate) out.emplace_back(c.index, c.opt);
        return out;
    }
};
