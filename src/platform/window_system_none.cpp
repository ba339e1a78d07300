// Window-system extras where there is neither X11 nor Windows (macOS): GLUT's defaults stand.
#include "platform/layout_keys.h"
#include "platform/window_system.h"

std::string displayProblem() {
    return {};
}

void identifyWindow() {}

void onDisplayLost(void (*)()) {}

void enableDetectableAutoRepeat() {}

void keepKeyboardFocus() {}

void watchWindowFocus() {}

KeysGo whereKeysGo() {
    return KeysGo::ToWindow;
}

bool windowHidden() {
    return false;
}

bool displayEmulatesModes() {
    return false;
}

void fitInWorkArea(int&, int&) {}

void reportDisplayErrors() {}

void beginCountingDisplayErrors() {}

int endCountingDisplayErrors() {
    return 0;
}

bool displayModeIs(int, int) {
    return true;
}

bool requestVsync() {
    return false;
}

void watchLayoutKeys() {}

void takeLayoutKeys(void (*)(unsigned char), void (*)(unsigned char)) {}

void takeLayoutKeysBefore(void (*)(unsigned char), void (*)(unsigned char)) {}
