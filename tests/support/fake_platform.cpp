// Recording pause and no-op window-system extras for the tests.
#include "fake_platform.h"

#include "fake_gl.h"
#include "platform/clock.h"
#include "platform/layout_keys.h"
#include "platform/window_system.h"

namespace fakeplatform {
namespace {
std::vector<int32_t> recordedSleeps;
std::vector<int32_t> recordedRests;
std::vector<std::string> recordedPausedAfter;
}  // namespace

int switchErrors = 0;
std::vector<std::pair<unsigned char, bool>> layoutKeys;
bool modeSwitched = true;
bool hasKeys = true;
bool sleepsTakeTime = false;
bool grabbed = false;
bool hidden = false;

const std::vector<int32_t>& sleeps() {
    return recordedSleeps;
}

const std::vector<std::string>& pausedAfter() {
    return recordedPausedAfter;
}

const std::vector<int32_t>& rests() {
    return recordedRests;
}

void reset() {
    recordedSleeps.clear();
    recordedRests.clear();
    recordedPausedAfter.clear();
    switchErrors = 0;
    modeSwitched = true;
    layoutKeys.clear();
    hasKeys = true;
    sleepsTakeTime = false;
    grabbed = false;
    hidden = false;
}

}  // namespace fakeplatform

void sleepMs(int32_t ms) {
    fakeplatform::recordedSleeps.push_back(ms);
    const auto& calls = fakegl::calls();
    fakeplatform::recordedPausedAfter.push_back(calls.empty() ? "" : calls.back().name);
    if (fakeplatform::sleepsTakeTime) {
        fakegl::advanceClock(ms);
    }
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

void keepKeyboardFocus() {}

void watchWindowFocus() {}

KeysGo whereKeysGo() {
    if (fakeplatform::grabbed) {
        return KeysGo::ToGrab;
    }
    return fakeplatform::hasKeys ? KeysGo::ToWindow : KeysGo::Elsewhere;
}

bool windowHidden() {
    return fakeplatform::hidden;
}

bool displayEmulatesModes() {
    return false;
}

void fitInWorkArea(int&, int&) {}

void reportDisplayErrors() {}

void beginCountingDisplayErrors() {}

int endCountingDisplayErrors() {
    return fakeplatform::switchErrors;
}

bool displayModeIs(int, int) {
    return fakeplatform::modeSwitched;
}

bool requestVsync() {
    return false;
}

void watchLayoutKeys() {}

void takeLayoutKeys(void (*press)(unsigned char), void (*release)(unsigned char)) {
    for (const auto& [key, pressed] : fakeplatform::layoutKeys) {
        (pressed ? press : release)(key);
    }
    fakeplatform::layoutKeys.clear();
}

void takeLayoutKeysBefore(void (*press)(unsigned char), void (*release)(unsigned char)) {
    takeLayoutKeys(press, release);
}
