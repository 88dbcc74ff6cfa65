#pragma once

#include <span>
#include <string>

// What a file drop on a window is worth: the effect shown to the drag source and the text handed
// on. Pure decisions, kept apart from the OLE plumbing so they build and run on any system.
namespace platform {

enum class DropEffect { None, Copy, Move, Link };

struct HeldKeys {
    bool control = false;
    bool shift = false;
};

struct AllowedEffects {
    bool copy = false;
    bool move = false;
    bool link = false;
};

// No keys: the first allowed of copy, move, link. Ctrl asks for a copy, Shift for a move, both
// together for nothing. Without a file list on offer nothing is ever taken.
DropEffect ChooseDropEffect(bool fileListOffered, HeldKeys keys, AllowedEffects allowed);

// The text delivered for a drop: the first file's path; empty when the list holds no file.
std::wstring DroppedText(std::span<const std::wstring> fileNames);

}  // namespace platform
