// Recording pause and no-op window-system extras for the tests.
#include "fake_platform.h"

#include "platform/clock.h"
#include "platform/window_system.h"

namespace fakeplatform {
namespace {
std::vector<int32_t> recordedSleeps;
}

const std::vector<int32_t>& sleeps() {
    return recordedSleeps;
}

void reset() {
    recordedSleeps.clear();
}

}  // namespace fakeplatform

void sleepMs(int32_t ms) {
    fakeplatform::recordedSleeps.push_back(ms);
}

std::string displayProblem() {
    return {};
}

void identifyWindow() {}

void onDisplayLost(void (*)()) {}

void enableDetectableAutoRepeat() {}

void requestVsync() {}
