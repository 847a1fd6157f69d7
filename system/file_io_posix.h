// Low-level pieces shared by the POSIX half of the file helpers
// (files_posix.cpp, safe_write_posix.cpp): a descriptor that closes itself,
// whole reads and writes, path parts and symbolic links. Not for use outside system/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::file_io {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false when the close reported an error (a late write failure).
    bool close();

  private:
    int fd_;
};

// Appends what the descriptor gives until its end or `limit` bytes in all.
bool readAll(int fd, std::vector<uint8_t>& out, std::size_t limit);
bool writeAll(int fd, const uint8_t* bytes, std::size_t size);

// The folder holding `path` ("." for a bare name) and the name within it.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// The file a path finally names: symbolic links are followed, a relative
// link from the folder that holds it. A link to a file that does not exist
// yet names that file, so saving through it creates the target. Nothing for
// a loop of links or a link that cannot be read.
std::optional<std::string> followLinks(std::string path);

} // namespace tessaly::file_io
