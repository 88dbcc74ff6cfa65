#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// Whole-file reads and writes that never leave a partial file behind.
namespace quillmere {

enum class ReadFileResult { kRead, kMissing, kUnreadable };

// Reads a regular file whole into `bytes`.
ReadFileResult ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes);

// Writes `bytes` to a new file in the destination's folder and moves it over the destination
// only when it is complete, so the destination is either the whole new file or what was there
// before. On any failure the new file is removed and false is returned.
bool ReplaceFileWith(const std::filesystem::path& destination, std::span<const std::uint8_t> bytes);

// Moves `from` over `to`, replacing an existing file. Implemented per platform.
bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace quillmere
