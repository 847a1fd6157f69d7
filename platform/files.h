// Small file helpers shared by the level files, the tile bitmaps and the tools.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

constexpr std::size_t kDefaultReadLimit = std::size_t(64) << 20;

// The file's bytes, at most `limit` of them (a longer file gives its first
// `limit` bytes, so a huge file picked by mistake cannot exhaust memory);
// nothing when it is not a regular file or cannot be read.
std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path,
                                                  std::size_t limit = kDefaultReadLimit);

// The path of `name` inside `folder`, matching the name whatever its case
// (DOS-era files: LEVEL01.CK1, level01.ck1). An exact match wins; with no
// match the plain joined path is returned.
std::string findFileIgnoringCase(const std::string& folder, const std::string& name);

// Joins a folder and a name with this system's separator.
std::string joinPath(const std::string& folder, const std::string& name);

// Replaces the file at `path` with `bytes` so that the old file is never
// destroyed: a temporary file in the same folder, flushed to disk, renamed
// over the target (a symbolic link is followed to its target; the target's
// permission bits, and its owner and group where allowed, are kept). Where no
// temporary file can be made there, the file is written in place. When the
// file already holds exactly these bytes nothing is written. On any failure
// the old file stays as it was, no temporary file is left, and false is
// returned.
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes);

// Whether `path` is a folder this program may create files in.
bool isWritableFolder(const std::string& path);

} // namespace tessaly
