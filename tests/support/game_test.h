// Test fixtures: a fresh game state, an empty GL record and a private high-score folder.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "app/game.h"
#include "play_helpers.h"

// Every test starts from the start-up game state, a default-seeded generator, and empty
// records of GL calls and pauses.
// XDG_DATA_HOME points into a temporary folder removed afterwards, so that nothing a test does
// (a saved table, a recorded game) reaches the home folder of whoever runs the tests.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string dataHome;
};

// A GameTest that works with the high-score file at dataHome + "/orvel/highScores.txt".
class ScoreFileTest : public GameTest {
protected:
    std::string scoreFile() const { return dataHome + "/orvel/highScores.txt"; }
    void writeScoreFile(const std::string& bytes) const;
    std::string readScoreFile() const;
};

// Sets the game up as New Game does, in a known state for step and collision tests: a reset
// board with ten berries placed by the generator, a snake of four on the spawn cell.
void startTestGame();

// The helpers of play_helpers.h on the shell's own game.
void moveBerry(int k, int x, int y);
void parkBerries();
void laySnake(std::initializer_list<std::pair<int, int>> cells, char heading);
