// How a game waits for the table's lock while another program holds it: never silently and
// never for ever. It says so once after half a second, and gives up after ten seconds. A game
// asked to end (SIGTERM, a logout) still waits up to two seconds from the request, in all its
// waits together: several games told to quit at once take turns with their last saves, each
// holding the lock for milliseconds. A second request
// ends the wait at once, as a lock held for minutes must not keep a logout waiting.
#pragma once

#include <chrono>
#include <string>

constexpr std::chrono::milliseconds kLockNoticeAfter{500};
constexpr std::chrono::seconds kLockGiveUpAfter{10};
constexpr std::chrono::seconds kLockGiveUpAfterRequest{2};

// Says that a wait has lasted kLockNoticeAfter; the lock's path may come from a link anyone
// planted, so the shell words it for the terminal. Nothing is said until one is given.
void sayLockWaitsWith(void (*say)(const std::string& lockPath));

class LockWait {
public:
    explicit LockWait(std::string lockPath);

    // Called after each try that found the lock taken. False, with the reason in error, when
    // it is time to give up; otherwise pauses a little before the next try.
    bool keepWaiting(std::string& error);

private:
    std::string lockPath_;
    std::chrono::steady_clock::time_point start_;
    bool told_ = false;
};
