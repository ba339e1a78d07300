// The end-to-end tests' side of the seam (seam.h): makes the page, moves the game's clock and
// waits for what the game has done. Every wait ends as soon as the game has ended, and
// otherwise has a generous limit, reached only when the game is stuck or never gets what it
// waits for; none is a guess at how fast the machine is.
//
//   seam FILE init                  a new page: the clock at 0, nothing counted
//   seam FILE count presses|frames  key presses the game has read, frames it has shown
//   seam FILE frames N              wait until the game has shown N more frames
//   seam FILE presses-read TOTAL    wait until the game has read TOTAL key presses in all,
//                                   then two more frames: the keys are handled and shown
//   seam FILE advance MS [stop]     move the clock on; with stop, the game stops itself
//                                   (SIGSTOP) as the first frame to see the new time begins:
//                                   keys pressed now are read after that frame's step
//   seam FILE stop-after-step       the game stops itself right after showing the frame that
//                                   began with the current time (the frame of its step); for a
//                                   game stopped by advance ... stop
//   seam FILE stopped               wait until the game has stopped itself
//   seam FILE time-read             wait until the game has read the clock's present time (a
//                                   frame, or a waiting game's look whether it needs one)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <thread>

#include "seam.h"

namespace {

constexpr auto kLimit = std::chrono::seconds(60);

Seam* openSeam(const char* path, bool create) {
    const int fd = open(path, O_RDWR | O_CLOEXEC | (create ? O_CREAT | O_TRUNC : 0), 0666);
    // The game may run as another user (the tests' player): the page is everyone's.
    if (fd < 0 || (create && (fchmod(fd, 0666) != 0 || ftruncate(fd, sizeof(Seam)) != 0))) {
        std::perror(path);
        std::exit(2);
    }
    void* page = mmap(nullptr, sizeof(Seam), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (page == MAP_FAILED) {
        std::perror(path);
        std::exit(2);
    }
    if (!create) {
        return static_cast<Seam*>(page);
    }
    Seam* seam = new (page) Seam{};
    seam->seen.store(-1);  // the game has read no time yet
    return seam;
}

// The game's state letter in /proc (R, S, T, Z, ...), '-' once it is gone, '?' while unknown.
char gameState(const Seam& seam) {
    const int64_t pid = seam.pid.load();
    if (pid <= 0) {
        return '?';
    }
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return '-';
    }
    const size_t end = line.rfind(')');
    return end == std::string::npos || end + 2 >= line.size() ? '?' : line[end + 2];
}

bool gameEnded(const Seam& seam) {
    const char state = gameState(seam);
    return state == '-' || state == 'Z' || state == 'X';
}

enum class Outcome { Done, Ended };

// Waits until done() holds or the game has ended; past the limit, says what was awaited and
// fails.
template <typename Done>
Outcome await(const Seam& seam, Done done, const std::string& what) {
    const auto deadline = std::chrono::steady_clock::now() + kLimit;
    while (!done()) {
        if (gameEnded(seam)) {
            return Outcome::Ended;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "seam: gave up after %lld s waiting until %s\n",
                         static_cast<long long>(kLimit.count()), what.c_str());
            std::exit(1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return Outcome::Done;
}

// A wait that only a running game can end.
void require(Outcome outcome, const char* what) {
    if (outcome == Outcome::Ended) {
        std::fprintf(stderr, "seam: the game ended before %s\n", what);
        std::exit(1);
    }
}

Outcome awaitFrames(const Seam& seam, int64_t more) {
    const int64_t target = seam.frames.load() + more;
    return await(
        seam, [&] { return seam.frames.load() >= target; },
        "the game has shown " + std::to_string(more) + " more frames");
}

int usage() {
    std::fprintf(stderr,
                 "usage: seam FILE init | count presses|frames | frames N | presses-read TOTAL | "
                 "advance MS [stop] | stop-after-step | stopped | time-read\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    const std::string command = argv[2];
    Seam& seam = *openSeam(argv[1], command == "init");
    const std::string argument = argc > 3 ? argv[3] : "";
    if (command == "init" && argc == 3) {
        return 0;
    }
    if (command == "count" && argc == 4 && (argument == "presses" || argument == "frames")) {
        const int64_t count = argument == "presses" ? seam.presses.load() : seam.frames.load();
        std::printf("%lld\n", static_cast<long long>(count));
        return 0;
    }
    if (command == "frames" && argc == 4) {
        require(awaitFrames(seam, std::atoll(argv[3])), "it showed the frames awaited");
        return 0;
    }
    if (command == "presses-read" && argc == 4) {
        // A key that ends the game (Exit) is read all the same: the caller checks the end.
        const int64_t total = std::atoll(argv[3]);
        if (await(
                seam, [&] { return seam.presses.load() >= total; },
                "the game has read " + std::to_string(total) + " key presses (it has read " +
                    std::to_string(seam.presses.load()) + "; is the keyboard focus elsewhere?)") ==
            Outcome::Done) {
            awaitFrames(seam, 2);
        }
        return 0;
    }
    if (command == "advance" && (argc == 4 || (argc == 5 && std::strcmp(argv[4], "stop") == 0))) {
        seam.stopOnRead.store(argc == 5 ? 1 : 0);
        seam.now.fetch_add(std::atoll(argv[3]));
        return 0;
    }
    if (command == "stop-after-step" && argc == 3) {
        require(await(
                    seam, [&] { return seam.seen.load() == seam.now.load(); },
                    "a frame has begun with the clock's time"),
                "a frame began with the clock's time");
        seam.stopAfterFrame.store(seam.framesAtSeen.load() + 1);
        if (seam.frames.load() > seam.framesAtSeen.load()) {
            std::fprintf(stderr, "seam: the frame of the step was shown already\n");
            return 1;
        }
        return 0;
    }
    if (command == "stopped" && argc == 3) {
        require(await(
                    seam, [&] { return gameState(seam) == 'T'; }, "the game has stopped itself"),
                "it stopped itself");
        return 0;
    }
    if (command == "time-read" && argc == 3) {
        require(await(
                    seam, [&] { return seam.seen.load() == seam.now.load(); },
                    "the game has read the clock's time"),
                "it read the clock's time");
        return 0;
    }
    return usage();
}
