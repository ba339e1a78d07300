// What the end-to-end tests share with the real game through a page of memory (a file named by
// ORVEL_TEST_SEAM): the game's clock, which only the test moves, and counts of the frames the
// game has shown and the key presses it has read. seam_preload.cpp puts it between the game and
// its libraries; seam.cpp is the tests' side.
#pragma once

#include <atomic>
#include <cstdint>

struct Seam {
    std::atomic<int64_t> pid;      // the game's process, once it has used the seam
    std::atomic<int64_t> now;      // what the game's elapsed-time counter reads, in ms
    std::atomic<int64_t> frames;   // buffer swaps so far
    std::atomic<int64_t> presses;  // key presses the game has read from the display
    // The time the last frame began with (its first look at the clock, once its keys were
    // read), and the frames shown before that frame.
    std::atomic<int64_t> seen;
    std::atomic<int64_t> framesAtSeen;
    // Requests the game carries out on itself, at the one moment they are meant for: stop
    // (SIGSTOP) as the first frame to see a new time begins, after its keys and before its
    // step; or right after the given swap, before what follows it (the hold of GAME OVER).
    std::atomic<int64_t> stopOnRead;
    std::atomic<int64_t> stopAfterFrame;
};

static_assert(std::atomic<int64_t>::is_always_lock_free, "shared between processes");
