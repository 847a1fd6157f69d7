#include "level/dialogs.h"

#include <array>

namespace tessaly {

namespace {

struct GameDialogs {
    std::string_view gameId;
    std::string_view levelsDescription;
    std::string_view pattern;
    std::string_view openTitle;
    std::string_view saveTitle;
};

// Kept: "Oprn" is the program's own title for the Commander Keen 2 open dialog.
constexpr std::array<GameDialogs, 5> kGameDialogs{{
    {"DD2", "Dangerous Dave 2 Levels, (*.dd2)", "*.dd2", "Open File Map Dangerous Dave 2",
     "Save File Map Dangerous Dave 2"},
    {"CK1", "Commander Keen 1 Levels, (*.ck1)", "*.ck1", "Open File Map Commander Keen 1",
     "Save File Map Commander Keen 1"},
    {"CK2", "Commander Keen 2 Levels, (*.ck2)", "*.ck2", "Oprn File Map Commander Keen 2",
     "Save File Map Commander Keen 2"},
    {"CK3", "Commander Keen 3 Levels, (*.ck3)", "*.ck3", "Open File Map Commander Keen 3",
     "Save File Map Commander Keen 3"},
    {"NIN", "Shadow Knight Levels, (*.nin)", "*.nin", "Open File Map Shadow Knight",
     "Save File Map Shadow Knight"},
}};

const GameDialogs* findGame(std::string_view gameId) {
    for (const auto& g : kGameDialogs) {
        if (g.gameId == gameId) return &g;
    }
    return nullptr;
}

DialogRequest makeRequest(const GameDialogs& g, std::string_view title) {
    DialogRequest r;
    r.title = std::string(title);
    r.filters = {{std::string(g.levelsDescription), std::string(g.pattern)},
                 {"All Files, (*.*)", "*.*"}};
    r.selectedFilter = 1;
    return r;
}

} // namespace

DialogRequest openDialogRequest(std::string_view gameId) {
    const GameDialogs* g = findGame(gameId);
    return g ? makeRequest(*g, g->openTitle) : DialogRequest{};
}

DialogRequest saveDialogRequest(std::string_view gameId) {
    const GameDialogs* g = findGame(gameId);
    return g ? makeRequest(*g, g->saveTitle) : DialogRequest{};
}

std::string showOpenDialog(Host& host, std::string_view gameId) {
    if (!findGame(gameId)) return "";
    return host.openFileDialog(openDialogRequest(gameId));
}

std::string showSaveDialog(Host& host, std::string_view gameId) {
    if (!findGame(gameId)) return "";
    return host.saveFileDialog(saveDialogRequest(gameId));
}

} // namespace tessaly
