#include "hosts/win32/win32_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "core/program_info.h"
#include "hosts/win32/dialog_settings.h"
#include "system/text_encoding.h"

namespace tessaly {

namespace {

constexpr wchar_t kCaption[] = L"Tessaly Editor";

std::wstring wide(std::string_view utf8) {
    const std::u16string text = utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string narrow(const wchar_t* text) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}

// The dialog starts in the request's folder with its file name proposed; a
// name typed without an extension gets the request's, and the save dialog
// asks before overwriting when the request says so, all by the dialog itself.
std::string chooseFile(HWND owner, const DialogRequest& request, const std::string& folder,
                       bool opening) {
    const std::u16string filter16 = dialogFilter(request);
    const std::wstring filter(filter16.begin(), filter16.end());
    const std::wstring title = wide(request.title);
    const std::wstring initialFolder = wide(folder);
    const std::wstring extension = wide(request.defaultExtension);
    std::vector<wchar_t> path(kDialogPathChars, L'\0');
    const std::wstring proposed = wide(request.fileName);
    if (proposed.size() < path.size()) std::copy(proposed.begin(), proposed.end(), path.begin());

    OPENFILENAMEW settings{};
    settings.lStructSize = sizeof settings;
    settings.hwndOwner = owner;
    settings.hInstance = GetModuleHandleW(nullptr);
    settings.lpstrFilter = filter.c_str();
    settings.nFilterIndex = DWORD(request.selectedFilter);
    settings.lpstrFile = path.data();
    settings.nMaxFile = DWORD(path.size());
    settings.lpstrTitle = title.c_str();
    if (!initialFolder.empty()) settings.lpstrInitialDir = initialFolder.c_str();
    if (!extension.empty()) settings.lpstrDefExt = extension.c_str();
    settings.Flags = opening ? openDialogFlags() : saveDialogFlags(request.confirmOverwrite);
    const BOOL chosen = opening ? GetOpenFileNameW(&settings) : GetSaveFileNameW(&settings);
    if (!chosen) return "";
    path.back() = L'\0';
    return narrow(path.data());
}

// Puts `box` in the middle of its owner window.
void centreOverOwner(HWND box) {
    const HWND owner = GetWindow(box, GW_OWNER);
    RECT o{}, b{};
    if (!owner || !GetWindowRect(owner, &o) || !GetWindowRect(box, &b)) return;
    const int width = b.right - b.left, height = b.bottom - b.top;
    SetWindowPos(box, nullptr, o.left + (o.right - o.left - width) / 2,
                 o.top + (o.bottom - o.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box's rules: Ok and a close request end it; every other command, the
// cancel command of Escape among them, is taken and ignored. It opens in
// the middle of the editor window and names the program's version.
INT_PTR CALLBACK aboutBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(box, kAboutVersionLine,
                        wide("Version " + std::string(programVersion())).c_str());
        centreOverOwner(box);
        return TRUE; // the system puts the focus on the first tab stop, Ok
    case WM_CLOSE:
        EndDialog(box, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kAboutOkButton) EndDialog(box, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

// The question's own template (tessaly.rc): its text and up to three answer
// buttons, which it shows from the left, the others hidden.
constexpr int kQuestionTemplate = 10200;
constexpr int kQuestionText = 200;
constexpr int kFirstAnswerId = 300;
constexpr int kAnswerButtons = 3;
// The box's result for no answer; -1 is the system's for a box not made.
constexpr INT_PTR kNoAnswer = 1000;

struct QuestionShown {
    std::wstring text;
    std::vector<std::wstring> answers;
    int defaultAnswer = 0;
};

// An answer button ends the box with its index; Escape and the close button
// send the cancel command, which is no answer.
INT_PTR CALLBACK questionProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* q = reinterpret_cast<const QuestionShown*>(lParam);
        SetDlgItemTextW(box, kQuestionText, q->text.c_str());
        for (int i = 0; i < kAnswerButtons; ++i) {
            HWND button = GetDlgItem(box, kFirstAnswerId + i);
            if (std::size_t(i) < q->answers.size()) {
                SetWindowTextW(button, q->answers[std::size_t(i)].c_str());
            } else {
                ShowWindow(button, SW_HIDE);
            }
        }
        const int chosen = kFirstAnswerId + q->defaultAnswer;
        SendMessageW(box, DM_SETDEFID, WPARAM(chosen), 0);
        SetFocus(GetDlgItem(box, chosen));
        return FALSE; // the focus is set here
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL) {
            EndDialog(box, kNoAnswer);
        } else if (id >= kFirstAnswerId && id < kFirstAnswerId + kAnswerButtons) {
            EndDialog(box, id - kFirstAnswerId);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// The size dialog's own template (tessaly.rc): two number fields, the
// frame of the anchors and their nine radio buttons in kAnchorNames' order.
constexpr int kSizeTemplate = 10300;
constexpr int kWidthField = 400, kHeightField = 401, kAnchorFrame = 402, kFirstAnchor = 410;

struct SizeShown {
    const SizeRequest* request = nullptr;
    SizeChoice choice;
};

// The side in `field` when it holds a whole number 1..256.
std::optional<int> sideIn(HWND box, int field) {
    BOOL read = FALSE;
    const UINT value = GetDlgItemInt(box, field, &read, FALSE);
    if (!read || value < 1 || value > UINT(kMaxLevelSide)) return std::nullopt;
    return int(value);
}

// OK takes the fields when both hold a side, else it beeps and selects the
// wrong one; Escape and the close button cancel.
INT_PTR CALLBACK sizeProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* shown = reinterpret_cast<SizeShown*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        shown = reinterpret_cast<SizeShown*>(lParam);
        const SizeRequest& r = *shown->request;
        SetWindowTextW(box, wide(r.title).c_str());
        SetDlgItemInt(box, kWidthField, UINT(std::clamp(r.width, 1, kMaxLevelSide)), FALSE);
        SetDlgItemInt(box, kHeightField, UINT(std::clamp(r.height, 1, kMaxLevelSide)), FALSE);
        const int lastAnchor = kFirstAnchor + int(kAnchorNames.size()) - 1;
        CheckRadioButton(box, kFirstAnchor, lastAnchor, kFirstAnchor);
        if (!r.withAnchor) {
            for (int id = kAnchorFrame; id <= lastAnchor; ++id)
                ShowWindow(GetDlgItem(box, id), SW_HIDE);
        }
        centreOverOwner(box);
        return TRUE; // the system puts the focus on the first tab stop, the width
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, 0);
        } else if (LOWORD(wParam) == IDOK) {
            const std::optional<int> width = sideIn(box, kWidthField);
            const std::optional<int> height = sideIn(box, kHeightField);
            if (!width || !height) {
                MessageBeep(MB_ICONWARNING);
                const HWND wrong = GetDlgItem(box, width ? kHeightField : kWidthField);
                SendMessageW(box, WM_NEXTDLGCTL, WPARAM(wrong), TRUE);
                return TRUE;
            }
            shown->choice = {true, *width, *height, 0};
            for (std::size_t i = 0; i < kAnchorNames.size(); ++i) {
                if (shown->request->withAnchor &&
                    IsDlgButtonChecked(box, kFirstAnchor + int(i)) == BST_CHECKED)
                    shown->choice.anchor = int(i);
            }
            EndDialog(box, 1);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

std::string showOpenFileDialog(HWND owner, const DialogRequest& request,
                               const std::string& folder) {
    return chooseFile(owner, request, folder, true);
}

std::string showSaveFileDialog(HWND owner, const DialogRequest& request,
                               const std::string& folder) {
    return chooseFile(owner, request, folder, false);
}

// The box belongs to the editor window, as the other dialogs do: it has no
// task-bar entry of its own, and the editor window takes no input while it
// is open.
bool showAboutBox(HWND owner) {
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAboutBoxTemplate), owner,
                        aboutBoxProcedure, 0);
    return result != -1;
}

// One button per answer, the default one focused; Escape and the close
// button give no answer.
int askQuestion(HWND owner, const Question& question) {
    QuestionShown shown{wide(question.text), {}, 0};
    for (const std::string& answer : question.answers) shown.answers.push_back(wide(answer));
    if (!shown.answers.empty() && std::size_t(shown.answers.size()) <= kAnswerButtons &&
        question.defaultAnswer >= 0 && std::size_t(question.defaultAnswer) < shown.answers.size()) {
        shown.defaultAnswer = question.defaultAnswer;
        const INT_PTR answer =
            DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kQuestionTemplate), owner,
                            questionProcedure, LPARAM(&shown));
        if (answer != -1) {
            return answer >= 0 && std::size_t(answer) < shown.answers.size() ? int(answer)
                                                                             : kQuestionClosed;
        }
    }
    // Without the template (a program other than the editor): a message box
    // whose Yes, No and Cancel stand for the first three answers, named in
    // the text.
    std::wstring text = shown.text + L"\n";
    const wchar_t* keys[] = {L"Yes", L"No", L"Cancel"};
    for (std::size_t i = 0; i < shown.answers.size() && i < 3; ++i) {
        text += L"\n" + std::wstring(keys[i]) + L": " + shown.answers[i];
    }
    const std::size_t count = shown.answers.size();
    const UINT kind = count >= 3 ? MB_YESNOCANCEL : MB_YESNO;
    switch (MessageBoxW(owner, text.c_str(), kCaption, kind | MB_ICONQUESTION)) {
    case IDYES:
        return 0;
    case IDNO:
        return 1;
    case IDCANCEL:
        return count >= 3 ? 2 : kQuestionClosed;
    default:
        return kQuestionClosed;
    }
}

SizeChoice showSizeDialog(HWND owner, const SizeRequest& request) {
    SizeShown shown{&request, {}};
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kSizeTemplate), owner,
                        sizeProcedure, LPARAM(&shown));
    return result == 1 ? shown.choice : SizeChoice{};
}

bool showMessage(HWND owner, std::string_view text) {
    return MessageBoxW(owner, wide(text).c_str(), kCaption, MB_OK | MB_ICONWARNING) != 0;
}

} // namespace tessaly
