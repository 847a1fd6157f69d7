#include "hosts/replay/replay_host.h"

#include <algorithm>
#include <utility>

#include "core/png.h"
#include "core/surface.h"
#include "system/png_file.h"
#include "system/text_encoding.h"
#include "system/user_folders.h"

namespace tessaly {

namespace {

// The virtual date and time at the program's start: 2000-01-01 00:00:00 UTC.
constexpr int64_t kStartUnixSeconds = 946684800;

// The text in double quotes, control characters written as \xNN.
std::string quoted(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string filterList(const DialogRequest& request) {
    std::string list;
    for (const FileFilter& f : request.filters) {
        if (!list.empty()) list += '|';
        list += f.description + '|' + f.pattern;
    }
    return list;
}

} // namespace

ReplayHost::ReplayHost(const ReplayScript& script, std::ostream& log,
                       std::string executableDirectory)
    : script_(script), log_(log), executableDirectory_(std::move(executableDirectory)) {}

void ReplayHost::start() {
    while (next_ < script_.lines.size() && script_.lines[next_].time <= clock_) {
        apply(script_.lines[next_++]);
    }
}

void ReplayHost::programExited(int status) {
    entry() << "exit " << status << '\n' << std::flush;
}

int ReplayHost::exitStatus() const {
    if (noAnswer_) return 2;
    return checkFailed_ ? 1 : 0;
}

std::ostream& ReplayHost::entry() {
    return log_ << '@' << clock_ << ' ';
}

void ReplayHost::fail(const ReplayLine& line, const std::string& why) {
    checkFailed_ = true;
    entry() << "expect-failed " << line.lineNumber << ": " << why << '\n' << std::flush;
}

void ReplayHost::openWindow(Surface& surface) {
    surface_ = &surface;
}

void ReplayHost::setTitle(std::string_view title) {
    title_ = utf8Prefix(title, kTitleLimit);
    entry() << "title " << quoted(title_) << '\n' << std::flush;
}

// There is no window to show; the page counts as shown whenever the real
// window would show it, so the surface's change tracking behaves as there.
void ReplayHost::present() {
    if (surface_ != nullptr) markPresented(*surface_);
}

void ReplayHost::beginPass() {
    tessaly::beginPass(keys_);
}

MouseState ReplayHost::readMouse() {
    present();
    MouseState m = mouse_;
    m.buttons = readButtons(keys_, mouse_.buttons);
    if (keepsClick(keys_.clicks)) {
        m.x = keys_.clicks.keptX;
        m.y = keys_.clicks.keptY;
    }
    return m;
}

bool ReplayHost::keyHeld(int scanCode) {
    present();
    return readKey(keys_, scanCode);
}

void ReplayHost::pause(int milliseconds) {
    passTime(milliseconds);
}

void ReplayHost::passTime(int milliseconds) {
    present();
    if (clock_ >= script_.endTime) throw ReplayStopped{};
    const long long until = clock_ + std::max(milliseconds, 0);
    while (next_ < script_.lines.size() && script_.lines[next_].time <= until) {
        clock_ = script_.lines[next_].time;
        apply(script_.lines[next_++]);
    }
    if (until > script_.endTime) {
        clock_ = script_.endTime;
        throw ReplayStopped{};
    }
    clock_ = until;
}

int64_t ReplayHost::clockMilliseconds() {
    return clock_;
}

WallClock ReplayHost::wallClock() {
    return {kStartUnixSeconds + clock_ / 1000, 0};
}

std::string ReplayHost::executableDirectory() {
    return executableDirectory_;
}

std::string ReplayHost::openFileDialog(const DialogRequest& request) {
    return dialog("open-dialog", openAnswers_, request);
}

std::string ReplayHost::saveFileDialog(const DialogRequest& request) {
    return dialog("save-dialog", saveAnswers_, request);
}

std::string ReplayHost::dialog(const char* kind, std::deque<const ReplayLine*>& answers,
                               const DialogRequest& request) {
    entry() << kind << ' ' << quoted(request.title) << ' ' << quoted(filterList(request)) << " -> ";
    return answerDialog(answers);
}

// The rest of a dialog's log line, after its arrow: the answer taken.
std::string ReplayHost::answerDialog(std::deque<const ReplayLine*>& answers) {
    if (answers.empty()) {
        log_ << "NONE\n" << std::flush;
        noAnswer_ = true;
        throw ReplayStopped{};
    }
    const ReplayLine& answer = *answers.front();
    answers.pop_front();
    log_ << quoted(answer.text) << '\n' << std::flush;
    focusChanged();
    return answer.path;
}

void ReplayHost::showAboutBox() {
    entry() << "about\n" << std::flush;
    focusChanged();
}

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return text;
}

} // namespace

int ReplayHost::ask(const Question& question) {
    entry() << "question " << quoted(question.text) << " -> ";
    if (questionAnswers_.empty()) {
        log_ << "NONE\n" << std::flush;
        noAnswer_ = true;
        throw ReplayStopped{};
    }
    const std::string word = questionAnswers_.front()->text;
    questionAnswers_.pop_front();
    int chosen = word == "close" ? kQuestionClosed : -2;
    std::string offered;
    for (std::size_t i = 0; i < question.answers.size(); ++i) {
        const std::string answer = lowerCase(question.answers[i]);
        if (answer == word) chosen = int(i);
        offered += (i ? ", " : "") + answer;
    }
    if (chosen == -2) {
        log_ << word << " (not one of " << offered << ")\n" << std::flush;
        noAnswer_ = true;
        throw ReplayStopped{};
    }
    log_ << word << '\n' << std::flush;
    focusChanged();
    return chosen;
}

void ReplayHost::showMessage(std::string_view text) {
    entry() << "message " << quoted(text) << '\n' << std::flush;
    focusChanged();
}

std::string ReplayHost::chooseFolder(const FolderRequest& request) {
    entry() << "folder-dialog " << quoted(request.title) << " -> ";
    return answerDialog(folderAnswers_);
}

// Logged as the size asked with its start: `size-dialog "Resize Level" 30 25
// -> "40 25 nw"`.
SizeChoice ReplayHost::askSize(const SizeRequest& request) {
    entry() << "size-dialog " << quoted(request.title) << ' ' << request.width << ' '
            << request.height << " -> ";
    const ReplayLine* answer = sizeAnswers_.empty() ? nullptr : sizeAnswers_.front();
    answerDialog(sizeAnswers_); // ends the replay when the script gave no answer
    if (answer->command != ReplayCommand::Size) return {};
    return {true, answer->x, answer->y, request.withAnchor ? answer->value : 0};
}

std::string ReplayHost::findDosBox() {
    return noDosBox_ ? "" : "dosbox";
}

ProcessStart ReplayHost::startProcess(const ProcessRequest& request) {
    const std::string cache = userCacheFolder();
    entry() << "play " << quoted(request.program);
    for (const std::string& argument : request.arguments) {
        std::string shown = argument;
        if (!cache.empty() && shown.size() > cache.size() + 1 &&
            shown.compare(0, cache.size(), cache) == 0 &&
            (shown[cache.size()] == '/' || shown[cache.size()] == '\\')) {
            shown = shown.substr(cache.size() + 1);
            std::replace(shown.begin(), shown.end(), '\\', '/');
        }
        log_ << ' ' << quoted(shown);
    }
    log_ << '\n' << std::flush;
    ProcessStart started;
    started.started = true;
    return started;
}

bool ReplayHost::closeRequested() {
    return takeCloseRequest(keys_);
}

// A dialog or a focus line: the window loses the focus and gets it back.
void ReplayHost::focusChanged() {
    focusLost(keys_, uint32_t(clock_));
    focusGained(keys_, uint32_t(clock_));
}

void ReplayHost::press(int button) {
    if ((mouse_.buttons & button) == 0) buttonDown(keys_, button, mouse_.x, mouse_.y);
    mouse_.buttons |= button;
}

void ReplayHost::release(int button) {
    otherEvent(keys_);
    mouse_.buttons &= ~button;
}

void ReplayHost::keyDown(int code) {
    const bool repeat = scriptDown_[std::size_t(code)];
    scriptDown_[std::size_t(code)] = true;
    tessaly::keyDown(keys_, code, repeat, uint32_t(clock_));
}

// The script's key-ups are never the window system's key-ups of a focus
// loss (key_table.h): each stands alone.
void ReplayHost::keyUp(int code) {
    scriptDown_[std::size_t(code)] = false;
    tessaly::keyUp(keys_, code);
    otherEvent(keys_);
}

void ReplayHost::apply(const ReplayLine& line) {
    switch (line.command) {
    case ReplayCommand::Mouse:
        otherEvent(keys_);
        mouse_.x = line.x;
        mouse_.y = line.y;
        break;
    case ReplayCommand::Press:
        press(line.value);
        break;
    case ReplayCommand::Release:
        release(line.value);
        break;
    case ReplayCommand::Click:
        press(line.value);
        release(line.value);
        break;
    case ReplayCommand::KeyDown:
        keyDown(line.value);
        break;
    case ReplayCommand::KeyUp:
        keyUp(line.value);
        break;
    case ReplayCommand::Tap:
        keyDown(line.value);
        keyUp(line.value);
        break;
    case ReplayCommand::Wheel:
        otherEvent(keys_);
        mouse_.wheel += line.value;
        break;
    case ReplayCommand::Open:
    case ReplayCommand::OpenCancel:
        openAnswers_.push_back(&line);
        break;
    case ReplayCommand::Save:
    case ReplayCommand::SaveCancel:
        saveAnswers_.push_back(&line);
        break;
    case ReplayCommand::Answer:
        questionAnswers_.push_back(&line);
        break;
    case ReplayCommand::Folder:
    case ReplayCommand::FolderCancel:
        folderAnswers_.push_back(&line);
        break;
    case ReplayCommand::Size:
    case ReplayCommand::SizeCancel:
        sizeAnswers_.push_back(&line);
        break;
    case ReplayCommand::NoDosBox:
        noDosBox_ = true;
        break;
    case ReplayCommand::FocusLost:
    case ReplayCommand::FocusGained:
        focusChanged();
        break;
    case ReplayCommand::CloseWindow:
        requestClose(keys_);
        break;
    case ReplayCommand::Screenshot:
        screenshot(line);
        break;
    case ReplayCommand::ExpectPixel:
    case ReplayCommand::ExpectTitle:
        check(line);
        break;
    }
}

void ReplayHost::screenshot(const ReplayLine& line) {
    entry() << "screenshot " << line.text << '\n' << std::flush;
    // Safe: a screenshot that could not be taken fails the run like a check,
    // rather than leaving a missing picture behind a successful status.
    if (surface_ == nullptr) {
        fail(line, "no window is open");
    } else if (!writePngFile(line.path, visiblePagePng(*surface_))) {
        fail(line, "cannot write " + line.text);
    }
}

void ReplayHost::check(const ReplayLine& line) {
    if (line.command == ReplayCommand::ExpectTitle) {
        if (title_ != line.text) {
            fail(line, "title is " + quoted(title_) + ", expected " + quoted(line.text));
        }
        return;
    }
    if (surface_ == nullptr) {
        fail(line, "no window is open");
        return;
    }
    int shown = pixelAt(*surface_, surface_->visiblePage, line.x, line.y);
    if (shown != line.value) {
        fail(line, "pixel (" + std::to_string(line.x) + ", " + std::to_string(line.y) + ") is " +
                       std::to_string(shown) + ", expected " + std::to_string(line.value));
    }
}

} // namespace tessaly
