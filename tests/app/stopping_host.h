// A test host that ends a loop after a number of pauses, and lets a test
// react to each mouse read.
#pragma once

#include <functional>

#include "tests/support/test_host.h"

namespace tessaly::test {

struct Stopped {};

class StoppingHost : public TestHost {
  public:
    int pausesLeft = 1000;
    std::function<void(StoppingHost&)> onMouseRead;

    void pause(int ms) override {
        TestHost::pause(ms);
        if (--pausesLeft < 0) throw Stopped{};
    }
    MouseState readMouse() override {
        if (onMouseRead) onMouseRead(*this);
        return TestHost::readMouse();
    }
};

} // namespace tessaly::test
