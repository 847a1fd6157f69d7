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

// The first bytes of a file and its real size.
struct FileHead {
    std::vector<uint8_t> bytes;  // at most the limit asked for
    std::uint64_t fileBytes = 0; // the whole file's size, at least bytes.size()
};

// Why the file cannot be read, in the system's words ("No such file or
// directory", "Permission denied", "Is a directory"), or "" when it can.
std::string whyUnreadable(const std::string& path);

// As readFileBytes, also telling the file's real size.
std::optional<FileHead> readFileHead(const std::string& path,
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
// permission bits, its owner and group and its extended attributes are kept
// where the system allows; where the group cannot be kept, the new file gets
// no group permission bits). The rename replaces only this name of a file
// with several hard links: the other names keep the old bytes. Where no
// temporary file can be made there, or the rename is refused (another user's
// file in a sticky folder, a file bind-mounted over its name, on Windows a
// file another program holds open), the file is written in place, and only
// when its old bytes could be read whole to put back. When the file already
// holds exactly these bytes nothing is written.
// On any failure the old file stays as it was, no temporary file is left, and
// false is returned. Temporary files of the same target left by a save that
// was killed, older than a minute, are removed. The write is in
// safe_write.cpp, the same on every system over the steps of file_io.h; the
// POSIX half of these helpers is in files_posix.cpp and file_io_posix.cpp,
// the Windows half in files_win32.cpp and file_io_win32.cpp (where the
// rename is MoveFileEx replacing the old file and writing through).
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes);

struct SafeWriteOptions {
    // Where a file written in place keeps its old bytes until the new ones
    // are on disk; "" for nowhere. A write in place that cannot keep them
    // there is not made. A failed write leaves them there.
    std::string inPlaceBackupFolder;
    // The backup's name in that folder; "" for "NAME.before-save".
    std::string inPlaceBackupName = "";
};

// writeFileSafely, telling why it failed in the system's words ("Permission
// denied", "No such file or directory", "Is a directory", ...).
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes, std::string* why,
                     const SafeWriteOptions& options = {});

// True when `path` (links followed) is a regular file holding exactly `bytes`.
bool fileHolds(const std::string& path, const std::vector<uint8_t>& bytes);

// Why no file can be written at `path`, found without opening anything (so a
// FIFO cannot block): "is a folder", "is not a regular file", "is a symbolic
// link that leads nowhere", or "" when it can be (a regular file or a name
// not taken yet; links are followed).
std::string whyNotWritable(const std::string& path);

// Whether both paths name one existing file (the same device and inode),
// links followed.
bool sameFile(const std::string& a, const std::string& b);

// Which file a path names and how it was when looked at: the device and file
// number (inode; on Windows the volume serial number and the file index),
// the modification time and the size. Two looks at a path that give equal
// identities found the same file, unchanged as far as the system can tell.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::int64_t modifiedNs = 0; // nanoseconds since 1970-01-01 00:00:00 UTC
    std::uint64_t size = 0;
    bool operator==(const FileIdentity&) const = default;
    // The modification time in whole seconds since 1970 (rounded down).
    std::int64_t modifiedSeconds() const;
};

// The identity of the regular file `path` names, links followed; nothing
// when there is none (no such file, a folder, a device).
std::optional<FileIdentity> fileIdentity(const std::string& path);

// How the file at a path differs from the one seen there before (`seen`;
// nothing when there was none, or when what was there is not known).
enum class FileChange {
    None,     // the same file, unchanged; or nothing there, then and now
    Changed,  // the same file with other contents (time or size)
    Replaced, // another file under the name (a new file, a link to another one)
    Removed,  // no regular file there any more
};
FileChange fileChangeSince(const std::optional<FileIdentity>& seen,
                           const std::optional<FileIdentity>& now);

// writeFileSafely in two steps, for a caller that must act between writing
// the new bytes and putting them in place (keep a backup of the old file).
struct StagedFile {
    std::string target;    // the file to replace, links followed
    std::string temporary; // the new bytes, under a fresh name beside it
    bool replaces = false; // the target exists now
};

// Writes `bytes` under a fresh temporary name beside the file `path` names,
// created exclusively (never through a link), as writeFileSafely does; a
// target that is not a writable regular file is refused. Nothing when the
// bytes cannot be written there; then nothing is left behind.
std::optional<StagedFile> stageFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Renames the staged bytes over their target; on failure the temporary file
// is removed, the target stays as it was and false is returned.
bool commitStagedFile(const StagedFile& staged);
void discardStagedFile(const StagedFile& staged);

// Makes `copyPath` hold every byte of the regular file `path` (links
// followed): a hard link where the system allows, else a full streamed copy,
// put in place by a rename only once complete. A link at `copyPath` is
// replaced, not followed. False when no whole copy could be made; nothing is
// changed then.
bool keepWholeCopy(const std::string& path, const std::string& copyPath);

// Whether `path` is a folder this program may create files in.
bool isWritableFolder(const std::string& path);

} // namespace tessaly
