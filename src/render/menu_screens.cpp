// The menu screens. Every one has a title, rows 1.3 apart and a tilde left of the selected row.
#include "render/menu_screens.h"

#include <initializer_list>
#include <string>

#include "game/game_state.h"
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
void drawMenu(const char* title, std::initializer_list<const char*> rows, int16_t cursor) {
    drawText(title, kMenuX, 3.0, kLargeText);
    int row = 1;
    for (const char* text : rows) {
        drawText(text, kMenuX, menuRowY(row), kLargeText);
        ++row;
    }
    drawText("~", kMarkerX, menuRowY(cursor), kLargeText);
}

}  // namespace

void drawMainMenu(const GameState& state) {
    lightingOff();
    drawMenu(".o0[ ORVEL ]0o.", {"New Game", "High Scores", "Settings", "Exit"}, state.menuCursor);
    lightingOn();
}

void drawHighScoreScreen(const GameState& state) {
    lightingOff();
    drawMenu("... High Scores ...", {"Back", "Reset"}, state.menuCursor);
    for (int i = 1; i <= kHighScoreRows; ++i) {
        const double y = 2.5 - 0.6 * i;
        drawText(state.highScores[i].name, 0.8, y, kSmallText);
        drawText(std::to_string(state.highScores[i].score), -0.2, y, kSmallText);
    }
    lightingOn();
}

void drawSettingsScreen(const GameState& state) {
    lightingOff();
    drawMenu("... Settings ...", {"Back", "Size", "Difficulty", "Berries"}, state.menuCursor);
    const std::string size = std::to_string(kBoardSize);
    drawText("Size: [" + size + " x " + size + "]", 1.0, 1.6, kSmallText);
    drawText(std::string("Difficulty: ") + difficultyNames.at(state.difficulty), 1.0, 1.2,
             kSmallText);
    drawText("Berries: " + std::to_string(kBerryCount), 1.0, 0.8, kSmallText);
    lightingOn();
}
