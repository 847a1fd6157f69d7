#include "hosts/win32/dialog_settings.h"

#include "system/text_encoding.h"

namespace tessaly {

namespace {

// The values of commdlg.h, kept here so this file needs no system header.
constexpr uint32_t kOverwritePrompt = 0x00000002; // OFN_OVERWRITEPROMPT
constexpr uint32_t kPathMustExist = 0x00000800;   // OFN_PATHMUSTEXIST
constexpr uint32_t kFileMustExist = 0x00001000;   // OFN_FILEMUSTEXIST
constexpr uint32_t kExplorer = 0x00080000;        // OFN_EXPLORER

void appendPart(std::u16string& out, const std::string& text) {
    for (char16_t c : utf8ToUtf16(text)) {
        if (c != 0) out += c;
    }
    out += char16_t(0);
}

} // namespace

std::u16string dialogFilter(const DialogRequest& request) {
    std::u16string filter;
    for (const FileFilter& f : request.filters) {
        appendPart(filter, f.description);
        appendPart(filter, f.pattern);
    }
    filter += char16_t(0);
    return filter;
}

uint32_t openDialogFlags() {
    return kExplorer | kFileMustExist | kPathMustExist;
}

// Safe: a new name is taken, so Save As can create a level file; the dialog
// of old took only existing files. Safe: an existing file chosen by mistake
// is not overwritten without a question.
uint32_t saveDialogFlags(bool askBeforeOverwriting) {
    return kExplorer | kPathMustExist | (askBeforeOverwriting ? kOverwritePrompt : 0);
}

} // namespace tessaly
