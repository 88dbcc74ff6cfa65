#include "saving/bmp_layout.h"

#include "platform/little_endian.h"
#include "saving/png_decoder.h"

namespace quillmere {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;

void PutFileHeader(std::vector<std::uint8_t>& out, std::uint32_t fileSize,
                   std::uint32_t pixelOffset) {
    out.push_back('B');
    out.push_back('M');
    AppendU32(out, fileSize);
    AppendU16(out, 0);
    AppendU16(out, 0);
    AppendU32(out, pixelOffset);
}

std::vector<std::uint8_t> BitmapOfBitmapImage(const IconImage& image) {
    const std::uint32_t tableEnd = image.headerSize + image.colorTableLength;
    const std::uint32_t rows = static_cast<std::uint32_t>(image.height) * image.rowLength;
    std::vector<std::uint8_t> out;
    out.reserve(kFileHeaderSize + tableEnd + rows);
    PutFileHeader(out, kFileHeaderSize + tableEnd + rows, kFileHeaderSize + tableEnd);
    const std::size_t header = out.size();
    out.insert(out.end(), image.bytes.begin(), image.bytes.begin() + tableEnd + rows);
    const auto height = static_cast<std::uint32_t>(image.height);
    for (int i = 0; i < 4; ++i)
        out[header + 8 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    return out;
}

std::optional<std::vector<std::uint8_t>> BitmapOfPngImage(const IconImage& image) {
    const auto pixels = DecodePng(image.bytes);
    if (!pixels)
        return std::nullopt;
    const std::uint32_t rows = pixels->width * pixels->height * 4;
    const std::uint32_t pixelOffset = kFileHeaderSize + kBitmapInfoHeaderSize;
    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + rows);
    PutFileHeader(out, pixelOffset + rows, pixelOffset);
    AppendU32(out, kBitmapInfoHeaderSize);
    AppendU32(out, pixels->width);
    AppendU32(out, pixels->height);  // positive: bottom-up rows
    AppendU16(out, 1);
    AppendU16(out, 32);
    AppendU32(out, 0);  // no compression
    AppendU32(out, rows);
    AppendU32(out, 0);
    AppendU32(out, 0);
    AppendU32(out, 0);
    AppendU32(out, 0);
    for (std::uint32_t y = pixels->height; y-- > 0;) {
        const std::uint8_t* row = pixels->rgba.data() + std::size_t{y} * pixels->width * 4;
        for (std::uint32_t x = 0; x < pixels->width; ++x) {
            const std::uint8_t* pixel = row + std::size_t{x} * 4;
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0], pixel[3]});
        }
    }
    return out;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> BuildBmpFile(const IconImage& image) {
    if (image.format == ImageFormat::kPng)
        return BitmapOfPngImage(image);
    return BitmapOfBitmapImage(image);
}

}  // namespace quillmere
