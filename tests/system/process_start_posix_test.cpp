// Starting a program: it runs in the folder given, the call returns at once,
// the process is nobody's child here, and a program that cannot run says why.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "system/process_start.h"
#include "tests/support/temp_folder.h"
#include "tests/support/scoped_env.h"

namespace tessaly::test {
namespace {

using Scratch = TempFolder;

bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

TEST(ProcessStart, AProgramRunsInItsFolderOnItsOwnAndIsNotWaitedFor) {
    Scratch scratch;
    const auto before = std::chrono::steady_clock::now();
    const ProcessStart p = startProcess(
        "sh", {"-c", "pwd > here; read nothing; echo \"$nothing\" >> here; sleep 0.5", "a b"},
        scratch.path());
    ASSERT_TRUE(p.started) << p.why;
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(400));
    EXPECT_TRUE(processRuns(p.owner));
    errno = 0;
    EXPECT_EQ(::waitpid(pid_t(p.owner.id), nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    ASSERT_TRUE(waitFor([&] { return !processRuns(p.owner); }));
    const std::string here = std::filesystem::canonical(scratch.path()).string() + "\n\n";
    EXPECT_EQ(fileBytes(scratch.file("here")), std::vector<uint8_t>(here.begin(), here.end()));
}

TEST(ProcessStart, AProgramThatCannotRunIsNotStartedAndSaysWhy) {
    Scratch scratch;
    const ProcessStart missing = startProcess("tessaly-no-such-program", {}, "");
    EXPECT_FALSE(missing.started);
    EXPECT_NE(missing.why.find("tessaly-no-such-program: No such file or directory"),
              std::string::npos);
    const ProcessStart noFolder = startProcess("sh", {"-c", "true"}, scratch.file("none"));
    EXPECT_FALSE(noFolder.started);
    EXPECT_NE(noFolder.why.find("No such file or directory"), std::string::npos);
}

TEST(ProcessStart, ProgramsAreFoundOnThePath) {
    Scratch scratch;
    putFile(scratch.file("dosbox"), {'#', '!'});
    putFile(scratch.file("plain"), {});
    std::filesystem::permissions(scratch.file("dosbox"), std::filesystem::perms::owner_all);
    const ScopedEnv path("PATH", ("/nonexistent:" + scratch.path()).c_str());
    EXPECT_EQ(findProgramOnPath("dosbox"), scratch.file("dosbox"));
    EXPECT_EQ(findProgramOnPath("plain"), "");
    EXPECT_EQ(findProgramOnPath("missing"), "");
}

} // namespace
} // namespace tessaly::test
