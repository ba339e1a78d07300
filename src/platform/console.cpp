// Standard output's buffering.
#include "platform/console.h"

#include <cstdio>

void makeOutputLineBuffered() {
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}
