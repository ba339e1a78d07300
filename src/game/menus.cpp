// Which menu each screen shows.
#include "game/menus.h"

#include "game/game_state.h"

const Menu* menuOf(int16_t screen) {
    switch (screen) {
        case MainMenu:
            return &kMainMenu;
        case HighScores:
            return &kHighScoreMenu;
        case Settings:
            return &kSettingsMenu;
        default:
            return nullptr;
    }
}
