// The high-score file through the real file system: creation, loading with its padding rule,
// line ends, score parsing, saving, sorting and clearing.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/high_score_file.h"
#include "game_test.h"

namespace {

class HighScoreFile_ : public ScoreFileTest {
protected:
    std::string open() {
        testing::internal::CaptureStdout();
        openOrCreateHighScoreFile();
        loadHighScores();
        return testing::internal::GetCapturedStdout();
    }
    std::string save() {
        testing::internal::CaptureStdout();
        saveHighScores();
        return testing::internal::GetCapturedStdout();
    }
    void expectRow(int row, const std::string& name, int16_t score) {
        EXPECT_EQ(game.book.highScores[row].name, name) << "row " << row;
        EXPECT_EQ(game.book.highScores[row].score, score) << "row " << row;
    }
};

std::string rows(std::initializer_list<std::pair<const char*, int>> table,
                 const char* end = "\r\n") {
    std::string text;
    for (const auto& [name, score] : table) {
        text += std::string(name) + end + std::to_string(score) + end;
    }
    return text;
}

// A full table in save's format, with the line end given.
std::string tenRows(const char* end = "\r\n") {
    return rows({{"Ann", 90},
                 {"Bob", 80},
                 {"Cy", 70},
                 {"Di", 60},
                 {"Ed", 50},
                 {"Flo", 40},
                 {"Gus", 30},
                 {"Hal", 20},
                 {"Ivy", 10},
                 {"Jo", 5}},
                end);
}

const std::string kTenRows = tenRows();

// A full table whose row 10 scores 0.
const std::string kTenRowsEndingInZero = rows({{"A", 9},
                                               {"B", 8},
                                               {"C", 7},
                                               {"D", 6},
                                               {"E", 5},
                                               {"F", 4},
                                               {"G", 3},
                                               {"H", 2},
                                               {"I", 1},
                                               {"Zed", 0}});

}  // namespace

TEST_F(HighScoreFile_, AMissingFileIsCreatedAsOneEmptyLineAndLoadsAsTenFillerRows) {
    const std::string output = open();
    EXPECT_EQ(output, "Created new file.\nLoading:  : 0\n");
    EXPECT_EQ(readScoreFile(), "\r\n");
    for (int row = 1; row <= 10; ++row) {
        expectRow(row, "AAA", 0);
    }
}

TEST_F(HighScoreFile_, ASavedTableLoadsBackUnchanged) {
    writeScoreFile(kTenRows);
    const std::string output = open();
    EXPECT_EQ(output.find("Created"), std::string::npos);
    EXPECT_EQ(output.rfind("Loading: Ann : 90\nLoading: Bob : 80\n", 0), 0u);
    expectRow(1, "Ann", 90);
    expectRow(10, "Jo", 5);
    EXPECT_EQ(save().rfind("Saving: Ann : 90\n", 0), 0u);
    EXPECT_EQ(readScoreFile(), kTenRows);
}

TEST_F(HighScoreFile_, RowTenWithScoreZeroBecomesAFillerRow) {
    writeScoreFile(kTenRowsEndingInZero);
    open();
    expectRow(9, "I", 1);
    expectRow(10, "AAA", 0);
}

TEST_F(HighScoreFile_, FourRowsKeepThreeAndTheRestAreFiller) {
    writeScoreFile(rows({{"A", 9}, {"B", 8}, {"C", 7}, {"D", 6}}));
    open();
    expectRow(3, "C", 7);
    expectRow(4, "AAA", 0);
    expectRow(10, "AAA", 0);
}

TEST_F(HighScoreFile_, AnExtraEmptyLineIsReadAsRowEleven) {
    writeScoreFile(kTenRowsEndingInZero + "\r\n");
    const std::string output = open();
    EXPECT_NE(output.find("Loading: Zed : 0\nLoading:  : 0\n"), std::string::npos);
    expectRow(10, "Zed", 0);
    expectRow(11, "", 0);
}

TEST_F(HighScoreFile_, TwelveRowsFillSlotsElevenAndTwelveButSaveWritesTen) {
    writeScoreFile(kTenRows + rows({{"Kai", 3}, {"Lu", 2}}));
    open();
    expectRow(11, "Kai", 3);
    expectRow(12, "Lu", 2);
    save();
    EXPECT_EQ(readScoreFile(), kTenRows);
}

TEST_F(HighScoreFile_, ReadingStopsAfterTheTwentiethRow) {
    std::string text;
    for (int i = 1; i <= 25; ++i) {
        text += "R" + std::to_string(i) + "\r\n" + std::to_string(100 - i) + "\r\n";
    }
    text += "not a number\r\nabc\r\n";  // beyond the table's slots: never read
    writeScoreFile(text);
    const std::string output = open();
    expectRow(20, "R20", 80);
    EXPECT_EQ(output.find("R21"), std::string::npos);
}

TEST_F(HighScoreFile_, ScoreLineTakesItsFirstWordAndSkipsTheRest) {
    writeScoreFile("Ann\r\n12 abc\r\nBob\r\n  7\r\n");
    open();
    expectRow(1, "Ann", 12);
    expectRow(2, "AAA", 0);  // the last row read is padded over
}

TEST_F(HighScoreFile_, AScoreLineOfLettersIsFatalAndNamesTheLine) {
    writeScoreFile("Ann\r\n12\r\nBob\r\nabc\r\n");
    EXPECT_EXIT(open(), testing::ExitedWithCode(1),
                "highScores.txt: line 4 should hold a whole number, not \"abc\"");
}

TEST_F(HighScoreFile_, AnEmptyFileLoadsAsTenFillerRows) {
    writeScoreFile("");
    EXPECT_EQ(open(), "Loading:  : 0\n");
    expectRow(1, "AAA", 0);
    EXPECT_EQ(readScoreFile(), "");
}

TEST_F(HighScoreFile_, LoneLineFeedsAndCarriageReturnsEndLines) {
    for (const char* end : {"\n", "\r"}) {
        writeScoreFile(tenRows(end));
        open();
        expectRow(1, "Ann", 90);
        expectRow(10, "Jo", 5);
    }
}

TEST_F(HighScoreFile_, ScoresKeepTheirSignAndTheirLowSixteenBits) {
    writeScoreFile(rows({{"Neg", -5},
                         {"Big", 70000},
                         {"Edge", -32768},
                         {"Wrap", 32768},
                         {"D", 6},
                         {"E", 5},
                         {"F", 4},
                         {"G", 3},
                         {"H", 2},
                         {"I", 1}}) +
                   "");
    open();
    expectRow(1, "Neg", -5);
    expectRow(2, "Big", 4464);  // 70000 - 65536
    expectRow(3, "Edge", -32768);
    expectRow(4, "Wrap", -32768);
    save();
    EXPECT_EQ(readScoreFile().substr(0, 18), "Neg\r\n-5\r\nBig\r\n4464");
}

// A name is kept byte for byte, and shown on the terminal as text: UTF-8 as it is, but control
// bytes (a terminal's title, the clipboard), bytes that are no UTF-8 and a right-to-left override
// as \xNN.
TEST_F(HighScoreFile_, NamesKeepSpacesAndHighBytes) {
    const std::string name =
        "Player 1 - 4 - Black Mamba \xC3\xA9\xE9\xFF\x1B]52;c;eA==\x07\xE2\x80\xAE";
    writeScoreFile(name + "\r\n30\r\n" +
                   rows({{"B", 9},
                         {"C", 8},
                         {"D", 7},
                         {"E", 6},
                         {"F", 5},
                         {"G", 4},
                         {"H", 3},
                         {"I", 2},
                         {"J", 1}}));
    const std::string output = open();
    expectRow(1, name, 30);
    const std::string shown =
        "Player 1 - 4 - Black Mamba \xC3\xA9\\xE9\\xFF\\x1B]52;c;eA==\\x07\\xE2\\x80\\xAE";
    EXPECT_EQ(output.rfind("Loading: " + shown + " : 30\n", 0), 0u) << output;
    EXPECT_EQ(save().rfind("Saving: " + shown + " : 30\n", 0), 0u);
    EXPECT_EQ(readScoreFile().rfind(name + "\r\n30\r\n", 0), 0u);
}

TEST_F(HighScoreFile_, SortIsStableHighestFirstAndLeavesTheOverflowRows) {
    const int16_t before[] = {3, 7, 7, 0, 1, 1, 0, 9, -2, 0};
    for (int i = 1; i <= 10; ++i) {
        game.book.highScores[i] = {"r" + std::to_string(i), before[i - 1]};
    }
    game.book.highScores[11] = {"eleven", 100};
    sortHighScores();
    const char* order[] = {"r8", "r2", "r3", "r1", "r5", "r6", "r4", "r7", "r10", "r9"};
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(game.book.highScores[i].name, order[i - 1]) << "row " << i;
    }
    EXPECT_EQ(game.book.highScores[11].name, "eleven");
}

TEST_F(HighScoreFile_, ClearWritesTenFillerRowsInEightyBytes) {
    writeScoreFile(kTenRows);
    open();
    testing::internal::CaptureStdout();
    clearHighScores();
    const std::string output = testing::internal::GetCapturedStdout();
    std::string expected;
    for (int i = 0; i < 10; ++i) {
        expected += "Saving: AAA : 0\n";
    }
    EXPECT_EQ(output, expected + "Cleared File.\n");
    EXPECT_EQ(readScoreFile(), rows({{"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0},
                                     {"AAA", 0}}));
    EXPECT_EQ(std::filesystem::file_size(scoreFile()), 80u);
}

TEST_F(HighScoreFile_, AFileThatCannotBeCreatedIsFatalAndSaysWhere) {
    writeScoreFile("");
    setenv("XDG_DATA_HOME", scoreFile().c_str(), 1);  // a folder path running through a file
    EXPECT_EXIT(open(), testing::ExitedWithCode(1),
                "cannot create the high-score file: cannot create folder .*highScores.txt/orvel");
}

TEST_F(HighScoreFile_, AFolderInPlaceOfTheFileIsFatal) {
    std::filesystem::create_directories(scoreFile());
    EXPECT_EXIT(open(), testing::ExitedWithCode(1),
                "cannot use the high-score file: .*highScores.txt is a folder");
}

TEST_F(HighScoreFile_, ATableThatWasNeverLoadedIsNeverSaved) {
    writeScoreFile(kTenRows);
    testing::internal::CaptureStdout();
    openOrCreateHighScoreFile();  // bound, but the load never happened
    game.book.highScores[1] = {"Stale", 1};
    saveHighScores();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(readScoreFile(), kTenRows);
}

// Another game reset the shared table after this one loaded it: a result below this game's
// stale row 10 still enters, because game over decides on the table as the file has it.
TEST_F(HighScoreFile_, GameOverDecidesOnTheTableAsItStandsOnDisk) {
    writeScoreFile(kTenRows);
    open();
    std::string reset;
    for (int i = 0; i < 10; ++i) {
        reset += "AAA\r\n0\r\n";
    }
    writeScoreFile(reset);
    testing::internal::CaptureStdout();
    EXPECT_EQ(enterResult({"Player 1 - 2 - Python", 1}), 1);
    EXPECT_EQ(
        testing::internal::GetCapturedStdout().rfind("Saving: Player 1 - 2 - Python : 1\n", 0), 0u);
    expectRow(1, "Player 1 - 2 - Python", 1);
    expectRow(2, "AAA", 0);
    EXPECT_EQ(readScoreFile().substr(0, 26), "Player 1 - 2 - Python\r\n1\r\n");
}

TEST_F(HighScoreFile_, ARunawayLineIsFatalAndNamesIt) {
    writeScoreFile("Ann\r\n90\r\n" + std::string(70000, 'x') + "\r\n5\r\n");
    EXPECT_EXIT(open(), testing::ExitedWithCode(1), "line 3 is longer than 65536 bytes");
}
