// The game's diagnostic lines on standard output ("Placing berry at: 7,15", ...), its only
// running commentary. Where they go is the shell's choice: by default the C library's
// standard output, in the game a writer that never blocks.
#pragma once

#include <string_view>

// Writes text and a line end. Returns false when the line was not written.
bool writeLine(std::string_view text);

// Sends every line to sink from now on; nullptr restores the default.
using LineSink = bool (*)(std::string_view);
void setLineSink(LineSink sink);
