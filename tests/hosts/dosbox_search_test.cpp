// Where the real windows look for DOSBox on Windows: folders of the DOSBox
// installers' names in the install folders, any case, and the programs of
// DOSBox, DOSBox Staging and DOSBox-X in them.
#include <gtest/gtest.h>

#include <filesystem>

#include "hosts/dosbox_search.h"
#include "tests/support/temp_folder.h"

namespace tessaly::test {
namespace {

TEST(DosBoxSearch, TheFirstDosBoxInTheInstallFoldersIsFound) {
    TempFolder scratch;
    for (const char* folder : {"x86/Games", "x86/DOSBox-0.74-3", "programs/dosbox-x", "empty"})
        std::filesystem::create_directories(scratch.file(folder));
    putFile(scratch.file("x86/Games/DOSBox.exe"), {});
    putFile(scratch.file("x86/DOSBox-0.74-3/README.txt"), {});
    putFile(scratch.file("programs/dosbox-x/DOSBOX-X.EXE"), {});
    auto found = [](const std::string& path, const std::string& expected) {
        std::error_code error;
        return std::filesystem::equivalent(path, expected, error);
    };
    EXPECT_PRED2(found,
                 findDosBoxIn({"", scratch.file("none"), scratch.file("empty"), scratch.file("x86"),
                               scratch.file("programs")}),
                 scratch.file("programs/dosbox-x/DOSBOX-X.EXE"));
    putFile(scratch.file("x86/DOSBox-0.74-3/dosbox.exe"), {});
    EXPECT_PRED2(found, findDosBoxIn({scratch.file("x86"), scratch.file("programs")}),
                 scratch.file("x86/DOSBox-0.74-3/dosbox.exe"));
    EXPECT_EQ(findDosBoxIn({scratch.file("empty")}), "");
}

} // namespace
} // namespace tessaly::test
