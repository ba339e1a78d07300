/* Makes glXSwapBuffers behave as on a 60 Hz display with vsync: after the real swap it waits
 * for the next 1/60 s boundary of the monotonic clock. Used by bench/pacing.sh under Xvfb,
 * which has no swap control of its own:
 *   LD_PRELOAD=swap_at_60hz.so orvel */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <time.h>

void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    static void (*real)(Display*, GLXDrawable) = 0;
    if (!real) {
        *(void**)&real = dlsym(RTLD_NEXT, "glXSwapBuffers");
    }
    real(display, drawable);
    const long long period = 1000000000LL / 60;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
    const long long next = (ns / period + 1) * period;
    const struct timespec until = {(time_t)(next / 1000000000LL), (long)(next % 1000000000LL)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, 0);
}
