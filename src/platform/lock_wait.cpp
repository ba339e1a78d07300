// Waiting for the table's lock.
#include "platform/lock_wait.h"

#include <thread>
#include <utility>

#include "platform/process.h"

namespace {
void (*sayWait)(const std::string&) = nullptr;
}  // namespace

void sayLockWaitsWith(void (*say)(const std::string& lockPath)) {
    sayWait = say;
}

LockWait::LockWait(std::string lockPath)
    : lockPath_(std::move(lockPath)), start_(std::chrono::steady_clock::now()) {}

bool LockWait::keepWaiting(std::string& error) {
    const auto now = std::chrono::steady_clock::now();
    const int requests = terminationRequests();
    // The grace is the request's, not this wait's: a wait before this one has spent its share.
    if (requests > 1 ||
        (requests == 1 && now - terminationRequestedAt() >= kLockGiveUpAfterRequest)) {
        error = "stopped waiting for " + lockPath_ + ", which another program has locked";
        return false;
    }
    const auto waited = now - start_;
    if (waited >= kLockGiveUpAfter) {
        error = "gave up after " + std::to_string(kLockGiveUpAfter.count()) + " s waiting for " +
                lockPath_ + ", which another program has locked";
        return false;
    }
    if (!told_ && waited >= kLockNoticeAfter) {
        told_ = true;
        if (sayWait) {
            sayWait(lockPath_);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return true;
}
