#include "hosts/window_host.h"

#include <algorithm>
#include <chrono>

#include "hosts/dosbox_search.h"

namespace tessaly {

namespace {

// Pauses wait in slices this long, handling events and showing the page
// between slices.
constexpr int kPauseSliceMs = 10;

} // namespace

void WindowHost::beginPass() {
    pumpEvents();
    tessaly::beginPass(keys_);
}

bool WindowHost::keyHeld(int scanCode) {
    return hasWindow() && readKey(keys_, scanCode);
}

void WindowHost::pause(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    while (true) {
        pumpEvents();
        present();
        const auto left = end - Clock::now();
        if (left <= Clock::duration::zero()) return;
        // Whole milliseconds, rounded up: a pause never ends early.
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        waitForEvents(int(std::min<long long>(ms, kPauseSliceMs)));
    }
}

int64_t WindowHost::clockMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool WindowHost::closeRequested() {
    return windowFailed_ || takeCloseRequest(keys_);
}

std::string WindowHost::findDosBox() {
    return findDosBoxProgram();
}

ProcessStart WindowHost::startProcess(const ProcessRequest& request) {
    return tessaly::startProcess(request.program, request.arguments, request.folder);
}

} // namespace tessaly
