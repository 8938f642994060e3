#include "x11_host.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace editorview {

namespace {

bool answers(const char* name) {
    Display* d = XOpenDisplay(name);
    if (!d) return false;
    XCloseDisplay(d);
    return true;
}

bool displayNumberFree(int n) {
    struct stat st{};
    const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(n);
    return stat(lock.c_str(), &st) != 0 && stat(socket.c_str(), &st) != 0;
}

}  // namespace

std::unique_ptr<XServer> XServer::ensure(std::string& error) {
    const char* current = std::getenv("DISPLAY");
    if (current && *current && answers(current)) {
        std::unique_ptr<XServer> server(new XServer);
        server->display = current;
        server->hadDisplay = true;
        server->previousDisplay = current;
        return server;
    }
    return startXvfb(error);
}

std::unique_ptr<XServer> XServer::startXvfb(std::string& error) {
    std::unique_ptr<XServer> server(new XServer);
    if (const char* current = std::getenv("DISPLAY")) {
        server->hadDisplay = true;
        server->previousDisplay = current;
    }
    // Start from a number derived from the process id, so parallel tests rarely collide.
    for (int attempt = 0; attempt < 40; ++attempt) {
        const int n = 100 + (getpid() * 7 + attempt) % 800;
        if (!displayNumberFree(n)) continue;
        const std::string name = ":" + std::to_string(n);
        const pid_t child = fork();
        if (child < 0) break;
        if (child == 0) {
            const int devnull = ::open("/dev/null", O_WRONLY);
            if (devnull >= 0) {
                dup2(devnull, 1);
                dup2(devnull, 2);
            }
            execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int wait = 0; wait < 100; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) break;  // it failed (display taken?)
            if (answers(name.c_str())) {
                server->xvfb = child;
                server->display = name;
                setenv("DISPLAY", name.c_str(), 1);
                return server;
            }
        }
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    error = "cannot start Xvfb (is the xvfb package installed?)";
    return nullptr;
}

XServer::~XServer() {
    if (xvfb > 0) {
        kill(xvfb, SIGTERM);
        waitpid(xvfb, nullptr, 0);
        if (hadDisplay) setenv("DISPLAY", previousDisplay.c_str(), 1);
        else unsetenv("DISPLAY");
    }
}

HostWindow::HostWindow(int w, int h, const char* title) : width(w), height(h) {
    dpy = XOpenDisplay(nullptr);
    if (!dpy) return;
    const int screen = DefaultScreen(dpy);
    window = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 0, 0, w, h, 0,
                                 BlackPixel(dpy, screen), BlackPixel(dpy, screen));
    XStoreName(dpy, window, title);
    XSizeHints hints{};
    hints.flags = PMinSize | PMaxSize;
    hints.min_width = hints.max_width = w;
    hints.min_height = hints.max_height = h;
    XSetWMNormalHints(dpy, window, &hints);
    deleteAtom = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(dpy, window, &deleteAtom, 1);
    XSelectInput(dpy, window, StructureNotifyMask);
    XMapWindow(dpy, window);
    // Wait until the window is mapped, so children drawn into it are visible.
    for (XEvent e;;) {
        XNextEvent(dpy, &e);
        if (e.type == MapNotify) break;
    }
}

HostWindow::~HostWindow() {
    if (!dpy) return;
    if (window) XDestroyWindow(dpy, window);
    XCloseDisplay(dpy);
}

void HostWindow::destroy() {
    if (!window) return;
    XDestroyWindow(dpy, window);
    XSync(dpy, False);
    window = 0;
}

bool HostWindow::pump() {
    bool open = true;
    while (dpy && XPending(dpy) > 0) {
        XEvent e;
        XNextEvent(dpy, &e);
        if (e.type == ClientMessage && static_cast<Atom>(e.xclient.data.l[0]) == deleteAtom)
            open = false;
        if (e.type == DestroyNotify && e.xdestroywindow.window == window) open = false;
    }
    return open;
}

void HostWindow::origin(int& x, int& y) {
    Window child;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
}

cairo_surface_t* HostWindow::capture() {
    XSync(dpy, False);
    XImage* image = XGetImage(dpy, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!image) return nullptr;
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(out);
    const int stride = cairo_image_surface_get_stride(out);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            reinterpret_cast<uint32_t*>(data + y * stride)[x] =
                static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xffffffu;
    cairo_surface_mark_dirty(out);
    XDestroyImage(image);
    return out;
}

}  // namespace editorview
