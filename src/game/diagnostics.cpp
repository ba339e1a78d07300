// Diagnostic lines and where they go.
#include "game/diagnostics.h"

#include <cstdio>

namespace {

bool writeToStandardOutput(std::string_view text) {
    const bool wrote = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    return std::fputc('\n', stdout) != EOF && wrote && std::fflush(stdout) == 0;
}

LineSink lineSink = nullptr;

}  // namespace

bool writeLine(std::string_view text) {
    return lineSink ? lineSink(text) : writeToStandardOutput(text);
}

void setLineSink(LineSink sink) {
    lineSink = sink;
}
