#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/little_endian.h"

// Reading an icon (.ico) file: a 6-byte header (reserved 0, type 1, image count), 16-byte
// directory entries, and each image's block at the offset its entry gives.
namespace quillmere {

// True when the bytes begin with reserved 0 and type 1.
bool LooksLikeIconFile(Bytes bytes);

// The image blocks in directory order, or std::nullopt when the header is wrong, the directory is
// cut short, or any image lies beyond the end of the file.
std::optional<std::vector<std::vector<std::uint8_t>>> ReadIconFileImages(Bytes bytes);

}  // namespace quillmere
