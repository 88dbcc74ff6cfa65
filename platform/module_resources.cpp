#include "platform/module_resources.h"

#include <algorithm>
#include <utility>

namespace quillmere {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::uint32_t kDirectoryHeaderSize = 16;
constexpr std::uint32_t kDirectoryEntrySize = 8;
constexpr std::uint32_t kDataEntrySize = 16;
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint16_t kMagicPe32 = 0x10b;
constexpr std::uint16_t kMagicPe32Plus = 0x20b;
constexpr std::uint32_t kResourceDirectoryIndex = 2;

std::optional<std::uint32_t> PeHeaderOffset(Bytes bytes) {
    if (ReadU16(bytes, 0) != 0x5A4D)
        return std::nullopt;  // "MZ"
    const auto offset = ReadU32(bytes, 0x3C);
    if (!offset || ReadU32(bytes, *offset) != 0x00004550u)
        return std::nullopt;  // "PE\0\0"
    return offset;
}

char16_t AsciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c;
}

bool SameName(const ResourceName& a, const ResourceName& b) {
    if (a.isText != b.isText)
        return false;
    if (!a.isText)
        return a.id == b.id;
    return std::equal(a.text.begin(), a.text.end(), b.text.begin(), b.text.end(),
                      [](char16_t x, char16_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace

ResourceName ResourceId(std::uint16_t id) {
    return ResourceName{false, {}, id};
}

ResourceName ResourceText(std::u16string text) {
    return ResourceName{true, std::move(text), 0};
}

bool LooksLikeModule(Bytes bytes) {
    return PeHeaderOffset(bytes).has_value();
}

std::optional<ModuleResources> ModuleResources::FromBytes(std::vector<std::uint8_t> bytes) {
    ModuleResources module;
    module.bytes_ = std::move(bytes);
    if (!module.ReadSections())
        return std::nullopt;
    return module;
}

// Reads the section table and finds the resource directory. A module without one is valid and
// simply holds no resources.
bool ModuleResources::ReadSections() {
    const Bytes bytes = All();
    const auto pe = PeHeaderOffset(bytes);
    if (!pe)
        return false;
    const std::uint64_t coff = *pe + 4ull;
    const auto sectionCount = ReadU16(bytes, coff + 2);
    const auto optionalSize = ReadU16(bytes, coff + 16);
    if (!sectionCount || !optionalSize)
        return false;
    const std::uint64_t optional = coff + 20;
    const auto magic = ReadU16(bytes, optional);
    if (magic != kMagicPe32 && magic != kMagicPe32Plus)
        return false;
    const std::uint64_t countField = (magic == kMagicPe32) ? 92 : 108;
    const std::uint64_t directories = countField + 4;

    const std::uint64_t sectionTable = optional + *optionalSize;
    for (std::uint32_t i = 0; i < *sectionCount; ++i) {
        const std::uint64_t header = sectionTable + std::uint64_t{i} * kSectionHeaderSize;
        const auto virtualSize = ReadU32(bytes, header + 8);
        const auto virtualAddress = ReadU32(bytes, header + 12);
        const auto rawSize = ReadU32(bytes, header + 16);
        const auto rawOffset = ReadU32(bytes, header + 20);
        if (!virtualSize || !virtualAddress || !rawSize || !rawOffset)
            return false;
        if (*rawOffset >= bytes.size())
            continue;  // nothing of it in the file
        std::uint64_t size = *virtualSize != 0 ? std::min(*virtualSize, *rawSize) : *rawSize;
        size = std::min<std::uint64_t>(size, bytes.size() - *rawOffset);
        sections_.push_back({*virtualAddress, static_cast<std::uint32_t>(size), *rawOffset});
    }

    const auto directoryCount = ReadU32(bytes, optional + countField);
    if (!directoryCount || *directoryCount <= kResourceDirectoryIndex)
        return true;
    const std::uint64_t entry = directories + 8ull * kResourceDirectoryIndex;
    if (entry + 8 > *optionalSize)
        return true;
    const auto rootRva = ReadU32(bytes, optional + entry);
    if (!rootRva || *rootRva == 0)
        return true;
    const auto root = MapRva(*rootRva, kDirectoryHeaderSize);
    if (!root)
        return true;
    for (const Section& section : sections_) {
        if (*rootRva >= section.virtualAddress &&
            *rootRva - section.virtualAddress < section.size) {
            rootOffset_ = section.fileOffset + (*rootRva - section.virtualAddress);
            rootSize_ = section.size - (*rootRva - section.virtualAddress);
            break;
        }
    }
    return true;
}

// The file bytes of [rva, rva + length), which must lie inside one section's data in the file.
std::optional<Bytes> ModuleResources::MapRva(std::uint32_t rva, std::uint32_t length) const {
    for (const Section& section : sections_) {
        if (rva < section.virtualAddress)
            continue;
        const std::uint64_t inside = rva - section.virtualAddress;
        if (inside >= section.size || length > section.size - inside)
            continue;
        return Slice(All(), section.fileOffset + inside, length);
    }
    return std::nullopt;
}

std::optional<ResourceName> ModuleResources::ReadEntryName(std::uint32_t nameField) const {
    if ((nameField & kHighBit) == 0)
        return ResourceId(static_cast<std::uint16_t>(nameField));
    const Bytes root = Root();
    const std::uint64_t offset = nameField & ~kHighBit;
    const auto length = ReadU16(root, offset);
    if (!length || !Fits(root, offset + 2, std::uint64_t{*length} * 2))
        return std::nullopt;
    std::u16string text(*length, u'\0');
    for (std::uint16_t i = 0; i < *length; ++i)
        text[i] = *ReadU16(root, offset + 2 + 2ull * i);
    return ResourceText(std::move(text));
}

// The entries of one directory, named ones first, then numbered ones, as stored.
std::optional<std::vector<ModuleResources::Entry>> ModuleResources::ReadDirectory(
    std::uint32_t offset) const {
    const Bytes root = Root();
    const auto named = ReadU16(root, std::uint64_t{offset} + 12);
    const auto numbered = ReadU16(root, std::uint64_t{offset} + 14);
    if (!named || !numbered)
        return std::nullopt;
    const std::uint64_t count = std::uint64_t{*named} + *numbered;
    const std::uint64_t first = std::uint64_t{offset} + kDirectoryHeaderSize;
    if (!Fits(root, first, count * kDirectoryEntrySize))
        return std::nullopt;
    std::vector<Entry> entries;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = first + i * kDirectoryEntrySize;
        const auto name = ReadEntryName(*ReadU32(root, at));
        if (!name)
            return std::nullopt;
        entries.push_back({*name, *ReadU32(root, at + 4)});
    }
    return entries;
}

// The subdirectory of the first entry with the given name. A directory that leads back to its
// parent (or to itself) is not followed.
std::optional<std::uint32_t> ModuleResources::Subdirectory(const std::vector<Entry>& entries,
                                                           const ResourceName& name,
                                                           std::uint32_t parent) const {
    for (const Entry& entry : entries) {
        if (!SameName(entry.name, name))
            continue;
        if ((entry.target & kHighBit) == 0)
            return std::nullopt;
        const std::uint32_t offset = entry.target & ~kHighBit;
        if (offset == parent || offset == 0)
            return std::nullopt;
        return offset;
    }
    return std::nullopt;
}

std::optional<Bytes> ModuleResources::ReadDataEntry(std::uint32_t offset) const {
    const Bytes root = Root();
    if (!Fits(root, offset, kDataEntrySize))
        return std::nullopt;
    return MapRva(*ReadU32(root, offset), *ReadU32(root, std::uint64_t{offset} + 4));
}

std::vector<ResourceName> ModuleResources::Names(std::uint16_t type) const {
    const auto types = ReadDirectory(0);
    if (!types)
        return {};
    const auto typeDirectory = Subdirectory(*types, ResourceId(type), 0);
    if (!typeDirectory)
        return {};
    const auto names = ReadDirectory(*typeDirectory);
    if (!names)
        return {};
    std::vector<ResourceName> result;
    result.reserve(names->size());
    for (const Entry& entry : *names)
        result.push_back(entry.name);
    return result;
}

std::optional<Bytes> ModuleResources::Find(std::uint16_t type, const ResourceName& name) const {
    const auto types = ReadDirectory(0);
    if (!types)
        return std::nullopt;
    const auto typeDirectory = Subdirectory(*types, ResourceId(type), 0);
    if (!typeDirectory)
        return std::nullopt;
    const auto names = ReadDirectory(*typeDirectory);
    if (!names)
        return std::nullopt;
    const auto nameDirectory = Subdirectory(*names, name, *typeDirectory);
    if (!nameDirectory)
        return std::nullopt;
    const auto languages = ReadDirectory(*nameDirectory);
    if (!languages || languages->empty())
        return std::nullopt;
    const std::uint32_t target = languages->front().target;
    if ((target & kHighBit) != 0)
        return std::nullopt;
    return ReadDataEntry(target);
}

}  // namespace quillmere
