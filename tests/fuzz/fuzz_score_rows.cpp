// libFuzzer target for reading the high-score file's text: any bytes must read without a
// crash or sanitizer report, always read at least one row, and never touch a row outside
// 1..20 nor the unused slot 0.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "scores/score_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::array<scores, kHighScoreSlots + 1> rows{};
    rows[0] = {"sentinel", 12345};
    int calls = 0;
    ScoreLineError error;
    const int32_t read = readScoreRows(
        std::string_view(reinterpret_cast<const char*>(data), size), rows,
        [&calls](const scores&) { ++calls; }, error);
    const bool consistent = read == 0 ? error.line >= 1 && !error.text.empty() : read == calls;
    if (read < 0 || read > kHighScoreSlots || !consistent || rows[0].name != "sentinel" ||
        rows[0].score != 12345) {
        std::abort();
    }
    return 0;
}
