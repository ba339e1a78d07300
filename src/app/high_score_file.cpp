// The high-score table's operations and its shared file.
#include "app/high_score_file.h"

#include <string>
#include <utility>
#include <vector>

#include "app/game.h"
#include "game/diagnostics.h"
#include "platform/console.h"
#include "platform/process.h"
#include "platform/storage.h"
#include "scores/score_table.h"
#include "scores/score_text.h"
#include "scores/shown_text.h"

namespace {

// No line of a table is longer; a longer one means the file is not a table (or is runaway),
// and reading stops before it can exhaust memory.
constexpr size_t kLongestLine = 65536;
// Twenty rows of two lines of the longest length, and their line ends.
constexpr size_t kReadLimit = size_t{2} * kHighScoreSlots * (kLongestLine + 2);

const std::string& filePath() {
    return game.book.highScoreFile.path;
}

std::string shownPath() {
    return escapeControls(filePath());
}

// The table's diagnostic lines are gathered while the lock is held and written once it is
// released: a reader that falls behind never holds up another game waiting for the lock.
using Lines = std::vector<std::string>;

void report(const Lines& lines) {
    for (const std::string& line : lines) {
        writeLine(line);
    }
}

// A name comes from a file anyone sharing it may write: shown, never sent to a terminal raw.
std::string rowText(const scores& row) {
    return escapeControls(row.name) + " : " + std::to_string(row.score);
}

// Reads the file into rows by the load rules, adding a "Loading:" line for each row when given
// somewhere to put them; a file that is no longer there reads as the empty table it was
// created as. False, with the reason in problem and rows in any state, when the file can't be
// read as a table.
bool readTable(ScoreRows& rows, Lines* loading, std::string& problem) {
    const bool reportRows = loading != nullptr;
    std::string text;
    std::string error;
    bool truncated = false;
    if (probeFile(filePath(), error) == FileKind::Missing && !reportRows) {
        text = "\r\n";
    } else if (!readFileStart(filePath(), kReadLimit, text, truncated, error)) {
        problem = escapeControls(error);
        return false;
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
        problem = "line " + std::to_string(line) + " is longer than " +
                  std::to_string(kLongestLine) + " bytes";
        return false;
    }
    for (int32_t i = 1; reportRows && i <= stored; ++i) {
        loading->push_back("Loading: " + rowText(rows[i]));
    }
    if (read == 0) {
        problem = "line " + std::to_string(bad.line) + " should hold a whole number, not \"" +
                  escapeControls(bad.text) + "\"";
        return false;
    }
    if (truncated && consumed == text.size()) {
        problem =
            "it is larger than " + std::to_string(kReadLimit) + " bytes before its twentieth row";
        return false;
    }
    // A short file: the last row read and everything after it up to row 10 become filler rows.
    if (rows[kHighScoreRows].score == 0) {
        for (int32_t i = read; i <= kHighScoreRows; ++i) {
            rows[i] = kFillerRow;
        }
    }
    return true;
}

// The file's table now, with this game's changes replayed onto it, in rows 1..10 of memory.
// False, with memory untouched, when the file can't be read.
bool takeMergedTable(std::string& problem) {
    ScoreRows disk{};
    if (!readTable(disk, nullptr, problem)) {
        return false;
    }
    applyChanges(disk, game.book.highScoreFile.pending);
    for (int i = 1; i <= kHighScoreRows; ++i) {
        game.book.highScores[i] = std::move(disk[i]);
    }
    return true;
}

bool lockFile(FileLock& lock, std::string& problem) {
    std::string error;
    if (!lock.acquire(filePath(), error)) {
        problem = escapeControls(error);
        return false;
    }
    return true;
}

void lockFileOrDie(FileLock& lock) {
    std::string problem;
    if (!lockFile(lock, problem)) {
        fatalError("cannot share the high-score file " + shownPath() + ": " + problem);
    }
}

// Under the lock, the table as the file now holds it with this game's changes.
bool lockAndMerge(FileLock& lock, std::string& problem) {
    return lockFile(lock, problem) && takeMergedTable(problem);
}

// A table that can't be saved or read again during play is no reason to end the session:
// the player is told which file and why, and the table stays in memory with its unsaved
// changes for the next save to try again.
void reportFileProblem(const std::string& what, const std::string& problem) {
    writeErrorLine(what + " " + shownPath() + ": " + problem);
}

// Writes the merged table in memory over the file, under the lock already held.
bool writeTable(std::string& problem) {
    std::string error;
    if (!replaceFile(filePath(), tableText(game.book.highScores), error)) {
        problem = escapeControls(error);
        return false;
    }
    game.book.highScoreFile.pending.clear();
    return true;
}

// Says how a save went, once the lock is released: its "Saving:" lines, or the one line of
// its failure. Returns saved.
bool tellSave(bool saved, const std::string& problem) {
    if (!saved) {
        reportFileProblem("cannot save the high-score table to", problem);
        return false;
    }
    Lines lines;
    for (int i = 1; i <= kHighScoreRows; ++i) {
        lines.push_back("Saving: " + rowText(game.book.highScores[i]));
    }
    report(lines);
    return true;
}

}  // namespace

void openOrCreateHighScoreFile() {
    game.book.highScoreFile.path = highScoreFilePath();
    if (filePath().empty()) {
        fatalError("cannot place the high-score file: " + noDataFolderReason());
    }
    std::string error;
    switch (probeFile(filePath(), error)) {
        case FileKind::Missing: {
            if (!makeParentFolders(filePath(), error)) {
                fatalError("cannot create the high-score file: " + escapeControls(error));
            }
            // Under the lock, and only if no other game created it meanwhile: a table another
            // game has just saved is never replaced by an empty one.
            bool created = false;
            {
                FileLock lock;
                lockFileOrDie(lock);
                if (probeFile(filePath(), error) == FileKind::Missing) {
                    std::string note;
                    std::string start = carriedOverTable(filePath(), note);
                    if (!note.empty()) {
                        writeErrorLine(escapeControls(note));
                    }
                    if (start.empty()) {
                        start = "\r\n";
                    }
                    if (!replaceFile(filePath(), start, error)) {
                        fatalError("cannot create the high-score file: " + escapeControls(error));
                    }
                    created = true;
                }
            }
            if (created) {
                report({"Created new file."});
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
    Lines loading;
    std::string problem;
    {
        FileLock lock;
        lockFileOrDie(lock);
        if (!readTable(game.book.highScores, &loading, problem)) {
            fatalError("cannot load the high-score file " + shownPath() + ": " + problem);
        }
    }
    game.book.highScoreFile.loaded = true;
    report(loading);
}

bool saveHighScores() {
    // A table that was never loaded must never replace the player's file.
    if (!game.book.highScoreFile.loaded) {
        return true;
    }
    std::string problem;
    bool saved = false;
    {
        FileLock lock;
        saved = lockAndMerge(lock, problem) && writeTable(problem);
    }
    return tellSave(saved, problem);
}

int32_t enterResult(const scores& row) {
    const bool loaded = game.book.highScoreFile.loaded;
    std::string problem;
    int32_t at = 0;
    bool saved = false;
    {
        FileLock lock;
        // Decided on the table as it stands on disk: another game may have saved or reset it.
        const bool merged = loaded && lockAndMerge(lock, problem);
        sortHighScores();
        at = enterHighScore(row);
        saved = at > 0 && merged && writeTable(problem);
    }
    if (at > 0 && loaded) {
        tellSave(saved, problem);
    }
    return at;
}

void refreshHighScores() {
    if (!game.book.highScoreFile.loaded) {
        return;
    }
    FileLock lock;
    std::string problem;
    if (!lockAndMerge(lock, problem)) {
        reportFileProblem("cannot read the high-score table again from", problem);
    }
}

void sortHighScores() {
    sortRows(game.book.highScores);
    recordChange(game.book.highScoreFile.pending, {TableChange::Kind::Sort, {}});
}

int32_t enterHighScore(const scores& row) {
    const int32_t at = enterRow(game.book.highScores, row);
    if (at > 0) {
        recordChange(game.book.highScoreFile.pending, {TableChange::Kind::Enter, row});
    }
    return at;
}

void clearHighScores() {
    clearRows(game.book.highScores);
    recordChange(game.book.highScoreFile.pending, {TableChange::Kind::Reset, {}});
    if (saveHighScores()) {
        report({"Cleared File."});
    }
}
