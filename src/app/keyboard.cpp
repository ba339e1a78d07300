// Key handling per screen, New Game and Exit.
#include "app/keyboard.h"

#include <cstdio>
#include <memory>

#include "app/high_score_file.h"
#include "app/game.h"
#include "platform/console.h"
#include "platform/process.h"

namespace {

constexpr int32_t kCursorCooldown = 200;
constexpr int32_t kEnterCooldown = 400;
constexpr int32_t kSettingsEnterCooldown = 500;

int16_t menuRows(int16_t screen) {
    return screen == HighScores ? 2 : 4;
}

void enterOnMainMenu() {
    switch (game.menuCursor) {
        case 1:
            newGame();
            break;
        case 2:
            refreshHighScores();  // another game may have saved results meanwhile
            sortHighScores();
            game.menuCursor = 1;
            game.screen = HighScores;
            break;
        case 3:
            game.menuCursor = 1;
            game.screen = Settings;
            break;
        case 4:
            saveAndExit();
        default:
            break;
    }
}

void enterOnHighScores() {
    if (game.menuCursor == 1) {
        game.screen = MainMenu;
        game.menuCursor = 1;
    } else if (game.menuCursor == 2) {
        clearHighScores();
    }
}

void enterOnSettings() {
    if (game.menuCursor == 1) {
        game.screen = MainMenu;
        game.menuCursor = 1;
    } else if (game.menuCursor == 3) {
        game.difficulty = static_cast<int16_t>(game.difficulty < 4 ? game.difficulty + 1 : 1);
    }
}

void menuKey(unsigned char key) {
    if (game.keyCooldown > 0) {
        return;
    }
    const int16_t rows = menuRows(game.screen);
    switch (key) {
        case 'w':
            game.keyCooldown = kCursorCooldown;
            game.menuCursor =
                static_cast<int16_t>(game.menuCursor > 1 ? game.menuCursor - 1 : rows);
            break;
        case 's':
            game.keyCooldown = kCursorCooldown;
            game.menuCursor =
                static_cast<int16_t>(game.menuCursor < rows ? game.menuCursor + 1 : 1);
            break;
        case kKeyEnter:
            if (game.screen == Settings) {
                game.keyCooldown = kSettingsEnterCooldown;
                enterOnSettings();
            } else {
                game.keyCooldown = kEnterCooldown;
                game.screen == MainMenu ? enterOnMainMenu() : enterOnHighScores();
            }
            break;
        default:
            break;
    }
}

// The reverse of the heading the snake last moved in is never accepted.
char oppositeOf(char heading) {
    switch (heading) {
        case 'w':
            return 's';
        case 's':
            return 'w';
        case 'a':
            return 'd';
        case 'd':
            return 'a';
        default:
            return '\0';
    }
}

void playKey(unsigned char key) {
    if (key == kKeyEscape) {
        game.screen = MainMenu;
        return;
    }
    const char heading = static_cast<char>(key);
    if (heading != 'w' && heading != 'a' && heading != 's' && heading != 'd') {
        return;
    }
    if (heading != oppositeOf(game.direction)) {
        game.nextDirection = heading;
    }
}

}  // namespace

void keyDown(unsigned char key, int, int) {
    if (game.discardPendingKeys) {
        return;
    }
    if (game.screen == Playing) {
        playKey(key);
    } else {
        menuKey(key);
    }
}

void keyUp(unsigned char, int, int) {
    if (game.discardPendingKeys) {
        return;
    }
    game.keyCooldown = 0;
}

void newGame() {
    startNewGame(game);
    game.screen = Playing;
}

void saveAndExit() {
    exitProcess(saveHighScores() ? 0 : 1);
}

void saveAfterLostDisplay() {
    atExit(nullptr);  // nothing can be undone on a display that is gone
    const bool saved = saveHighScores();
    writeErrorLine(std::string("lost the connection to the X display; the high-score table ") +
                   (saved ? "was saved" : "could not be saved"));
    exitProcess(saved ? 3 : 1);
}
