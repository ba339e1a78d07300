// The console on Windows: the C runtime's streams, flushed line by line. A console or pipe
// that stops taking bytes is not detected here.
#include <cstdio>
#include <string>

#include "platform/console.h"

namespace {
bool outputLost = false;
}  // namespace

void openClosedStandardStreams() {}

bool writeOutputLine(std::string_view text) {
    const bool wrote = std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                       std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
    if (!wrote && !outputLost) {
        outputLost = true;
        writeErrorLine("standard output is not taking the game's lines; they are dropped");
    }
    return wrote;
}

bool writeReportLine(std::string_view text) {
    return writeOutputLine(text);
}

bool writeOutputLineWaiting(std::string_view text) {
    return writeOutputLine(text);  // the C runtime's streams block already
}

void writeErrorLine(std::string_view text) {
    std::fprintf(stderr, "orvel: %.*s\n", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
}
