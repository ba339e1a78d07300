// The snake step and its moves.
#include "game/step.h"

#include <memory>
#include <string>
#include <utility>

#include "game/collisions.h"
#include "game/diagnostics.h"
#include "game/game_state.h"

namespace {

struct Cell {
    int32_t x;
    int32_t y;
};

Cell cellInFront(Cell head, char heading) {
    switch (heading) {
        case 'w':
            return {head.x, head.y + 1};
        case 'a':
            return {head.x - 1, head.y};
        case 's':
            return {head.x, head.y - 1};
        default:  // 'd'
            return {head.x + 1, head.y};
    }
}

// The first field cell on the far side of the field, in the head's row or column.
Cell cellThroughWall(Cell head, char heading) {
    switch (heading) {
        case 'w':
            return {head.x, kFieldFirst};
        case 'a':
            return {kFieldLast, head.y};
        case 's':
            return {head.x, kFieldLast};
        default:  // 'd'
            return {kFieldFirst, head.y};
    }
}

Cell headCell() {
    return {game.snakeFirst->x, game.snakeFirst->y};
}

void growIfAllowed() {
    if (game.score + 3 <= kGrowthBound) {
        appendSegment(game.snakeFirst->x, game.snakeFirst->y);
    }
}

// Cells marked "2" are always some berry's own cell; should one not be, no berry is touched.
Berry* berryAt(Cell cell, int16_t& number) {
    number = findBerryAt(static_cast<int16_t>(cell.x), static_cast<int16_t>(cell.y));
    return number > 0 ? game.berries[number].get() : nullptr;
}

StepEvent eatBerryInFront(Cell front) {
    int16_t number = 0;
    Berry* berry = berryAt(front, number);
    writeLine("Berry index infront: " + std::to_string(number));
    if (berry) {
        berry->eat();
    }
    moveForward();
    growIfAllowed();
    return {StepEvent::Kind::Ate, front.x, front.y, true};
}

// A berry eaten across the wall scores and grows but makes no burst and says nothing.
StepEvent eatBerryThroughWall(Cell across) {
    int16_t number = 0;
    if (Berry* berry = berryAt(across, number)) {
        berry->eat();
    }
    moveThroughWall();
    growIfAllowed();
    return {StepEvent::Kind::Ate, across.x, across.y, false};
}

StepEvent crashed() {
    return {loseLife() ? StepEvent::Kind::GameOver : StepEvent::Kind::Crashed, 0, 0, false};
}

}  // namespace

StepEvent stepSnake() {
    const Cell front = cellInFront(headCell(), game.nextDirection);
    switch (game.board.at(front.x, front.y)) {
        case kEmpty:
            moveForward();
            return {};
        case kBody:
            return crashed();
        case kBerry:
            return eatBerryInFront(front);
        case kWall: {
            const Cell across = cellThroughWall(headCell(), game.nextDirection);
            switch (game.board.at(across.x, across.y)) {
                case kEmpty:
                    moveThroughWall();
                    return {};
                case kBody:
                    return crashed();
                case kBerry:
                    return eatBerryThroughWall(across);
                default:
                    return {};
            }
        }
        default:
            return {};
    }
}

void moveForward() {
    game.direction = game.nextDirection;
    const Cell old = headCell();
    const Cell next = cellInFront(old, game.direction);
    game.snakeFirst->x = next.x;
    game.snakeFirst->y = next.y;
    followHead(old.x, old.y);
}

void moveThroughWall() {
    game.direction = game.nextDirection;
    const Cell old = headCell();
    const Cell across = cellThroughWall(old, game.direction);
    game.snakeFirst->x = across.x;
    game.snakeFirst->y = across.y;
    followHead(old.x, old.y);
}

void followHead(int32_t px, int32_t py) {
    game.snakeLast = game.snakeFirst.get();
    while (game.snakeLast->next) {
        game.snakeLast = game.snakeLast->next.get();
        std::swap(game.snakeLast->x, px);
        std::swap(game.snakeLast->y, py);
    }
}
