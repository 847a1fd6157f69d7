#include "app/save_commands.h"

#include "app/editor_step.h"
#include "app/dialog_requests.h"
#include "level/level_file.h"

namespace tessaly {

namespace {

enum Answer { kSave = 0, kDiscard = 1 };

bool writeAndTell(Program& p) {
    Editor& e = *p.editor;
    std::string why;
    // Safe: where the save must write the file in place, its old bytes wait
    // in the recovery folder until the new ones are on disk.
    const SafeWriteOptions options{p.recovery.folder};
    if (!writeLevel(e.level, e.level.fileName, &why, options)) {
        // Safe: a failed save is said out loud and the level stays unsaved.
        p.host.showMessage("Could not save " + e.level.fileName + ": " + why + ".");
        return false;
    }
    markSaved(e.history);
    p.fileIsWhole = true;
    removeRecoveryCopy(p);
    return true;
}

} // namespace

bool saveLevel(Program& p) {
    Editor& e = *p.editor;
    if (e.level.fileName.empty()) {
        p.host.showMessage("This level has no file name yet: save it with F6 (Save As).");
        return false;
    }
    if (!p.fileIsWhole) {
        // Safe: a file that was not read whole (cut short, far too long, or
        // not a level at all) would be replaced by what little of it was read.
        const Question question{levelDisplayName(e.level.fileName) +
                                    " was not a complete level file. Overwrite it?",
                                {"Overwrite", "Cancel"},
                                0};
        if (p.host.ask(question) != 0) return false;
    }
    return writeAndTell(p);
}

bool saveLevelAs(Program& p) {
    Editor& e = *p.editor;
    const std::string path = showSaveDialog(p.host, e.profile.gameId);
    // Safe: a cancelled dialog changes nothing, so F5 still saves to the old
    // name instead of silently writing nowhere.
    if (path.empty()) return false;
    e.level.fileName = path;
    // The user chose this file to be replaced.
    p.fileIsWhole = true;
    return writeAndTell(p);
}

bool settleUnsavedEdits(Program& p, std::string_view ending) {
    Editor& e = *p.editor;
    if (!hasUnsavedEdits(e.history)) return true;
    const Question question{"Save changes to " + levelDisplayName(e.level.fileName) + " " +
                                std::string(ending) + "?",
                            {"Save", "Discard", "Cancel"},
                            kSave};
    switch (p.host.ask(question)) {
    case kSave:
        return e.level.fileName.empty() ? saveLevelAs(p) : saveLevel(p);
    case kDiscard:
        removeRecoveryCopy(p);
        return true;
    default:
        return false;
    }
}

} // namespace tessaly
