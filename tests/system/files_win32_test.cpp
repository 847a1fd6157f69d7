// The Windows half of the file helpers: UTF-8 paths in any script, paths past
// the old 260-character limit, and saves that never destroy the old file.
#include "system/files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "system/text_encoding.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

fs::path widePath(const std::string& utf8) {
    const std::u16string text = utf8ToUtf16(utf8);
    return fs::path(std::wstring(text.begin(), text.end()));
}

// `path` in the \\?\ form, which reaches past 260 characters.
fs::path longPath(const std::string& path) {
    return fs::path(L"\\\\?\\" + fs::absolute(widePath(path)).wstring());
}

const std::vector<uint8_t> kOld = {1, 2, 3, 4, 5};
const std::vector<uint8_t> kNew = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};

TEST(Win32Files, SavesReplaceTheFileAndLeaveNothingBehind) {
    TempFolder folder;
    const std::string path = folder.file("LEVEL01.CK1");
    ASSERT_TRUE(writeFileSafely(path, kOld));
    EXPECT_EQ(readFileBytes(path), kOld);
    ASSERT_TRUE(writeFileSafely(path, kNew));
    EXPECT_EQ(readFileBytes(path), kNew);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"LEVEL01.CK1"});
    // Saving the same bytes again writes nothing: the file keeps its time.
    FILETIME before{}, after{};
    auto writeTime = [&](FILETIME& t) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &data);
        t = data.ftLastWriteTime;
    };
    writeTime(before);
    Sleep(20);
    ASSERT_TRUE(writeFileSafely(path, kNew));
    writeTime(after);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
}

// A save keeps the file's marks and replaces this name only: another hard
// link of the file keeps the old bytes.
TEST(Win32Files, SavesKeepTheMarksAndLeaveOtherHardLinksAlone) {
    TempFolder folder;
    const std::string path = folder.file("LEVEL01.CK1");
    const std::string other = folder.file("OTHER.CK1");
    ASSERT_TRUE(writeFileSafely(path, kOld));
    ASSERT_TRUE(CreateHardLinkW(widePath(other).c_str(), widePath(path).c_str(), nullptr));
    constexpr DWORD marks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesW(widePath(path).c_str(), marks));
    ASSERT_TRUE(writeFileSafely(path, kNew));
    EXPECT_EQ(readFileBytes(path), kNew);
    EXPECT_EQ(readFileBytes(other), kOld);
    EXPECT_EQ(GetFileAttributesW(widePath(path).c_str()) & marks, marks);
    EXPECT_EQ(folder.entries().size(), 2u);
}

// A file another program holds open cannot be replaced; it is written in
// place instead, where that program lets others write it.
TEST(Win32Files, FileHeldOpenElsewhereIsWrittenInPlace) {
    TempFolder folder;
    const std::string path = folder.file("LEVEL01.CK1");
    ASSERT_TRUE(writeFileSafely(path, kOld));
    const HANDLE held =
        CreateFileW(widePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string why;
    EXPECT_TRUE(writeFileSafely(path, kNew, &why)) << why;
    CloseHandle(held);
    EXPECT_EQ(readFileBytes(path), kNew);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"LEVEL01.CK1"});
}

TEST(Win32Files, RefusedSavesKeepTheOldFile) {
    TempFolder folder;
    const std::string path = folder.file("locked.dd2");
    ASSERT_TRUE(writeFileSafely(path, kOld));
    SetFileAttributesW(widePath(path).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(writeFileSafely(path, kNew));
    EXPECT_EQ(readFileBytes(path), kOld);
    // A folder is not a file, a missing folder takes nothing, an empty path names nothing.
    EXPECT_FALSE(writeFileSafely(folder.file(""), kNew));
    EXPECT_FALSE(writeFileSafely(folder.file("missing\\level.dd2"), kNew));
    EXPECT_FALSE(writeFileSafely("", kNew));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"locked.dd2"});
}

TEST(Win32Files, ReadsOnlyFilesOfTheDisk) {
    TempFolder folder;
    EXPECT_FALSE(readFileBytes(folder.file("")));
    EXPECT_FALSE(readFileBytes(folder.file("none.ck1")));
    EXPECT_FALSE(readFileBytes("NUL"));
    ASSERT_TRUE(writeFileSafely(folder.file("big.ck2"), kNew));
    const auto head = readFileHead(folder.file("big.ck2"), 4);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->bytes, std::vector<uint8_t>(kNew.begin(), kNew.begin() + 4));
    EXPECT_EQ(head->fileBytes, kNew.size());
}

// Names in other scripts reach the system whole, and the path of a deep
// folder may be longer than 260 characters.
TEST(Win32Files, PathsInAnyScriptAndOfAnyLength) {
    TempFolder folder;
    const std::string name = "\xD0\xA3\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB5\xD0\xBD\xD1\x8C-"
                             "\xC3\xA9t\xC3\xA9-\xE4\xB8\xAD.ck3"; // Cyrillic, Latin, CJK
    ASSERT_TRUE(writeFileSafely(folder.file(name), kNew));
    EXPECT_EQ(readFileBytes(folder.file(name)), kNew);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{name});
    EXPECT_TRUE(fs::exists(widePath(folder.file(name))));

    std::string deep = folder.file("");
    for (int i = 0; i < 6; ++i) deep = joinPath(deep, std::string(50, char('a' + i)));
    ASSERT_TRUE(fs::create_directories(longPath(deep)));
    const std::string level = joinPath(deep, "LEVEL01.CK1");
    ASSERT_GT(level.size(), 300u);
    ASSERT_TRUE(writeFileSafely(level, kOld));
    ASSERT_TRUE(writeFileSafely(level, kNew));
    EXPECT_EQ(readFileBytes(level), kNew);
}

// What the tiles tool's import does: the new bytes staged, the old file kept
// whole as a backup, then the new bytes put in place.
TEST(Win32Files, StagedWritesBackupsAndIdentity) {
    TempFolder folder;
    const std::string path = folder.file("CK1TILES.bmp");
    const std::string backup = path + ".bak";
    ASSERT_TRUE(writeFileSafely(path, kOld));
    auto staged = stageFile(path, kNew);
    ASSERT_TRUE(staged);
    EXPECT_TRUE(staged->replaces);
    EXPECT_TRUE(fileHolds(path, kOld));
    ASSERT_TRUE(keepWholeCopy(path, backup));
    EXPECT_TRUE(sameFile(path, backup)); // a second name of the same file
    ASSERT_TRUE(commitStagedFile(*staged));
    EXPECT_TRUE(fileHolds(path, kNew));
    EXPECT_TRUE(fileHolds(backup, kOld));
    EXPECT_FALSE(sameFile(path, backup));
    EXPECT_FALSE(sameFile(path, folder.file("none.bmp")));

    staged = stageFile(path, kOld);
    ASSERT_TRUE(staged);
    discardStagedFile(*staged);
    EXPECT_TRUE(fileHolds(path, kNew));
    auto names = folder.entries();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"CK1TILES.bmp", "CK1TILES.bmp.bak"}));

    EXPECT_EQ(whyNotWritable(folder.file("")), "is a folder");
    EXPECT_EQ(whyNotWritable(path), "");
    EXPECT_EQ(whyNotWritable(folder.file("new.png")), "");
    EXPECT_FALSE(keepWholeCopy(folder.file("none.bmp"), backup));
    EXPECT_TRUE(fileHolds(backup, kOld));
}

// A save that was killed leaves its temporary file; the next save of the same
// file removes it once it is a minute old, and nothing else.
TEST(Win32Files, StaleTemporariesOfAKilledSaveGo) {
    TempFolder folder;
    const std::string path = folder.file("LEVEL01.CK1");
    const std::string stale = folder.file(".LEVEL01.CK1.0123456789abcdef.tmp");
    const std::string fresh = folder.file(".LEVEL01.CK1.fedcba9876543210.tmp");
    const std::string other = folder.file(".LEVEL01.CK1.notatemporary.tmp");
    for (const std::string& p : {stale, fresh, other}) ASSERT_TRUE(writeFileSafely(p, kOld));
    for (const std::string& p : {stale, other}) {
        HANDLE h = CreateFileW(widePath(p).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
        t.QuadPart -= 120ull * 10000000; // two minutes ago
        const FILETIME old{t.LowPart, t.HighPart};
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
    }
    ASSERT_TRUE(writeFileSafely(path, kNew));
    EXPECT_FALSE(fs::exists(widePath(stale)));
    EXPECT_TRUE(fs::exists(widePath(fresh)));
    EXPECT_TRUE(fs::exists(widePath(other)));
}

TEST(Win32Files, NamesAreFoundWhateverTheirCaseAndJoinedWithBackslashes) {
    TempFolder folder;
    ASSERT_TRUE(writeFileSafely(folder.file("EGAHEAD.CK1"), kOld));
    const std::string found = findFileIgnoringCase(folder.file(""), "egahead.ck1");
    EXPECT_EQ(readFileBytes(found), kOld);
    EXPECT_EQ(joinPath("C:\\games", "LEVEL01.CK1"), "C:\\games\\LEVEL01.CK1");
    EXPECT_EQ(joinPath("C:\\", "LEVEL01.CK1"), "C:\\LEVEL01.CK1");
    EXPECT_EQ(joinPath("C:/games/", "LEVEL01.CK1"), "C:/games/LEVEL01.CK1");
    EXPECT_EQ(joinPath("", "LEVEL01.CK1"), "LEVEL01.CK1");
}

} // namespace
} // namespace tessaly
