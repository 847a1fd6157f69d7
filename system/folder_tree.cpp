#include "system/folder_tree.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "system/files.h"
#include "system/path_text.h"

namespace tessaly {

namespace fs = std::filesystem;

namespace {

// The most numbered folders tried before giving up: far more than a user
// leaves behind.
constexpr int kMostNumbers = 100000;

} // namespace

std::optional<std::vector<FolderEntry>> listFolder(const std::string& path) {
    std::error_code error;
    fs::directory_iterator it(pathFromUtf8(path), error);
    if (error) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) return std::nullopt;
        std::error_code statusError;
        const fs::file_status status = it->status(statusError);
        if (statusError) continue;
        const bool folder = fs::is_directory(status);
        if (!folder && !fs::is_regular_file(status)) continue;
        entries.push_back({utf8FromPath(it->path().filename()), folder});
    }
    if (error) return std::nullopt;
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

TreeCopy copyFolderTree(const std::string& from, const std::string& to, std::uint64_t mostBytes) {
    TreeCopy copy;
    struct Item {
        fs::path relative;
        bool folder;
    };
    std::vector<Item> items;
    std::error_code error;
    const fs::path root = pathFromUtf8(from);
    fs::recursive_directory_iterator it(root, error);
    auto failed = [&](const fs::path& where, const std::error_code& e) {
        copy.result = TreeCopy::Result::Failed;
        copy.why = utf8FromPath(where) + ": " + e.message();
        return copy;
    };
    if (error) return failed(root, error);
    for (const fs::recursive_directory_iterator end; it != end; it.increment(error)) {
        if (error) return failed(root, error);
        std::error_code statusError;
        const fs::file_status status = it->status(statusError);
        if (statusError) continue; // a link that leads nowhere
        const fs::path relative = it->path().lexically_relative(root);
        if (fs::is_directory(status)) {
            items.push_back({relative, true});
        } else if (fs::is_regular_file(status)) {
            const std::uintmax_t size = it->file_size(statusError);
            if (statusError) return failed(it->path(), statusError);
            copy.bytes += size;
            if (copy.bytes > mostBytes) {
                copy.result = TreeCopy::Result::TooLarge;
                return copy;
            }
            items.push_back({relative, false});
        }
    }
    if (error) return failed(root, error);
    const fs::path target = pathFromUtf8(to);
    for (const Item& item : items) {
        const fs::path made = target / item.relative;
        if (item.folder) {
            fs::create_directories(made, error);
            if (error) return failed(made, error);
            continue;
        }
        const std::string source = utf8FromPath(root / item.relative);
        const std::optional<FileHead> head =
            readFileHead(source, std::size_t(std::min<std::uint64_t>(mostBytes + 1, SIZE_MAX)));
        if (!head || head->fileBytes != head->bytes.size()) {
            copy.result = TreeCopy::Result::Failed;
            copy.why =
                source + ": " + (head ? "it changed while it was copied" : whyUnreadable(source));
            return copy;
        }
        std::string why;
        if (!writeFileSafely(utf8FromPath(made), head->bytes, &why)) {
            copy.result = TreeCopy::Result::Failed;
            copy.why = utf8FromPath(made) + ": " + why;
            return copy;
        }
    }
    copy.result = TreeCopy::Result::Copied;
    return copy;
}

bool removeFolderTree(const std::string& path) {
    std::error_code error;
    const fs::path folder = pathFromUtf8(path);
    fs::remove_all(folder, error);
    return !fs::exists(fs::symlink_status(folder, error));
}

std::string makeNumberedFolder(const std::string& parent, std::string* why) {
    std::error_code error;
    const fs::path base = pathFromUtf8(parent);
    fs::create_directories(base, error);
    if (error) {
        if (why) *why = parent + ": " + error.message();
        return "";
    }
    for (int number = 1; number <= kMostNumbers; ++number) {
        const fs::path candidate = base / std::to_string(number);
        if (fs::exists(fs::symlink_status(candidate, error))) continue;
        // create_directory says false for a folder that was there already:
        // another program made it just now.
        if (fs::create_directory(candidate, error)) return utf8FromPath(candidate);
        if (error && !fs::exists(fs::symlink_status(candidate))) {
            if (why) *why = utf8FromPath(candidate) + ": " + error.message();
            return "";
        }
    }
    if (why) *why = parent + ": no free folder name";
    return "";
}

} // namespace tessaly
