// The settings file: what is written comes back, and a file a person or a
// crash broke is read as far as it makes sense.
#include <gtest/gtest.h>

#include "system/settings_file.h"
#include "tests/support/temp_folder.h"

namespace tessaly::test {
namespace {

using Scratch = TempFolder;
using namespace std::string_literals;

TEST(SettingsFile, WhatIsWrittenIsReadBackWithUnknownSettingsKept) {
    Settings s = parseSettings("[Later]\nwindow = big\n");
    ASSERT_TRUE(setSetting(s, "CK1", "folder", " /home/me/Spiele/Kéen 1 "));
    ASSERT_TRUE(setSetting(s, "CK1", "program", "KEEN1.EXE"));
    ASSERT_TRUE(setSetting(s, "DOSBox", "program", "\"quoted\""));
    ASSERT_TRUE(setSetting(s, "CK1", "program", "keen1.exe"));
    const Settings back = parseSettings(settingsText(s));
    EXPECT_EQ(settingValue(back, "Later", "window"), "big");
    EXPECT_EQ(settingValue(back, "CK1", "folder"), " /home/me/Spiele/Kéen 1 ");
    EXPECT_EQ(settingValue(back, "CK1", "program"), "keen1.exe");
    EXPECT_EQ(settingValue(back, "DOSBox", "program"), "\"quoted\"");
    EXPECT_EQ(settingValue(back, "CK2", "folder"), "");
    EXPECT_EQ(back.entries.size(), 4u);
}

TEST(SettingsFile, BrokenLinesAreIgnoredAndTheRestIsRead) {
    const std::string text = "\xEF\xBB\xBF"
                             "orphan = before any section\r\n"
                             "[CK1\n"
                             "folder = under a broken section\n"
                             "[CK2]\r\n"
                             "no equals sign here\n"
                             "bad = \xC3\x28 not UTF-8\n"
                             "ctl = a\x01"
                             "b\n"
                             " = no key\n"
                             "; a comment\n"
                             "folder = /games/keen2\r\n"
                             "\x00\xFF\xFE garbage\n"
                             "program=KEEN2.EXE"s;
    const Settings s = parseSettings(text);
    ASSERT_EQ(s.entries.size(), 2u);
    EXPECT_EQ(settingValue(s, "CK2", "folder"), "/games/keen2");
    EXPECT_EQ(settingValue(s, "CK2", "program"), "KEEN2.EXE");
    Settings kept = s;
    EXPECT_FALSE(setSetting(kept, "CK2", "folder", "two\nlines"));
    EXPECT_FALSE(setSetting(kept, "CK2", "a=b", "x"));
    EXPECT_EQ(settingValue(kept, "CK2", "folder"), "/games/keen2");
}

TEST(SettingsFile, TheFileIsMadeWithItsFolderAndAMissingOneReadsEmpty) {
    Scratch scratch;
    const std::string path = scratch.file("config/tessaly/settings.ini");
    EXPECT_TRUE(readSettingsFile(path).entries.empty());
    Settings s;
    setSetting(s, "NIN", "folder", "C:\\Games\\SK");
    std::string why;
    ASSERT_TRUE(writeSettingsFile(path, s, &why)) << why;
    EXPECT_EQ(settingValue(readSettingsFile(path), "NIN", "folder"), "C:\\Games\\SK");
    putFile(scratch.file("blocked"), {1});
    EXPECT_FALSE(writeSettingsFile(scratch.file("blocked/settings.ini"), s, &why));
    EXPECT_FALSE(why.empty());
}

} // namespace
} // namespace tessaly::test
