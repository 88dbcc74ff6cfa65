// Entry point of quillmere-cli. On Windows the arguments arrive as UTF-16 through wmain, so
// paths outside the ANSI code page work.
#include <iostream>

#include "cli/cli.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
    std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    const int result = quillmere::RunCli(args, std::cout, std::cerr);
    std::cout.flush();
    return result;
}
