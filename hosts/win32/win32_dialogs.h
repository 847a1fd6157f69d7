// The system's own modal dialogs on Windows: the common file dialogs, the
// About box from the executable's dialog template, questions and messages.
// Each returns when the user has closed it; `owner` is the editor window
// (or null), which stays painted by its own messages meanwhile.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "hosts/host.h"

namespace tessaly {

// The dialog template and resources the executable carries (tessaly.rc).
constexpr int kAboutBoxTemplate = 10100;
constexpr int kAboutOkButton = 1001;
constexpr int kAboutVersionLine = 126;

// The chosen path (UTF-8), or "" when cancelled or failed. The dialog starts
// in `folder`, or where the system last left it when that is empty, with the
// request's file name proposed.
std::string showOpenFileDialog(HWND owner, const DialogRequest& request, const std::string& folder);
std::string showSaveFileDialog(HWND owner, const DialogRequest& request, const std::string& folder);

// The folder chosen in the system's folder dialog (UTF-8), or "" when
// cancelled or failed (folder_dialog.cpp).
std::string showFolderDialog(HWND owner, const FolderRequest& request);
// The size dialog (its template in tessaly.rc): width, height and, when the
// request asks for it, the part that stays in place; nothing chosen when
// cancelled or when the box could not be made.
SizeChoice showSizeDialog(HWND owner, const SizeRequest& request);

// False when the box could not be made (no template in this executable).
bool showAboutBox(HWND owner);

// The index of the answer chosen, or kQuestionClosed.
int askQuestion(HWND owner, const Question& question);

bool showMessage(HWND owner, std::string_view text);

} // namespace tessaly
