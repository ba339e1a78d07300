// Presses physical keys for the end-to-end tests, by keycode through XTEST (xdotool types
// keysyms, so it can't press "the key in the S position" on every layout), and sets the
// keyboard's group and Caps Lock.
//
//   xkeys press KEYCODE...        press and release each key, 60 ms apart
//   xkeys down|up KEYCODE         press a key and leave it held, or release it
//   xkeys group N                 lock keyboard group N (0 is the first layout)
//   xkeys caps on|off             lock or unlock Caps Lock
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

void pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void key(Display* display, unsigned int keycode, bool down) {
    XTestFakeKeyEvent(display, keycode, down ? True : False, CurrentTime);
    XSync(display, False);
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (!display || argc < 3) {
        std::fprintf(stderr,
                     "usage: xkeys press KEYCODE... | down|up KEYCODE | group N | caps on|off\n");
        return 2;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "press") == 0) {
        for (int i = 2; i < argc; ++i) {
            key(display, static_cast<unsigned int>(std::atoi(argv[i])), true);
            pause(30);
            key(display, static_cast<unsigned int>(std::atoi(argv[i])), false);
            pause(60);
        }
    } else if ((std::strcmp(command, "down") == 0 || std::strcmp(command, "up") == 0) &&
               argc == 3) {
        key(display, static_cast<unsigned int>(std::atoi(argv[2])), command[0] == 'd');
    } else if (std::strcmp(command, "group") == 0) {
        XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned int>(std::atoi(argv[2])));
        XSync(display, False);
    } else if (std::strcmp(command, "caps") == 0) {
        const bool on = std::strcmp(argv[2], "on") == 0;
        XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
        XSync(display, False);
    } else {
        return 2;
    }
    XCloseDisplay(display);
    return 0;
}
