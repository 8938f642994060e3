// editor_snapshot <plugin.so> <out.png> [<index>=<value> ...]
//
// Sets the parameters given (normalised values), opens the plug-in's editor in
// a window on an X server (the one DISPLAY names, or an Xvfb of its own) and
// writes what the window shows as a PNG.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "hosting/plugin_host.h"
#include "x11_host.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: editor_snapshot <plugin.so> <out.png> [<index>=<value> ...]\n";
        return 2;
    }
    std::string error;
    auto library = hosting::Library::load(argv[1], error);
    if (!library) {
        std::cerr << "editor_snapshot: " << error << "\n";
        return 1;
    }
    hosting::Host host;
    auto plugin = hosting::Plugin::create(*library, host);
    if (!plugin) {
        std::cerr << "editor_snapshot: the plug-in refused to start\n";
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        int index = 0;
        float value = 0;
        if (std::sscanf(argv[i], "%d=%f", &index, &value) != 2) {
            std::cerr << "editor_snapshot: expected <index>=<value>, got " << argv[i] << "\n";
            return 2;
        }
        plugin->setParameter(index, value);
    }
    auto rect = plugin->editorRect();
    if (!(plugin->effect()->flags & effFlagsHasEditor) || !rect) {
        std::cerr << "editor_snapshot: the plug-in has no editor\n";
        return 1;
    }
    auto server = editorview::XServer::ensure(error);
    if (!server) {
        std::cerr << "editor_snapshot: " << error << "\n";
        return 1;
    }
    const int w = rect->right - rect->left, h = rect->bottom - rect->top;
    editorview::HostWindow window(w, h, "editor snapshot");
    if (!window.ok()) {
        std::cerr << "editor_snapshot: cannot open a window on " << server->name() << "\n";
        return 1;
    }
    plugin->dispatch(effEditOpen, 0, 0, window.parentHandle());
    for (int i = 0; i < 10; ++i) {
        plugin->dispatch(effEditIdle);
        window.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    cairo_surface_t* image = window.capture();
    plugin->dispatch(effEditClose);
    if (!image || cairo_surface_write_to_png(image, argv[2]) != CAIRO_STATUS_SUCCESS) {
        std::cerr << "editor_snapshot: cannot write " << argv[2] << "\n";
        return 1;
    }
    cairo_surface_destroy(image);
    std::cout << argv[2] << ": " << w << " x " << h << "\n";
    return 0;
}
