// The console on POSIX systems: descriptors 1 and 2 written only when they can take the
// bytes now. O_NONBLOCK is never set: the terminal's other users (the shell) share those
// open files.
#include "platform/console.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/process.h"

namespace {

// A pipe that polls writable takes a page at once, a terminal at least this much.
constexpr size_t kChunk = 256;

constexpr int kReportPatienceMs = 1000;
// Waiting for ever: how often the wait looks for a termination request.
constexpr int kForever = -1;
constexpr int kRequestLookMs = 50;

// Any wait, a second's or for ever, ends on a termination request (looked at every
// kRequestLookMs, and at once after a signal): a replay's verdict never holds a request up.
// Once asked to end, a stream is still tried once, so a line that fits is not lost.
bool writableWithin(int fd, int ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(std::max(ms, 0));
    pollfd entry{fd, POLLOUT, 0};
    int ready = 0;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        const int slice = ms == kForever
                              ? kRequestLookMs
                              : static_cast<int>(std::clamp<long long>(left, 0, kRequestLookMs));
        ready = poll(&entry, 1, slice);
        if (ready < 0 && errno == EINTR) {
            ready = 0;
        }
        if (ready != 0 || terminationRequested() || (ms != kForever && Clock::now() >= until)) {
            break;
        }
    }
    // A stream in error (a pipe whose reader quit) is written too: the write fails at once, and
    // where SIGPIPE is not ignored (a check of recordings) ends the process as it ends grep.
    return ready == 1 && (entry.revents & (POLLOUT | POLLERR | POLLHUP)) != 0;
}

// False when any of the bytes could not be written within patienceMs of each try (kForever:
// until a termination request). A line cut short by a reader that stopped half-way is ended,
// so the next line starts on its own.
bool writeNow(int fd, std::string_view bytes, int patienceMs = 0) {
    size_t done = 0;
    while (done < bytes.size()) {
        if (!writableWithin(fd, patienceMs)) {
            break;
        }
        const size_t size = std::min(kChunk, bytes.size() - done);
        const ssize_t wrote = write(fd, bytes.data() + done, size);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            break;
        }
        done += static_cast<size_t>(wrote);
    }
    if (done > 0 && done < bytes.size()) {
        const ssize_t ended = write(fd, "\n", 1);
        static_cast<void>(ended);
    }
    return done == bytes.size();
}

bool outputLost = false;

// sayLoss: a run that goes on without its lines says once that they are dropped.
bool writeLineOut(std::string_view text, int patienceMs, bool sayLoss = true) {
    std::string line(text);
    line += '\n';
    if (writeNow(STDOUT_FILENO, line, patienceMs)) {
        return true;
    }
    if (sayLoss && !outputLost) {
        outputLost = true;
        writeErrorLine(
            "standard output is not taking the game's lines (full, stopped or closed); they are "
            "dropped from now on when it can't take them");
    }
    return false;
}

}  // namespace

void openClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free descriptor is the closed one.
            const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
            if (opened >= 0 && opened != fd) {
                close(opened);
            }
        }
    }
}

bool writeOutputLine(std::string_view text) {
    return writeLineOut(text, 0);
}

bool writeReportLine(std::string_view text) {
    return writeLineOut(text, outputLost ? 0 : kReportPatienceMs);
}

bool writeOutputLineWaiting(std::string_view text) {
    return writeLineOut(text, kForever, false);
}

void writeErrorLine(std::string_view text) {
    std::string line = "orvel: ";
    line += text;
    line += '\n';
    writeNow(STDERR_FILENO, line);
}
