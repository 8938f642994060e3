// The host side of an editor window on X11, for tools and tests: an X server
// to talk to (the user's, or an Xvfb started for the purpose) and a top-level
// window a plug-in's editor opens in.
#pragma once

#include <X11/Xlib.h>
#include <cairo.h>
#include <sys/types.h>

#include <memory>
#include <string>

namespace editorview {

// A running X server; DISPLAY names it while the object lives.
class XServer {
public:
    // The server DISPLAY names when it answers, otherwise a new Xvfb.
    static std::unique_ptr<XServer> ensure(std::string& error);
    // Always a new Xvfb on a free display number. Null (with error) on failure.
    static std::unique_ptr<XServer> startXvfb(std::string& error);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    const std::string& name() const { return display; }

private:
    XServer() = default;
    std::string display;
    std::string previousDisplay;
    bool hadDisplay = false;
    pid_t xvfb = -1;
};

// A mapped top-level window of w x h pixels on the server DISPLAY names.
class HostWindow {
public:
    HostWindow(int w, int h, const char* title);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool ok() const { return window != 0; }
    Display* display() const { return dpy; }
    Window id() const { return window; }
    // What the parent window handed to effEditOpen looks like.
    void* parentHandle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }
    // Handles waiting events; false once the user closed the window.
    bool pump();
    // The window's pixels as a new image surface (caller destroys), or null.
    cairo_surface_t* capture();
    // Destroys the window now, as a host may before it closes the editor.
    void destroy();
    // The window's origin in root coordinates.
    void origin(int& x, int& y);

private:
    Display* dpy = nullptr;
    Window window = 0;
    Atom deleteAtom = 0;
    int width;
    int height;
};

}  // namespace editorview
