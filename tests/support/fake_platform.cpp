// Recording pause and no-op window-system extras for the tests.
#include "fake_platform.h"

#include "platform/clock.h"
#include "platform/window_system.h"

namespace fakeplatform {
namespace {
std::vector<int32_t> recordedSleeps;
std::vector<int32_t> recordedRests;
}  // namespace

const std::vector<int32_t>& sleeps() {
    return recordedSleeps;
}

const std::vector<int32_t>& rests() {
    return recordedRests;
}

void reset() {
    recordedSleeps.clear();
    recordedRests.clear();
}

}  // namespace fakeplatform

void sleepMs(int32_t ms) {
    fakeplatform::recordedSleeps.push_back(ms);
}

void restBetweenFrames(int32_t ms) {
    fakeplatform::recordedRests.push_back(ms);
}

std::string displayProblem() {
    return {};
}

void identifyWindow() {}

void onDisplayLost(void (*)()) {}

void enableDetectableAutoRepeat() {}

bool requestVsync() {
    return false;
}
