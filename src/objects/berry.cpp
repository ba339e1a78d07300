// Berry placement, eating and lookup.
#include "objects/berry.h"

#include <memory>
#include <string>

#include "app/game_state.h"
#include "app/random.h"
#include "platform/console.h"

namespace {

constexpr uint32_t kFieldWidth = kFieldLast - kFieldFirst + 1;  // 18

// A berry may not go onto the snake, another berry, or the cell every new snake starts on.
bool takenForBerry(int16_t x, int16_t y) {
    const char cell = game.board.at(x, y);
    return cell == kBody || cell == kBerry || cell == kHead || (x == kSpawnX && y == kSpawnY);
}

int16_t drawFieldIndex() {
    return static_cast<int16_t>(randomBelow(kFieldWidth) + kFieldFirst);
}

}  // namespace

Berry::Berry() {
    place();
}

void Berry::place() {
    // Ends because the snake never covers more than 305 of the 324 field cells, so at least
    // eight stay free whatever the berries do.
    do {
        x_ = drawFieldIndex();
        y_ = drawFieldIndex();
    } while (takenForBerry(x_, y_));
    game.board.at(x_, y_) = kBerry;
    writeLine("Placing berry at: " + std::to_string(x_) + "," + std::to_string(y_));
}

void Berry::eat() {
    game.score = static_cast<int16_t>(game.score + 1);
    place();
}

void createBerries() {
    for (int i = 1; i <= kBerryCount; ++i) {
        game.berries[i] = std::make_unique<Berry>();
    }
}

int16_t findBerryAt(int16_t x, int16_t y) {
    for (int16_t i = 1; i <= kBerryCount; ++i) {
        const Berry* berry = game.berries[i].get();
        if (berry && berry->x() == x && berry->y() == y) {
            return i;
        }
    }
    return 0;
}
