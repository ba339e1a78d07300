// X11/GLX calls for the game's window: detectable auto-repeat and the swap interval.
#include <GL/glx.h>
#include <X11/XKBlib.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/window_system.h"

namespace {

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

template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

void enableDetectableAutoRepeat() {
    Display* display = glXGetCurrentDisplay();
    if (!display) {
        return;
    }
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
}

void requestVsync() {
    const char* setting = std::getenv("ORVEL_VSYNC");
    if (setting && std::strcmp(setting, "0") == 0) {
        return;
    }
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) {
        return;
    }
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    using SwapEXT = void (*)(Display*, GLXDrawable, int);
    using SwapMESA = int (*)(unsigned int);
    using SwapSGI = int (*)(int);
    if (hasExtension(extensions, "GLX_EXT_swap_control")) {
        if (auto swap = lookUp<SwapEXT>("glXSwapIntervalEXT")) {
            swap(display, drawable, 1);
        }
    } else if (hasExtension(extensions, "GLX_MESA_swap_control")) {
        if (auto swap = lookUp<SwapMESA>("glXSwapIntervalMESA")) {
            swap(1);
        }
    } else if (hasExtension(extensions, "GLX_SGI_swap_control")) {
        if (auto swap = lookUp<SwapSGI>("glXSwapIntervalSGI")) {
            swap(1);
        }
    }
}
