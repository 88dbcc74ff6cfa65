#include "saving/icon_file_reader.h"

namespace quillmere {
namespace {

constexpr std::uint64_t kHeaderSize = 6;
constexpr std::uint64_t kEntrySize = 16;

}  // namespace

bool LooksLikeIconFile(Bytes bytes) {
    return ReadU16(bytes, 0) == 0 && ReadU16(bytes, 2) == 1;
}

std::optional<std::vector<std::vector<std::uint8_t>>> ReadIconFileImages(Bytes bytes) {
    if (!LooksLikeIconFile(bytes))
        return std::nullopt;
    const auto count = ReadU16(bytes, 4);
    if (!count || !Fits(bytes, kHeaderSize, *count * kEntrySize))
        return std::nullopt;
    std::vector<std::vector<std::uint8_t>> images;
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::uint64_t entry = kHeaderSize + i * kEntrySize;
        const auto block = Slice(bytes, *ReadU32(bytes, entry + 12), *ReadU32(bytes, entry + 8));
        if (!block)
            return std::nullopt;
        images.emplace_back(block->begin(), block->end());
    }
    return images;
}

}  // namespace quillmere
