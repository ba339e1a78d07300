// Which menu each screen shows.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "game/menus.h"

TEST(Menus, EachMenuScreenHasItsRowsAndPlayHasNone) {
    EXPECT_EQ(menuOf(MainMenu), &kMainMenu);
    EXPECT_EQ(menuOf(HighScores), &kHighScoreMenu);
    EXPECT_EQ(menuOf(Settings), &kSettingsMenu);
    EXPECT_EQ(menuOf(Playing), nullptr);
    EXPECT_EQ(kMainMenu.rows[kMainMenu.rowCount - 1].choice, Choice::Exit);
    EXPECT_EQ(kHighScoreMenu.rows[1].choice, Choice::Reset);
    EXPECT_EQ(kSettingsMenu.rows[2].choice, Choice::Difficulty);
}
