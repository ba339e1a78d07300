// Windows extras for the game's window: the swap interval through WGL_EXT_swap_control.
// Windows already delivers a held key as repeated presses without releases.
#include <windows.h>

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "platform/window_system.h"

// Windows always has a desktop to draw on; the icon and the taskbar entry come from the
// executable's resources.
std::string displayProblem() {
    return {};
}

void identifyWindow() {}

void onDisplayLost(void (*)()) {}

void enableDetectableAutoRepeat() {}

bool requestVsync() {
    using GetExtensions = const char*(WINAPI*)();
    using SwapInterval = BOOL(WINAPI*)(int);
    const auto getExtensions =
        reinterpret_cast<GetExtensions>(wglGetProcAddress("wglGetExtensionsStringEXT"));
    const char* extensions = getExtensions ? getExtensions() : nullptr;
    if (!extensions || !std::strstr(extensions, "WGL_EXT_swap_control")) {
        return false;
    }
    const auto swap = reinterpret_cast<SwapInterval>(wglGetProcAddress("wglSwapIntervalEXT"));
    return swap && swap(1);
}
