// Window-system extras where there is neither X11 nor Windows (macOS): GLUT's defaults stand.
#include "platform/window_system.h"

std::string displayProblem() {
    return {};
}

void identifyWindow() {}

void onDisplayLost(void (*)()) {}

void enableDetectableAutoRepeat() {}

bool requestVsync() {
    return false;
}
