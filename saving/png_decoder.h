#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/little_endian.h"

// Decoding a PNG stream (and nothing else) to 8-bit RGBA pixels, top row first.
namespace quillmere {

struct RgbaPixels {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// std::nullopt when the stream is not a PNG, is damaged, or is larger than 4096 pixels a side.
std::optional<RgbaPixels> DecodePng(Bytes png);

}  // namespace quillmere
