// The command line: what the player asked for, read before GLUT or any file is touched.
#pragma once

#include <string>
#include <vector>

struct Options {
    enum class Action { Play, Help, Version, Refuse, Replay, CheckReplays };
    Action action = Action::Play;
    bool windowed = false;             // an ordinary window instead of the full screen
    std::string problem;               // why the command line was refused
    std::vector<std::string> replays;  // --replay's one (a file, last or best), --check-replay's
};

Options parseOptions(int argc, char** argv);

// The --help text: usage, options, environment and files.
std::string usageText();

// Answers --help and --version (exit 0) and a refused command line (one line and a pointer to
// --help on standard error, exit 2); returns when the game is to be played, a replay played
// back or replays checked.
void actOnOptions(const Options& options);
