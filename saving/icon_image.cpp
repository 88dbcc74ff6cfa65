#include "saving/icon_image.h"

#include <algorithm>
#include <utility>

#include "platform/little_endian.h"

namespace quillmere {
namespace {

constexpr std::int32_t kMaxSide = 32768;

bool HasPngSignature(Bytes bytes) {
    return bytes.size() >= sizeof kPngSignature &&
           std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin());
}

std::optional<std::uint32_t> ReadU32BigEndian(Bytes bytes, std::size_t offset) {
    if (!Fits(bytes, offset, 4))
        return std::nullopt;
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | bytes[offset + 3];
}

// A PNG stream: its first chunk is IHDR, 13 bytes, width and height first (big-endian).
bool DescribePng(IconImage& image) {
    const Bytes bytes = image.bytes;
    const bool ihdr = ReadU32BigEndian(bytes, 8) == 13u && Fits(bytes, 12, 4) &&
                      std::equal(bytes.begin() + 12, bytes.begin() + 16, "IHDR");
    if (!ihdr)
        return false;
    const std::uint32_t width = *ReadU32BigEndian(bytes, 16);
    const auto height = ReadU32BigEndian(bytes, 20);
    if (!height || width == 0 || *height == 0 || width > kMaxSide || *height > kMaxSide) {
        return false;
    }
    image.format = ImageFormat::kPng;
    image.width = static_cast<std::int32_t>(width);
    image.height = static_cast<std::int32_t>(*height);
    image.planes = 1;
    image.bitCount = 32;
    return true;
}

std::uint32_t ColorTableEntries(std::uint32_t colorsUsed, std::uint16_t bitCount) {
    if (colorsUsed != 0)
        return colorsUsed;
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

bool KnownBitCount(std::uint16_t bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

bool DescribeBitmap(IconImage& image) {
    const Bytes bytes = image.bytes;
    const std::uint32_t headerSize = *ReadU32(bytes, 0);
    const std::int32_t width = *ReadI32(bytes, 4);
    const std::int32_t storedHeight = *ReadI32(bytes, 8);
    const std::uint16_t planes = *ReadU16(bytes, 12);
    const std::uint16_t bitCount = *ReadU16(bytes, 14);
    const std::uint32_t compression = *ReadU32(bytes, 16);
    const std::uint32_t colorsUsed = *ReadU32(bytes, 32);
    if (headerSize < kBitmapInfoHeaderSize || headerSize > bytes.size())
        return false;
    if (width <= 0 || width > kMaxSide || storedHeight < 2 || storedHeight / 2 > kMaxSide) {
        return false;
    }
    if (planes != 1 || !KnownBitCount(bitCount) || compression != 0)
        return false;

    const std::uint64_t entries = ColorTableEntries(colorsUsed, bitCount);
    const std::uint64_t rowLength =
        4 * ((std::uint64_t{static_cast<std::uint32_t>(width)} * planes * bitCount + 31) / 32);
    const std::uint64_t height = storedHeight / 2;
    const std::uint64_t colorTable = entries * 4;
    if (colorTable > bytes.size() || height * rowLength > bytes.size())
        return false;
    if (headerSize + colorTable + height * rowLength > bytes.size())
        return false;

    image.format = ImageFormat::kBitmap;
    image.width = width;
    image.height = static_cast<std::int32_t>(height);
    image.planes = planes;
    image.bitCount = bitCount;
    image.headerSize = headerSize;
    image.colorTableLength = static_cast<std::uint32_t>(colorTable);
    image.rowLength = static_cast<std::uint32_t>(rowLength);
    return true;
}

}  // namespace

std::optional<IconImage> DescribeIconImage(std::vector<std::uint8_t> bytes) {
    if (bytes.size() < kBitmapInfoHeaderSize)
        return std::nullopt;
    IconImage image;
    image.bytes = std::move(bytes);
    const bool described =
        HasPngSignature(image.bytes) ? DescribePng(image) : DescribeBitmap(image);
    if (!described)
        return std::nullopt;
    return image;
}

}  // namespace quillmere
