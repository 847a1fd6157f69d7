#include "platform/win32/win32_dialogs.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "platform/text_encoding.h"
#include "platform/win32/dialog_settings.h"

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

// No file name is proposed and no extension is given, so a name is taken as
// typed; the dialog starts in the folder of the last file chosen.
std::string chooseFile(HWND owner, const DialogRequest& request, const std::string& folder,
                       bool opening) {
    const std::u16string filter16 = dialogFilter(request);
    const std::wstring filter(filter16.begin(), filter16.end());
    const std::wstring title = wide(request.title);
    const std::wstring initialFolder = wide(folder);
    std::vector<wchar_t> path(kDialogPathChars, L'\0');

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
    settings.Flags = opening ? openDialogFlags() : saveDialogFlags();
    const BOOL chosen = opening ? GetOpenFileNameW(&settings) : GetSaveFileNameW(&settings);
    if (!chosen) return "";
    path.back() = L'\0';
    return narrow(path.data());
}

// The box's rules: Ok and a close request end it; every other command, the
// cancel command of Escape among them, is taken and ignored.
INT_PTR CALLBACK aboutBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
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

using TaskDialogIndirectCall = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Task dialogs come with version 6 of the common controls, which the
// program's manifest asks for; looked up at run time so the program still
// starts where they are missing.
TaskDialogIndirectCall taskDialogCall() {
    const HMODULE controls = LoadLibraryW(L"comctl32.dll");
    if (!controls) return nullptr;
    return reinterpret_cast<TaskDialogIndirectCall>(
        reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")));
}

constexpr int kFirstAnswerId = 100;

} // namespace

std::string showOpenFileDialog(HWND owner, const DialogRequest& request,
                               const std::string& folder) {
    return chooseFile(owner, request, folder, true);
}

std::string showSaveFileDialog(HWND owner, const DialogRequest& request,
                               const std::string& folder) {
    return chooseFile(owner, request, folder, false);
}

// The box has no owner and its own task-bar entry, as its template says; the
// editor window takes no input while it is open, as with the other dialogs.
bool showAboutBox(HWND owner) {
    if (owner) EnableWindow(owner, FALSE);
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAboutBoxTemplate), nullptr,
                        aboutBoxProcedure, 0);
    if (owner) EnableWindow(owner, TRUE);
    return result != -1;
}

// One button per answer, the default one focused; Escape and the close
// button give no answer.
int askQuestion(HWND owner, const Question& question) {
    const std::wstring text = wide(question.text);
    std::vector<std::wstring> labels;
    for (const std::string& answer : question.answers) labels.push_back(wide(answer));
    if (const TaskDialogIndirectCall call = taskDialogCall()) {
        std::vector<TASKDIALOG_BUTTON> buttons;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            buttons.push_back({kFirstAnswerId + int(i), labels[i].c_str()});
        }
        TASKDIALOGCONFIG config{};
        config.cbSize = sizeof config;
        config.hwndParent = owner;
        config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
        config.pszWindowTitle = kCaption;
        config.pszMainIcon = TD_WARNING_ICON;
        config.pszContent = text.c_str();
        config.cButtons = UINT(buttons.size());
        config.pButtons = buttons.data();
        config.nDefaultButton = kFirstAnswerId + question.defaultAnswer;
        int pressed = 0;
        if (SUCCEEDED(call(&config, &pressed, nullptr, nullptr))) {
            const int index = pressed - kFirstAnswerId;
            return index >= 0 && std::size_t(index) < labels.size() ? index : kQuestionClosed;
        }
    }
    // Without task dialogs: a message box whose Yes, No and Cancel stand for
    // the first three answers, named in the text.
    std::wstring shown = text + L"\n";
    const wchar_t* keys[] = {L"Yes", L"No", L"Cancel"};
    for (std::size_t i = 0; i < labels.size() && i < 3; ++i) {
        shown += L"\n" + std::wstring(keys[i]) + L": " + labels[i];
    }
    const UINT kind = labels.size() >= 3 ? MB_YESNOCANCEL : MB_YESNO;
    switch (MessageBoxW(owner, shown.c_str(), kCaption, kind | MB_ICONQUESTION)) {
    case IDYES:
        return 0;
    case IDNO:
        return 1;
    case IDCANCEL:
        return labels.size() >= 3 ? 2 : kQuestionClosed;
    default:
        return kQuestionClosed;
    }
}

bool showMessage(HWND owner, std::string_view text) {
    return MessageBoxW(owner, wide(text).c_str(), kCaption, MB_OK | MB_ICONWARNING) != 0;
}

} // namespace tessaly
