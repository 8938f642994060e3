// Gelmira's panel in a real X11 window on an Xvfb of the test's own: a
// synthetic drag on the Dry Wet knob reaches the host as automation.
#include <gtest/gtest.h>

#include "tests/support/loaded_plugin.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"
#include <X11/extensions/XTest.h>

namespace {

TEST(GelmiraEditorWindow, DragOnTheDryWetKnobAutomatesTheMix) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_Gelmira);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(210, 342, "Gelmira");
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(100);
    cairo_surface_t* shot = window.capture();
    ASSERT_TRUE(shot);
    cairo_surface_write_to_png(shot, "gelmira_editor_window.png");
    cairo_surface_destroy(shot);

    // The Dry Wet knob spans (90, 281) to (120, 311). Press at its centre and
    // move 40 pixels up: a linear drag, a fifth of the range.
    const int x = 105, y = 296;
    int ox = 0, oy = 0;
    window.origin(ox, oy);
    Display* d = window.display();
    p.host.clearCalls();
    XTestFakeMotionEvent(d, -1, ox + x, oy + y, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    p.plugin->idleEditorFor(50);
    for (int dy = 5; dy <= 35; dy += 5) {
        XTestFakeMotionEvent(d, -1, ox + x, oy + y - dy, 0);
        XFlush(d);
        p.plugin->idleEditorFor(20);
    }
    XTestFakeMotionEvent(d, -1, ox + x, oy + y - 40, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    p.plugin->idleEditorFor(100);

    std::vector<VstInt32> order;
    float last = -1;
    for (const auto& c : p.host.calls()) {
        if (c.opcode != audioMasterBeginEdit && c.opcode != audioMasterAutomate &&
            c.opcode != audioMasterEndEdit)
            continue;
        EXPECT_EQ(c.index, 11);
        order.push_back(c.opcode);
        if (c.opcode == audioMasterAutomate) last = c.opt;
    }
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_FLOAT_EQ(last, 0.2f);
    EXPECT_FLOAT_EQ(p.plugin->getParameter(11), last);
    EXPECT_EQ(p.plugin->parameterDisplay(11), "20");
    p.plugin->dispatch(effEditClose);
}

}  // namespace
