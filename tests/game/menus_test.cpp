// What a player finds on each menu screen.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "game/game_state.h"
#include "game/menus.h"

// Each menu screen shows its own title and as many rows as it counts, each labelled as no other
// of its rows; on every screen but the main menu the marker starts on Back, so that Enter at once
// returns, and the main menu's last row is Exit. The high scores' second row resets the table,
// the settings' third changes the difficulty. Play has no menu: its keys steer.
TEST(Menus, EachScreenShowsItsOwnRowsAndAWayBack) {
    const std::pair<int16_t, const char*> screens[] = {{MainMenu, ".o0[ ORVEL ]0o."},
                                                       {HighScores, "... High Scores ..."},
                                                       {Settings, "... Settings ..."}};
    for (const auto& [screen, title] : screens) {
        const Menu* menu = menuOf(screen);
        ASSERT_NE(menu, nullptr) << title;
        EXPECT_STREQ(menu->title, title);
        std::set<std::string> labels;
        for (int16_t row = 0; row < menu->rowCount; ++row) {
            labels.insert(menu->rows[row].label);
        }
        EXPECT_EQ(labels.size(), static_cast<size_t>(menu->rowCount)) << title;
        if (screen != MainMenu) {
            EXPECT_EQ(menu->rows[0].choice, Choice::Back) << title;
        }
    }
    EXPECT_EQ(kMainMenu.rows[kMainMenu.rowCount - 1].choice, Choice::Exit);
    EXPECT_EQ(kHighScoreMenu.rows[1].choice, Choice::Reset);
    EXPECT_EQ(kSettingsMenu.rows[2].choice, Choice::Difficulty);
    EXPECT_EQ(menuOf(Playing), nullptr);
}
