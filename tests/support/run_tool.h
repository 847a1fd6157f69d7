// Runs a program as a user runs it from a POSIX shell, for the tests of the
// command-line tools (Linux only): its exit status and everything it wrote.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/temp_folder.h"

namespace tessaly::test {

struct ToolRun {
    int status = -1; // the exit status; -1 when the program did not exit
    std::string out, err;
};

// `text` as one word of a shell command line, whatever characters it holds.
inline std::string quoted(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// Runs a shell command line (the program, its arguments quoted, and any
// variables, limits or redirections the test wants) and captures what it
// wrote on standard output and standard error. The command runs in a
// subshell, so its own redirections come before the captures.
inline ToolRun runTool(const std::string& command) {
    const TempFolder logs;
    const std::string out = logs.file("out"), err = logs.file("err");
    const std::string line = "(" + command + ") >" + quoted(out) + " 2>" + quoted(err);
    const int status = std::system(line.c_str());
    const auto text = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text(out), text(err)};
}

} // namespace tessaly::test
