#pragma once

#include <filesystem>

// currentSourcePath: the path of the file whose icons are listed. Empty at start.
// Every reader takes a copy of its own, and a replacement swaps the whole value under a lock, so
// an action that still works from the old path is never left holding freed text.
namespace quillmere {

std::filesystem::path CurrentSourcePath();
void ReplaceCurrentSourcePath(std::filesystem::path path);

// Run once when the program ends normally: lets the path go.
void ReleaseOnExit();

}  // namespace quillmere
