// The POSIX half of the file helpers: whole-file reads, case-blind names,
// and saves that never destroy the old file.
#include "system/files.h"

#include "tests/support/child_process.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tessaly {
namespace {

using test::fileBytes;
using test::inChild;
using test::kCannotDropPrivileges;
using test::kNobody;
using test::putFile;
using test::TempFolder;

const std::vector<uint8_t> kOld = {1, 2, 3, 4, 5};
const std::vector<uint8_t> kNew = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};

struct stat statOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

// Lets the unprivileged user of inChild reach and write `file` in `dir`.
void openToEveryone(const TempFolder& dir, const std::string& file) {
    ::chmod(dir.path().c_str(), 0777);
    ::chmod(file.c_str(), 0666);
}

TEST(ReadFileBytes, ReadsRegularFilesOnly) {
    TempFolder dir;
    putFile(dir.file("a"), kOld);
    putFile(dir.file("empty"), {});
    EXPECT_EQ(readFileBytes(dir.file("a")), kOld);
    EXPECT_EQ(readFileBytes(dir.file("empty")), std::vector<uint8_t>{});
    EXPECT_FALSE(readFileBytes(dir.file("missing")));
    EXPECT_FALSE(readFileBytes(dir.path()));
    EXPECT_FALSE(readFileBytes(""));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(readFileBytes(dir.file("fifo"))); // returns at once instead of waiting
}

TEST(ReadFileBytes, StopsAtItsLimit) {
    TempFolder dir;
    putFile(dir.file("a"), kNew);
    EXPECT_EQ(readFileBytes(dir.file("a"), 4), (std::vector<uint8_t>{9, 8, 7, 6}));
    // A huge sparse file costs only the limit.
    const std::string huge = dir.file("huge");
    {
        const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        const bool sparse = ::ftruncate(fd, off_t(1) << 40) == 0;
        ::close(fd);
        if (!sparse) GTEST_SKIP() << "this file system takes no sparse terabyte file";
    }
    const auto head = readFileBytes(huge, 1000);
    ASSERT_TRUE(head);
    EXPECT_EQ(head->size(), 1000u);
    // The real size is told all the same.
    const auto withSize = readFileHead(huge, 1000);
    ASSERT_TRUE(withSize);
    EXPECT_EQ(withSize->bytes.size(), 1000u);
    EXPECT_EQ(withSize->fileBytes, std::uint64_t(1) << 40);
}

TEST(FindFileIgnoringCase, FindsDosNamesWhateverTheirCase) {
    TempFolder dir;
    putFile(dir.file("LEVEL01.CK1"), kOld);
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "level01.ck1"), dir.file("LEVEL01.CK1"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "LEVEL01.CK1"), dir.file("LEVEL01.CK1"));
    putFile(dir.file("level01.ck1"), kOld);
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "level01.ck1"), dir.file("level01.ck1"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "Level01.Ck1"), dir.file("LEVEL01.CK1"));
    EXPECT_EQ(findFileIgnoringCase(dir.path(), "level02.ck1"), dir.file("level02.ck1"));
    EXPECT_EQ(findFileIgnoringCase(dir.file("none"), "x.bmp"), dir.file("none") + "/x.bmp");
}

TEST(JoinPath, PutsOneSeparatorBetween) {
    EXPECT_EQ(joinPath("a", "b.ck1"), "a/b.ck1");
    EXPECT_EQ(joinPath("a/", "b.ck1"), "a/b.ck1");
    EXPECT_EQ(joinPath("", "b.ck1"), "b.ck1");
}

TEST(WriteFileSafely, CreatesANewFileWithTheUsualPermissions) {
    TempFolder dir;
    const mode_t mask = ::umask(022);
    const bool written = writeFileSafely(dir.file("new.dd2"), kNew);
    ::umask(mask);
    ASSERT_TRUE(written);
    EXPECT_EQ(fileBytes(dir.file("new.dd2")), kNew);
    EXPECT_EQ(statOf(dir.file("new.dd2")).st_mode & 07777, 0644u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"new.dd2"});
}

TEST(WriteFileSafely, ReplacesTheFileWholeAndKeepsItsPermissions) {
    TempFolder dir;
    const std::string path = dir.file("level.ck2");
    putFile(path, kOld);
    ::chmod(path.c_str(), 0640);
    const ino_t before = statOf(path).st_ino;
    ASSERT_TRUE(writeFileSafely(path, kNew));
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_NE(statOf(path).st_ino, before); // a new file was renamed over it
    EXPECT_EQ(statOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.ck2"});
}

TEST(WriteFileSafely, KeepsOwnerAndGroupWhereAllowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempFolder dir;
    const std::string path = dir.file("level.ck3");
    putFile(path, kOld);
    ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(writeFileSafely(path, kNew));
    EXPECT_EQ(statOf(path).st_uid, kNobody);
    EXPECT_EQ(statOf(path).st_gid, kNobody);
}

// A user who may not give the new file the old group (not in it) must not
// widen who reads it: a 0640 file of group root comes back in the saver's
// own group with no group bits, not readable by that group.
TEST(WriteFileSafely, GroupThatCannotBeKeptGetsNoAccess) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempFolder dir;
    const std::string path = dir.file("level.ck3");
    putFile(path, kOld);
    openToEveryone(dir, path);
    ASSERT_EQ(::chown(path.c_str(), kNobody, 0), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const int status = inChild(true, [&] { return writeFileSafely(path, kNew); });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_EQ(statOf(path).st_uid, kNobody);
    EXPECT_NE(statOf(path).st_gid, 0u);
    EXPECT_EQ(statOf(path).st_mode & 07777, 0600u);
}

TEST(WriteFileSafely, SameBytesWriteNothing) {
    TempFolder dir;
    const std::string path = dir.file("level.nin");
    putFile(path, kOld);
    const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), past, 0), 0);
    const struct stat before = statOf(path);
    EXPECT_TRUE(writeFileSafely(path, kOld));
    const struct stat after = statOf(path);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mtim.tv_sec, 1000000000);
    EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
}

// Saving replaces this name only: other hard links keep the old bytes. The
// file's extended attributes stay with the name saved.
TEST(WriteFileSafely, KeepsExtendedAttributesAndLeavesOtherHardLinksAlone) {
    TempFolder dir;
    const std::string path = dir.file("level.ck1");
    putFile(path, kOld);
    const std::string note = "drawn by hand";
    if (::setxattr(path.c_str(), "user.tessaly.note", note.data(), note.size(), 0) != 0)
        GTEST_SKIP() << "this file system keeps no extended attributes";
    ASSERT_EQ(::link(path.c_str(), dir.file("other.ck1").c_str()), 0);
    ASSERT_TRUE(writeFileSafely(path, kNew));
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_EQ(fileBytes(dir.file("other.ck1")), kOld);
    char value[64] = {};
    const ssize_t length = ::getxattr(path.c_str(), "user.tessaly.note", value, sizeof value);
    EXPECT_EQ(std::string(value, length > 0 ? std::size_t(length) : 0), note);
}

// Temporary files a killed save left behind go at the next save of the same
// file once a minute old; nothing else in the folder is touched.
TEST(WriteFileSafely, RemovesStaleTemporariesOfTheSameFileOnly) {
    TempFolder dir;
    const std::string longName = std::string(230, 'b') + ".ck1";
    putFile(dir.file("level.ck1"), kOld);
    putFile(dir.file(longName), kOld);
    const std::vector<std::string> stale = {
        ".level.ck1.0123456789abcdef.tmp",
        "." + longName.substr(0, 200) + ".00000000ffffffff.tmp",
    };
    const std::vector<std::string> kept = {
        ".other.ck1.0123456789abcdef.tmp", // another file's
        ".level.ck1.0123456789ABCDEF.tmp", // not the pattern
        ".level.ck1.0123456789abcde.tmp",   "level.ck1.0123456789abcdef.tmp",
        ".level.ck1.0123456789abcdef.tmp~",
    };
    const std::string fresh = ".level.ck1.fedcba9876543210.tmp";
    const std::string link = ".level.ck1.aaaaaaaaaaaaaaaa.tmp";
    const timespec twoMinutesAgo[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
    for (const std::vector<std::string>& names : {stale, kept}) {
        for (const std::string& name : names) {
            putFile(dir.file(name), kNew);
            ASSERT_EQ(::utimensat(AT_FDCWD, dir.file(name).c_str(), twoMinutesAgo, 0), 0);
        }
    }
    putFile(dir.file(fresh), kNew);
    ASSERT_EQ(::symlink(kept[0].c_str(), dir.file(link).c_str()), 0); // to a stale-looking file
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.file(link).c_str(), twoMinutesAgo, AT_SYMLINK_NOFOLLOW), 0);

    ASSERT_TRUE(writeFileSafely(dir.file("level.ck1"), kNew));
    ASSERT_TRUE(writeFileSafely(dir.file(longName), kNew));
    std::vector<std::string> expected = kept;
    expected.insert(expected.end(), {"level.ck1", longName, fresh, link});
    std::vector<std::string> entries = dir.entries();
    std::sort(entries.begin(), entries.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(fileBytes(dir.file("level.ck1")), kNew);
}

TEST(WriteFileSafely, TakesTheLongestNamesTheSystemAllows) {
    TempFolder dir;
    const std::string path = dir.file(std::string(250, 'a') + ".ck1");
    putFile(path, kOld);
    EXPECT_TRUE(writeFileSafely(path, kNew));
    EXPECT_EQ(fileBytes(path), kNew);
}

TEST(WriteFileSafely, FollowsSymbolicLinksToTheirTarget) {
    TempFolder dir;
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    putFile(dir.file("real/level.dd2"), kOld);
    ASSERT_EQ(::symlink("real/level.dd2", dir.file("link.dd2").c_str()), 0);
    ASSERT_TRUE(writeFileSafely(dir.file("link.dd2"), kNew));
    struct stat link {};
    ::lstat(dir.file("link.dd2").c_str(), &link);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(fileBytes(dir.file("real/level.dd2")), kNew);

    // A link to a file not there yet creates the file it names.
    ASSERT_EQ(::symlink("real/later.dd2", dir.file("dangling.dd2").c_str()), 0);
    ASSERT_TRUE(writeFileSafely(dir.file("dangling.dd2"), kNew));
    EXPECT_EQ(fileBytes(dir.file("real/later.dd2")), kNew);

    ASSERT_EQ(::symlink("loop", dir.file("loop").c_str()), 0);
    EXPECT_FALSE(writeFileSafely(dir.file("loop"), kNew));
}

TEST(WriteFileSafely, ReadOnlyFolderIsWrittenInPlace) {
    TempFolder dir;
    const std::string path = dir.file("level.ck1");
    putFile(path, kOld);
    openToEveryone(dir, path);
    ::chmod(dir.path().c_str(), 0555);
    const ino_t before = statOf(path).st_ino;
    const int status = inChild(true, [&] { return writeFileSafely(path, kNew); });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_EQ(statOf(path).st_ino, before);

    // Shorter bytes leave no tail of the old ones.
    EXPECT_EQ(inChild(true, [&] { return writeFileSafely(path, kOld); }), 0);
    EXPECT_EQ(fileBytes(path), kOld);
    // A new file cannot be made there at all.
    EXPECT_EQ(inChild(true, [&] { return writeFileSafely(dir.file("other.ck1"), kNew); }), 1);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.ck1"});
}

// In a sticky folder another user's writable file cannot be replaced by a
// rename; it is written in place instead of failing the save.
TEST(WriteFileSafely, WritableFileOfAnotherUserInAStickyFolderIsWrittenInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "the file must belong to another user";
    TempFolder dir;
    const std::string path = dir.file("level.ck1");
    putFile(path, kOld);
    openToEveryone(dir, path);
    ::chmod(dir.path().c_str(), 01777);
    const int status = inChild(true, [&] { return writeFileSafely(path, kNew); });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.ck1"});
}

// A file mounted over its name (a bind mount, as a container gets a file of
// its host) cannot be renamed over; it is written in place, so the mounted
// file itself gets the new bytes.
TEST(WriteFileSafely, BindMountedFileIsWrittenInPlace) {
    TempFolder dir;
    const std::string source = dir.file("host.ck1");
    const std::string path = dir.file("level.ck1");
    putFile(source, kOld);
    putFile(path, {0});
    if (::mount(source.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "cannot bind-mount a file here: " << std::strerror(errno);
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{path};
    std::string why;
    EXPECT_TRUE(writeFileSafely(path, kNew, &why)) << why;
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_EQ(fileBytes(source), kNew);
    EXPECT_EQ(dir.entries().size(), 2u); // no temporary file left
}

TEST(WriteFileSafely, ReadOnlyFileIsLeftAlone) {
    TempFolder dir;
    const std::string path = dir.file("level.ck1");
    putFile(path, kOld);
    openToEveryone(dir, path);
    ::chmod(path.c_str(), 0444);
    const int status = inChild(true, [&] { return writeFileSafely(path, kNew); });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 1);
    EXPECT_EQ(fileBytes(path), kOld);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.ck1"});
}

// A file size limit makes the write itself fail half way.
bool writeUnderSizeLimit(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4, 4};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && writeFileSafely(path, bytes);
}

TEST(WriteFileSafely, FailedWriteLeavesTheOldFileAndNoTemporary) {
    TempFolder dir;
    const std::string path = dir.file("level.ck2");
    putFile(path, kOld);
    EXPECT_EQ(inChild(false, [&] { return writeUnderSizeLimit(path, kNew); }), 1);
    EXPECT_EQ(fileBytes(path), kOld);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.ck2"});

    EXPECT_FALSE(writeFileSafely(dir.file("missing/level.ck2"), kNew));
    EXPECT_FALSE(writeFileSafely(dir.path(), kNew)); // a folder, not a file
    EXPECT_FALSE(writeFileSafely("", kNew));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"level.ck2"});
}

TEST(WriteFileSafely, FailedWriteInPlacePutsTheOldBytesBack) {
    TempFolder dir;
    const std::string path = dir.file("level.ck2");
    putFile(path, {1, 2, 3});
    openToEveryone(dir, path);
    ::chmod(dir.path().c_str(), 0555);
    const int status = inChild(true, [&] { return writeUnderSizeLimit(path, kNew); });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 1);
    EXPECT_EQ(fileBytes(path), (std::vector<uint8_t>{1, 2, 3}));
}

// Where the editor asks for it, a file written in place first leaves its old
// bytes in a backup folder, so a crash during the write cannot lose both; the
// backup goes once the new bytes are on disk, and stays after a failed write.
// No backup, no write in place.
TEST(WriteFileSafely, WriteInPlaceKeepsTheOldBytesAsideUntilDone) {
    TempFolder dir;
    TempFolder backups;
    const std::string path = dir.file("level.ck2");
    putFile(path, kOld);
    openToEveryone(dir, path);
    openToEveryone(backups, backups.file("x"));
    ::chmod(dir.path().c_str(), 0555);
    const std::string folder = backups.file("recovery");
    const std::string backup = folder + "/level.ck2.before-save";
    const SafeWriteOptions options{folder};

    int status = inChild(true, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{7, 7}; // the old five bytes fit, the new ten do not
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
               writeFileSafely(path, kNew, nullptr, options);
    });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 1);
    EXPECT_EQ(fileBytes(path), kOld);
    EXPECT_EQ(fileBytes(backup), kOld);

    EXPECT_EQ(inChild(true, [&] { return writeFileSafely(path, kNew, nullptr, options); }), 0);
    EXPECT_EQ(fileBytes(path), kNew);
    EXPECT_FALSE(std::filesystem::exists(backup));

    ::chmod(backups.path().c_str(), 0555); // the backup cannot be made
    ::chmod(folder.c_str(), 0555);
    EXPECT_EQ(inChild(true, [&] { return writeFileSafely(path, kOld, nullptr, options); }), 1);
    EXPECT_EQ(fileBytes(path), kNew);
}

TEST(WriteFileSafely, FailuresSayWhyInTheSystemsWords) {
    TempFolder dir;
    std::string why;
    EXPECT_FALSE(writeFileSafely(dir.file("missing/level.ck2"), kNew, &why));
    EXPECT_EQ(why, "No such file or directory");
    EXPECT_FALSE(writeFileSafely(dir.path(), kNew, &why));
    EXPECT_EQ(why, "Is a directory");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(writeFileSafely(dir.file("fifo"), kNew, &why));
    EXPECT_EQ(why, "not a regular file");
    EXPECT_EQ(whyUnreadable(dir.file("nothing.ck2")), "No such file or directory");
    EXPECT_EQ(whyUnreadable(dir.path()), "Is a directory");
    putFile(dir.file("level.ck2"), kOld);
    EXPECT_EQ(whyUnreadable(dir.file("level.ck2")), "");
}

// A file whose old bytes could not be read whole could not be put back after
// a failed write, so it is not written in place.
TEST(WriteFileSafely, FileTooLargeToPutBackIsNotWrittenInPlace) {
    TempFolder dir;
    const std::string path = dir.file("level.ck1");
    putFile(path, kOld);
    ASSERT_EQ(::truncate(path.c_str(), off_t(kDefaultReadLimit) + 1), 0);
    openToEveryone(dir, path);
    ::chmod(dir.path().c_str(), 0555);
    const int status = inChild(true, [&] { return writeFileSafely(path, kNew); });
    if (status == kCannotDropPrivileges) GTEST_SKIP() << "cannot drop root privileges";
    EXPECT_EQ(status, 1);
    EXPECT_EQ(statOf(path).st_size, off_t(kDefaultReadLimit) + 1);
}

TEST(StageFile, WritesBesideTheTargetUnderAFreshNameUntilCommitted) {
    TempFolder dir;
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    const std::string real = dir.file("real/tiles.bmp");
    putFile(real, kOld);
    ASSERT_EQ(::symlink("real/tiles.bmp", dir.file("tiles.bmp").c_str()), 0);

    std::optional<StagedFile> staged = stageFile(dir.file("tiles.bmp"), kNew);
    ASSERT_TRUE(staged);
    EXPECT_EQ(staged->target, real);
    EXPECT_TRUE(staged->replaces);
    EXPECT_EQ(fileBytes(staged->temporary), kNew);
    EXPECT_EQ(fileBytes(real), kOld);
    discardStagedFile(*staged);
    EXPECT_EQ(statOf(staged->temporary).st_nlink, 0u);

    staged = stageFile(dir.file("tiles.bmp"), kNew);
    ASSERT_TRUE(staged);
    ASSERT_TRUE(commitStagedFile(*staged));
    EXPECT_EQ(fileBytes(real), kNew);
    struct stat link {};
    ::lstat(dir.file("tiles.bmp").c_str(), &link);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(dir.entries().size(), 2u);

    EXPECT_FALSE(stageFile(dir.file("real"), kNew)); // a folder
    EXPECT_FALSE(stageFile(dir.file("none/tiles.bmp"), kNew));
}

TEST(KeepWholeCopy, CopiesEveryByteAndReplacesAnOlderCopy) {
    TempFolder dir;
    const std::string file = dir.file("tiles.bmp");
    const std::string copy = dir.file("tiles.bmp.bak");
    putFile(file, kOld);
    putFile(copy, kNew);
    ASSERT_TRUE(keepWholeCopy(file, copy));
    EXPECT_EQ(fileBytes(copy), kOld);
    // The copy keeps the old bytes when the file is written again.
    ASSERT_TRUE(writeFileSafely(file, kNew));
    EXPECT_EQ(fileBytes(copy), kOld);
    // Copying onto a copy that is already the same file leaves no temporary.
    ASSERT_TRUE(keepWholeCopy(file, copy));
    ASSERT_TRUE(keepWholeCopy(file, copy));
    EXPECT_EQ(fileBytes(copy), kNew);
    EXPECT_EQ(dir.entries().size(), 2u);

    // A link at the copy's name is replaced; the file it named is left alone.
    putFile(dir.file("elsewhere"), kOld);
    ASSERT_EQ(::symlink("elsewhere", dir.file("linked.bak").c_str()), 0);
    ASSERT_TRUE(keepWholeCopy(file, dir.file("linked.bak")));
    EXPECT_EQ(fileBytes(dir.file("linked.bak")), kNew);
    EXPECT_EQ(fileBytes(dir.file("elsewhere")), kOld);

    ASSERT_EQ(::mkdir(dir.file("folder.bak").c_str(), 0755), 0);
    EXPECT_FALSE(keepWholeCopy(file, dir.file("folder.bak")));
    EXPECT_FALSE(keepWholeCopy(dir.file("missing"), dir.file("missing.bak")));
    EXPECT_EQ(dir.entries().size(), 5u);
}

// Where no hard link can be made (the copy on another file system), every
// byte is copied, and the copy keeps the file's permission bits.
TEST(KeepWholeCopy, CopiesEveryByteWhereNoHardLinkCanBeMade) {
    TempFolder dir;
    const std::string file = dir.file("tiles.bmp");
    putFile(file, kOld);
    ::chmod(file.c_str(), 0640);
    const ScopedEnv elsewhere("TMPDIR", "/dev/shm");
    TempFolder other;
    if (other.path().empty() || statOf(other.path()).st_dev == statOf(dir.path()).st_dev)
        GTEST_SKIP() << "no other file system at /dev/shm";
    const std::string copy = other.file("tiles.bmp.bak");
    putFile(copy, kNew);
    ASSERT_TRUE(keepWholeCopy(file, copy));
    EXPECT_EQ(fileBytes(copy), kOld);
    EXPECT_EQ(statOf(copy).st_nlink, 1u);
    EXPECT_EQ(statOf(copy).st_mode & 07777, 0640u);
    EXPECT_EQ(other.entries().size(), 1u);
}

} // namespace
} // namespace tessaly
