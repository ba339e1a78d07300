// Standard output for the diagnostic lines.
#include "platform/console.h"

#include <cstdio>

void makeOutputLineBuffered() {
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
}

bool writeLine(std::string_view text) {
    // Line buffering sends the line on its line end, and reports a failed write there.
    const bool wrote = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fputc('\n', stdout) != EOF && wrote && !std::ferror(stdout);
}
