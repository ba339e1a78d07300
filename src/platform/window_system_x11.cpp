// X11/GLX calls for the game's window: the display check, the window's class and icon,
// the keyboard focus (whether the window has it, and giving it where no window manager does),
// whether it is hidden, detectable auto-repeat and the swap interval.
#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/xf86vmode.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/console.h"
#include "platform/process.h"
#include "platform/window_icon.h"
#include "platform/window_system.h"

extern "C" {
// Xlib's hook for turning a wire event into an XEvent (declared in Xlibint.h).
using WireToEvent = Bool (*)(Display*, XEvent*, xEvent*);
WireToEvent XESetWireToEvent(Display* display, int event, WireToEvent proc);
}

namespace {

// The game's window's focus, from its FocusIn and FocusOut events. GLUT reads them on its
// own connection and ignores them; a hook on their conversion notes each.
Window focusWatched = None;
WireToEvent convertFocusIn = nullptr;
WireToEvent convertFocusOut = nullptr;
bool hadFocus = false;
KeysGo keysGo = KeysGo::ToWindow;

Bool onFocusEvent(Display* display, XEvent* event, xEvent* wire) {
    const bool in = (wire->u.u.type & 0x7f) == FocusIn;
    const Bool converted = (in ? convertFocusIn : convertFocusOut)(display, event, wire);
    if (!converted || event->xfocus.window != focusWatched ||
        event->xfocus.detail == NotifyInferior) {
        return converted;
    }
    // The focus moving while the game's own grab (GLUT's in game mode) holds the keyboard, and
    // the end of that grab, leave the keys where the grab has them: with the game.
    if (in) {
        hadFocus = true;
        keysGo = KeysGo::ToWindow;  // the focus came, or another program's grab ended
    } else if (event->xfocus.mode == NotifyGrab) {
        keysGo = KeysGo::ToGrab;  // another program grabbed the keyboard; the focus stays
    } else if (event->xfocus.mode == NotifyNormal ||
               (event->xfocus.mode == NotifyWhileGrabbed && keysGo == KeysGo::ToGrab)) {
        // Another window took the focus, or it left beneath another program's grab, whose end
        // then brings the game nothing.
        keysGo = KeysGo::Elsewhere;
    }
    return converted;
}

// Whether the game's window is hidden, from its UnmapNotify, MapNotify and VisibilityNotify
// events, which GLUT asks for and reads for its window status: unmapped (minimised, withdrawn)
// it is hidden, until it is mapped again or its visibility changes.
WireToEvent convertUnmap = nullptr;
WireToEvent convertMap = nullptr;
WireToEvent convertVisibility = nullptr;
bool hidden = false;

Bool onMappingEvent(Display* display, XEvent* event, xEvent* wire) {
    const int type = wire->u.u.type & 0x7f;
    const WireToEvent convert = type == UnmapNotify ? convertUnmap
                                : type == MapNotify ? convertMap
                                                    : convertVisibility;
    const Bool converted = convert(display, event, wire);
    if (converted) {
        const Window window = type == UnmapNotify ? event->xunmap.window
                              : type == MapNotify ? event->xmap.window
                                                  : event->xvisibility.window;
        hidden = window == focusWatched ? type == UnmapNotify : hidden;
    }
    return converted;
}

bool hasExtension(const char* extensions, std::string_view name) {
    std::string_view list = extensions ? extensions : "";
    while (!list.empty()) {
        const size_t end = list.find(' ');
        if (list.substr(0, end) == name) {
            return true;
        }
        if (end == std::string_view::npos) {
            break;
        }
        list.remove_prefix(end + 1);
    }
    return false;
}

void (*displayLost)() = nullptr;

extern "C" int onIoError(Display*) {
    if (displayLost) {
        displayLost();
    }
    exitProcessNow(3);
}

bool countingErrors = false;
int errorsCounted = 0;
// The display the errors were counted on, kept for the wait at the end (GLUT's connection,
// known once one of its windows is current).
Display* countedDisplay = nullptr;

extern "C" int onProtocolError(Display* display, XErrorEvent* event) {
    if (countingErrors) {
        ++errorsCounted;
        return 0;
    }
    static std::set<std::tuple<int, int, int>> said;
    if (said.insert({event->error_code, event->request_code, event->minor_code}).second) {
        char text[160] = "";
        XGetErrorText(display, event->error_code, text, sizeof text);
        writeErrorLine(std::string("the X display refused a request (") + text + "; request " +
                       std::to_string(event->request_code) + "." +
                       std::to_string(event->minor_code) + ")");
    }
    return 0;
}

// Up to count 32-bit items of the given type from a window's property (fewer when it holds
// fewer; none when it is absent or of another type).
std::vector<long> property32(Display* display, Window window, const char* name, Atom ofType,
                             long count) {
    std::vector<long> values;
    const Atom property = XInternAtom(display, name, True);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (property != None &&
        XGetWindowProperty(display, window, property, 0, count, False, ofType, &type, &format,
                           &items, &after, &data) == Success &&
        type == ofType && format == 32 && data) {
        const auto* longs = reinterpret_cast<const long*>(data);
        values.assign(longs, longs + items);
    }
    if (data) {
        XFree(data);
    }
    return values;
}

// A window manager that follows the desktop conventions says so on the root window.
bool windowManagerRuns(Display* display) {
    return property32(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, 1)
               .size() == 1;
}

// The frame (left, right, top, bottom) the window manager will put around a window: asked of
// it for a window that is never shown (_NET_REQUEST_FRAME_EXTENTS), a short while at most.
std::vector<long> frameExtents(Display* display) {
    const Window probe =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, probe, PropertyChangeMask);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(display);
    std::vector<long> extents;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
    while (extents.size() < 4 && std::chrono::steady_clock::now() < giveUp) {
        XEvent event{};
        if (XCheckTypedWindowEvent(display, probe, PropertyNotify, &event)) {
            extents = property32(display, probe, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    XDestroyWindow(display, probe);
    return extents.size() == 4 ? extents : std::vector<long>{0, 0, 0, 0};
}

template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

std::string displayProblem() {
    Display* display = XOpenDisplay(nullptr);
    if (display) {
        XCloseDisplay(display);
        return {};
    }
    const char* name = std::getenv("DISPLAY");
    const std::string which = name && *name ? std::string("DISPLAY=") + name : "DISPLAY is not set";
    return "cannot open the X11 display (" + which +
           "): ORVEL needs an X11 display (XWayland under Wayland)";
}

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!display || !window) {
        return;
    }
    char instance[] = "orvel";
    char className[] = "orvel";
    XClassHint hint{instance, className};
    XSetClassHint(display, window, &hint);
    // GLUT gives its windows a one-pixel border, which without a window manager shifts a
    // full-screen picture by a pixel and shows the border along the top and the left.
    XSetWindowBorderWidth(display, window, 0);

    // Format-32 properties travel as longs, whatever their width.
    const std::vector<long> icon(std::begin(kWindowIcon), std::end(kWindowIcon));
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(icon.data()),
                    static_cast<int>(icon.size()));
    XFlush(display);
}

void onDisplayLost(void (*lost)()) {
    displayLost = lost;
    XSetIOErrorHandler(onIoError);
}

void reportDisplayErrors() {
    XSetErrorHandler(onProtocolError);
}

void beginCountingDisplayErrors() {
    XSetErrorHandler(onProtocolError);
    countingErrors = true;
    errorsCounted = 0;
}

int endCountingDisplayErrors() {
    if (Display* current = glXGetCurrentDisplay()) {
        countedDisplay = current;
    }
    if (countedDisplay) {
        XSync(countedDisplay, False);
    }
    countingErrors = false;
    return errorsCounted;
}

bool displayModeIs(int width, int height) {
    Display* display = glXGetCurrentDisplay();
    int eventBase = 0;
    int errorBase = 0;
    if (!display || !XF86VidModeQueryExtension(display, &eventBase, &errorBase)) {
        return false;
    }
    int dotClock = 0;
    XF86VidModeModeLine mode{};
    if (!XF86VidModeGetModeLine(display, DefaultScreen(display), &dotClock, &mode)) {
        return false;
    }
    if (mode.privsize > 0) {
        XFree(mode.c_private);
    }
    return mode.hdisplay == width && mode.vdisplay == height;
}

bool displayEmulatesModes() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    bool xwayland = XQueryExtension(display, "XWAYLAND", &opcode, &eventBase, &errorBase);
    if (!xwayland && XRRQueryExtension(display, &eventBase, &errorBase)) {
        XRRScreenResources* screen =
            XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        for (int i = 0; screen && i < screen->noutput && !xwayland; ++i) {
            if (XRROutputInfo* output = XRRGetOutputInfo(display, screen, screen->outputs[i])) {
                xwayland = std::string_view(output->name, static_cast<size_t>(output->nameLen))
                               .substr(0, 8) == "XWAYLAND";
                XRRFreeOutputInfo(output);
            }
        }
        if (screen) {
            XRRFreeScreenResources(screen);
        }
    }
    XCloseDisplay(display);
    return xwayland;
}

void fitInWorkArea(int& width, int& height) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return;
    }
    const int screen = DefaultScreen(display);
    std::vector<long> area =
        property32(display, DefaultRootWindow(display), "_NET_WORKAREA", XA_CARDINAL, 4);
    if (area.size() < 4) {
        area = {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
    }
    const std::vector<long> frame =
        windowManagerRuns(display) ? frameExtents(display) : std::vector<long>{0, 0, 0, 0};
    XCloseDisplay(display);
    width = static_cast<int>(std::clamp<long>(area[2] - frame[0] - frame[1], 1, width));
    height = static_cast<int>(std::clamp<long>(area[3] - frame[2] - frame[3], 1, height));
}

void keepKeyboardFocus() {
    // Every 15th frame: each look is a round trip to the display.
    static int framesToNextLook = 0;
    if (--framesToNextLook > 0) {
        return;
    }
    framesToNextLook = 15;
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!display || !window) {
        return;
    }
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    // Where a window manager runs, the focus is its to give, even away from the game. Without
    // one, the focus that is no client's is taken: the server's own at start (PointerRoot,
    // which gives the keys to whatever is under the pointer, never the game's window for
    // certain), nobody's (None), and the root window's, where a focus the game gave itself
    // falls while its window is unmapped. A window another client focused keeps it.
    if ((focus != None && focus != PointerRoot && focus != DefaultRootWindow(display)) ||
        windowManagerRuns(display)) {
        return;
    }
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
    }
}

void watchWindowFocus() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (!display || !window || focusWatched != None) {
        return;
    }
    focusWatched = window;
    convertFocusIn = XESetWireToEvent(display, FocusIn, onFocusEvent);
    convertFocusOut = XESetWireToEvent(display, FocusOut, onFocusEvent);
    convertUnmap = XESetWireToEvent(display, UnmapNotify, onMappingEvent);
    convertMap = XESetWireToEvent(display, MapNotify, onMappingEvent);
    convertVisibility = XESetWireToEvent(display, VisibilityNotify, onMappingEvent);
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes)) {
        XSelectInput(display, window, attributes.your_event_mask | FocusChangeMask);
    }
    // The focus may have come before its events were asked for.
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    hadFocus = focus == window;
}

KeysGo whereKeysGo() {
    return hadFocus ? keysGo : KeysGo::ToWindow;
}

bool windowHidden() {
    return hidden;
}

void enableDetectableAutoRepeat() {
    Display* display = glXGetCurrentDisplay();
    if (!display) {
        return;
    }
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
}

bool requestVsync() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) {
        return false;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    using SwapEXT = void (*)(Display*, GLXDrawable, int);
    using SwapMESA = int (*)(unsigned int);
    using SwapSGI = int (*)(int);
    if (hasExtension(extensions, "GLX_EXT_swap_control")) {
        if (auto swap = lookUp<SwapEXT>("glXSwapIntervalEXT")) {
            swap(display, drawable, 1);
            return true;
        }
    } else if (hasExtension(extensions, "GLX_MESA_swap_control")) {
        if (auto swap = lookUp<SwapMESA>("glXSwapIntervalMESA")) {
            return swap(1) == 0;
        }
    } else if (hasExtension(extensions, "GLX_SGI_swap_control")) {
        if (auto swap = lookUp<SwapSGI>("glXSwapIntervalSGI")) {
            return swap(1) == 0;
        }
    }
    return false;
}
