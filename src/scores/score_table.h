// The high-score table as data: its row, its size, the changes a game makes to it, and the
// rules on plain rows with no file and no game around them: sorting, entering a new result,
// clearing, and replaying one game's changes onto a table read from disk, so that several
// games sharing the file lose none of each other's results; and the file's text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kHighScoreRows = 10;   // rows shown, sorted, saved and cleared
constexpr int kHighScoreSlots = 20;  // rows a longer file may fill; reading stops after these

// One row of the table.
struct scores {
    std::string name;
    int16_t score = 0;
};

// One change a game made to its table since it last saved.
struct TableChange {
    enum class Kind { Sort, Enter, Reset };
    Kind kind;
    scores row;  // the entered row, for Enter
};

// The table's file, bound once at start-up and never held open.
struct HighScoreFile {
    std::string path;
    bool loaded = false;               // saving is refused until the file was loaded
    std::vector<TableChange> pending;  // this game's changes since its last save
};

using ScoreRows = std::array<scores, kHighScoreSlots + 1>;  // 1..20; rows 1..10 are the table

inline const scores kFillerRow{"AAA", 0};

// Stable bubble sort of rows 1..10, highest score first.
void sortRows(ScoreRows& rows);

// Enters row into sorted rows 1..10 when its score beats row 10's: below every row with an
// equal or higher score; the rows under it move down and the old row 10 drops out. Returns
// the row it took, or 0 when it did not enter.
int32_t enterRow(ScoreRows& rows, const scores& row);

// Rows 1..10 become filler rows.
void clearRows(ScoreRows& rows);

// Records a change, dropping what it makes pointless (a repeated sort; everything before a
// reset).
void recordChange(std::vector<TableChange>& changes, TableChange change);

// Replays the changes, in order, onto rows read from the file.
void applyChanges(ScoreRows& rows, const std::vector<TableChange>& changes);

// The file's text for rows 1..10: for each a name line and a score line, ended by CR LF.
std::string tableText(const ScoreRows& rows);
