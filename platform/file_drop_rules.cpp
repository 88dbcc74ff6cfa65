#include "platform/file_drop_rules.h"

namespace platform {

DropEffect ChooseDropEffect(bool fileListOffered, HeldKeys keys, AllowedEffects allowed) {
    if (!fileListOffered)
        return DropEffect::None;
    if (keys.control && keys.shift)
        return DropEffect::None;
    if (keys.control)
        return allowed.copy ? DropEffect::Copy : DropEffect::None;
    if (keys.shift)
        return allowed.move ? DropEffect::Move : DropEffect::None;
    if (allowed.copy)
        return DropEffect::Copy;
    if (allowed.move)
        return DropEffect::Move;
    if (allowed.link)
        return DropEffect::Link;
    return DropEffect::None;
}

std::wstring DroppedText(std::span<const std::wstring> fileNames) {
    // Only one source can be listed at a time, so of several files the first one is taken.
    return fileNames.empty() ? std::wstring() : fileNames.front();
}

}  // namespace platform
