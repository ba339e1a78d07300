// The command line. Nothing reaches GLUT: options it would take (-geometry, -display, ...)
// fight the game's own window handling, so every argument is the game's or refused.
#include "app/options.h"

#include <cstdio>
#include <cstring>

#include "platform/process.h"
#include "scores/shown_text.h"

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
        if (std::strcmp(argument, "--replay") == 0 && options.action == Options::Action::Play) {
            if (i + 1 >= argc) {
                options.action = Options::Action::Refuse;
                options.problem = "--replay needs a file, last or best";
                return options;
            }
            options.action = Options::Action::Replay;
            options.replays = {argv[++i]};
            continue;
        }
        if (std::strcmp(argument, "--check-replay") == 0 &&
            options.action == Options::Action::Play) {
            options.action = Options::Action::CheckReplays;
            options.replays.assign(argv + i + 1, argv + argc);
            if (options.replays.empty()) {
                options.action = Options::Action::Refuse;
                options.problem = "--check-replay needs at least one file";
            }
            return options;
        }
        options.action = Options::Action::Refuse;
        options.problem = "unknown option '" + escapeControls(argument) + "'";
        return options;
    }
    return options;
}

std::string usageText() {
    return "Usage: orvel [--windowed] [--replay FILE|last|best]\n"
           "       orvel --check-replay FILE...\n"
           "A snake game drawn in 3D. Steer with w, a, s, d; Enter chooses, Escape leaves a "
           "game.\n"
           "\n"
           "Options:\n"
           "  --windowed   play in an ordinary 1280x1024 window instead of the full screen\n"
           "  --replay FILE|last|best\n"
           "               play a recorded game back (Escape stops, space pauses, f is 4x)\n"
           "  --check-replay FILE...\n"
           "               check recorded games by the rules alone, without a display\n"
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
           "  $XDG_DATA_HOME/orvel/replays/         every game, recorded (the last 50, the best "
           "10)\n"
           "\n"
           "Exit status: 0 after Exit, 1 on a high-score file error, 2 on a bad command line\n"
           "or ORVEL_SEED, 3 on a display problem (none, or lost); for a replay, 4 when it does\n"
           "not match the recording, 5 when a file is no replay and 6 when \"last\" or \"best\"\n"
           "finds no recording. See orvel(6).\n";
}

void actOnOptions(const Options& options) {
    switch (options.action) {
        case Options::Action::Play:
        case Options::Action::Replay:
        case Options::Action::CheckReplays:
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
