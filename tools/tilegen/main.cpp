// tilegen FOLDER: puts the default tile bitmap of each game of the table
// (DD2TILES.bmp ... NINTILES.bmp: 208 x 1104 pixels, 8 bits, the editor
// palette as colour table) into FOLDER, creating it when needed. A bitmap the
// user put there (an import, a hand-made sheet) is kept; see default_bitmaps.h.
#include <cstdio>
#include <iostream>
#include <sstream>

#include "tools/tilegen/default_bitmaps.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tilegen FOLDER\n");
        return 2;
    }
    std::ostringstream notes;
    const bool ok = tessaly::writeDefaultBitmaps(argv[1], notes);
    std::istringstream lines(notes.str());
    for (std::string line; std::getline(lines, line);) std::cerr << "tilegen: " << line << "\n";
    return ok ? 0 : 1;
}
