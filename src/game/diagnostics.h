// The game's diagnostic lines on standard output ("Placing berry at: 7,15", ...), its only
// running commentary.
#pragma once

#include <string_view>

// Writes text and a line end to standard output. Returns false when the write failed.
bool writeLine(std::string_view text);
