#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>

#include "cframe.h"
#include "platformwindow.h"

namespace {

bool gXError = false;
int recordXError(Display*, XErrorEvent*) {
    gXError = true;
    return 0;
}

// While it lives, X errors are recorded instead of ending the process (Xlib's
// default); at the end it waits for the server's answers and restores the
// host's handler. The host may destroy its parent window before it closes the
// editor, which makes our requests fail.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : display(display) {
        XSync(display, False);
        gXError = false;
        previous = XSetErrorHandler(recordXError);
    }
    ~XErrorTrap() {
        XSync(display, False);
        XSetErrorHandler(previous);
    }
    bool failed() {
        XSync(display, False);
        return gXError;
    }

private:
    Display* display;
    XErrorHandler previous;
};

int buttonsOf(unsigned int state) {
    int buttons = 0;
    if (state & Button1Mask) buttons |= kLButton;
    if (state & Button2Mask) buttons |= kMButton;
    if (state & Button3Mask) buttons |= kRButton;
    if (state & ShiftMask) buttons |= kShift;
    if (state & ControlMask) buttons |= kControl;
    if (state & Mod1Mask) buttons |= kAlt;
    return buttons;
}

int buttonBit(unsigned int button) {
    switch (button) {
    case Button1: return kLButton;
    case Button2: return kMButton;
    case Button3: return kRButton;
    default: return 0;
    }
}

CKey keyOf(XKeyEvent& event) {
    char text[8] = {};
    KeySym sym = NoSymbol;
    const int count = XLookupString(&event, text, sizeof text - 1, &sym, nullptr);
    CKey key;
    key.modifiers = buttonsOf(event.state) & (kShift | kControl | kAlt);
    switch (sym) {
    case XK_BackSpace: key.virt = kKeyBack; break;
    case XK_Return: case XK_KP_Enter: key.virt = kKeyReturn; break;
    case XK_Escape: key.virt = kKeyEscape; break;
    case XK_Left: case XK_KP_Left: key.virt = kKeyLeft; break;
    case XK_Up: case XK_KP_Up: key.virt = kKeyUp; break;
    case XK_Right: case XK_KP_Right: key.virt = kKeyRight; break;
    case XK_Down: case XK_KP_Down: key.virt = kKeyDown; break;
    case XK_Delete: key.virt = kKeyDelete; break;
    case XK_Home: key.virt = kKeyHome; break;
    case XK_End: key.virt = kKeyEnd; break;
    case XK_Tab: key.virt = kKeyTab; break;
    default:
        if (count == 1 && static_cast<unsigned char>(text[0]) >= 32 &&
            static_cast<unsigned char>(text[0]) < 127)
            key.character = text[0];
    }
    return key;
}

class X11Window : public PlatformWindow {
public:
    X11Window(CFrame* frame, Display* display, Window window, int w, int h)
        : frame(frame), display(display), window(window), width(w), height(h) {
        surface = cairo_xlib_surface_create(display, window,
                                            DefaultVisual(display, DefaultScreen(display)), w, h);
    }
    ~X11Window() override {
        cairo_surface_destroy(surface);
        {
            XErrorTrap trap(display);
            if (grabbed) XUngrabPointer(display, CurrentTime);
            if (alive) XDestroyWindow(display, window);
        }
        XCloseDisplay(display);
    }

    void pumpEvents() override {
        XErrorTrap trap(display);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(event);
        }
    }

    void show(const CRect& region) override {
        if (!alive) return;
        XErrorTrap trap(display);
        cairo_t* cr = cairo_create(surface);
        cairo_rectangle(cr, region.left, region.top, region.width(), region.height());
        cairo_clip(cr);
        cairo_set_source_surface(cr, frame->getSurface(), 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        XFlush(display);
    }

    unsigned long id() const override { return window; }

private:
    void handle(XEvent& event) {
        switch (event.type) {
        case Expose: {
            const XExposeEvent& e = event.xexpose;
            frame->redrawDirty();
            show(CRect(e.x, e.y, e.x + e.width, e.y + e.height));
            break;
        }
        case ButtonPress: {
            const XButtonEvent& e = event.xbutton;
            const int modifiers = buttonsOf(e.state) & (kShift | kControl | kAlt);
            const CPoint where(e.x, e.y);
            if (e.button == 4 || e.button == 5) {
                frame->onWheel(where, e.button == 4 ? 1.0f : -1.0f, modifiers);
                break;
            }
            XSetInputFocus(display, window, RevertToParent, CurrentTime);
            const int buttons = buttonBit(e.button) | modifiers;
            if (frame->onMouseDown(where, buttons) && frame->isTracking() && !grabbed) {
                grabbed = XGrabPointer(display, window, False,
                                       ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                                       GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
            }
            break;
        }
        case MotionNotify: {
            // Only the latest position of a burst matters.
            while (XCheckTypedWindowEvent(display, window, MotionNotify, &event)) {}
            const XMotionEvent& e = event.xmotion;
            frame->onMouseMoved(CPoint(e.x, e.y), buttonsOf(e.state));
            break;
        }
        case ButtonRelease: {
            const XButtonEvent& e = event.xbutton;
            if (e.button == 4 || e.button == 5) break;
            frame->onMouseUp(CPoint(e.x, e.y), buttonsOf(e.state) & ~buttonBit(e.button));
            if (grabbed) {
                XUngrabPointer(display, CurrentTime);
                grabbed = false;
            }
            break;
        }
        case KeyPress:
            frame->onKeyDown(keyOf(event.xkey));
            break;
        case FocusOut:
            frame->looseFocus();
            break;
        case DestroyNotify:  // the host destroyed its window, and ours with it
            if (event.xdestroywindow.window == window) alive = false;
            break;
        default:
            break;
        }
    }

    CFrame* frame;
    Display* display;
    Window window;
    int width;
    int height;
    cairo_surface_t* surface = nullptr;
    bool grabbed = false;
    bool alive = true;
};

}  // namespace

std::unique_ptr<PlatformWindow> PlatformWindow::create(CFrame* frame, void* parent, int w, int h) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    const Window parentId = static_cast<Window>(reinterpret_cast<uintptr_t>(parent));
    const int screen = DefaultScreen(display);
    Window window = 0;
    bool failed = false;
    {
        // A bad parent id must not end the host.
        XErrorTrap trap(display);
        window = XCreateSimpleWindow(display, parentId, 0, 0, w, h, 0, BlackPixel(display, screen),
                                     BlackPixel(display, screen));
        XSelectInput(display, window,
                     ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                         KeyPressMask | FocusChangeMask | StructureNotifyMask);
        XMapWindow(display, window);
        failed = trap.failed();
    }
    if (failed) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<X11Window>(frame, display, window, w, h);
}
