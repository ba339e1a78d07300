// How a game waits for the table's lock while another program holds it: never silently and
// never for ever. It says so once after half a second, and gives up after ten seconds or as
// soon as the game is asked to end.
#pragma once

#include <chrono>
#include <string>

constexpr std::chrono::milliseconds kLockNoticeAfter{500};
constexpr std::chrono::seconds kLockGiveUpAfter{10};

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
