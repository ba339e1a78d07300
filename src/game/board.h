// The 20 x 20 board of cell characters, indexed [x][y] from 1: x to the right, y upward.
// The border ring holds walls; the 18 x 18 field inside holds the snake and the berries.
#pragma once

#include <array>
#include <cstdint>

constexpr int kBoardSize = 20;
constexpr int kFieldFirst = 2;  // first and last field index on either axis
constexpr int kFieldLast = 19;
constexpr int kSpawnX = 10;
constexpr int kSpawnY = 10;

// Cell characters.
constexpr char kEmpty = '0';
constexpr char kBody = '1';
constexpr char kBerry = '2';
constexpr char kWall = '3';
constexpr char kHead = '5';

struct Board {
    // Row and column 0 are unused so that indices run 1..20 as the game counts them.
    std::array<std::array<char, kBoardSize + 1>, kBoardSize + 1> cells{};

    char& at(int32_t x, int32_t y) { return cells.at(x).at(y); }
    char at(int32_t x, int32_t y) const { return cells.at(x).at(y); }
};

// Walls on every border cell, empty field inside.
void resetBoard(Board& board);
