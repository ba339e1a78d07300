// Process exit, fatal errors and termination signals.
#include "platform/process.h"

#include "platform/console.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {
// Any thread may take a signal: the count is atomic, and lock-free so that a handler may touch it.
std::atomic<int> requests{0};
static_assert(std::atomic<int>::is_always_lock_free);
// The steady clock's count at the first request, set before the count is raised. The steady
// clock is clock_gettime(CLOCK_MONOTONIC) on POSIX, which a handler may call.
std::atomic<std::chrono::steady_clock::rep> firstRequestAt{0};
static_assert(std::atomic<std::chrono::steady_clock::rep>::is_always_lock_free);
void (*undoAtExit)() = nullptr;

extern "C" void onTerminationSignal(int) {
    if (requests.load() == 0) {
        firstRequestAt.store(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    int seen = requests.load();
    while (seen < 2 && !requests.compare_exchange_weak(seen, seen + 1)) {
    }
}
}  // namespace

namespace {
// What every way out does first.
void flushAndUndo() {
    std::fflush(stdout);
    if (auto undo = undoAtExit) {
        undoAtExit = nullptr;
        undo();
    }
}
}  // namespace

void exitProcess(int status) {
    flushAndUndo();
    std::exit(status);
}

void exitProcessNow(int status) {
    flushAndUndo();
    std::_Exit(status);
}

unsigned long processId() {
#if defined(_WIN32)
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

void atExit(void (*undo)()) {
    undoAtExit = undo;
}

void fatalError(const std::string& message) {
    writeErrorLine(message);
    exitProcess(1);
}

void catchTerminationSignals() {
    std::signal(SIGINT, onTerminationSignal);
    std::signal(SIGTERM, onTerminationSignal);
#if defined(SIGHUP)
    // The terminal that started the game was closed: end the game as Exit does.
    std::signal(SIGHUP, onTerminationSignal);
#endif
#if defined(SIGPIPE)
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool terminationRequested() {
    return requests.load() > 0;
}

int terminationRequests() {
    return requests.load();
}

std::chrono::steady_clock::time_point terminationRequestedAt() {
    return std::chrono::steady_clock::time_point(
        std::chrono::steady_clock::duration(firstRequestAt.load()));
}
