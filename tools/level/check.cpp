// check FILE...: reads each level and prints one line per finding (see
// level/level_check.h), then a summary line for the file:
//
//   levels/LEVEL03.DD2: 14,7: error: door link 10249 leads to 40,9, outside the 30 x 20 level
//   levels/LEVEL03.DD2: note: no player start (object 255), as in the games' title and ...
//   levels/LEVEL03.DD2: 1 error, 1 note
//
// A file that cannot be read is an error of that file; the other files are
// still checked. Exit status 1 when any file has an error, else 0.
#include <cstdio>
#include <memory>

#include "level/level_check.h"
#include "level/level_file.h"
#include "tools/level/commands.h"

namespace tessaly {

namespace {

std::string counted(int n, const char* thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

} // namespace

int runCheck(const std::vector<std::string>& paths) {
    auto level = std::make_unique<Level>();
    bool anyError = false;
    for (const std::string& path : paths) {
        const LevelReadInfo info = readLevel(*level, path);
        int errors = 0, notes = 0;
        for (const Finding& f : checkLevel(info, *level, gameOfPath(path))) {
            const bool error = f.kind == Finding::Kind::Error;
            ++(error ? errors : notes);
            std::string where;
            if (f.cell)
                where = std::to_string(f.cell->column) + "," + std::to_string(f.cell->row) + ": ";
            std::printf("%s: %s%s: %s\n", path.c_str(), where.c_str(), error ? "error" : "note",
                        f.text.c_str());
        }
        std::printf("%s: %s, %s\n", path.c_str(), counted(errors, "error").c_str(),
                    counted(notes, "note").c_str());
        anyError = anyError || errors > 0;
    }
    if (!flushedOutput()) return 1;
    return anyError ? 1 : 0;
}

} // namespace tessaly
