// A Host for unit tests: scripted mouse and keys, a virtual clock, queued
// dialog answers, and a record of what the program asked of it.
#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hosts/host.h"

namespace tessaly {

class TestHost : public Host {
  public:
    // What the test sets.
    MouseState mouse{};
    std::array<bool, 128> keys{};
    std::string exeDir = ".";
    std::deque<std::string> openAnswers; // "" = cancel; empty queue also cancels
    std::deque<std::string> saveAnswers;
    bool closeRequest = false;
    std::deque<int> answers; // answer indexes; an empty queue closes the question
    WallClock wall{};

    // A key tapped or a button clicked (pressed and released at once) before
    // the next pass: it reads as held for that whole pass, as hosts keep such
    // presses.
    void tap(int code) { taps[std::size_t(code)] = true; }
    void click(int buttons) { clicks |= buttons; }

    // What the program did.
    Surface* surface = nullptr;
    std::string title;
    long long clock = 0; // virtual milliseconds
    int pauses = 0;
    int uninterruptiblePauses = 0;
    std::vector<DialogRequest> openRequests;
    std::vector<DialogRequest> saveRequests;
    int aboutBoxes = 0;
    int passes = 0;
    std::vector<Question> questions;
    std::vector<std::string> messages;

    void openWindow(Surface& s) override { surface = &s; }
    void setTitle(std::string_view t) override { title = std::string(t.substr(0, kTitleLimit)); }
    void beginPass() override {
        ++passes;
        keptKeys = std::exchange(taps, {});
        keptButtons = std::exchange(clicks, 0);
    }
    MouseState readMouse() override {
        MouseState m = mouse;
        if (m.buttons >= 0) m.buttons |= keptButtons;
        return m;
    }
    bool keyHeld(int code) override {
        return code >= 0 && code < 128 && (keys[std::size_t(code)] || keptKeys[std::size_t(code)]);
    }
    void pause(int ms) override {
        clock += ms;
        ++pauses;
    }
    void pauseUninterruptible(int ms) override {
        clock += ms;
        ++uninterruptiblePauses;
    }
    int64_t clockMilliseconds() override { return clock; }
    WallClock wallClock() override { return wall; }
    std::string executableDirectory() override { return exeDir; }
    std::string openFileDialog(const DialogRequest& r) override {
        openRequests.push_back(r);
        return take(openAnswers);
    }
    std::string saveFileDialog(const DialogRequest& r) override {
        saveRequests.push_back(r);
        return take(saveAnswers);
    }
    void showAboutBox() override { ++aboutBoxes; }
    int ask(const Question& q) override {
        questions.push_back(q);
        if (answers.empty()) return kQuestionClosed;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    bool closeRequested() override {
        bool r = closeRequest;
        closeRequest = false;
        return r;
    }

  private:
    std::array<bool, 128> taps{}, keptKeys{};
    int clicks = 0, keptButtons = 0;

    static std::string take(std::deque<std::string>& q) {
        if (q.empty()) return "";
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

} // namespace tessaly
