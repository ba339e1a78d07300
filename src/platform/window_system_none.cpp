// Window-system extras for platforms without X11: GLUT's defaults stand.
#include "platform/window_system.h"

void enableDetectableAutoRepeat() {}

void requestVsync() {}
