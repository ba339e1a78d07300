// The ten berries: each knows its cell, places itself on a random free field cell, marks it on
// the board and says where on standard output. Eating one scores and places it again.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "game/board.h"

class Berry {
public:
    // A berry never exists unplaced: construction places it on the board.
    explicit Berry(Board& board);

    int16_t x() const { return x_; }
    int16_t y() const { return y_; }

    // Draws x then y until the cell is free (not snake, not berry, not the spawn cell), marks it
    // "2" and reports "Placing berry at: x,y". The previous cell keeps its mark.
    void place(Board& board);

    // One more point on score (up to 32767), then a new place.
    void eat(Board& board, int16_t& score);

private:
    int16_t x_ = 0;
    int16_t y_ = 0;
};

constexpr int kBerryCount = 10;
using Berries = std::array<std::unique_ptr<Berry>, kBerryCount + 1>;  // 1..10

// Ten new berries in berries[1..10], placed in order on the board, each seeing the earlier ones.
void createBerries(Berries& berries, Board& board);

// The number 1..10 of the berry on (x, y), or 0 when none lies there.
int16_t findBerryAt(const Berries& berries, int16_t x, int16_t y);
