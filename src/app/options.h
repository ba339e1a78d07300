// The command line: what the player asked for, read before GLUT or any file is touched.
#pragma once

#include <string>

struct Options {
    enum class Action { Play, Help, Version, Refuse };
    Action action = Action::Play;
    bool windowed = false;  // an ordinary window instead of the full screen
    std::string problem;    // why the command line was refused
};

Options parseOptions(int argc, char** argv);

// The --help text: usage, options, environment and files.
std::string usageText();

// Answers --help and --version (exit 0) and a refused command line (one line and the usage on
// standard error, exit 2); returns only when the game is to be played.
void actOnOptions(const Options& options);
