// Board refresh and the lost life.
#include "game/collisions.h"

#include <algorithm>
#include <array>
#include <string>

#include "game/diagnostics.h"
#include "game/game_state.h"

void refreshBoard(Board& board, const SnakeSegment& head, const Berries& berries) {
    for (int x = kFieldFirst; x <= kFieldLast; ++x) {
        for (int y = kFieldFirst; y <= kFieldLast; ++y) {
            board.at(x, y) = kEmpty;
        }
    }
    // Segments per cell, for the overlap report below: one pass over the snake instead of one
    // per berry.
    std::array<std::array<int16_t, kBoardSize + 1>, kBoardSize + 1> segmentsOn{};
    board.at(head.x, head.y) = kHead;
    ++segmentsOn.at(head.x).at(head.y);
    for (const SnakeSegment* s = head.next.get(); s; s = s->next.get()) {
        board.at(s->x, s->y) = kBody;
        ++segmentsOn.at(s->x).at(s->y);
    }
    for (int k = 1; k <= kBerryCount; ++k) {
        board.at(berries[k]->x(), berries[k]->y()) = kBerry;
    }
    // One line for every segment that lies on a berry, berry by berry.
    for (int k = 1; k <= kBerryCount; ++k) {
        const Berry& berry = *berries[k];
        for (int n = segmentsOn.at(berry.x()).at(berry.y()); n > 0; --n) {
            writeLine("INTERSECT AT: " + std::to_string(berry.x()) + "," +
                      std::to_string(berry.y()) + " berry: " + std::to_string(k));
        }
    }
}

bool loseLife(Play& play) {
    if (play.lives <= 1) {
        return true;
    }
    play.lives = static_cast<int16_t>(play.lives - 1);
    const int32_t extra = play.score / play.difficulty + 3;
    createSnake(play, kSpawnX, kSpawnY, std::min(extra, kMaxRestartExtra));
    return false;
}
