#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "saving/icon_image.h"

// The .bmp file of an icon's first image, without its mask.
namespace quillmere {

// A bitmap image: file header, its information header with the height halved, its colour table
// and colour rows. A PNG image: decoded to a 32-bit bottom-up bitmap of its pixels (blue, green,
// red, alpha). std::nullopt when a PNG stream cannot be decoded.
std::optional<std::vector<std::uint8_t>> BuildBmpFile(const IconImage& image);

}  // namespace quillmere
