// A Host for unit tests: scripted mouse and keys, a virtual clock, queued
// dialog answers, and a record of what the program asked of it. Keys and
// buttons go through the same key table as every other host (focus rule,
// kept presses and clicks included).
#pragma once

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/host.h"
#include "hosts/key_table.h"

namespace tessaly {

class TestHost : public Host {
  public:
    // What the test sets: the mouse, the keys held, the dialogs' answers.
    MouseState mouse{};
    std::array<bool, kKeyCodes> keys{};
    std::string exeDir = ".";
    std::deque<std::string> openAnswers; // "" = cancel; empty queue also cancels
    std::deque<std::string> saveAnswers;
    bool closeRequest = false;
    std::deque<int> answers; // answer indexes; an empty queue closes the question
    WallClock wall{};
    std::deque<std::string> folderAnswers;    // "" = cancel; empty queue also cancels
    std::deque<SizeChoice> sizeAnswers;       // an empty queue cancels
    std::string dosBox = "dosbox";            // what findDosBox finds ("" for none)
    ProcessStart processResult{true, {}, ""}; // what every startProcess gives

    // A key tapped or a button clicked (pressed and released at once) before
    // the next pass: it reads as held for that whole pass, as hosts keep such
    // presses.
    void tap(int code) {
        syncKeys();
        keyDown(table_, code, false, now());
        keyUp(table_, code);
        otherEvent(table_);
    }
    void click(int buttons) { buttonDown(table_, buttons, mouse.x, mouse.y); }
    // A key pressed or let go now, as a key event (setting `keys` is seen at
    // the next read only).
    void pressKey(int code) {
        keys[std::size_t(code)] = true;
        syncKeys();
    }
    void releaseKey(int code) {
        keys[std::size_t(code)] = false;
        syncKeys();
    }
    // Every key let go now, so that keys held next are pressed afresh.
    void releaseKeys() {
        keys.fill(false);
        syncKeys();
    }

    // What the program did.
    Surface* surface = nullptr;
    std::string title;
    long long clock = 0; // virtual milliseconds
    int pauses = 0;
    std::vector<DialogRequest> openRequests;
    std::vector<DialogRequest> saveRequests;
    int aboutBoxes = 0;
    int passes = 0;
    std::vector<Question> questions;
    std::vector<std::string> messages;
    std::vector<FolderRequest> folderRequests;
    std::vector<SizeRequest> sizeRequests;
    std::vector<ProcessRequest> processes;

    void openWindow(Surface& s) override { surface = &s; }
    void setTitle(std::string_view t) override { title = std::string(t.substr(0, kTitleLimit)); }
    void beginPass() override {
        ++passes;
        syncKeys();
        tessaly::beginPass(table_);
    }
    MouseState readMouse() override {
        MouseState m = mouse;
        if (m.buttons < 0) return m;
        m.buttons = readButtons(table_, mouse.buttons);
        if (keepsClick(table_.clicks)) {
            m.x = table_.clicks.keptX;
            m.y = table_.clicks.keptY;
        }
        return m;
    }
    bool keyHeld(int code) override {
        syncKeys();
        return readKey(table_, code);
    }
    void pause(int ms) override {
        clock += ms;
        ++pauses;
    }
    int64_t clockMilliseconds() override { return clock; }
    WallClock wallClock() override { return wall; }
    std::string executableDirectory() override { return exeDir; }
    std::string openFileDialog(const DialogRequest& r) override {
        openRequests.push_back(r);
        return modal(take(openAnswers));
    }
    std::string saveFileDialog(const DialogRequest& r) override {
        saveRequests.push_back(r);
        return modal(take(saveAnswers));
    }
    void showAboutBox() override {
        ++aboutBoxes;
        modal(0);
    }
    int ask(const Question& q) override {
        questions.push_back(q);
        if (answers.empty()) return modal(kQuestionClosed);
        const int a = answers.front();
        answers.pop_front();
        return modal(a);
    }
    void showMessage(std::string_view text) override {
        messages.emplace_back(text);
        modal(0);
    }
    std::string chooseFolder(const FolderRequest& r) override {
        folderRequests.push_back(r);
        return modal(take(folderAnswers));
    }
    SizeChoice askSize(const SizeRequest& r) override {
        sizeRequests.push_back(r);
        if (sizeAnswers.empty()) return modal(SizeChoice{});
        const SizeChoice a = sizeAnswers.front();
        sizeAnswers.pop_front();
        return modal(a);
    }
    std::string findDosBox() override { return dosBox; }
    ProcessStart startProcess(const ProcessRequest& r) override {
        processes.push_back(r);
        return processResult;
    }
    bool closeRequested() override {
        if (closeRequest) requestClose(table_);
        closeRequest = false;
        return takeCloseRequest(table_);
    }

  private:
    KeyTable table_;
    std::array<bool, kKeyCodes> synced_{}; // the keys as the table last heard of them

    uint32_t now() const { return uint32_t(clock); }

    // The keys the test changed since the last read, as key events.
    void syncKeys() {
        for (int code = 0; code < kKeyCodes; ++code) {
            const std::size_t c = std::size_t(code);
            if (keys[c] == synced_[c]) continue;
            synced_[c] = keys[c];
            if (keys[c]) {
                keyDown(table_, code, false, now());
            } else {
                keyUp(table_, code);
                otherEvent(table_);
            }
        }
    }

    // A dialog takes the focus and gives it back, as in every host.
    template <class T>
    T modal(T result) {
        syncKeys();
        focusLost(table_, now());
        focusGained(table_, now());
        return result;
    }

    static std::string take(std::deque<std::string>& q) {
        if (q.empty()) return "";
        std::string s = q.front();
        q.pop_front();
        return s;
    }
};

} // namespace tessaly
