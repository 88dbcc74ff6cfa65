#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace quillmere {

// The batch name of icon k: the local year, month, day, hour and minute, each from a reading of
// the clock of its own, then k, then ".ico", all in plain decimal without padding:
// 26 November 2018 14:32, icon 12 -> "20181126143212.ico".
std::wstring MakeBatchFileName(int iconNumber);

// The path for a batch file in the folder: the name itself when no file has it yet, else the
// first free name made by adding "-2", "-3", ... before ".ico", so no earlier file is replaced.
std::filesystem::path FirstFreeBatchPath(
    const std::filesystem::path& folder, const std::wstring& fileName,
    const std::function<bool(const std::filesystem::path&)>& taken);

}  // namespace quillmere
