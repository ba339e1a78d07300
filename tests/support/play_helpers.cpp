// Helpers for tests of the game's rules.
#include "play_helpers.h"

#include "game/collisions.h"
#include "game/random.h"
#include "game/step.h"

void PlayTest::SetUp() {
    seedRandom(5489);
}

void PlayTest::start() {
    testing::internal::CaptureStdout();
    startNewGame(play);
    testing::internal::GetCapturedStdout();
}

void moveBerry(Play& play, int k, int x, int y) {
    // A berry's cell is only ever chosen by place(), so place it again until it lands there.
    Berry& berry = *play.berries[k];
    testing::internal::CaptureStdout();
    for (int tries = 0; tries < 100000 && (berry.x() != x || berry.y() != y); ++tries) {
        play.board.at(berry.x(), berry.y()) = kEmpty;
        berry.place(play.board);
    }
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(berry.x(), x);
    ASSERT_EQ(berry.y(), y);
}

void parkBerries(Play& play) {
    for (int k = 1; k <= kBerryCount; ++k) {
        const int x = 2 + k, y = 17;
        for (int j = 1; j <= kBerryCount; ++j) {
            Berry& other = *play.berries[j];
            while (j != k && other.x() == x && other.y() == y) {
                testing::internal::CaptureStdout();
                play.board.at(x, y) = kEmpty;
                other.place(play.board);
                testing::internal::GetCapturedStdout();
            }
        }
        moveBerry(play, k, x, y);
    }
}

void laySnake(Play& play, std::initializer_list<std::pair<int, int>> cells, char heading) {
    auto cell = cells.begin();
    createSnake(play, cell->first, cell->second, 0);
    for (++cell; cell != cells.end(); ++cell) {
        appendSegment(*play.snakeFirst, cell->first, cell->second);
    }
    play.direction = heading;
    play.nextDirection = heading;
    refreshBoard(play.board, *play.snakeFirst, play.berries);
}

int32_t snakeLength(const Play& play) {
    int32_t length = 0;
    for (const SnakeSegment* s = play.snakeFirst.get(); s; s = s->next.get()) {
        ++length;
    }
    return length;
}

const SnakeSegment* snakeTail(const Play& play) {
    const SnakeSegment* tail = play.snakeFirst.get();
    while (tail && tail->next) {
        tail = tail->next.get();
    }
    return tail;
}

Replay recordGame(Play& play, std::vector<std::pair<int, char>> turns, int32_t steps,
                  const std::function<void(Play&)>& lastly) {
    ReplayRecorder recorder;
    recorder.begin(play, "test", "2026-12-07T00:00:00Z");
    testing::internal::CaptureStdout();
    startNewGame(play);
    for (int32_t step = 1; step <= steps; ++step) {
        for (const auto& [at, heading] : turns) {
            if (at == step) {
                play.nextDirection = heading;
            }
        }
        recorder.beforeStep(play);
        const StepEvent event = playStep(play);
        recorder.afterStep(play);
        if (event.kind == StepEvent::Kind::GameOver) {
            break;
        }
    }
    testing::internal::GetCapturedStdout();
    if (lastly) {
        lastly(play);
    }
    return recorder.finish(play, "escape");
}
