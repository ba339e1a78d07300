// The menu screens. Every one has a title, rows 1.3 apart and a tilde left of the selected row.
#include "render/menu_screens.h"

#include <string>

#include "game/game_state.h"
#include "game/menus.h"
#include "render/text.h"

namespace {

constexpr double kMenuX = -3.0;
constexpr double kMarkerX = -4.0;
constexpr double kLargeText = 0.006;
constexpr double kSmallText = 0.002;

double menuRowY(int row) {
    return 2.5 - 1.3 * row;
}

// Title, rows and the selection marker, common to every menu screen.
void drawMenu(const Menu& menu, int16_t cursor) {
    drawText(menu.title, kMenuX, 3.0, kLargeText);
    for (int row = 1; row <= menu.rowCount; ++row) {
        drawText(menu.rows[row - 1].label, kMenuX, menuRowY(row), kLargeText);
    }
    drawText("~", kMarkerX, menuRowY(cursor), kLargeText);
}

}  // namespace

void drawMainMenu(const Menus& menus) {
    lightingOff();
    drawMenu(kMainMenu, menus.menuCursor);
    lightingOn();
}

void drawHighScoreScreen(const Menus& menus, const ScoreBook& book) {
    lightingOff();
    drawMenu(kHighScoreMenu, menus.menuCursor);
    for (int i = 1; i <= kHighScoreRows; ++i) {
        const double y = 2.5 - 0.6 * i;
        drawText(book.highScores[i].name, 0.8, y, kSmallText);
        drawText(std::to_string(book.highScores[i].score), -0.2, y, kSmallText);
    }
    lightingOn();
}

void drawSettingsScreen(const Menus& menus, const Play& play) {
    lightingOff();
    drawMenu(kSettingsMenu, menus.menuCursor);
    const std::string size = std::to_string(kBoardSize);
    drawText("Size: [" + size + " x " + size + "]", 1.0, 1.6, kSmallText);
    drawText(std::string("Difficulty: ") + difficultyNames.at(play.difficulty), 1.0, 1.2,
             kSmallText);
    drawText("Berries: " + std::to_string(kBerryCount), 1.0, 0.8, kSmallText);
    lightingOn();
}
