#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/module_resources.h"

// Loading an icon group from a module: the group resource lists its images by the numbers of
// their image resources (a 6-byte header with the count at offset 4, then 14-byte entries with
// the image number at offset 12).
namespace quillmere {

enum class GroupLoad { kLoaded, kMissingGroup, kMissingImage };

struct LoadedGroup {
    GroupLoad result = GroupLoad::kMissingGroup;
    std::vector<std::vector<std::uint8_t>> images;  // in the group's order, when loaded
};

// All of the group's image blocks, or none when the group or any one of its images is missing.
LoadedGroup LoadIconGroup(const ModuleResources& module, const ResourceName& group);

}  // namespace quillmere
