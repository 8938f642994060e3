// editor_window <plugin.so>
//
// Opens the plug-in's editor in a window on the display DISPLAY names and
// runs it until the window is closed, printing every automation the plug-in
// sends to its host.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

#include "hosting/plugin_host.h"
#include "x11_host.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: editor_window <plugin.so>\n";
        return 2;
    }
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::cerr << "editor_window: DISPLAY is not set (for a picture without a screen use editor_snapshot)\n";
        return 1;
    }
    std::string error;
    auto library = hosting::Library::load(argv[1], error);
    if (!library) {
        std::cerr << "editor_window: " << error << "\n";
        return 1;
    }
    hosting::Host host;
    host.answer = [](const hosting::HostCall& call) -> VstIntPtr {
        if (call.opcode == audioMasterAutomate) std::printf("automate %d = %g\n", call.index, call.opt);
        else if (call.opcode == audioMasterBeginEdit) std::printf("begin edit %d\n", call.index);
        else if (call.opcode == audioMasterEndEdit) std::printf("end edit %d\n", call.index);
        std::fflush(stdout);
        return 0;
    };
    auto plugin = hosting::Plugin::create(*library, host);
    auto rect = plugin ? plugin->editorRect() : std::nullopt;
    if (!rect) {
        std::cerr << "editor_window: the plug-in did not start or has no editor\n";
        return 1;
    }
    editorview::HostWindow window(rect->right - rect->left, rect->bottom - rect->top,
                                  plugin->effectName().c_str());
    if (!window.ok()) {
        std::cerr << "editor_window: cannot open a window on " << display << "\n";
        return 1;
    }
    plugin->dispatch(effEditOpen, 0, 0, window.parentHandle());
    while (window.pump()) {
        plugin->dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    plugin->dispatch(effEditClose);
    return 0;
}
