// Diagnostic lines on standard output.
#include "game/diagnostics.h"

#include <cstdio>

bool writeLine(std::string_view text) {
    // Standard output is line-buffered from start-up on: the line goes out on its line end,
    // and a failed write is reported there.
    const bool wrote = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fputc('\n', stdout) != EOF && wrote && !std::ferror(stdout);
}
