// The editor in a real X11 window: a parent window on an Xvfb of the test's
// own, effEditOpen with it, and a synthetic drag through the X server.
#include <gtest/gtest.h>


#include "tests/support/loaded_plugin.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"
#include <X11/extensions/XTest.h>

namespace {

TEST(EditorWindow, SyntheticDragInARealWindowReachesTheHost) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_GuiProbe);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(200, 120, "probe");
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(100);

    // The window shows the panel: the frame's background is not the parent's black.
    cairo_surface_t* shot = window.capture();
    ASSERT_TRUE(shot);
    const auto* px = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(shot));
    EXPECT_NE(px[5 * cairo_image_surface_get_stride(shot) / 4 + 100] & 0xffffff, 0u);
    cairo_surface_write_to_png(shot, "gui_probe_window.png");
    cairo_surface_destroy(shot);

    // Drag the level handle (at 55..65 for 0.5) 18 pixels right.
    int ox = 0, oy = 0;
    window.origin(ox, oy);
    Display* d = window.display();
    p.host.clearCalls();
    XTestFakeMotionEvent(d, -1, ox + 58, oy + 25, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    p.plugin->idleEditorFor(50);
    for (int dx = 3; dx <= 18; dx += 3) {
        XTestFakeMotionEvent(d, -1, ox + 58 + dx, oy + 25, 0);
        XFlush(d);
        p.plugin->idleEditorFor(20);
    }
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    p.plugin->idleEditorFor(100);

    const auto calls = p.host.calls();
    std::vector<VstInt32> order;
    for (const auto& c : calls)
        if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterAutomate || c.opcode == audioMasterEndEdit) {
            EXPECT_EQ(c.index, 0);
            order.push_back(c.opcode);
        }
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_NEAR(p.plugin->getParameter(0), 0.7f, 1e-6);
    p.plugin->dispatch(effEditClose);
}

TEST(EditorWindow, ABadParentWindowLeavesTheEditorOffscreen) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_GuiProbe);
    ASSERT_TRUE(p.create());
    EXPECT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x7fffff0})), 1);
    p.plugin->dispatch(effEditIdle);
    p.plugin->dispatch(effEditClose);
}

TEST(EditorWindow, HostDestroyingItsWindowBeforeCloseIsSurvived) {
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(PLUGIN_PATH_GuiProbe);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(200, 120, "probe");
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(50);
    window.destroy();
    p.plugin->setParameter(0, 0.9f);  // something to redraw into the vanished window
    p.plugin->idleEditorFor(50);
    p.plugin->dispatch(effEditClose);
    EXPECT_EQ(p.plugin->dispatch(effEditOpen), 1);  // offscreen from now on
    p.plugin->dispatch(effEditClose);
}

}  // namespace
