#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// One image of an icon, as a module or an icon file stores it, with the values that the .ico
// directory and the .bmp layout take from it.
namespace quillmere {

enum class ImageFormat { kBitmap, kPng };

struct IconImage {
    std::vector<std::uint8_t> bytes;  // the block exactly as the source stores it
    ImageFormat format = ImageFormat::kBitmap;
    std::int32_t width = 0;
    std::int32_t height = 0;  // a bitmap's stored height counts colour and mask rows: half of it
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t headerSize = 0;        // bitmap header length (40 for the usual header)
    std::uint32_t colorTableLength = 0;  // bytes
    std::uint32_t rowLength = 0;         // bytes of one colour row
};

inline constexpr std::size_t kBitmapInfoHeaderSize = 40;
inline constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Describes an image block: a bitmap (its information header) or a PNG stream (its IHDR).
// std::nullopt for a malformed block: shorter than 40 bytes, or a header that makes no sense
// (sizes that are zero or negative, an unknown bit count, compression, or colour table and
// colour rows that do not fit in the block).
std::optional<IconImage> DescribeIconImage(std::vector<std::uint8_t> bytes);

}  // namespace quillmere
