// Diagnostic lines on standard output, the game's only running commentary.
#pragma once

#include <string_view>

// Makes standard output line-buffered, so that every diagnostic line is seen when it happens.
void makeOutputLineBuffered();

// Writes text and a line end to standard output. Returns false when the write failed.
bool writeLine(std::string_view text);
