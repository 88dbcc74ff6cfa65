// Times `quillmere-cli save-all` on a module beside `wrestool -x -t14` (icoutils) on the same
// file, in the same run, and prints both with their ratio.
//
// Usage: save_all_benchmark [MODULE] [ROUNDS]   (default: Wine's shell32.dll, 7 rounds)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

// Seconds taken by one run of the command into an emptied folder; negative when it failed.
double TimeOnce(const std::string& command, const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return status == 0 ? elapsed.count() : -1.0;
}

std::size_t FilesIn(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path module =
        argc > 1 ? argv[1] : "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (!fs::exists(module)) {
        std::fprintf(stderr, "no such module: %s\n", module.c_str());
        return 1;
    }
    if (std::system("command -v wrestool >/dev/null") != 0) {
        std::fprintf(stderr, "wrestool (icoutils) is missing\n");
        return 1;
    }
    const fs::path work = fs::temp_directory_path() / "quillmere-save-all-benchmark";
    const std::string cli = std::string(Quote(QUILLMERE_CLI_PATH)) + " save-all " +
                            Quote(module.string()) + " " + Quote((work / "cli").string());
    const std::string wrestool =
        "wrestool -x -t14 -o " + Quote((work / "wrestool").string()) + " " + Quote(module.string());

    std::vector<double> cliTimes, wrestoolTimes;
    std::size_t cliFiles = 0, wrestoolFiles = 0;
    for (int round = 0; round < rounds; ++round) {  // alternated, so both see the same machine
        const double a = TimeOnce(cli, work / "cli");
        cliFiles = FilesIn(work / "cli");
        const double b = TimeOnce(wrestool, work / "wrestool");
        wrestoolFiles = FilesIn(work / "wrestool");
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "a command failed (quillmere-cli %.3f, wrestool %.3f)\n", a, b);
            return 1;
        }
        cliTimes.push_back(a);
        wrestoolTimes.push_back(b);
    }
    fs::remove_all(work);

    const double cliMedian = Median(cliTimes);
    const double wrestoolMedian = Median(wrestoolTimes);
    std::printf("module: %s (%ju bytes), %d rounds, median wall time\n", module.c_str(),
                static_cast<std::uintmax_t>(fs::file_size(module)), rounds);
    std::printf("quillmere-cli save-all : %8.1f ms  (%zu files, best %.1f ms)\n", cliMedian * 1e3,
                cliFiles, *std::min_element(cliTimes.begin(), cliTimes.end()) * 1e3);
    std::printf("wrestool -x -t14       : %8.1f ms  (%zu files, best %.1f ms)\n",
                wrestoolMedian * 1e3, wrestoolFiles,
                *std::min_element(wrestoolTimes.begin(), wrestoolTimes.end()) * 1e3);
    std::printf("ratio quillmere-cli / wrestool: %.2f\n", cliMedian / wrestoolMedian);
    return 0;
}
