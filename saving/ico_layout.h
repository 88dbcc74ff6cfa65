#pragma once

#include <cstdint>
#include <vector>

#include "saving/icon_image.h"

// The .ico file of an icon: header, a directory rebuilt from the images, then the image blocks.
namespace quillmere {

// The colour count of a directory entry: 2 to the power planes x bit count when that is below 8,
// else 0.
std::uint8_t DirectoryColorCount(std::uint16_t planes, std::uint16_t bitCount);

// The whole file. A bitmap block is written with its image-size field (offset 20) as 0; a PNG
// stream is written unchanged.
std::vector<std::uint8_t> BuildIcoFile(const std::vector<IconImage>& images);

}  // namespace quillmere
