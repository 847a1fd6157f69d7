// emblemgen FOLDER: writes the program's emblem as the files the Windows
// executable carries among its resources: FOLDER/tessaly.ico (48 x 48, 256
// colours) and FOLDER/logo.bmp (the About box logo, 64 x 64, 32 bits).
#include <cstdio>
#include <string>

#include "core/emblem.h"
#include "system/files.h"
#include "tools/emblemgen/emblem_files.h"

int main(int argc, char** argv) {
    using namespace tessaly;
    if (argc != 2) {
        std::fprintf(stderr, "usage: emblemgen FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    constexpr int kIconTiles = 3, kLogoTiles = 4;
    const bool written =
        writeFileSafely(joinPath(folder, "tessaly.ico"), encodeIcon8(drawEmblem(kIconTiles))) &&
        writeFileSafely(joinPath(folder, "logo.bmp"), encodeBitmap32(drawEmblem(kLogoTiles)));
    if (!written) {
        std::fprintf(stderr, "emblemgen: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
