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

// A whole step as the game plays it, whoever drives it (the frame driver, a replay): the step,
// a new burst where a berry was eaten in front ("creating an emitter at: x,y"), and the
// board's marks rebuilt. The pauses and game over are the driver's.
StepEvent playStep(Play& play);

// Asks for heading at the next step, unless it is the reverse of the last step's heading: the
// snake never turns back onto itself. Live keys and a replay's turns both steer through here.
void steer(Play& play, char heading);

// A digest of everything a step depends on and changes: the board, the snake, the berries, the
// score, lives, headings and difficulty, and the generator's position. Equal states, equal
// digests, on every platform. The second form takes the heading asked for as given instead of
// the state's own nextDirection.
uint64_t playHash(const Play& play);
uint64_t playHash(const Play& play, char nextDirection);
