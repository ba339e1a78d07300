// The high-score table's operations and its shared file.
#include "app/high_score_file.h"

#include <utility>

#include "game/diagnostics.h"
#include "app/game.h"
#include "platform/process.h"
#include "platform/storage.h"
#include "scores/score_table.h"
#include "scores/score_text.h"

namespace {

// No line of a table is longer; a longer one means the file is not a table (or is runaway),
// and reading stops before it can exhaust memory.
constexpr size_t kLongestLine = 65536;
// Twenty rows of two lines of the longest length, and their line ends.
constexpr size_t kReadLimit = 2 * kHighScoreSlots * (kLongestLine + 2);

const std::string& filePath() {
    return game.highScoreFile.path;
}

std::string shownPath() {
    return escapeControls(filePath());
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

// Reads the file into rows by the load rules, reporting each row when asked to; a file that
// is no longer there reads as the empty table it was created as.
void readTable(ScoreRows& rows, bool reportRows) {
    std::string text;
    std::string error;
    bool truncated = false;
    if (probeFile(filePath(), error) == FileKind::Missing && !reportRows) {
        text = "\r\n";
    } else if (!readFileStart(filePath(), kReadLimit, text, truncated, error)) {
        fatalError("cannot load the high-score file: " + escapeControls(error));
    }
    // Rows are reported only once the text is known to be sane, so that a runaway line never
    // reaches standard output.
    ScoreLineError bad;
    size_t consumed = 0;
    int32_t stored = 0;
    const int32_t read = readScoreRows(
        text, rows, [&stored](const scores&) { ++stored; }, bad, &consumed);
    // Only the bytes the rows took count; a score that is no number is checked whole.
    const size_t checked = read == 0 ? text.size() : consumed;
    if (const int32_t line =
            firstLongLine(std::string_view(text).substr(0, checked), kLongestLine)) {
        fatalError("cannot load the high-score file " + shownPath() + ": line " +
                   std::to_string(line) + " is longer than " + std::to_string(kLongestLine) +
                   " bytes");
    }
    for (int32_t i = 1; reportRows && i <= stored; ++i) {
        report("Loading: " + rowText(rows[i]));
    }
    if (read == 0) {
        fatalError("cannot load the high-score file " + shownPath() + ": line " +
                   std::to_string(bad.line) + " should hold a whole number, not \"" +
                   escapeControls(bad.text) + "\"");
    }
    if (truncated && consumed == text.size()) {
        fatalError("cannot load the high-score file " + shownPath() + ": it is larger than " +
                   std::to_string(kReadLimit) + " bytes before its twentieth row");
    }
    // A short file: the last row read and everything after it up to row 10 become filler rows.
    if (rows[kHighScoreRows].score == 0) {
        for (int32_t i = read; i <= kHighScoreRows; ++i) {
            rows[i] = kFillerRow;
        }
    }
}

// The file's table now, with this game's changes replayed onto it, in rows 1..10 of memory.
void takeMergedTable() {
    ScoreRows disk{};
    readTable(disk, false);
    applyChanges(disk, game.highScoreFile.pending);
    for (int i = 1; i <= kHighScoreRows; ++i) {
        game.highScores[i] = std::move(disk[i]);
    }
}

void lockFile(FileLock& lock) {
    std::string error;
    if (!lock.acquire(filePath(), error)) {
        fatalError("cannot share the high-score file: " + escapeControls(error));
    }
}

// Under the lock, the table as the file now holds it with this game's changes; false, with
// nothing done, for a table that was never loaded, which must never replace the player's file.
bool lockAndMerge(FileLock& lock) {
    if (!game.highScoreFile.loaded) {
        return false;
    }
    lockFile(lock);
    takeMergedTable();
    return true;
}

}  // namespace

void openOrCreateHighScoreFile() {
    game.highScoreFile.path = highScoreFilePath();
    if (filePath().empty()) {
        fatalError("cannot place the high-score file: neither XDG_DATA_HOME nor HOME is set");
    }
    std::string error;
    switch (probeFile(filePath(), error)) {
        case FileKind::Missing: {
            if (!makeParentFolders(filePath(), error)) {
                fatalError("cannot create the high-score file: " + escapeControls(error));
            }
            // Under the lock, and only if no other game created it meanwhile: a table another
            // game has just saved is never replaced by an empty one.
            FileLock lock;
            lockFile(lock);
            if (probeFile(filePath(), error) == FileKind::Missing) {
                if (!replaceFile(filePath(), "\r\n", error)) {
                    fatalError("cannot create the high-score file: " + escapeControls(error));
                }
                report("Created new file.");
            }
            break;
        }
        case FileKind::Unusable:
            fatalError("cannot use the high-score file: " + escapeControls(error));
        case FileKind::Regular:
            break;
    }
    // Found now rather than at the first save, after a whole session of play.
    const std::string problem = replaceProblem(filePath());
    if (!problem.empty()) {
        fatalError("cannot save the high-score table: " + escapeControls(problem));
    }
    removeStaleSaves(filePath());
}

void loadHighScores() {
    FileLock lock;
    lockFile(lock);
    readTable(game.highScores, true);
    game.highScoreFile.loaded = true;
}

void saveHighScores() {
    FileLock lock;
    if (!lockAndMerge(lock)) {
        return;
    }
    std::string error;
    if (!replaceFile(filePath(), tableText(game.highScores), error)) {
        fatalError("cannot save the high-score file: " + escapeControls(error));
    }
    game.highScoreFile.pending.clear();
    for (int i = 1; i <= kHighScoreRows; ++i) {
        report("Saving: " + rowText(game.highScores[i]));
    }
}

void refreshHighScores() {
    FileLock lock;
    lockAndMerge(lock);
}

void sortHighScores() {
    sortRows(game.highScores);
    recordChange(game.highScoreFile.pending, {TableChange::Kind::Sort, {}});
}

int32_t enterHighScore(const scores& row) {
    const int32_t at = enterRow(game.highScores, row);
    if (at > 0) {
        recordChange(game.highScoreFile.pending, {TableChange::Kind::Enter, row});
    }
    return at;
}

void clearHighScores() {
    clearRows(game.highScores);
    recordChange(game.highScoreFile.pending, {TableChange::Kind::Reset, {}});
    saveHighScores();
    report("Cleared File.");
}
