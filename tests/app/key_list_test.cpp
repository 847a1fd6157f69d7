// The list of keys: F1 shows it, and the README's key table and the manual
// page's KEYS section say exactly what it says.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/editor_loop.h"
#include "app/key_list.h"
#include "app/program.h"
#include "app/start_screen.h"
#include "level/profile.h"
#include "tests/app/stopping_host.h"

namespace tessaly {
namespace {

using test::Stopped;
using test::StoppingHost;

TEST(KeyList, F1ShowsItOncePerPressOnBothScreens) {
    StoppingHost host;
    host.exeDir = TESSALY_BIN_DIR; // where the tile bitmaps are
    auto program = std::make_unique<Program>(host);
    startUp(*program);
    host.keys[scan::F1] = true;
    host.pausesLeft = 3;
    EXPECT_THROW(runStartScreen(*program), Stopped);
    ASSERT_EQ(host.messages.size(), 1u); // the message took the focus: F1 counts once
    EXPECT_EQ(host.messages[0], keyListMessage());

    host.pausesLeft = 1000;
    selectGame(program->editor->profile, "CK1");
    startEditor(*program);
    host.releaseKeys();
    host.keys[scan::F1] = true;
    editorPass(*program);
    editorPass(*program);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].rfind("Keys and mouse actions of the editor:\n\nleft button", 0),
              0u);
    EXPECT_NE(host.messages[1].find("\nF1: show this list of keys"), std::string::npos);
}

#ifndef _WIN32
std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The README's table, row by row, from its heading to its last row.
TEST(KeyList, TheReadmesKeyTableIsTheList) {
    std::istringstream readme(fileText(TESSALY_SOURCE_DIR "/README.md"));
    std::vector<std::string> rows;
    std::string line;
    bool inTable = false;
    while (std::getline(readme, line)) {
        if (line == "| input | what it does |") {
            inTable = true;
            std::getline(readme, line); // |---|---|
            continue;
        }
        if (!inTable) continue;
        if (line.rfind("|", 0) != 0) break;
        rows.push_back(line);
    }
    ASSERT_EQ(rows.size(), kKeyList.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i], "| " + std::string(kKeyList[i].input) + " | " +
                               std::string(kKeyList[i].what) + " |");
    }
}

// In roff a minus sign is written \-.
std::string roff(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '-') out += '\\';
        out += c;
    }
    return out;
}

TEST(KeyList, TheManualPageListsTheKeys) {
    std::string section = ".SH KEYS\n";
    for (const KeyListEntry& entry : kKeyList)
        section += ".TP\n.B " + roff(entry.input) + "\n" + roff(entry.what) + "\n";
    EXPECT_NE(fileText(TESSALY_SOURCE_DIR "/packaging/man/tessaly.1.in").find(section + ".PP\n"),
              std::string::npos)
        << "packaging/man/tessaly.1.in should hold:\n"
        << section;
}
#endif

} // namespace
} // namespace tessaly
