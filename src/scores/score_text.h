// Reading the high-score file's text: line splitting and the score field's number rules.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "scores/score_table.h"

// A cursor over the file's bytes that knows which line it is on.
class ScoreTextReader {
public:
    explicit ScoreTextReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    size_t position() const { return pos_; }

    // The rest of the current line without its line end; moves to the next line.
    std::string readLine();
    // Skips every byte of code 32 or less (line ends included) and returns the run of bytes
    // above 32 that follows; empty when the text ends first. tokenLine tells where it stood.
    std::string readToken(int32_t& tokenLine);
    // Skips the rest of the current line and its line end.
    void skipLine();

private:
    // Consumes one line end (CR LF, LF or CR) at the cursor, if there is one.
    bool consumeLineEnd();

    std::string_view text_;
    size_t pos_ = 0;
    int32_t line_ = 1;
};

// A signed decimal whole number kept to its low 16 bits (any number of digits). False when the
// token is not a whole number.
bool parseScore(std::string_view token, int16_t& score);

// Where a score line was not a whole number.
struct ScoreLineError {
    int32_t line = 0;
    std::string text;
};

// Reads rows from the file's text into rows[1..20], one name line and one score field each,
// calling onRow after each row is stored. Reading stops at the end of the text or after the
// twentieth row; at least one row is always read. Returns the number of rows read, or 0 when a
// score is not a whole number (error then says where). consumed, when given, receives how many
// bytes of text the rows took.
int32_t readScoreRows(std::string_view text, std::array<scores, kHighScoreSlots + 1>& rows,
                      const std::function<void(const scores&)>& onRow, ScoreLineError& error,
                      size_t* consumed = nullptr);

// The number (from 1) of the first line of text longer than limit bytes, or 0 when none is.
int32_t firstLongLine(std::string_view text, size_t limit);
