// The small steps of file handling that each system takes its own way, for
// the safe write (safe_write.cpp), which is written once over them: the
// POSIX half is in file_io_posix.cpp, the Windows half in file_io_win32.cpp.
// A step that fails sets errno, on Windows too (its error turned into the
// errno of the same meaning), so the safe write reads one set of errors and
// tells the user why in the same words on every system. Not for use outside
// system/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::file_io {

// An open file, a descriptor or a handle by system, closed when it goes out
// of scope. -1 is none on both systems (INVALID_HANDLE_VALUE on Windows).
class OpenFile {
  public:
    explicit OpenFile(std::intptr_t native = -1) : native_(native) {}
    OpenFile(OpenFile&& other) noexcept : native_(other.native_) { other.native_ = -1; }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    OpenFile& operator=(OpenFile&&) = delete;
    ~OpenFile() { close(); }
    std::intptr_t native() const { return native_; }
    bool valid() const { return native_ != -1; }
    // Closes now; false when the close reported an error (a late write failure).
    bool close();

  private:
    std::intptr_t native_;
};

// The folder holding `path` ("." for a bare name; a root keeps its
// separator) and the name within it.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// The file a path finally names, symbolic links followed (a relative link
// from the folder that holds it); a link to a file that does not exist yet
// names that file, so saving through it creates the target. Nothing for a
// loop of links or a link that cannot be read. On Windows the path itself.
std::optional<std::string> followLinks(std::string path);

// What a path names, links followed: nothing, a regular file, a folder, or
// something else (a FIFO, a device).
enum class Kind { None, File, Folder, Other };
Kind kindOf(const std::string& path);

// 0 when this user may write the existing file at `path`; else the errno
// that says why not (a read-only file).
int writeRefusal(const std::string& path);

// Creates the file `path` for writing; it must not exist yet (EEXIST), and
// it is never created through a link. With a `model` file ("" for none) the
// new file gets the model's permission bits, owner, group and extended
// attributes (POSIX) or its marks, hidden, system and the like (Windows),
// as far as this user may set them; where the model's group cannot be kept
// it gets no group permission bits.
OpenFile createNew(const std::string& path, const std::string& model);
// Opens an existing file for reading, never waiting (a FIFO).
OpenFile openToRead(const std::string& path);
// Opens an existing file for writing, its bytes kept; other programs that
// have it open keep it.
OpenFile openToWrite(const std::string& path);

// The size of an open regular file; nothing for anything else.
std::optional<std::uint64_t> regularFileSize(const OpenFile& file);
// Up to `size` bytes into `buffer`: how many, 0 at the end, -1 on an error.
long long readSome(const OpenFile& file, uint8_t* buffer, std::size_t size);
bool writeAll(const OpenFile& file, const uint8_t* bytes, std::size_t size);
// Waits until what was written is on the disk.
bool flush(const OpenFile& file);
// Makes the file hold exactly `bytes`, from its start, and flushes them.
bool overwrite(const OpenFile& file, const std::vector<uint8_t>& bytes);

// Renames `from` to `to`, replacing the file there in one step, and waits
// until the rename is on the disk. When both already name one file the
// system may leave `from` in place.
bool renameOver(const std::string& from, const std::string& to);
// Makes `name` a second name of the regular file `file` (EEXIST when the
// name is taken); fails, leaving nothing, for anything but a regular file.
bool hardLink(const std::string& file, const std::string& name);
void removeFile(const std::string& path);

// The names of what a folder holds; none when it cannot be read.
std::vector<std::string> namesIn(const std::string& folder);
// How many seconds ago the regular file at `path` was last changed;
// nothing for a link, a folder or no file.
std::optional<std::int64_t> secondsSinceChanged(const std::string& path);

} // namespace tessaly::file_io
