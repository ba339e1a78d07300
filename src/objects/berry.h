// The ten berries: each knows its cell, places itself on a random free field cell, marks it on
// the board and says where on standard output. Eating one scores and places it again.
#pragma once

#include <cstdint>

class Berry {
public:
    // A berry never exists unplaced: construction places it.
    Berry();

    int16_t x() const { return x_; }
    int16_t y() const { return y_; }

    // Draws x then y until the cell is free (not snake, not berry, not the spawn cell), marks it
    // "2" and reports "Placing berry at: x,y". The previous cell keeps its mark.
    void place();

    // One more point (up to 32767), then a new place.
    void eat();

private:
    int16_t x_ = 0;
    int16_t y_ = 0;
};

// Ten new berries in game.berries[1..10], placed in order, each seeing the earlier ones.
void createBerries();

// The number 1..10 of the berry on (x, y), or 0 when none lies there.
int16_t findBerryAt(int16_t x, int16_t y);
