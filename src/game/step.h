// The snake's step: look at the cell in front of the head in nextDirection and move, eat,
// pass through the wall to the far side of the field, or crash into the body. The step only
// changes the game's data and says what happened; the frame driver acts on it (the crash
// pause, "GAME OVER", a new burst).
#pragma once

#include <cstdint>

// What a step did.
struct StepEvent {
    enum class Kind {
        Moved,     // into an empty cell, or through the wall
        Ate,       // a berry: scored, grew, the berry placed anew
        Crashed,   // into the body: a life lost, a new snake on the spawn cell
        GameOver,  // into the body on the last life: nothing changed
    };
    Kind kind = Kind::Moved;
    int32_t x = 0;  // the eaten berry's cell
    int32_t y = 0;
    bool burst = false;  // eaten in front, not across the wall: a burst marks the cell
};

struct Play;

// One step of the state's snake, its board, berries, score and lives.
StepEvent stepSnake(Play& play);
