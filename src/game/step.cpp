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

Cell headCell(const GameState& state) {
    return {state.snakeFirst->x, state.snakeFirst->y};
}

// Each segment behind the head takes the cell its predecessor held; (px, py) is the cell the
// head has just left.
void followHead(GameState& state, int32_t px, int32_t py) {
    for (SnakeSegment* s = state.snakeFirst->next.get(); s; s = s->next.get()) {
        std::swap(s->x, px);
        std::swap(s->y, py);
    }
}

// Takes nextDirection as the heading and puts the head on the cell given (in front, or the
// first field cell across the field), the body following.
void moveHeadTo(GameState& state, Cell (*target)(Cell, char)) {
    state.direction = state.nextDirection;
    const Cell old = headCell(state);
    const Cell next = target(old, state.direction);
    state.snakeFirst->x = next.x;
    state.snakeFirst->y = next.y;
    followHead(state, old.x, old.y);
}

void growIfAllowed(GameState& state) {
    if (state.score + 3 <= kGrowthBound) {
        appendSegment(*state.snakeFirst, state.snakeFirst->x, state.snakeFirst->y);
    }
}

// Cells marked "2" are always some berry's own cell; should one not be, no berry is touched.
Berry* berryAt(GameState& state, Cell cell, int16_t& number) {
    number = findBerryAt(state.berries, static_cast<int16_t>(cell.x), static_cast<int16_t>(cell.y));
    return number > 0 ? state.berries[number].get() : nullptr;
}

StepEvent eatBerryInFront(GameState& state, Cell front) {
    int16_t number = 0;
    Berry* berry = berryAt(state, front, number);
    writeLine("Berry index infront: " + std::to_string(number));
    if (berry) {
        berry->eat(state.board, state.score);
    }
    moveHeadTo(state, cellInFront);
    growIfAllowed(state);
    return {StepEvent::Kind::Ate, front.x, front.y, true};
}

// A berry eaten across the wall scores and grows but makes no burst and says nothing.
StepEvent eatBerryThroughWall(GameState& state, Cell across) {
    int16_t number = 0;
    if (Berry* berry = berryAt(state, across, number)) {
        berry->eat(state.board, state.score);
    }
    moveHeadTo(state, cellThroughWall);
    growIfAllowed(state);
    return {StepEvent::Kind::Ate, across.x, across.y, false};
}

StepEvent crashed(GameState& state) {
    return {loseLife(state) ? StepEvent::Kind::GameOver : StepEvent::Kind::Crashed, 0, 0, false};
}

}  // namespace

StepEvent stepSnake(GameState& state) {
    const Cell front = cellInFront(headCell(state), state.nextDirection);
    switch (state.board.at(front.x, front.y)) {
        case kEmpty:
            moveHeadTo(state, cellInFront);
            return {};
        case kBody:
            return crashed(state);
        case kBerry:
            return eatBerryInFront(state, front);
        case kWall: {
            const Cell across = cellThroughWall(headCell(state), state.nextDirection);
            switch (state.board.at(across.x, across.y)) {
                case kEmpty:
                    moveHeadTo(state, cellThroughWall);
                    return {};
                case kBody:
                    return crashed(state);
                case kBerry:
                    return eatBerryThroughWall(state, across);
                default:
                    return {};
            }
        }
        default:
            return {};
    }
}
