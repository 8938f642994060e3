// Faroll's panel in a real X11 window on an Xvfb of the test's own: a
// synthetic drag on the Mid Gain knob reaches the host as automation.
#include <gtest/gtest.h>

#include "tests/support/loaded_plugin.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"
#include <X11/extensions/XTest.h>

namespace {

TEST(FarollEditorWindow, DragUpOnTheMidGainKnobAutomatesMidGain) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_Faroll);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(252, 308, "Faroll");
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(100);
    cairo_surface_t* shot = window.capture();
    ASSERT_TRUE(shot);
    cairo_surface_write_to_png(shot, "faroll_editor_window.png");
    cairo_surface_destroy(shot);

    // The Mid Gain knob spans 95..155 x 25..85. Press at its centre and move
    // 40 pixels up: a fifth of the 200-pixel linear range.
    int ox = 0, oy = 0;
    window.origin(ox, oy);
    Display* d = window.display();
    p.host.clearCalls();
    XTestFakeMotionEvent(d, -1, ox + 125, oy + 55, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    p.plugin->idleEditorFor(50);
    for (int dy = 5; dy <= 40; dy += 5) {
        XTestFakeMotionEvent(d, -1, ox + 125, oy + 55 - dy, 0);
        XFlush(d);
        p.plugin->idleEditorFor(20);
    }
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    p.plugin->idleEditorFor(100);

    std::vector<VstInt32> order;
    float last = -1;
    for (const auto& c : p.host.calls()) {
        if (c.opcode != audioMasterBeginEdit && c.opcode != audioMasterAutomate &&
            c.opcode != audioMasterEndEdit)
            continue;
        EXPECT_EQ(c.index, 1);
        order.push_back(c.opcode);
        if (c.opcode == audioMasterAutomate) last = c.opt;
    }
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_FLOAT_EQ(last, 0.7f);
    EXPECT_FLOAT_EQ(p.plugin->getParameter(1), last);
    p.plugin->dispatch(effEditClose);
}

}  // namespace
