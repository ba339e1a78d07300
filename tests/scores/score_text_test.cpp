// The table's text: what the reader makes of lines and score fields, and what a save writes.
#include <gtest/gtest.h>

#include "scores/score_table.h"
#include "scores/score_text.h"

namespace {

int32_t read(std::string_view text, ScoreRows& rows, ScoreLineError& error) {
    return readScoreRows(
        text, rows, [](const scores&) {}, error);
}

}  // namespace

TEST(ScoreText, ASavedTableReadsBackWithAnyLineEnd) {
    ScoreRows table{};
    clearRows(table);
    table[1] = {"Player 1 - 4 - Black Mamba \xE9", 30};
    table[2] = {"", -7};
    const std::string text = tableText(table);
    EXPECT_EQ(text.substr(0, 38), "Player 1 - 4 - Black Mamba \xE9\r\n30\r\n\r\n-7");
    for (const char* end : {"\r\n", "\n", "\r"}) {
        std::string converted;
        for (size_t at = 0; at < text.size(); at += 2) {
            const size_t line = text.find("\r\n", at);
            converted += text.substr(at, line - at) + end;
            at = line;
        }
        ScoreRows rows{};
        ScoreLineError error;
        EXPECT_EQ(read(converted, rows, error), 10) << "line end " << int(end[0]);
        EXPECT_EQ(rows[1].name, table[1].name);
        EXPECT_EQ(rows[2].score, -7);
        EXPECT_EQ(rows[10].name, "AAA");
    }
}

TEST(ScoreText, AScoreFieldIsItsFirstWordKeptToSixteenBits) {
    int16_t score = 1;
    EXPECT_TRUE(parseScore("70000", score));
    EXPECT_EQ(score, 4464);
    EXPECT_TRUE(parseScore("-32768", score));
    EXPECT_EQ(score, -32768);
    EXPECT_TRUE(parseScore("32768", score));
    EXPECT_EQ(score, -32768);
    EXPECT_FALSE(parseScore("12a", score));
    EXPECT_FALSE(parseScore("", score));

    ScoreRows rows{};
    ScoreLineError error;
    EXPECT_EQ(read("Ann\r\n  12 abc\r\nBob\r\n7\r\n", rows, error), 2);
    EXPECT_EQ(rows[1].score, 12);
    EXPECT_EQ(read("Ann\r\n12\r\nBob\r\nabc\r\n", rows, error), 0);
    EXPECT_EQ(error.line, 4);
    EXPECT_EQ(error.text, "abc");
}

TEST(ScoreText, ReadingStopsAfterTheTwentiethRow) {
    std::string text;
    for (int i = 1; i <= 21; ++i) {
        text += "R" + std::to_string(i) + "\n" + std::to_string(i) + "\n";
    }
    text += "x\nnot a number\n";
    ScoreRows rows{};
    ScoreLineError error;
    size_t consumed = 0;
    EXPECT_EQ(readScoreRows(
                  text, rows, [](const scores&) {}, error, &consumed),
              20);
    EXPECT_EQ(rows[20].name, "R20");
    EXPECT_EQ(text.substr(consumed, 4), "R21\n");
}
