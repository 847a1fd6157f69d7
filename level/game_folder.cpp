#include "level/game_folder.h"

namespace tessaly {

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

bool endsWithIgnoringCase(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() &&
           sameIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

std::string extensionOf(const GameRecord& game) {
    return "." + std::string(game.gameId);
}

// The level number of a name of the game's pattern, 0 for any other name.
int levelNumber(std::string_view name, const GameRecord& game) {
    const std::string_view stem = game.levelFileStem;
    const std::string ending = extensionOf(game);
    if (name.size() != stem.size() + 2 + ending.size() ||
        !sameIgnoringCase(name.substr(0, stem.size()), stem) || !endsWithIgnoringCase(name, ending))
        return 0;
    const char tens = name[stem.size()], ones = name[stem.size() + 1];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return 0;
    return (tens - '0') * 10 + (ones - '0');
}

std::string patternName(const GameRecord& game, int slot) {
    const char digits[] = {char('0' + slot / 10 % 10), char('0' + slot % 10), '\0'};
    return std::string(game.levelFileStem) + digits + extensionOf(game);
}

} // namespace

GameFolderCheck checkGameFolder(const std::vector<FolderEntry>& entries, const GameRecord& game) {
    GameFolderCheck check;
    std::vector<std::string> everyProgram;
    for (const FolderEntry& e : entries) {
        if (e.isFolder) continue;
        for (std::string_view known : game.programNames) {
            if (sameIgnoringCase(e.name, known)) check.programs.push_back(e.name);
        }
        if (endsWithIgnoringCase(e.name, ".EXE")) everyProgram.push_back(e.name);
        if (endsWithIgnoringCase(e.name, extensionOf(game))) check.levelFiles.push_back(e.name);
    }
    if (check.programs.empty()) check.programs = everyProgram;
    return check;
}

std::string missingFromGameFolder(const GameFolderCheck& check, const GameRecord& game) {
    std::string known;
    for (std::string_view name : game.programNames) known += std::string(name) + " or ";
    std::string missing;
    if (check.programs.empty()) missing = "no program (" + known + "another .EXE file)";
    if (check.levelFiles.empty()) {
        if (!missing.empty()) missing += " and ";
        missing += "no level file (*" + extensionOf(game) + ")";
    }
    return missing;
}

int playSlot(std::string_view fileName, const GameRecord& game) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::string_view name =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const int number = levelNumber(name, game);
    return number >= 1 ? number : 1;
}

std::string slotFileName(const std::vector<FolderEntry>& entries, const GameRecord& game,
                         int slot) {
    const std::string pattern = patternName(game, slot);
    const FolderEntry* levelFile = nullptr;
    const FolderEntry* otherFile = nullptr;
    for (const FolderEntry& e : entries) {
        if (e.isFolder) continue;
        if (sameIgnoringCase(e.name, pattern)) return e.name;
        if (!levelFile && levelNumber(e.name, game) > 0) levelFile = &e;
        if (!otherFile && endsWithIgnoringCase(e.name, extensionOf(game))) otherFile = &e;
    }
    const FolderEntry* model = levelFile ? levelFile : otherFile;
    bool lowerCase = model != nullptr;
    if (model) {
        for (char c : model->name) lowerCase = lowerCase && !(c >= 'A' && c <= 'Z');
    }
    if (!lowerCase) return pattern;
    std::string name = pattern;
    for (char& c : name) c = lower(c);
    return name;
}

} // namespace tessaly
