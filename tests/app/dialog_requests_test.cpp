#include "app/dialog_requests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/test_host.h"

namespace tessaly {
namespace {

struct Expected {
    std::string id, description, pattern, openTitle, saveTitle;
};

const std::vector<Expected> kExpected = {
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
};

void expectRequest(const DialogRequest& r, const Expected& e, const std::string& title) {
    EXPECT_EQ(r.title, title);
    ASSERT_EQ(r.filters.size(), 2u) << e.id;
    EXPECT_EQ(r.filters[0].description, e.description);
    EXPECT_EQ(r.filters[0].pattern, e.pattern);
    EXPECT_EQ(r.filters[1].description, "All Files, (*.*)");
    EXPECT_EQ(r.filters[1].pattern, "*.*");
    EXPECT_EQ(r.selectedFilter, 1) << e.id;
}

TEST(FileDialogs, EachGameShowsItsTitlesAndFiltersAndReturnsTheAnswer) {
    for (const Expected& e : kExpected) {
        TestHost host;
        host.openAnswers = {"/levels/one." + e.id};
        host.saveAnswers = {""}; // cancelled
        std::string folder;
        EXPECT_EQ(showOpenDialog(host, e.id, folder), "/levels/one." + e.id);
        EXPECT_EQ(showSaveDialog(host, e.id, folder), "");
        ASSERT_EQ(host.openRequests.size(), 1u);
        ASSERT_EQ(host.saveRequests.size(), 1u);
        expectRequest(host.openRequests[0], e, e.openTitle);
        expectRequest(host.saveRequests[0], e, e.saveTitle);
        // Both start in the folder of the file last chosen in either; a
        // cancelled dialog leaves it.
        EXPECT_EQ(host.openRequests[0].folder, "");
        EXPECT_EQ(host.saveRequests[0].folder, "/levels");
        EXPECT_EQ(folder, "/levels");
    }
}

TEST(FileDialogs, UnknownGameShowsNoDialogAndGivesTheEmptyPath) {
    for (const char* id : {"", "dd2", "CK4", "DD2 ", "NINJA"}) {
        TestHost host;
        host.openAnswers = {"/somewhere"};
        host.saveAnswers = {"/somewhere"};
        std::string folder;
        EXPECT_EQ(showOpenDialog(host, id, folder), "") << id;
        EXPECT_EQ(showSaveDialog(host, id, folder), "") << id;
        EXPECT_TRUE(host.openRequests.empty()) << id;
        EXPECT_TRUE(host.saveRequests.empty()) << id;
        EXPECT_EQ(openDialogRequest(id).title, "");
    }
}

} // namespace
} // namespace tessaly
