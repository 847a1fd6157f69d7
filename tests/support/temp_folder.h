// A fresh folder for one test under the system's temporary folder, removed
// with everything in it when the test ends, and the bytes of the files a test
// puts there.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace tessaly::test {

class TempFolder {
  public:
    // A name no other folder there has: a random one, made with
    // create_directory, which fails when the name is taken (by another test
    // program running at the same time, too).
    TempFolder() {
        std::random_device random;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        std::mt19937_64 names(uint64_t(now) ^ (uint64_t(random()) << 32 | random()));
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::error_code error;
        for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
            const auto candidate =
                base / ("tessaly-test-" + std::to_string(names() % 1'000'000'000));
            if (std::filesystem::create_directory(candidate, error)) root_ = candidate;
        }
        path_ = utf8(root_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Everything goes, whatever a test made: read-only files and folders, and
    // folders nested deeper than Windows lists (260 characters of path). Each
    // folder inside is emptied into the top folder before it goes, its
    // entries moved up under short new names, so no path grows longer than
    // the top folder's and two names; what is left in the top folder is
    // files and links alone.
    ~TempFolder() {
        if (root_.empty()) return;
        namespace fs = std::filesystem;
        std::error_code ignored;
        writable(root_);
        int moved = 0;
        for (bool emptied = true; emptied;) {
            emptied = false;
            for (const fs::path& entry : entriesOf(root_)) {
                writable(entry);
                if (fs::symlink_status(entry, ignored).type() != fs::file_type::directory) continue;
                for (const fs::path& inside : entriesOf(entry))
                    fs::rename(inside, root_ / ("~" + std::to_string(++moved)), ignored);
                if (fs::remove(entry, ignored)) emptied = true;
            }
        }
        fs::remove_all(root_, ignored);
    }

    // The folder's path in UTF-8, as the program's functions take paths.
    const std::string& path() const { return path_; }
    const std::filesystem::path& fsPath() const { return root_; }
    // The path of `name` in the folder, joined with the system's separator.
    std::string file(const std::string& name) const {
#ifdef _WIN32
        return path_ + "\\" + name;
#else
        return path_ + "/" + name;
#endif
    }
    // The names of what the folder holds (UTF-8), in no particular order.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(root_))
            names.push_back(utf8(entry.path().filename()));
        return names;
    }

  private:
    static std::string utf8(const std::filesystem::path& path) {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }
    // Made writable (and, for a folder, open) to its owner; a symbolic
    // link's target is left alone.
    static void writable(const std::filesystem::path& path) {
        std::error_code ignored;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored))) return;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    static std::vector<std::filesystem::path> entriesOf(const std::filesystem::path& folder) {
        std::vector<std::filesystem::path> paths;
        std::error_code ignored;
        for (auto entry = std::filesystem::directory_iterator(folder, ignored);
             entry != std::filesystem::directory_iterator(); entry.increment(ignored))
            paths.push_back(entry->path());
        return paths;
    }

    std::filesystem::path root_;
    std::string path_;
};

// A file's bytes; none when it cannot be read.
inline std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes a file of these bytes, replacing any file of that name.
inline void putFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace tessaly::test
