#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

// The command-line companion: list, save and save-all on the icon core.
namespace quillmere {

// Runs one command line (the arguments after the program name). Exit codes: 0 done, 1 nothing
// (or not everything) was written, with one line on `err` saying why, 2 wrong usage.
int RunCli(const std::vector<std::filesystem::path>& args, std::ostream& out, std::ostream& err);

}  // namespace quillmere
