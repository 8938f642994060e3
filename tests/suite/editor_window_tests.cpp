// Every editor in a real X11 window on an Xvfb of the test's own: a synthetic
// mouse drag on one control reaches the host as one gesture (begin, rising
// automation, end) for that control's parameter, one table row a plug-in.
// Each run also writes the window as "<name>_editor_window.png".
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "tests/suite/suite_plugins.h"
#include "tests/support/loaded_plugin.h"
// The X headers last: their macros (None, Bool) clash with GoogleTest's names.
#include "tools/editorview/x11_host.h"
#include <X11/extensions/XTest.h>

namespace {

struct DragRow {
    const char* plugin;
    int x, y;        // where the drag starts, on the panel
    int dx, dy;      // how far it goes (moved 5 pixels at a time)
    VstInt32 index;  // the parameter it sets
    float last;      // the value it ends on
    const char* display;  // the host display then, or null
};

const DragRow kDrags[] = {
    {"Tarn", 107, 157, 0, -40, 7, 0.7f, nullptr},           // Mid Gain knob, up
    {"Vesk", 386, 72, 0, -39, 12, 1.0f, "12.00000"},        // 1000Hz slider to the top
    {"Faroll", 125, 55, 0, -40, 1, 0.7f, nullptr},          // Mid Gain knob, up
    {"Gelmira", 105, 296, 0, -40, 11, 0.2f, "20"},          // Dry Wet knob, up
    {"Hoverin", 97, 52, 0, -40, 1, 0.2f, "20.00"},          // Feedback knob, up
    {"Ilvane", 165, 30, 37, 0, 0, 0.5f + 37.0f / 185.0f, nullptr},  // low slider, right
};

void PrintTo(const DragRow& row, std::ostream* os) { *os << row.plugin; }

const suite::PluginRow& pluginRow(const char* name) {
    for (const auto& row : suite::plugins())
        if (std::string(row.name) == name) return row;
    std::abort();
}

class EditorWindow : public ::testing::TestWithParam<DragRow> {};

TEST_P(EditorWindow, ADragReachesTheHostAsOneGesture) {
    const DragRow& drag = GetParam();
    const suite::PluginRow& row = pluginRow(drag.plugin);
    std::string error;
    auto server = editorview::XServer::startXvfb(error);
    ASSERT_TRUE(server) << error;
    LoadedPlugin p(row.path);
    ASSERT_TRUE(p.create());
    editorview::HostWindow window(row.editorWidth, row.editorHeight, row.name);
    ASSERT_TRUE(window.ok());
    ASSERT_EQ(p.plugin->dispatch(effEditOpen, 0, 0, window.parentHandle()), 1);
    p.plugin->idleEditorFor(100);
    cairo_surface_t* shot = window.capture();
    ASSERT_TRUE(shot);
    std::string png = std::string(row.name) + "_editor_window.png";
    for (char& c : png) c = static_cast<char>(std::tolower(c));
    cairo_surface_write_to_png(shot, png.c_str());
    cairo_surface_destroy(shot);

    int ox = 0, oy = 0;
    window.origin(ox, oy);
    Display* d = window.display();
    const int x = ox + drag.x, y = oy + drag.y;
    p.host.clearCalls();
    XTestFakeMotionEvent(d, -1, x, y, 0);
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    p.plugin->idleEditorFor(50);
    const int distance = std::abs(drag.dx) + std::abs(drag.dy);
    for (int step = 5; step < distance; step += 5) {
        XTestFakeMotionEvent(d, -1, x + drag.dx * step / distance, y + drag.dy * step / distance, 0);
        XFlush(d);
        p.plugin->idleEditorFor(20);
    }
    XTestFakeMotionEvent(d, -1, x + drag.dx, y + drag.dy, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    p.plugin->idleEditorFor(100);

    std::vector<VstInt32> order;
    float last = -1;
    for (const auto& c : p.host.calls()) {
        if (c.opcode != audioMasterBeginEdit && c.opcode != audioMasterAutomate &&
            c.opcode != audioMasterEndEdit)
            continue;
        EXPECT_EQ(c.index, drag.index);
        order.push_back(c.opcode);
        if (c.opcode != audioMasterAutomate) continue;
        EXPECT_GT(c.opt, last);  // rising
        last = c.opt;
    }
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_FLOAT_EQ(last, drag.last);
    EXPECT_FLOAT_EQ(p.plugin->getParameter(drag.index), last);
    if (drag.display) {
        EXPECT_EQ(p.plugin->parameterDisplay(drag.index), drag.display);
    }
    p.plugin->dispatch(effEditClose);
}

INSTANTIATE_TEST_SUITE_P(Plugins, EditorWindow, ::testing::ValuesIn(kDrags),
                         [](const auto& info) { return std::string(info.param.plugin); });

}  // namespace
