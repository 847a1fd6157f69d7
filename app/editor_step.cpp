#include "app/editor_step.h"

#include "system/text_encoding.h"
#include "views/map_view.h"
#include "views/status_panel.h"

namespace tessaly {

namespace {

constexpr int kStepPauseMs = 10;

} // namespace

void finishStep(Program& p) {
    drawStatusPanel(*p.editor);
    redrawMapView(*p.editor);
    updateEditorTitle(p);
    p.host.pause(kStepPauseMs);
}

std::string levelDisplayName(std::string_view fileName) {
    if (fileName.empty()) return "(no file)";
    const std::size_t slash = fileName.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

// The file name is shown as the system gives it (UTF-8), not converted as the
// program's own texts are.
std::string editorTitle(std::string_view programTitle, std::string_view fileName, bool unsaved) {
    const std::string prefix = cp1251ToUtf8(programTitle) + " - ";
    const std::string mark = unsaved ? " *" : "";
    const std::size_t used = utf8Length(prefix) + mark.size();
    const std::size_t room = used < kTitleLimit ? kTitleLimit - used : 0;
    return prefix + utf8Prefix(levelDisplayName(fileName), room) + mark;
}

void updateEditorTitle(Program& p) {
    const Editor& e = *p.editor;
    showTitle(p, editorTitle(p.titleText, e.level.fileName, hasUnsavedEdits(e.history)));
}

void showTitle(Program& p, const std::string& title) {
    if (title == p.shownTitle) return;
    p.shownTitle = title;
    p.host.setTitle(title);
}

} // namespace tessaly
