// Actions on the menus and in play, New Game and Exit.
#include "app/actions.h"

#include <string>

#include "app/game.h"
#include "app/high_score_file.h"
#include "app/shell.h"
#include "game/menus.h"
#include "game/step.h"
#include "platform/console.h"
#include "platform/process.h"

namespace {

constexpr int32_t kCursorCooldown = 200;
constexpr int32_t kEnterCooldown = 400;
constexpr int32_t kSettingsEnterCooldown = 500;

void show(int16_t screen) {
    game.menus.screen = screen;
    game.menus.menuCursor = 1;
}

void choose(Choice choice) {
    switch (choice) {
        case Choice::NewGame:
            newGame();
            break;
        case Choice::ShowHighScores:
            refreshHighScores();  // another game may have saved results meanwhile
            sortHighScores();
            show(HighScores);
            break;
        case Choice::ShowSettings:
            show(Settings);
            break;
        case Choice::Exit:
            saveAndExit();
        case Choice::Back:
            show(MainMenu);
            break;
        case Choice::Reset:
            clearHighScores();
            break;
        case Choice::Difficulty: {
            int16_t& difficulty = game.play.difficulty;
            difficulty = static_cast<int16_t>(difficulty < 4 ? difficulty + 1 : 1);
            break;
        }
        case Choice::BoardSize:
        case Choice::BerryCount:
            break;  // fixed: only the cooldown
    }
}

void onMenu(const Menu& menu, Action action) {
    Menus& menus = game.menus;
    if (menus.keyCooldown > 0) {
        return;
    }
    switch (action) {
        case Action::Up:
            menus.keyCooldown = kCursorCooldown;
            menus.menuCursor =
                static_cast<int16_t>(menus.menuCursor > 1 ? menus.menuCursor - 1 : menu.rowCount);
            break;
        case Action::Down:
            menus.keyCooldown = kCursorCooldown;
            menus.menuCursor =
                static_cast<int16_t>(menus.menuCursor < menu.rowCount ? menus.menuCursor + 1 : 1);
            break;
        case Action::Choose:
            menus.keyCooldown = menus.screen == Settings ? kSettingsEnterCooldown : kEnterCooldown;
            choose(menu.rows[menus.menuCursor - 1].choice);
            break;
        default:
            break;
    }
}

// The heading a direction steers to.
char headingOf(Action action) {
    switch (action) {
        case Action::Up:
            return 'w';
        case Action::Left:
            return 'a';
        case Action::Down:
            return 's';
        case Action::Right:
            return 'd';
        default:
            return '\0';
    }
}

void inPlay(Action action) {
    if (action == Action::Back) {
        session().gameEnds(GameEnd::Escape);
        game.menus.screen = MainMenu;
        return;
    }
    if (const char heading = headingOf(action)) {
        steer(game.play, heading);
    }
}

}  // namespace

void applyAction(Action action) {
    if (game.menus.discardPendingKeys) {
        return;
    }
    if (session().takeAction(action)) {
        return;
    }
    if (const Menu* menu = menuOf(game.menus.screen)) {
        onMenu(*menu, action);
    } else {
        inPlay(action);
    }
}

void applyRelease() {
    if (game.menus.discardPendingKeys) {
        return;
    }
    game.menus.keyCooldown = 0;
}

void newGame() {
    session().gameStarted();
    startNewGame(game.play);
    game.menus.screen = Playing;
}

void saveAndExit() {
    session().gameEnds(GameEnd::Exit);
    exitProcess(saveHighScores() ? 0 : 1);
}

void saveAfterLostDisplay() {
    atExit(nullptr);  // nothing can be undone on a display that is gone
    session().gameEnds(GameEnd::LostDisplay);
    // A session that keeps no table (a replay) saved nothing, so nothing is said of it.
    if (!session().keepsTable()) {
        writeErrorLine("lost the connection to the X display");
        exitProcessNow(3);
    }
    const bool saved = saveHighScores();
    writeErrorLine(std::string("lost the connection to the X display; the high-score table ") +
                   (saved ? "was saved" : "could not be saved"));
    exitProcessNow(saved ? 3 : 1);
}
