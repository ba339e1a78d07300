// The high-score table's operations and its file.
#include "scores/high_scores.h"

#include <utility>

#include "app/game_state.h"
#include "platform/console.h"
#include "platform/process.h"
#include "platform/storage.h"
#include "scores/score_text.h"

namespace {

const scores kFillerRow{"AAA", 0};

const std::string& filePath() {
    return game.highScoreFile.path;
}

// Diagnostic lines are part of what the table reports; losing them is an I/O error too.
void report(const std::string& line) {
    if (!writeLine(line)) {
        fatalError("cannot write to standard output");
    }
}

std::string rowText(const scores& row) {
    return row.name + " : " + std::to_string(row.score);
}

}  // namespace

void openOrCreateHighScoreFile() {
    game.highScoreFile.path = highScoreFilePath();
    if (filePath().empty()) {
        fatalError("cannot place the high-score file: neither XDG_DATA_HOME nor HOME is set");
    }
    if (canOpenForReading(filePath())) {
        return;
    }
    std::string error;
    if (!makeParentFolders(filePath(), error) || !replaceFile(filePath(), "\r\n", error)) {
        fatalError("cannot create the high-score file: " + error);
    }
    report("Created new file.");
}

void loadHighScores() {
    std::string text;
    std::string error;
    if (!readWholeFile(filePath(), text, error)) {
        fatalError("cannot load the high-score file: " + error);
    }
    ScoreLineError bad;
    const int32_t read = readScoreRows(
        text, game.highScores, [](const scores& row) { report("Loading: " + rowText(row)); }, bad);
    if (read == 0) {
        fatalError("cannot load the high-score file " + filePath() + ": line " +
                   std::to_string(bad.line) + " should hold a whole number, not \"" + bad.text +
                   "\"");
    }

    // A short file: the last row read and everything after it up to row 10 become filler rows.
    if (game.highScores[kHighScoreRows].score == 0) {
        for (int32_t i = read; i <= kHighScoreRows; ++i) {
            game.highScores[i] = kFillerRow;
        }
    }
}

void saveHighScores() {
    std::string bytes;
    for (int i = 1; i <= kHighScoreRows; ++i) {
        bytes +=
            game.highScores[i].name + "\r\n" + std::to_string(game.highScores[i].score) + "\r\n";
    }
    std::string error;
    if (!replaceFile(filePath(), bytes, error)) {
        fatalError("cannot save the high-score file: " + error);
    }
    for (int i = 1; i <= kHighScoreRows; ++i) {
        report("Saving: " + rowText(game.highScores[i]));
    }
}

void sortHighScores() {
    for (int pass = 1; pass <= kHighScoreRows - 1; ++pass) {
        for (int i = 1; i <= kHighScoreRows - 1; ++i) {
            if (game.highScores[i].score < game.highScores[i + 1].score) {
                std::swap(game.highScores[i], game.highScores[i + 1]);
            }
        }
    }
}

void clearHighScores() {
    for (int i = 1; i <= kHighScoreRows; ++i) {
        game.highScores[i] = kFillerRow;
    }
    saveHighScores();
    report("Cleared File.");
}
