#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/module_resources.h"
#include "saving/icon_image.h"

// A source of icons, its kind decided by its content: a module (a DOS header leading to a PE
// header), an icon file (reserved 0, type 1), or anything else, which holds no icons.
namespace quillmere {

enum class SourceState { kModule, kIconFile, kMissing, kUnreadable, kNotIconSource };

enum class IconLoad { kLoaded, kMissingImage, kMalformed };

struct LoadedIcon {
    IconLoad result = IconLoad::kMalformed;
    std::vector<IconImage> images;  // all of the icon's images in order, when loaded
};

class IconSource {
  public:
    // Reads the whole file once; later calls use the bytes read.
    static IconSource Open(const std::filesystem::path& path);

    SourceState State() const { return state_; }

    // The number of icons: the module's icon groups, 1 for an icon file, else 0.
    int Count() const;

    // Icon `number` (from 1, within the count) with every image described.
    LoadedIcon Load(int number) const;

  private:
    LoadedIcon LoadFromIconFile() const;
    LoadedIcon LoadFromModule(int number) const;

    SourceState state_ = SourceState::kNotIconSource;
    std::vector<std::uint8_t> iconFile_;
    std::optional<ModuleResources> module_;
    std::vector<ResourceName> groups_;
};

}  // namespace quillmere
