// The command line. Nothing reaches GLUT: options it would take (-geometry, -display, ...)
// fight the game's own window handling, so every argument is the game's or refused.
#include "app/options.h"

#include <cstdio>
#include <cstring>

#include "platform/process.h"

#ifndef ORVEL_VERSION
#define ORVEL_VERSION "unknown"
#endif

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            options.action = Options::Action::Help;
            return options;
        }
        if (std::strcmp(argument, "--version") == 0) {
            options.action = Options::Action::Version;
            return options;
        }
        if (std::strcmp(argument, "--windowed") == 0) {
            options.windowed = true;
            continue;
        }
        options.action = Options::Action::Refuse;
        options.problem = std::string("unknown option '") + argument + "'";
        return options;
    }
    return options;
}

std::string usageText() {
    return "Usage: orvel [--windowed]\n"
           "A snake game drawn in 3D. Steer with w, a, s, d; Enter chooses, Escape leaves a "
           "game.\n"
           "\n"
           "Options:\n"
           "  --windowed   play in an ordinary 1280x1024 window instead of the full screen\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "Environment:\n"
           "  ORVEL_SEED     a whole number 0..4294967295 that replaces the clock as the seed\n"
           "  ORVEL_VSYNC    0 draws as fast as possible instead of once per refresh\n"
           "  XDG_DATA_HOME  where the high-score table lives (default ~/.local/share)\n"
           "  DISPLAY        the X11 display to play on\n"
           "\n"
           "Files:\n"
           "  $XDG_DATA_HOME/orvel/highScores.txt   the table of the ten best scores\n"
           "\n"
           "Exit status: 0 after Exit, 1 on a high-score file error, 2 on a bad command line\n"
           "or ORVEL_SEED, 3 on a display problem (none, or lost). See orvel(6).\n";
}

void actOnOptions(const Options& options) {
    switch (options.action) {
        case Options::Action::Play:
            return;
        case Options::Action::Help:
            std::fputs(usageText().c_str(), stdout);
            exitProcess(0);
        case Options::Action::Version:
            std::puts("orvel " ORVEL_VERSION);
            exitProcess(0);
        case Options::Action::Refuse:
            std::fprintf(stderr, "orvel: %s\nTry 'orvel --help' for more information.\n",
                         options.problem.c_str());
            exitProcess(2);
    }
}
