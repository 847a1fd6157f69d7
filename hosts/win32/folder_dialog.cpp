// The system's own folder dialog: the common item dialog picking a folder
// (the one Explorer uses), modal to the editor window.
#include <shobjidl.h>

#include "hosts/win32/win32_dialogs.h"
#include "system/text_encoding.h"

namespace tessaly {

namespace {

std::wstring wide(std::string_view utf8) {
    const std::u16string text = utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

// The folder the dialog ends with, as a file system path; "" when there is none.
std::string chosenPath(IFileOpenDialog* dialog) {
    IShellItem* item = nullptr;
    if (FAILED(dialog->GetResult(&item))) return "";
    std::string path;
    PWSTR name = nullptr;
    if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &name)) && name) {
        path = utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(name)));
        CoTaskMemFree(name);
    }
    item->Release();
    return path;
}

} // namespace

std::string showFolderDialog(HWND owner, const FolderRequest& request) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::string chosen;
    IFileOpenDialog* dialog = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog->GetOptions(&options);
        dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
        dialog->SetTitle(wide(request.title).c_str());
        IShellItem* start = nullptr;
        if (!request.folder.empty() && SUCCEEDED(SHCreateItemFromParsingName(
                                           wide(request.folder).c_str(), nullptr, IID_IShellItem,
                                           reinterpret_cast<void**>(&start)))) {
            dialog->SetFolder(start);
            start->Release();
        }
        if (SUCCEEDED(dialog->Show(owner))) chosen = chosenPath(dialog);
        dialog->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
}

} // namespace tessaly
