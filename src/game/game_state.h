// The game-wide state: every variable that outlives a single call, in one struct. The shell
// keeps the one instance for the whole process (app/game.h); logic functions take the parts
// they change. Everything runs on the GLUT main-loop thread, so nothing here is guarded.
//
// Who writes what:
//   start-up ............ the scalar start values (member initialisers below)
//   frame driver ........ elapsedTime, lastFrameTime, lastFpsTime, frameCount, stepTimer,
//                         keyCooldown
//   keyboard ............ screen, menuCursor, keyCooldown, difficulty, nextDirection, and a new
//                         game's score, lives, board, snake, berries and emitter
//   snake step .......... direction, the segments, score (through a berry), emitter
//   refresh / crash ..... board marks, lives, and a new snake
//   frame driver ........ at a crash: discardPendingKeys; at game over: highScores, screen
//   high-score file ..... highScores, highScoreFile (its path, whether it was loaded, and this
//                         game's changes since it last saved)
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "game/board.h"
#include "game/snake.h"
#include "objects/berry.h"
#include "objects/particles.h"
#include "scores/score_table.h"

// The screen on show, stored in GameState::screen.
enum Screen : int16_t { MainMenu = 0, Playing = 1, HighScores = 2, Settings = 3 };

// Difficulty names, indexed 1..4 by `difficulty` (index 0 unused).
inline constexpr std::array<const char*, 5> difficultyNames = {"", "1 - Anaconda", "2 - Python",
                                                               "3 - Viper", "4 - Black Mamba"};

struct GameState {
    // Screens and menus.
    int16_t screen = MainMenu;
    int16_t menuCursor = 1;   // 1-based row of the menu on show
    int32_t keyCooldown = 0;  // ms; 0 or less means menu keys are accepted
    // Set when the crash pause ends: the key events queued during it are dropped, up to the
    // next frame.
    bool discardPendingKeys = false;
    int16_t difficulty = 2;  // 1..4

    // Timing, in milliseconds of the GLUT elapsed-time counter.
    int32_t elapsedTime = 1;    // sampled once at the start of every frame
    int32_t lastFrameTime = 0;  // previous frame-delta sample
    int32_t lastFpsTime = 0;    // previous frame-rate sample
    int32_t frameCount = 0;     // frames since the previous frame-rate sample
    int32_t stepTimer = 0;      // gathered toward the next snake step

    // Play.
    int16_t score = 0;
    int16_t lives = 3;
    char direction = '\0';      // heading of the last step
    char nextDirection = '\0';  // heading asked for the next step
    Board board{};
    // The snake's segment list, head first; snakeFirst owns the chain.
    std::unique_ptr<SnakeSegment> snakeFirst;
    Berries berries{};  // 1..10
    std::unique_ptr<ParticleEmitter> emitter;

    // High-score table.
    std::array<scores, kHighScoreSlots + 1> highScores{};  // 1..20; rows 1..10 are the table
    HighScoreFile highScoreFile{};
};

// A new game: score 0, three lives, a fresh board, a four-segment snake on the spawn cell,
// ten berries and a new (invisible) burst.
void startNewGame(GameState& state);
