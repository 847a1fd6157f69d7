// Fuzzes the level reader: any bytes must decode without a fault, and the
// level they give must survive a save, plain and compressed, exactly, as a
// whole level.
#include "level/level_file.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>

namespace {

using namespace tessaly;

void expectSameLevel(const Level& a, const Level& b) {
    if (a.width != b.width || a.height != b.height || a.keptHeader != b.keptHeader ||
        a.paddingWords != b.paddingWords || a.tilePadding != b.tilePadding ||
        a.objectPadding != b.objectPadding ||
        std::memcmp(&a.tilePlane, &b.tilePlane, sizeof(Plane)) != 0 ||
        std::memcmp(&a.objectPlane, &b.objectPlane, sizeof(Plane)) != 0) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Two records for the whole run: a read clears both planes whole, so a
    // record left by the last input changes nothing, while making two fresh
    // half-megabyte levels for every input cost most of the time.
    static const std::unique_ptr<Level> level = std::make_unique<Level>();
    static const std::unique_ptr<Level> again = std::make_unique<Level>();

    const ReadResult result =
        readLevelFromBytes(*level, std::span<const uint8_t>(data, size)).result;
    if (result == ReadResult::Refused && (level->width != 0 || level->height != 0)) std::abort();

    // Both encodings describe the same level, so one record serves both; what
    // the writer writes is always a whole level.
    for (const auto& bytes : {encodeLevel(*level), encodeLevelWithRuns(*level)}) {
        const LevelReadInfo info = readLevelFromBytes(*again, bytes);
        if (info.result != ReadResult::Read || !isWholeLevel(info, *again)) std::abort();
        expectSameLevel(*level, *again);
    }
    return 0;
}
