#include "app/save_commands.h"

#include "app/dialog_requests.h"
#include "app/editor_step.h"
#include "app/recovery.h"
#include "level/level_file.h"
#include "system/files.h"

namespace tessaly {

namespace {

enum Answer { kSave = 0, kDiscard = 1 };

// Writes the level to `path`, which becomes its file name once it is
// written; a failure is told and changes nothing.
bool writeAndTell(Program& p, const std::string& path) {
    Editor& e = *p.editor;
    std::string why;
    // Safe: where the save must write the file in place, its old bytes wait
    // in the recovery folder until the new ones are on disk, under a name of
    // this file's own (levels of one name in other folders have theirs).
    const SafeWriteOptions options{p.recovery.folder, inPlaceBackupName(path)};
    if (!writeLevel(e.level, path, &why, options)) {
        // Safe: a failed save is said out loud and the level stays unsaved;
        // old bytes a write in place left in the recovery folder are named.
        std::string text = "Could not save " + path + ": " + why + ".";
        const std::string backup = joinPath(options.inPlaceBackupFolder, options.inPlaceBackupName);
        if (!options.inPlaceBackupFolder.empty() && fileIdentity(backup))
            text += " Its old contents are kept in " + backup + ".";
        p.host.showMessage(text);
        return false;
    }
    e.level.fileName = path;
    markSaved(e.history);
    p.fileIsWhole = true;
    // The file as this save left it: the editor's own saves never count as
    // changes made by another program.
    p.fileSeen = fileIdentity(e.level.fileName);
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
    const std::string name = levelDisplayName(e.level.fileName);
    const std::optional<FileIdentity> now = fileIdentity(e.level.fileName);
    std::string doubt;
    switch (fileChangeSince(p.fileSeen, now)) {
    case FileChange::Changed:
    case FileChange::Replaced: {
        // Safe: another program wrote or replaced the file since the editor
        // read or wrote it; its contents would be lost without a word.
        const std::string when =
            formatDateTime({now->modifiedSeconds(), p.host.wallClock().utcOffsetSeconds});
        const bool sameFile =
            p.fileSeen && p.fileSeen->device == now->device && p.fileSeen->file == now->file;
        doubt = sameFile ? name + " was changed by another program at " + when +
                               ", after the editor opened or saved it. Overwrite it?"
                         : name + " was replaced by another file (dated " + when +
                               ") after the editor opened or saved it. Overwrite it?";
        break;
    }
    case FileChange::Removed:
        // Nothing is there to lose: the save puts the level back.
        break;
    case FileChange::None:
        // Safe: a file that was not read whole (cut short, far too long, or
        // not a level at all) would be replaced by what little of it was read.
        if (!p.fileIsWhole) doubt = name + " was not a complete level file. Overwrite it?";
        break;
    }
    if (!doubt.empty() && p.host.ask({doubt, {"Overwrite", "Cancel"}, 0}) != 0) return false;
    return writeAndTell(p, e.level.fileName);
}

bool saveLevelAs(Program& p) {
    Editor& e = *p.editor;
    // The dialog asks before it takes an existing file: the user chose this
    // file to be replaced.
    const std::string path =
        showSaveDialog(p.host, e.profile.gameId, p.dialogFolder, e.level.fileName);
    // Safe: a cancelled dialog changes nothing, so F5 still saves to the old
    // name instead of silently writing nowhere; a failed save keeps the old
    // name too, so the title and F5 go on meaning the level's own file.
    if (path.empty()) return false;
    return writeAndTell(p, path);
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
