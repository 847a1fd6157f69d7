// The headless host: runs the program with no window, driven by a replay
// script (replay_script.h), on a virtual clock, and logs what the program did.
//
// Clock. The program's time passes only inside its pauses; a pause never
// sleeps. The date and time are virtual too: the program starts
// at 2000-01-01 00:00:00 UTC, in a time zone of UTC itself. A pause from t to t + n stops at every
// script stamp in (t, t + n], applies that stamp's lines in script order, and goes on to t + n.
// Lines stamped 0 are applied by `start`, before the program runs. Mouse, key and title reads see
// the state after the last applied line.
//
// End of the script. The script gives the program time up to its `endTime`
// and no further: a pause that would run past it applies the remaining lines
// and then does not return, and neither does a pause that begins at it. The
// host throws `ReplayStopped`, which unwinds the program back to `runReplay`
// (replay_run.h). A trailing `wait` gives the program time to finish what it
// started (Exit needs 300 ms to log its `exit` line).
// The program must let `ReplayStopped` pass (it derives from nothing, so
// `catch (const std::exception&)` does not take it). A dialog with no answer
// queued stops the program the same way.
//
// The mouse wheel reads as the running count of the notches the script's
// `wheel` lines turned, as a window counts them.
//
// Keys and buttons follow the rules of every host (hosts/key_table.h), fed by
// the script's lines as key, button and focus events stamped with the virtual
// clock. A key reads as held between its keydown and keyup, a button between
// its press and release. A keydown or press that no read has found held is
// kept for the next pass: from the program's next beginPass it reads as held
// for that whole pass, and the pointer, in a pass that keeps a click, reads
// where the click was made. So `click` and `tap`, a press and its release at
// the same time, act exactly once. A focus change (focus-lost, focus-gained,
// and every dialog or About box, which each count as a loss and a gain) makes
// every key read as not held until its next keydown; a keydown of a key the
// script holds already is a repeat, which changes nothing, so a key held
// across a focus change needs a keyup and a keydown to count again. Focus
// changes leave the mouse buttons as they are, but forget kept presses of
// keys and buttons alike.
//
// Dialogs. Applied `open`/`open-cancel` lines queue answers for open dialogs,
// `folder`/`folder-cancel` lines for folder dialogs,
// `save`/`save-cancel` lines for save dialogs, `answer` lines for questions; a
// dialog takes the oldest unused answer of its kind and never reads ahead in
// the script. An answer is the button's text in lower case, or `close` for a
// question closed without an answer (Escape). Messages take no answer.
// Dialogs, questions, messages and the About box take no time. The dialog's program-side path is
// the script's path taken relative to the script's folder; the log shows it as written.
//
// Log. One line per thing the program did at the host, in order, each
// starting with the virtual time in milliseconds:
//   @T title "TEXT"
//   @T open-dialog "TITLE" "DESC|PATTERN|DESC|PATTERN" -> "PATH"   ("" when
//      cancelled, NONE without quotes when no answer was queued)
//   @T save-dialog ...                                              (the same)
//   @T about
//   @T question "TEXT" -> WORD   (NONE without an answer; a word that is not
//      one of the question's answers is logged with them and stops the run)
//   @T message "TEXT"
//   @T folder-dialog "TITLE" -> "PATH"                             (as open-dialog)
//   @T play "PROGRAM" "ARGUMENT"...   a process the program asked to start,
//      which is never started; an argument naming a file in the user's cache
//      folder (system/user_folders.h) is written relative to it, with '/'
//      between names ("play/1/dosbox.conf"), so the log reads the same on
//      every system
//   @T screenshot FILE
//   @T exit STATUS
//   @T expect-failed LINE: WHY
// The preselected filter of a dialog is not part of the log line (the line
// keeps its fixed shape; unit tests of the dialog requests check it). Texts are
// written byte for byte, except control characters, which appear as \xNN so
// that every entry stays on one line.
//
// DOSBox. The host never looks for it: findDosBox gives "dosbox" until a
// `no-dosbox` line applies, and "" after it. A started process counts as
// started with no process behind it (its owner's id is 0).
//
// Checks. `expect-pixel` reads the visible page of the surface given to
// `openWindow`, `expect-title` the last title set (cut to 127 characters);
// `screenshot` writes the visible page through the palette as a PNG. Each is
// done when its line applies; a failure is logged as expect-failed with the
// line's number and the run goes on. Before the window opens there is no page
// to check or capture, which fails the same way.
#pragma once

#include <array>
#include <deque>
#include <ostream>
#include <string>

#include "hosts/host.h"
#include "hosts/key_table.h"
#include "hosts/replay/replay_script.h"

namespace tessaly {

// Thrown from a pause to stop the program when the script has no more time
// for it, and from a dialog with no answer.
struct ReplayStopped {};

class ReplayHost final : public Host {
  public:
    // `script` must outlive the host.
    ReplayHost(const ReplayScript& script, std::ostream& log, std::string executableDirectory);

    // Applies the lines stamped 0; call once before the program starts.
    void start();
    // Logs the program's own exit with its status.
    void programExited(int status);
    // 0 while nothing went wrong, 1 after a failed check, 2 after a dialog
    // with no answer (which wins over a failed check).
    int exitStatus() const;
    long long now() const { return clock_; }

    void openWindow(Surface& surface) override;
    void setTitle(std::string_view title) override;
    void beginPass() override;
    MouseState readMouse() override;
    bool keyHeld(int scanCode) override;
    void pause(int milliseconds) override;
    int64_t clockMilliseconds() override;
    WallClock wallClock() override;
    std::string executableDirectory() override;
    std::string openFileDialog(const DialogRequest& request) override;
    std::string saveFileDialog(const DialogRequest& request) override;
    void showAboutBox() override;
    int ask(const Question& question) override;
    void showMessage(std::string_view text) override;
    SizeChoice askSize(const SizeRequest& request) override;
    std::string chooseFolder(const FolderRequest& request) override;
    std::string findDosBox() override;
    ProcessStart startProcess(const ProcessRequest& request) override;
    bool closeRequested() override;

  private:
    void passTime(int milliseconds);
    void apply(const ReplayLine& line);
    void check(const ReplayLine& line);
    void screenshot(const ReplayLine& line);
    void focusChanged();
    void press(int button);
    void release(int button);
    void keyDown(int code);
    void keyUp(int code);
    void present();
    std::string dialog(const char* kind, std::deque<const ReplayLine*>& answers,
                       const DialogRequest& request);
    std::string answerDialog(std::deque<const ReplayLine*>& answers);
    std::ostream& entry();
    void fail(const ReplayLine& line, const std::string& why);

    const ReplayScript& script_;
    std::ostream& log_;
    std::string executableDirectory_;
    std::size_t next_ = 0; // first script line not yet applied
    long long clock_ = 0;
    Surface* surface_ = nullptr;
    std::string title_;
    MouseState mouse_{};
    std::array<bool, kKeyCodes> scriptDown_{}; // the keys the script holds
    KeyTable keys_;
    std::deque<const ReplayLine*> openAnswers_, saveAnswers_, questionAnswers_;
    std::deque<const ReplayLine*> folderAnswers_;
    std::deque<const ReplayLine*> sizeAnswers_;
    bool noDosBox_ = false;
    bool checkFailed_ = false;
    bool noAnswer_ = false;
};

} // namespace tessaly
