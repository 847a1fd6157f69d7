#include "core/program_info.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tessaly {
namespace {

struct Answer {
    std::optional<int> status;
    std::string out;
};

Answer answer(std::initializer_list<const char*> args) {
    std::vector<const char*> argv{"tessaly-level"};
    argv.insert(argv.end(), args);
    std::ostringstream out;
    Answer r;
    r.status = answerHelpOrVersion(int(argv.size()), argv.data(), "tessaly-level",
                                   "usage: tessaly-level ...\n", out);
    r.out = out.str();
    return r;
}

TEST(HelpAndVersion, AnsweredWhenTheyAreTheFirstArgument) {
    EXPECT_EQ(answer({"--version"}).out, "tessaly-level " + std::string(programVersion()) + "\n");
    EXPECT_EQ(answer({"--version"}).status, 0);
    EXPECT_EQ(answer({"--help"}).out, "usage: tessaly-level ...\n");
    EXPECT_EQ(answer({"-h", "info"}).status, 0);
    // The version is the project's: digits and dots.
    EXPECT_TRUE(std::string(programVersion()).find_first_not_of("0123456789.") ==
                std::string::npos);
}

TEST(HelpAndVersion, OtherCommandLinesAreLeftToTheProgram) {
    for (auto args : {std::initializer_list<const char*>{},
                      {"info", "--help"},
                      {"--versions"},
                      {"copy", "a", "b"}}) {
        const Answer r = answer(args);
        EXPECT_FALSE(r.status.has_value());
        EXPECT_EQ(r.out, "");
    }
}

TEST(HelpAndVersion, AnOutputThatCannotBeWrittenFails) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    const char* argv[] = {"tessaly", "--version"};
    EXPECT_EQ(answerHelpOrVersion(2, argv, "tessaly", "", out), 1);
}

} // namespace
} // namespace tessaly
