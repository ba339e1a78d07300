// The game-wide state, in parts that say who owns them. The shell keeps the one instance for
// the whole process (app/game.h); logic functions take the part they change, drawing the
// parts it shows. Everything runs on the GLUT main-loop thread, so nothing here is guarded.
//
// Who writes what:
//   Menus ....... the key callbacks (screen, cursor, cooldown); the frame driver (cooldown
//                 count-down, dropping the keys of a pause; game over's screen)
//   FrameClock .. the frame driver alone
//   Play ........ New Game, the snake step, the board refresh and a lost life; the settings
//                 screen's difficulty
//   ScoreBook ... the high-score file's operations alone
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "game/berry.h"
#include "game/board.h"
#include "game/particles.h"
#include "game/snake.h"
#include "scores/score_table.h"

// The screen on show, stored in Menus::screen.
enum Screen : int16_t { MainMenu = 0, Playing = 1, HighScores = 2, Settings = 3 };

// Difficulty names, indexed 1..4 by `difficulty` (index 0 unused).
inline constexpr std::array<const char*, 5> difficultyNames = {"", "1 - Anaconda", "2 - Python",
                                                               "3 - Viper", "4 - Black Mamba"};

// The screens and their menus.
struct Menus {
    int16_t screen = MainMenu;
    int16_t menuCursor = 1;   // 1-based row of the menu on show
    int32_t keyCooldown = 0;  // ms; 0 or less means menu keys are accepted
    // Set when a pause ends (a crash, GAME OVER): the key events queued during it are dropped,
    // up to the next frame.
    bool discardPendingKeys = false;
};

// Time, in milliseconds of the GLUT elapsed-time counter.
struct FrameClock {
    int32_t elapsedTime = 1;    // sampled once at the start of every frame
    int32_t lastFrameTime = 0;  // previous frame-delta sample
    int32_t lastFpsTime = 0;    // previous frame-rate sample
    int32_t frameCount = 0;     // frames since the previous frame-rate sample
    int32_t stepTimer = 0;      // gathered toward the next snake step
    double shownFps = 0;        // the frame rate the game screen shows (kept while it stands)
};

// The game in play, and the difficulty the next one is played at.
struct Play {
    int16_t difficulty = 2;  // 1..4
    int16_t score = 0;
    int16_t lives = 3;
    char direction = '\0';      // heading of the last step
    char nextDirection = '\0';  // heading asked for the next step
    Board board{};
    // The snake's segment list, head first; snakeFirst owns the chain.
    std::unique_ptr<SnakeSegment> snakeFirst;
    Berries berries{};  // 1..10
    std::unique_ptr<ParticleEmitter> emitter;
};

// The high-score table and its file.
struct ScoreBook {
    std::array<scores, kHighScoreSlots + 1> highScores{};  // 1..20; rows 1..10 are the table
    HighScoreFile highScoreFile{};
};

struct GameState {
    Menus menus;
    FrameClock clock;
    Play play;
    ScoreBook book;
};

// A new game: score 0, three lives, a fresh board, a four-segment snake on the spawn cell,
// ten berries and a new (invisible) burst.
void startNewGame(Play& play);
