// libFuzzer target for reading replays, the files strangers share: any bytes must read without
// a crash or sanitizer report, and whatever reads as a replay must write back as text that
// reads the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/replay_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Replay replay;
    int32_t line = 0;
    std::string problem;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!parseReplay(text, replay, line, problem)) {
        if (problem.empty() || line < 0) {
            std::abort();
        }
        return 0;
    }
    Replay again;
    if (!parseReplay(replayText(replay), again, line, problem) ||
        replayText(again) != replayText(replay)) {
        std::abort();
    }
    return 0;
}
