#include "saving/icon_group_loader.h"

namespace quillmere {
namespace {

constexpr std::uint64_t kGroupHeaderSize = 6;
constexpr std::uint64_t kGroupEntrySize = 14;

}  // namespace

LoadedGroup LoadIconGroup(const ModuleResources& module, const ResourceName& group) {
    const auto data = module.Find(kResourceTypeGroupIcon, group);
    if (!data)
        return {GroupLoad::kMissingGroup, {}};
    const auto count = ReadU16(*data, 4);
    if (!count || !Fits(*data, kGroupHeaderSize, *count * kGroupEntrySize)) {
        return {GroupLoad::kMissingGroup, {}};
    }
    LoadedGroup loaded{GroupLoad::kLoaded, {}};
    for (std::uint64_t i = 0; i < *count; ++i) {
        const std::uint16_t number = *ReadU16(*data, kGroupHeaderSize + i * kGroupEntrySize + 12);
        const auto image = module.Find(kResourceTypeIcon, ResourceId(number));
        if (!image)
            return {GroupLoad::kMissingImage, {}};
        loaded.images.emplace_back(image->begin(), image->end());
    }
    return loaded;
}

}  // namespace quillmere
