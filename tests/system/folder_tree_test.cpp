// Whole folders: a copy holds every byte under every name in its case and
// leaves the original alone; a copy that is too large copies nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "system/folder_tree.h"
#include "tests/support/temp_folder.h"

namespace tessaly::test {
namespace {

using Scratch = TempFolder;

TEST(FolderTree, ACopyHoldsEveryFileAndFolderByteForByte) {
    Scratch scratch;
    std::filesystem::create_directories(scratch.file("game/Saves/deep"));
    putFile(scratch.file("game/KEEN1.EXE"), {'M', 'Z', 1, 2});
    putFile(scratch.file("game/level01.ck1"), {3, 4, 5});
    putFile(scratch.file("game/Saves/deep/SAVED0.CK1"), {});
    std::filesystem::create_directory(scratch.file("copy"));
    const TreeCopy copy = copyFolderTree(scratch.file("game"), scratch.file("copy"), 100);
    ASSERT_EQ(copy.result, TreeCopy::Result::Copied) << copy.why;
    EXPECT_EQ(copy.bytes, 7u);
    EXPECT_EQ(fileBytes(scratch.file("copy/KEEN1.EXE")), fileBytes(scratch.file("game/KEEN1.EXE")));
    EXPECT_EQ(fileBytes(scratch.file("copy/level01.ck1")), (std::vector<uint8_t>{3, 4, 5}));
    EXPECT_TRUE(std::filesystem::is_regular_file(scratch.file("copy/Saves/deep/SAVED0.CK1")));

    const auto entries = listFolder(scratch.file("copy"));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].name, "KEEN1.EXE");
    EXPECT_EQ((*entries)[1].name, "Saves");
    EXPECT_TRUE((*entries)[1].isFolder);
    EXPECT_FALSE(listFolder(scratch.file("copy/KEEN1.EXE")));

    EXPECT_TRUE(removeFolderTree(scratch.file("copy")));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("copy")));
    EXPECT_EQ(fileBytes(scratch.file("game/level01.ck1")), (std::vector<uint8_t>{3, 4, 5}));
}

TEST(FolderTree, AFolderLargerThanTheLimitIsNotCopiedAtAll) {
    Scratch scratch;
    std::filesystem::create_directories(scratch.file("game"));
    putFile(scratch.file("game/A"), std::vector<uint8_t>(60, 1));
    putFile(scratch.file("game/B"), std::vector<uint8_t>(60, 2));
    std::filesystem::create_directory(scratch.file("copy"));
    EXPECT_EQ(copyFolderTree(scratch.file("game"), scratch.file("copy"), 100).result,
              TreeCopy::Result::TooLarge);
    EXPECT_TRUE(std::filesystem::is_empty(scratch.file("copy")));
    EXPECT_EQ(copyFolderTree(scratch.file("none"), scratch.file("copy"), 100).result,
              TreeCopy::Result::Failed);
}

TEST(FolderTree, NumberedFoldersAreNewOnesFromOne) {
    Scratch scratch;
    std::string why;
    const std::string play = scratch.file("cache/play");
    EXPECT_EQ(makeNumberedFolder(play, &why), (std::filesystem::path(play) / "1").string());
    putFile(scratch.file("cache/play/2"), {});
    EXPECT_EQ(makeNumberedFolder(play, &why), (std::filesystem::path(play) / "3").string());
    putFile(scratch.file("cache/file"), {});
    EXPECT_EQ(makeNumberedFolder(scratch.file("cache/file"), &why), "");
    EXPECT_FALSE(why.empty());
}

} // namespace
} // namespace tessaly::test
