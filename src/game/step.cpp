// The snake step and its moves.
#include "game/step.h"

#include <memory>
#include <string>
#include <utility>

#include "game/collisions.h"
#include "game/diagnostics.h"
#include "game/game_state.h"
#include "game/random.h"

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

Cell headCell(const Play& play) {
    return {play.snakeFirst->x, play.snakeFirst->y};
}

// Each segment behind the head takes the cell its predecessor held; (px, py) is the cell the
// head has just left.
void followHead(Play& play, int32_t px, int32_t py) {
    for (SnakeSegment* s = play.snakeFirst->next.get(); s; s = s->next.get()) {
        std::swap(s->x, px);
        std::swap(s->y, py);
    }
}

// Takes nextDirection as the heading and puts the head on the cell given (in front, or the
// first field cell across the field), the body following.
void moveHeadTo(Play& play, Cell (*target)(Cell, char)) {
    play.direction = play.nextDirection;
    const Cell old = headCell(play);
    const Cell next = target(old, play.direction);
    play.snakeFirst->x = next.x;
    play.snakeFirst->y = next.y;
    followHead(play, old.x, old.y);
}

void growIfAllowed(Play& play) {
    if (play.score + 3 <= kGrowthBound) {
        appendSegment(*play.snakeFirst, play.snakeFirst->x, play.snakeFirst->y);
    }
}

// Cells marked "2" are always some berry's own cell; should one not be, no berry is touched.
Berry* berryAt(Play& play, Cell cell, int16_t& number) {
    number = findBerryAt(play.berries, static_cast<int16_t>(cell.x), static_cast<int16_t>(cell.y));
    return number > 0 ? play.berries[number].get() : nullptr;
}

StepEvent eatBerryInFront(Play& play, Cell front) {
    int16_t number = 0;
    Berry* berry = berryAt(play, front, number);
    writeLine("Berry index infront: " + std::to_string(number));
    if (berry) {
        berry->eat(play.board, play.score);
    }
    moveHeadTo(play, cellInFront);
    growIfAllowed(play);
    return {StepEvent::Kind::Ate, front.x, front.y, true};
}

// A berry eaten across the wall scores and grows but makes no burst and says nothing.
StepEvent eatBerryThroughWall(Play& play, Cell across) {
    int16_t number = 0;
    if (Berry* berry = berryAt(play, across, number)) {
        berry->eat(play.board, play.score);
    }
    moveHeadTo(play, cellThroughWall);
    growIfAllowed(play);
    return {StepEvent::Kind::Ate, across.x, across.y, false};
}

StepEvent crashed(Play& play) {
    return {loseLife(play) ? StepEvent::Kind::GameOver : StepEvent::Kind::Crashed, 0, 0, false};
}

}  // namespace

StepEvent playStep(Play& play) {
    const StepEvent event = stepSnake(play);
    if (event.kind == StepEvent::Kind::Ate && event.burst) {
        writeLine("creating an emitter at: " + std::to_string(event.x) + "," +
                  std::to_string(event.y));
        play.emitter = std::make_unique<ParticleEmitter>(event.x, event.y);
    }
    refreshBoard(play.board, *play.snakeFirst, play.berries);
    return event;
}

void steer(Play& play, char heading) {
    const char reverse = play.direction == 'w'   ? 's'
                         : play.direction == 's' ? 'w'
                         : play.direction == 'a' ? 'd'
                         : play.direction == 'd' ? 'a'
                                                 : '\0';
    if (heading != reverse) {
        play.nextDirection = heading;
    }
}

uint64_t playHash(const Play& play) {
    return playHash(play, play.nextDirection);
}

uint64_t playHash(const Play& play, char nextDirection) {
    uint64_t hash = 14695981039346656037ULL;  // FNV-1a, 64 bits
    auto mix = [&hash](int64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash = (hash ^ static_cast<uint64_t>((value >> (8 * i)) & 0xFF)) * 1099511628211ULL;
        }
    };
    for (int x = 1; x <= kBoardSize; ++x) {
        for (int y = 1; y <= kBoardSize; ++y) {
            mix(play.board.at(x, y));
        }
    }
    for (const SnakeSegment* s = play.snakeFirst.get(); s; s = s->next.get()) {
        mix(s->x);
        mix(s->y);
    }
    for (int k = 1; k <= kBerryCount; ++k) {
        mix(play.berries[k] ? play.berries[k]->x() : -1);
        mix(play.berries[k] ? play.berries[k]->y() : -1);
    }
    for (const int64_t value :
         {int64_t{play.score}, int64_t{play.lives}, int64_t{play.direction}, int64_t{nextDirection},
          int64_t{play.difficulty}, static_cast<int64_t>(randomDraws())}) {
        mix(value);
    }
    return hash;
}

StepEvent stepSnake(Play& play) {
    const Cell front = cellInFront(headCell(play), play.nextDirection);
    switch (play.board.at(front.x, front.y)) {
        case kEmpty:
            moveHeadTo(play, cellInFront);
            return {};
        case kBody:
            return crashed(play);
        case kBerry:
            return eatBerryInFront(play, front);
        case kWall: {
            const Cell across = cellThroughWall(headCell(play), play.nextDirection);
            switch (play.board.at(across.x, across.y)) {
                case kEmpty:
                    moveHeadTo(play, cellThroughWall);
                    return {};
                case kBody:
                    return crashed(play);
                case kBerry:
                    return eatBerryThroughWall(play, across);
                default:
                    return {};
            }
        }
        default:
            return {};
    }
}
