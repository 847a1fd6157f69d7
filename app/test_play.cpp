#include "app/test_play.h"

#include <optional>
#include <sstream>

#include "app/editor_step.h"
#include "app/program.h"
#include "level/game_folder.h"
#include "level/level_check.h"
#include "level/level_file.h"
#include "system/files.h"
#include "system/folder_tree.h"
#include "system/process_start.h"
#include "system/settings_file.h"
#include "system/user_folders.h"

namespace tessaly {

namespace {

constexpr const char* kRunFile = "TESSALY.RUN";
constexpr const char* kConfigFile = "dosbox.conf";
constexpr const char* kDosBoxSection = "DOSBox";
constexpr int64_t kCheckIntervalMs = 1000;
constexpr std::size_t kMostErrorsTold = 5;

std::string gameName(const Program& p) {
    return std::string(p.editor->profile.name);
}

std::string runLine(const char* what, const ProcessOwner& owner) {
    return std::string(what) + ": " + std::to_string(owner.id) + " " +
           std::to_string(owner.started) + " " + owner.host + "\n";
}

bool writeText(const std::string& path, const std::string& text, std::string* why = nullptr) {
    return writeFileSafely(path, std::vector<uint8_t>(text.begin(), text.end()), why);
}

// Whether a process a play folder's TESSALY.RUN names runs; a folder
// without one is used by nobody.
bool playFolderInUse(const std::string& folder) {
    const auto bytes = readFileBytes(joinPath(folder, kRunFile), 4096);
    if (!bytes) return false;
    std::istringstream lines(std::string(bytes->begin(), bytes->end()));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string what;
        ProcessOwner owner;
        if (!(words >> what >> owner.id >> owner.started)) continue;
        std::getline(words >> std::ws, owner.host);
        if (processRuns(owner)) return true;
    }
    return false;
}

std::string playFolderParent() {
    const std::string cache = userCacheFolder();
    return cache.empty() ? "" : joinPath(cache, "play");
}

// Errors `tessaly-level check` would find in the level as F5 would save it.
std::vector<std::string> levelErrors(const Program& p) {
    const Editor& e = *p.editor;
    LevelReadInfo info;
    info.result = ReadResult::Read;
    info.cellsComplete = true;
    info.fileBytes = encodeLevel(e.level).size();
    std::vector<std::string> errors;
    for (const Finding& f : checkLevel(info, e.level, &e.profile)) {
        if (f.kind != Finding::Kind::Error) continue;
        errors.push_back(f.cell ? std::to_string(f.cell->column) + "," +
                                      std::to_string(f.cell->row) + ": " + f.text
                                : f.text);
    }
    return errors;
}

// The DOSBox program: the one chosen before, else the one the host finds,
// else on Windows the one the user picks (remembered); "" when there is none.
std::string dosBoxProgram(Program& p, Settings& settings, bool& settingsChanged) {
    const std::string remembered = settingValue(settings, kDosBoxSection, "program");
    if (!remembered.empty() && fileIdentity(remembered)) return remembered;
    const std::string found = p.host.findDosBox();
    if (!found.empty()) return found;
#ifdef _WIN32
    DialogRequest request;
    request.title = "Choose the DOSBox program";
    request.filters = {{"DOSBox (DOSBox.exe, dosbox-x.exe)", "DOSBox.exe;dosbox-x.exe"},
                       {"Programs (*.exe)", "*.exe"}};
    const std::string chosen = p.host.openFileDialog(request);
    if (!chosen.empty()) {
        settingsChanged =
            setSetting(settings, kDosBoxSection, "program", chosen) || settingsChanged;
        return chosen;
    }
    p.host.showMessage("DOSBox was not found, and the level cannot be played without it. Install "
                       "DOSBox (or DOSBox Staging or DOSBox-X) and press F9 again, or choose its "
                       "DOSBox.exe when F9 asks for it.");
#else
    (void)settingsChanged;
    p.host.showMessage("DOSBox was not found, and the level cannot be played without it. Install "
                       "it and press F9 again; on Debian or Ubuntu: sudo apt install dosbox");
#endif
    return "";
}

struct GameChoice {
    std::string folder;
    std::string program; // its name in the folder
};

// The program in a game folder the check accepted: the only candidate, or
// the one the user picks in the folder; "" when the user cancels or picks
// something else (told).
std::string chooseProgram(Program& p, const std::string& folder, const GameFolderCheck& check) {
    if (check.programs.size() == 1) return check.programs.front();
    DialogRequest request;
    request.title = "Choose the " + gameName(p) + " program";
    request.filters = {{"Programs (*.EXE)", "*.EXE"}};
    request.folder = folder;
    const std::string chosen = p.host.openFileDialog(request);
    if (chosen.empty()) return "";
    for (const std::string& name : check.programs) {
        if (sameFile(chosen, joinPath(folder, name))) return name;
    }
    p.host.showMessage("The program must be one of the .EXE files in the game folder " + folder +
                       ".");
    return "";
}

// The game folder and program: the ones remembered when they still make a
// game folder, else the user's choice in the folder dialog, checked and
// remembered. Nothing when the user cancels or the folder is refused (told).
std::optional<GameChoice> gameChoice(Program& p, Settings& settings, bool askFolder,
                                     bool& settingsChanged) {
    const GameRecord& game = p.editor->profile;
    const std::string section(game.gameId);
    const std::string rememberedFolder = settingValue(settings, section, "folder");
    const std::string rememberedProgram = settingValue(settings, section, "program");
    if (!askFolder && !rememberedFolder.empty()) {
        const auto entries = listFolder(rememberedFolder);
        if (entries && checkGameFolder(*entries, game).accepted()) {
            for (const FolderEntry& e : *entries) {
                if (!e.isFolder && e.name == rememberedProgram)
                    return GameChoice{rememberedFolder, rememberedProgram};
            }
        }
    }
    const std::string folder =
        p.host.chooseFolder({"Choose the " + gameName(p) + " game folder", rememberedFolder});
    if (folder.empty()) return std::nullopt;
    const auto entries = listFolder(folder);
    const GameFolderCheck check = entries ? checkGameFolder(*entries, game) : GameFolderCheck{};
    if (!check.accepted()) {
        // Safe: a folder that is not the game's is neither used nor remembered.
        p.host.showMessage(folder + " is not a " + gameName(p) + " game folder: it holds " +
                           missingFromGameFolder(check, game) + ".");
        return std::nullopt;
    }
    const std::string program = chooseProgram(p, folder, check);
    if (program.empty()) return std::nullopt;
    settingsChanged = setSetting(settings, section, "folder", folder) || settingsChanged;
    settingsChanged = setSetting(settings, section, "program", program) || settingsChanged;
    return GameChoice{folder, program};
}

// Makes the play folder, a copy of the game with the level in its slot and
// DOSBox's configuration; its path, or "" (told) when it could not be made.
std::string makePlayFolder(Program& p, const GameChoice& choice) {
    const Editor& e = *p.editor;
    std::string why;
    const std::string parent = playFolderParent();
    const std::string folder = parent.empty() ? "" : makeNumberedFolder(parent, &why);
    if (folder.empty()) {
        p.host.showMessage("Could not make a play folder" +
                           (parent.empty() ? std::string(": there is no home folder to keep it in")
                                           : " in " + parent + ": " + why) +
                           ".");
        return "";
    }
    auto fail = [&](const std::string& text) {
        removeFolderTree(folder);
        p.host.showMessage(text);
        return std::string();
    };
    // Written first, so that another editor starting meanwhile leaves the
    // folder alone.
    if (!writeText(joinPath(folder, kRunFile), runLine("editor", thisProcess()), &why))
        return fail("Could not write into the play folder " + folder + ": " + why + ".");
    // Safe: the user's game folder is only ever read; the game plays, saves
    // and keeps its high scores in the copy.
    const TreeCopy copy = copyFolderTree(choice.folder, folder, kMostPlayCopyBytes);
    if (copy.result == TreeCopy::Result::TooLarge) {
        return fail(choice.folder + " holds more than 64 MiB, far more than a " + gameName(p) +
                    " folder: it is not copied for a test play.");
    }
    if (copy.result != TreeCopy::Result::Copied)
        return fail("Could not copy the game folder for the test play: " + copy.why + ".");
    const auto entries = listFolder(folder);
    const std::string slotFile = slotFileName(entries ? *entries : std::vector<FolderEntry>{},
                                              e.profile, playSlot(e.level.fileName, e.profile));
    if (!writeFileSafely(joinPath(folder, slotFile), encodeLevel(e.level), &why))
        return fail("Could not write the level into the play folder " + folder + ": " + why + ".");
    if (!writeText(joinPath(folder, kConfigFile), dosBoxConfig(shortPathOf(folder), choice.program),
                   &why))
        return fail("Could not write " + joinPath(folder, kConfigFile) + ": " + why + ".");
    return folder;
}

} // namespace

std::string dosBoxConfig(const std::string& folder, const std::string& program) {
    return "# Written by Tessaly Editor for one test play: DOSBox mounts this folder,\n"
           "# a copy of the game, as C: and runs the game. The folder is removed once\n"
           "# DOSBox has ended.\n"
           "[autoexec]\n"
           "@echo off\n"
           "mount c \"" +
           folder +
           "\"\n"
           "c:\n" +
           program +
           "\n"
           "exit\n";
}

void playLevel(Program& p, bool askFolder) {
    Editor& e = *p.editor;
    if (e.level.width <= 0 || e.level.height <= 0) {
        p.host.showMessage("There is no level to play: the map is empty (0 x 0).");
        return;
    }
    const std::vector<std::string> errors = levelErrors(p);
    if (!errors.empty()) {
        std::string text = levelDisplayName(e.level.fileName) +
                           " cannot be played: the game would fail on its errors.";
        for (std::size_t i = 0; i < errors.size() && i < kMostErrorsTold; ++i)
            text += "\n" + errors[i];
        if (errors.size() > kMostErrorsTold)
            text += "\n(" + std::to_string(errors.size() - kMostErrorsTold) + " more)";
        p.host.showMessage(text);
        return;
    }
    const std::string settingsPath = settingsFilePath();
    Settings settings = readSettingsFile(settingsPath);
    bool settingsChanged = false;
    const std::string dosBox = dosBoxProgram(p, settings, settingsChanged);
    std::optional<GameChoice> choice;
    if (!dosBox.empty()) choice = gameChoice(p, settings, askFolder, settingsChanged);
    if (settingsChanged) {
        std::string why = "there is no home folder to keep it in";
        if (settingsPath.empty() || !writeSettingsFile(settingsPath, settings, &why)) {
            p.host.showMessage("Could not write the settings file " + settingsPath + ": " + why +
                               ". The choice is asked for again next time.");
        }
    }
    if (!choice) return;
    const std::string folder = makePlayFolder(p, *choice);
    if (folder.empty()) return;
    const ProcessStart started =
        p.host.startProcess({dosBox, {"-conf", joinPath(folder, kConfigFile)}, folder});
    if (!started.started) {
        removeFolderTree(folder);
        p.host.showMessage("Could not start DOSBox: " + started.why + ".");
        return;
    }
    const std::string run = runLine("editor", thisProcess()) + runLine("dosbox", started.owner);
    writeText(joinPath(folder, kRunFile), run);
    // A process the host could not name (the replay's, which starts none)
    // is not watched: its folder stays until the next start.
    if (started.owner.id > 0) p.play.running.push_back({folder, started.owner});
}

void tickPlays(Program& p) {
    PlayState& play = p.play;
    if (play.running.empty()) return;
    const int64_t now = p.host.clockMilliseconds();
    if (now < play.nextCheckAt) return;
    play.nextCheckAt = now + kCheckIntervalMs;
    std::erase_if(play.running, [](const PlayState::Running& r) {
        return !processRuns(r.dosBox) && removeFolderTree(r.folder);
    });
}

void removeLeftoverPlays() {
    const std::string parent = playFolderParent();
    if (parent.empty()) return;
    const auto entries = listFolder(parent);
    if (!entries) return;
    for (const FolderEntry& e : *entries) {
        if (!e.isFolder || e.name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = joinPath(parent, e.name);
        if (!playFolderInUse(folder)) removeFolderTree(folder);
    }
}

} // namespace tessaly
