// Helpers shared by the level tests: a scratch folder, file bytes, and level
// files put together word by word.
#pragma once

#include "level/level.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tessaly::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds (read-only folders included) when the test ends.
class TempDir {
  public:
    TempDir() {
        std::random_device random;
        std::error_code error;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("tessaly-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
#ifndef _WIN32
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            if (entry.symlink_status(ignored).type() == std::filesystem::file_type::directory) {
                ::chmod(entry.path().c_str(), 0755);
            }
        }
        ::chmod(path_.c_str(), 0755);
#endif
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const {
        return path_;
    }
    std::string file(const std::string& name) const {
        return path_ + "/" + name;
    }
    // Names of what the folder holds, in no particular order.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

  private:
    std::string path_;
};

inline std::vector<uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void putFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Appends 16-bit little-endian words.
inline void addWords(std::vector<uint8_t>& bytes, std::initializer_list<int> words) {
    for (const int word : words) {
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>((word >> 8) & 0xFF));
    }
}

inline void addBytes(std::vector<uint8_t>& bytes, std::initializer_list<int> values) {
    for (const int value : values) bytes.push_back(static_cast<uint8_t>(value));
}

// A plain 36-byte header declaring width x height, all other bytes 0.
inline std::vector<uint8_t> plainHeader(int width, int height) {
    std::vector<uint8_t> bytes(4, 0);
    addWords(bytes, {width, height});
    bytes.resize(36, 0);
    return bytes;
}

// Header of the games' padded plane layout: 2 planes in bytes 8..9, the
// plane size rounded up to 16 in bytes 18..19.
inline std::vector<uint8_t> paddedHeader(int width, int height) {
    std::vector<uint8_t> bytes = plainHeader(width, height);
    const int planeBytes = (2 * width * height + 15) / 16 * 16;
    bytes[8] = 2;
    bytes[18] = static_cast<uint8_t>(planeBytes & 0xFF);
    bytes[19] = static_cast<uint8_t>(planeBytes >> 8);
    return bytes;
}

inline std::unique_ptr<Level> newLevel() {
    return std::make_unique<Level>();
}

} // namespace tessaly::test
