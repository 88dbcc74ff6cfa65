#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Files for the tests: fixtures, a private temporary folder per test, whole-file reads and
// little-endian fields read independently of the code under test.
namespace quillmere::testing {

inline std::filesystem::path Fixture(const char* name) {
    return std::filesystem::path(QUILLMERE_FIXTURE_DIR) / name;
}

inline std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}

inline std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

inline void PutLe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::vector<std::uint8_t> Sub(const std::vector<std::uint8_t>& b, std::size_t at,
                                     std::size_t length) {
    EXPECT_LE(at + length, b.size());
    if (at + length > b.size())
        return {};
    return {b.begin() + at, b.begin() + at + length};
}

// The image blocks of an icon file, by its directory (offset 12: image offset, 8: byte count).
inline std::vector<std::vector<std::uint8_t>> IcoBlocks(const std::vector<std::uint8_t>& ico) {
    std::vector<std::vector<std::uint8_t>> blocks;
    for (std::uint32_t i = 0; i < Le16(ico, 4); ++i) {
        blocks.push_back(Sub(ico, Le32(ico, 6 + 16 * i + 12), Le32(ico, 6 + 16 * i + 8)));
    }
    return blocks;
}

// A block with its image-size field (offset 20) cleared, as it is written to an .ico file.
inline std::vector<std::uint8_t> WithoutSizeField(std::vector<std::uint8_t> block) {
    PutLe32(block, 20, 0);
    return block;
}

// A fresh folder for one test, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "quillmere-test-";
        name += info ? info->name() : "x";
        name += "-" + std::to_string(counter++);
        for (char& c : name) {
            if (c == '/')
                c = '_';
        }
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }
    const std::filesystem::path& Path() const { return path_; }

    // The names of the files now in the folder.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace quillmere::testing
