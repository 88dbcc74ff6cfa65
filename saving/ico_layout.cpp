#include "saving/ico_layout.h"

#include "platform/little_endian.h"

namespace quillmere {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kImageSizeField = 20;

void PutDirectoryEntry(std::vector<std::uint8_t>& out, const IconImage& image,
                       std::uint32_t offset) {
    out.push_back(static_cast<std::uint8_t>(image.width));
    out.push_back(static_cast<std::uint8_t>(image.height));
    out.push_back(DirectoryColorCount(image.planes, image.bitCount));
    out.push_back(0);
    AppendU16(out, image.planes);
    AppendU16(out, image.bitCount);
    AppendU32(out, static_cast<std::uint32_t>(image.bytes.size()));
    AppendU32(out, offset);
}

void PutImage(std::vector<std::uint8_t>& out, const IconImage& image) {
    const std::size_t start = out.size();
    out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    if (image.format == ImageFormat::kBitmap) {
        std::fill_n(out.begin() + start + kImageSizeField, 4, 0);
    }
}

}  // namespace

std::uint8_t DirectoryColorCount(std::uint16_t planes, std::uint16_t bitCount) {
    const std::uint32_t bits = std::uint32_t{planes} * bitCount;
    return bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
}

std::vector<std::uint8_t> BuildIcoFile(const std::vector<IconImage>& images) {
    std::vector<std::uint8_t> out;
    AppendU16(out, 0);
    AppendU16(out, 1);
    AppendU16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(kHeaderSize + kEntrySize * images.size());
    for (const IconImage& image : images) {
        PutDirectoryEntry(out, image, offset);
        offset += static_cast<std::uint32_t>(image.bytes.size());
    }
    for (const IconImage& image : images)
        PutImage(out, image);
    return out;
}

}  // namespace quillmere
