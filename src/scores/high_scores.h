// The high-score table and its text file: the ten best results in memory (game.highScores,
// rows 1..10) and on disk, with the five operations open-or-create, load, save, sort and clear.
//
// File format: for each of rows 1..10 a name line and a score line in decimal, every line ended
// by CR LF; a lone LF or CR also ends a line when reading. Every file error is fatal: the game
// says what failed on standard error and exits with status 1.
#pragma once

#include <cstdint>
#include <string>

constexpr int kHighScoreRows = 10;   // rows shown, sorted, saved and cleared
constexpr int kHighScoreSlots = 20;  // rows a longer file may fill; reading stops after these

// One row of the table.
struct scores {
    std::string name;
    int16_t score = 0;
};

// The table's file, bound once at start-up and never held open.
struct HighScoreFile {
    std::string path;
};

// Binds game.highScoreFile to the platform's high-score path and creates the file (one empty
// line) when it cannot be opened for reading.
void openOrCreateHighScoreFile();
// Reads the file into game.highScores and pads a short table with "AAA"/0 rows.
void loadHighScores();
// Replaces the file with rows 1..10, so that it always holds the old table or the new one.
void saveHighScores();
// Stable bubble sort of rows 1..10, highest score first.
void sortHighScores();
// Rows 1..10 become "AAA"/0, and the file with them.
void clearHighScores();
