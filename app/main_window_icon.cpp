#include "app/main_window_icon.h"

#include <cstdint>
#include <vector>

namespace quillmere {
namespace {

std::uint32_t ReadLittleEndian(std::span<const unsigned char> bytes, size_t offset, size_t size) {
    std::uint32_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= std::uint32_t{bytes[offset + i]} << (8 * i);
    return value;
}

struct DirectoryEntry {
    int width;
    int height;
    int declaredColours;
    std::span<const unsigned char> image;
};

std::vector<DirectoryEntry> ReadDirectory(std::span<const unsigned char> file) {
    constexpr size_t headerSize = 6, entrySize = 16;
    if (file.size() < headerSize || ReadLittleEndian(file, 0, 2) != 0 ||
        ReadLittleEndian(file, 2, 2) != 1) {
        return {};
    }
    const size_t count = ReadLittleEndian(file, 4, 2);
    if (file.size() < headerSize + count * entrySize)
        return {};
    std::vector<DirectoryEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = headerSize + i * entrySize;
        const size_t size = ReadLittleEndian(file, entry + 8, 4);
        const size_t offset = ReadLittleEndian(file, entry + 12, 4);
        if (offset > file.size() || size > file.size() - offset)
            return {};
        const int width = file[entry] == 0 ? 256 : file[entry];
        const int height = file[entry + 1] == 0 ? 256 : file[entry + 1];
        const int colours = file[entry + 2] == 0 ? 256 : file[entry + 2];
        entries.push_back({width, height, colours, file.subspan(offset, size)});
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
