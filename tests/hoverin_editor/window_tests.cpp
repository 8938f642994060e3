// Hoverin's panel in a real X11 window on an Xvfb of the test's own: a
// synthetic drag on the Feedback knob reaches the host as automation.
#include <gtest/gtest.h>

#include "tests/support/loaded_plugin.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"
#include <X11/extensions/XTest.h>

namespace {

TEST(HoverinEditorWindow, DragUpOnTheFeedbackKnobAutomatesFeedback) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_Hoverin);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(360, 98, "Hoverin");
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(100);
    cairo_surface_t* shot = window.capture();
    ASSERT_TRUE(shot);
    cairo_surface_write_to_png(shot, "hoverin_editor_window.png");
    cairo_surface_destroy(shot);

    // Feedback starts at 0; its knob is centred at (97, 52). Linear knobs
    // take 200 pixels for the whole range: 40 pixels up give 0.2.
    int ox = 0, oy = 0;
    window.origin(ox, oy);
    Display* d = window.display();
    p.host.clearCalls();
    XTestFakeMotionEvent(d, -1, ox + 97, oy + 52, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    p.plugin->idleEditorFor(50);
    for (int dy = 5; dy <= 35; dy += 5) {
        XTestFakeMotionEvent(d, -1, ox + 97, oy + 52 - dy, 0);
        XFlush(d);
        p.plugin->idleEditorFor(20);
    }
    XTestFakeMotionEvent(d, -1, ox + 97, oy + 52 - 40, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    p.plugin->idleEditorFor(100);

    std::vector<VstInt32> order;
    float last = -1, previous = -1;
    for (const auto& c : p.host.calls()) {
        if (c.opcode != audioMasterBeginEdit && c.opcode != audioMasterAutomate &&
            c.opcode != audioMasterEndEdit)
            continue;
        EXPECT_EQ(c.index, 1);
        order.push_back(c.opcode);
        if (c.opcode == audioMasterAutomate) {
            EXPECT_GT(c.opt, previous);  // rising
            previous = last = c.opt;
        }
    }
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_FLOAT_EQ(last, 0.2f);
    EXPECT_FLOAT_EQ(p.plugin->getParameter(1), last);
    EXPECT_EQ(p.plugin->parameterDisplay(1), "20.00");
    p.plugin->dispatch(effEditClose);
}

}  // namespace
