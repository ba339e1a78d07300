// Berry placement, eating and lookup.
#include "game/berry.h"

#include <cstdint>
#include <memory>
#include <string>

#include "game/diagnostics.h"
#include "game/random.h"
#include "game/snake.h"

namespace {

constexpr uint32_t kFieldWidth = kFieldLast - kFieldFirst + 1;  // 18

// A berry may not go onto the snake, another berry, or the cell every new snake starts on.
bool takenForBerry(const Board& board, int16_t x, int16_t y) {
    const char cell = board.at(x, y);
    return cell == kBody || cell == kBerry || cell == kHead || (x == kSpawnX && y == kSpawnY);
}

int16_t drawFieldIndex() {
    return static_cast<int16_t>(randomBelow(kFieldWidth) + kFieldFirst);
}

}  // namespace

Berry::Berry(Board& board) {
    place(board);
}

void Berry::place(Board& board) {
    // Ends because the snake never covers more than kLongestSnake (305) of the 324 field
    // cells, so at least eight stay free whatever the berries do.
    do {
        x_ = drawFieldIndex();
        y_ = drawFieldIndex();
    } while (takenForBerry(board, x_, y_));
    board.at(x_, y_) = kBerry;
    writeLine("Placing berry at: " + std::to_string(x_) + "," + std::to_string(y_));
}

void Berry::eat(Board& board, int16_t& score) {
    // The score stops at the largest 16-bit value rather than wrap to a negative one, which
    // would lose the game's high score and let the snake grow past the room on the field.
    if (score < INT16_MAX) {
        ++score;
    }
    place(board);
}

void createBerries(Berries& berries, Board& board) {
    for (int i = 1; i <= kBerryCount; ++i) {
        berries[i] = std::make_unique<Berry>(board);
    }
}

int16_t findBerryAt(const Berries& berries, int16_t x, int16_t y) {
    for (int16_t i = 1; i <= kBerryCount; ++i) {
        const Berry* berry = berries[i].get();
        if (berry && berry->x() == x && berry->y() == y) {
            return i;
        }
    }
    return 0;
}
