#include "app/main_window_icon.h"

#include <vector>

#include "platform/little_endian.h"

namespace quillmere {
namespace {

struct DirectoryEntry {
    int width;
    int height;
    int declaredColours;
    std::span<const unsigned char> image;
};

int ZeroMeans256(std::uint8_t value) {
    return value == 0 ? 256 : value;
}

// The directory of an icon file; empty when the file is malformed.
std::vector<DirectoryEntry> ReadDirectory(Bytes file) {
    constexpr size_t headerSize = 6, entrySize = 16;
    if (ReadU16(file, 0) != 0 || ReadU16(file, 2) != 1)
        return {};
    const auto count = ReadU16(file, 4);
    if (!count || !Fits(file, headerSize, size_t{*count} * entrySize))
        return {};
    std::vector<DirectoryEntry> entries;
    for (size_t i = 0; i < *count; ++i) {
        const size_t entry = headerSize + i * entrySize;
        const std::uint32_t size = *ReadU32(file, entry + 8);
        const std::uint32_t offset = *ReadU32(file, entry + 12);
        if (!Fits(file, offset, size))
            return {};
        entries.push_back({ZeroMeans256(file[entry]), ZeroMeans256(file[entry + 1]),
                           ZeroMeans256(file[entry + 2]), file.subspan(offset, size)});
    }
    return entries;
}

}  // namespace

std::optional<IconFileImage> PickWindowIconImage(std::span<const unsigned char> iconFile,
                                                 int width) {
    const std::vector<DirectoryEntry> entries = ReadDirectory(iconFile);
    if (entries.empty())
        return std::nullopt;
    for (const DirectoryEntry& entry : entries) {
        if (entry.width == width && entry.declaredColours >= 16) {
            return IconFileImage{entry.image, entry.width, entry.height};
        }
    }
    const DirectoryEntry& last = entries.back();
    return IconFileImage{last.image, last.width, last.height};
}

}  // namespace quillmere
