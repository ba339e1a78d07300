// Preloaded (LD_PRELOAD) into the real game by the end-to-end tests: GLUT's elapsed-time
// counter reads the seam's clock, which stands still until the test moves it, so that every
// snake step happens when the test says and never because the machine was slow; every swap and
// every key press read from the display is counted, so that the test knows when the game has
// handled its keys and shown the result. The game itself is the shipped binary, unchanged.
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "seam.h"

namespace {

Seam* mapSeam() {
    const char* path = std::getenv("ORVEL_TEST_SEAM");
    const int fd = path ? open(path, O_RDWR | O_CLOEXEC) : -1;
    if (fd < 0) {
        return nullptr;
    }
    void* page = mmap(nullptr, sizeof(Seam), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (page == MAP_FAILED) {
        return nullptr;
    }
    auto* shared = static_cast<Seam*>(page);
    shared->pid.store(getpid());
    return shared;
}

Seam* seam() {
    static Seam* const shared = mapSeam();
    return shared;
}

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// Set when GLUT has read every pending event: the next look at the clock is then the first of
// a frame (its frame delta), after that frame's keys were handled and before its step.
bool eventsRead = false;
int64_t frameBeganAt = -1;

extern "C" int XPending(Display* display) {
    static const auto real = next<int (*)(Display*)>("XPending");
    const int pending = real(display);
    eventsRead = eventsRead || pending == 0;
    return pending;
}

extern "C" int glutGet(GLenum what) {
    static const auto real = next<int (*)(GLenum)>("glutGet");
    Seam* shared = seam();
    if (what != GLUT_ELAPSED_TIME || !shared) {
        return real(what);
    }
    const int64_t now = shared->now.load();
    if (eventsRead) {
        eventsRead = false;
        if (now != frameBeganAt) {
            frameBeganAt = now;
            shared->framesAtSeen.store(shared->frames.load());
            shared->seen.store(now);
            if (shared->stopOnRead.exchange(0) != 0) {
                raise(SIGSTOP);
            }
        }
    }
    return static_cast<int>(now);
}

extern "C" void glutSwapBuffers() {
    static const auto real = next<void (*)()>("glutSwapBuffers");
    real();
    if (Seam* shared = seam()) {
        // A frame counts as shown once the display has it: what the test reads off the screen
        // after a count is that frame or a later one, even while the game stands stopped.
        if (Display* display = glXGetCurrentDisplay()) {
            XSync(display, False);
        }
        if (++shared->frames == shared->stopAfterFrame.load()) {
            raise(SIGSTOP);
        }
    }
}

extern "C" int XNextEvent(Display* display, XEvent* event) {
    static const auto real = next<int (*)(Display*, XEvent*)>("XNextEvent");
    const int result = real(display, event);
    Seam* shared = seam();
    if (shared && event->type == KeyPress) {
        ++shared->presses;
    }
    return result;
}
