// Ilvane's panel in a real X11 window on an Xvfb of the test's own: a
// synthetic drag on the low slider reaches the host as automation.
#include <gtest/gtest.h>


#include "tests/support/loaded_plugin.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"
#include <X11/extensions/XTest.h>

namespace {

TEST(IlvaneEditorWindow, DragOnTheLowSliderAutomatesLowGain) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_Ilvane);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(339, 131, "Ilvane");
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(100);
    cairo_surface_t* shot = window.capture();
    ASSERT_TRUE(shot);
    cairo_surface_write_to_png(shot, "ilvane_editor_window.png");
    cairo_surface_destroy(shot);

    // Low Gain 0.5: the handle spans x 160..176. Grab it and move 37 pixels right.
    int ox = 0, oy = 0;
    window.origin(ox, oy);
    Display* d = window.display();
    p.host.clearCalls();
    XTestFakeMotionEvent(d, -1, ox + 165, oy + 30, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    p.plugin->idleEditorFor(50);
    for (int dx = 5; dx <= 35; dx += 5) {
        XTestFakeMotionEvent(d, -1, ox + 165 + dx, oy + 30, 0);
        XFlush(d);
        p.plugin->idleEditorFor(20);
    }
    XTestFakeMotionEvent(d, -1, ox + 165 + 37, oy + 30, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    p.plugin->idleEditorFor(100);

    std::vector<VstInt32> order;
    float last = -1;
    for (const auto& c : p.host.calls()) {
        if (c.opcode != audioMasterBeginEdit && c.opcode != audioMasterAutomate &&
            c.opcode != audioMasterEndEdit)
            continue;
        EXPECT_EQ(c.index, 0);
        order.push_back(c.opcode);
        if (c.opcode == audioMasterAutomate) last = c.opt;
    }
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_FLOAT_EQ(last, 0.5f + 37.0f / 185.0f);
    EXPECT_FLOAT_EQ(p.plugin->getParameter(0), last);
    p.plugin->dispatch(effEditClose);
}

}  // namespace
