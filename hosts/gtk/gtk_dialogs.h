// The native dialogs of the real window, made with GTK 3 in the program's own
// thread: the open and save file dialogs, questions, messages and the About box.
//
// GTK is started at the first dialog, once; when it cannot start (no display)
// every dialog returns at once as if cancelled. While a dialog is open its
// owner's `keepShowing` runs about every 15 ms, so the editor window keeps
// being painted although the program's loops stand still.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/host.h"

namespace tessaly {

struct DialogOwner {
    unsigned long x11Window = 0; // the editor window on X11, 0 when there is none
    std::function<void()> keepShowing;
};

struct RgbaPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba; // 4 bytes a pixel, row by row
};

class GtkDialogs {
  public:
    // The chosen path, or "" when cancelled or when no dialog could be shown.
    // Both dialogs start in the request's folder (the current folder when it
    // has none); the save dialog with the request's name proposed, giving its
    // extension to a name typed without one and asking before it overwrites
    // a file when the request says so. Enter in the save dialog's name field
    // saves at the first press, also after a whole path was typed.
    std::string openFile(const DialogRequest& request, const DialogOwner& owner);
    std::string saveFile(const DialogRequest& request, const DialogOwner& owner);
    // The folder chosen in GTK's folder chooser, started in the request's
    // folder (the current folder when it has none); "" when cancelled or
    // when no dialog could be shown.
    std::string chooseFolder(const FolderRequest& request, const DialogOwner& owner);
    // The size dialog: two spin buttons and, when the request asks for it,
    // a 3 x 3 choice of the part that stays in place; nothing chosen when
    // cancelled or when no dialog could be shown.
    SizeChoice askSize(const SizeRequest& request, const DialogOwner& owner);
    // Shows the About box with `logo`, in the middle of the owner's window,
    // and returns when it is closed; false when it could not be shown.
    bool aboutBox(const RgbaPicture& logo, const DialogOwner& owner);
    // Asks the question with one button per answer, the default answer
    // focused: the index of the answer chosen, or kQuestionClosed when the
    // question was closed (Escape, its close button) or could not be shown.
    int ask(const Question& question, const DialogOwner& owner);
    // Shows the message with an OK button; false when it could not be shown.
    bool message(std::string_view text, const DialogOwner& owner);

  private:
    bool ready(const DialogOwner& owner);
    enum class State { Untried, Ready, Failed } state_ = State::Untried;
};

} // namespace tessaly
