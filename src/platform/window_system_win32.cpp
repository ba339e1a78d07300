// Windows extras for the game's window: whether it is the active window (it has the keys and
// is not minimised), whether it is hidden, and the swap interval through WGL_EXT_swap_control.
// Windows already delivers a held key as repeated presses without releases.
#include <windows.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/window_system.h"

namespace {

// An extension's entry point; the cast goes through a plain function pointer, as the
// extension mechanism intends.
template <typename Function>
Function lookUp(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// The window's activation, from the WM_ACTIVATE messages a hook on the game's thread sees
// (GLUT's window is the thread's only one). Whether it is minimised is asked when it matters:
// a window restored from the taskbar is activated while still minimised, and no activation
// follows its restoring.
HHOOK activationHook = nullptr;
HWND activated = nullptr;  // the window the last WM_ACTIVATE went to
bool wasActive = false;
bool active = true;

LRESULT CALLBACK onMessage(int code, WPARAM sent, LPARAM info) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(info);
        if (message->message == WM_ACTIVATE) {
            active = LOWORD(message->wParam) != WA_INACTIVE;
            activated = message->hwnd;
            wasActive = wasActive || active;
        }
    }
    return CallNextHookEx(activationHook, code, sent, info);
}

}  // namespace

void watchWindowFocus() {
    if (!activationHook) {
        activationHook =
            SetWindowsHookExW(WH_CALLWNDPROC, onMessage, nullptr, GetCurrentThreadId());
        active = GetForegroundWindow() != nullptr &&
                 GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == GetCurrentThreadId();
        wasActive = active;
    }
}

// Windows has no keyboard grabs of other programs: a hotkey leaves the window active.
KeysGo whereKeysGo() {
    return !wasActive || (active && !(activated && IsIconic(activated))) ? KeysGo::ToWindow
                                                                         : KeysGo::Elsewhere;
}

// GLUT's window is the one its rendering context draws in.
bool windowHidden() {
    const HWND window = WindowFromDC(wglGetCurrentDC());
    return window && (IsIconic(window) || !IsWindowVisible(window));
}

// Windows always has a desktop to draw on; the icon and the taskbar entry come from the
// executable's resources.
std::string displayProblem() {
    return {};
}

void identifyWindow() {}

void onDisplayLost(void (*)()) {}

void enableDetectableAutoRepeat() {}

// Windows always gives a new foreground window the keyboard.
void keepKeyboardFocus() {}

bool displayEmulatesModes() {
    return false;
}

// The work area is the desktop less the taskbar; an ordinary window's frame goes around the
// size asked for.
void fitInWorkArea(int& width, int& height) {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        return;
    }
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    width =
        std::min(width, static_cast<int>((area.right - area.left) - (frame.right - frame.left)));
    height =
        std::min(height, static_cast<int>((area.bottom - area.top) - (frame.bottom - frame.top)));
}

// Windows reports a failed mode change to GLUT, which then enters no game mode; there are no
// asynchronous errors to catch.
void reportDisplayErrors() {}

void beginCountingDisplayErrors() {}

int endCountingDisplayErrors() {
    return 0;
}

bool displayModeIs(int width, int height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    return EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) &&
           static_cast<int>(mode.dmPelsWidth) == width &&
           static_cast<int>(mode.dmPelsHeight) == height;
}

bool requestVsync() {
    using GetExtensions = const char*(WINAPI*)();
    using SwapInterval = BOOL(WINAPI*)(int);
    const auto getExtensions = lookUp<GetExtensions>("wglGetExtensionsStringEXT");
    const char* extensions = getExtensions ? getExtensions() : nullptr;
    if (!extensions || !std::strstr(extensions, "WGL_EXT_swap_control")) {
        return false;
    }
    const auto swap = lookUp<SwapInterval>("wglSwapIntervalEXT");
    return swap && swap(1);
}
