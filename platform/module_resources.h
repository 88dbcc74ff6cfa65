#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/little_endian.h"

// Resources of a Windows module (PE32 or PE32+, any machine), read as data and never executed.
// The module's bytes are owned by the object; every offset and RVA taken from them is checked
// against the file and mapped through the section table.
namespace quillmere {

inline constexpr std::uint16_t kResourceTypeIcon = 3;
inline constexpr std::uint16_t kResourceTypeGroupIcon = 14;

// The name of a resource: a text (UTF-16, as stored) or a number.
struct ResourceName {
    bool isText = false;
    std::u16string text;   // a named resource's name
    std::uint16_t id = 0;  // a numbered resource's number
    friend bool operator==(const ResourceName&, const ResourceName&) = default;
};

ResourceName ResourceId(std::uint16_t id);
ResourceName ResourceText(std::u16string text);

// True when the bytes begin with a DOS header ("MZ") that leads to a PE signature.
bool LooksLikeModule(Bytes bytes);

class ModuleResources {
  public:
    // std::nullopt when the bytes are not a PE32 or PE32+ module.
    static std::optional<ModuleResources> FromBytes(std::vector<std::uint8_t> bytes);

    // The names of the resources of one numbered type, in the order of the resource directory
    // (named entries first, then numbered ones, as stored). Empty when there are none.
    std::vector<ResourceName> Names(std::uint16_t type) const;

    // The bytes of a resource (its first language), or std::nullopt when the module lacks it or
    // its data lies outside the file. Names compare without regard to ASCII letter case.
    std::optional<Bytes> Find(std::uint16_t type, const ResourceName& name) const;

  private:
    struct Section {
        std::uint32_t virtualAddress = 0;
        std::uint32_t size = 0;  // bytes of the section present in the file
        std::uint32_t fileOffset = 0;
    };
    struct Entry {
        ResourceName name;
        std::uint32_t target = 0;  // offset from the directory root, high bit: a subdirectory
    };

    ModuleResources() = default;
    Bytes All() const { return bytes_; }
    Bytes Root() const { return All().subspan(rootOffset_, rootSize_); }
    bool ReadSections();
    std::optional<Bytes> MapRva(std::uint32_t rva, std::uint32_t length) const;
    std::optional<std::vector<Entry>> ReadDirectory(std::uint32_t offset) const;
    std::optional<ResourceName> ReadEntryName(std::uint32_t nameField) const;
    std::optional<std::uint32_t> Subdirectory(const std::vector<Entry>& entries,
                                              const ResourceName& name, std::uint32_t parent) const;
    std::optional<Bytes> ReadDataEntry(std::uint32_t offset) const;

    std::vector<std::uint8_t> bytes_;
    std::vector<Section> sections_;
    // The resource directory, from its start to the end of its section; empty when absent.
    std::size_t rootOffset_ = 0;
    std::size_t rootSize_ = 0;
};

}  // namespace quillmere
