// Whole folders: listing one, copying one with everything in it, removing
// one, and making a fresh numbered folder. Every file is written with the
// safe write (files.h); names keep their letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

struct FolderEntry {
    std::string name;
    bool isFolder = false; // else a regular file (links followed); other entries are not listed
};

// The folder's files and folders, sorted by name in byte order; nothing when
// it is not a folder or cannot be read.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& path);

struct TreeCopy {
    enum class Result { Copied, TooLarge, Failed };
    Result result = Result::Failed;
    std::uint64_t bytes = 0; // the files' bytes added up (as far as counted when too large)
    std::string why;         // what failed, in the system's words, with the path
};

// Copies every file and folder inside `from` into the existing folder `to`.
// Files are counted first: when they add up to more than `mostBytes`,
// nothing is copied (TooLarge). Links to folders are not followed; links to
// files are copied as the files they name; other entries are left out.
TreeCopy copyFolderTree(const std::string& from, const std::string& to, std::uint64_t mostBytes);

// Removes the folder and everything in it; true when nothing of it is left.
bool removeFolderTree(const std::string& path);

// Makes `parent` when missing, then a new folder in it named by the smallest
// number from 1 that no entry takes ("parent/1", "parent/2", ...): a folder
// this call made, never one that was there. "" with `why` when none could be made.
std::string makeNumberedFolder(const std::string& parent, std::string* why);

} // namespace tessaly
