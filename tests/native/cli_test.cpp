// quillmere-cli run as a user runs it: exit codes, the one-line reasons, and files that icoutils'
// icotool reads back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <sstream>

#include "test_files.h"

namespace quillmere {
namespace {

using testing::Fixture;
using testing::TempFolder;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

#ifndef _WIN32
std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

CliRun RunCli(const std::string& arguments, const TempFolder& folder) {
    const auto out = folder / "stdout.txt";
    const auto err = folder / "stderr.txt";
    const std::string command = Quote(QUILLMERE_CLI_PATH) + " " + arguments + " >" +
                                Quote(out.string()) + " 2>" + Quote(err.string());
    const int status = std::system(command.c_str());
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto outBytes = testing::ReadAll(out);
    const auto errBytes = testing::ReadAll(err);
    run.out.assign(outBytes.begin(), outBytes.end());
    run.err.assign(errBytes.begin(), errBytes.end());
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

// Runs the native program through a POSIX shell: native builds only.
class Cli : public ::testing::Test {};

std::string F(const char* name) {
    return Quote(Fixture(name).string());
}

TEST_F(Cli, BadInputsGiveTheirExitCodeAndOneLineReason) {
    TempFolder folder;
    const std::string out = Quote((folder / "out.ico").string());
    struct Case {
        std::string arguments;
        int exitCode;
        const char* reason;  // a part of the one line on stderr
    };
    const Case cases[] = {
        {"", 2, "Usage:"},
        {"frobnicate", 2, "unknown command 'frobnicate'"},
        {"list", 2, "list takes one FILE"},
        {"save " + F("groups64.dll") + " 1", 2, "save takes FILE NUMBER DEST"},
        {"save " + F("groups64.dll") + " one " + out, 2, "NUMBER must be a whole number"},
        {"save " + F("groups64.dll") + " 3x " + out, 2, "NUMBER must be a whole number"},
        {"save-all " + F("groups64.dll"), 2, "save-all takes FILE DIR"},
        {"save " + Quote((folder / "nothing.dll").string()) + " 1 " + out, 1, "no such file"},
        {"save " + F("text.txt") + " 1 " + out, 1, "not a module or icon file"},
        {"save " + F("cursor.cur") + " 1 " + out, 1, "not a module or icon file"},
        {"save " + F("no_icons.dll") + " 1 " + out, 1, "holds no icon groups"},
        {"save " + F("groups64.dll") + " 13 " + out, 1, "icon 13 is beyond the count of 12"},
        {"save " + F("missing_image.dll") + " 1 " + out, 1, "names an image the module lacks"},
        {"save " + F("groups64.dll") + " 1 " + Quote((folder / "out.png").string()), 1,
         "not an .ico or .bmp file"},
        {"save " + F("groups64.dll") + " 1 " + Quote((folder / "no/out.ico").string()), 1,
         "cannot be written"},
        {"list " + F("text.txt"), 1, "not a module or icon file"},
        {"save-all " + F("no_icons.dll") + " " + Quote((folder / "all").string()), 1,
         "holds no icon groups"},
        {"save-all " + F("missing_image.dll") + " " + Quote((folder / "all").string()), 1,
         "missing_image-1.ico: the icon group names an image the module lacks"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = RunCli(c.arguments, folder);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        if (c.exitCode == 1) {
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_FALSE(std::filesystem::exists(folder / "out.ico"));
        }
    }
}

TEST_F(Cli, HelpVersionListAndSave) {
    TempFolder folder;
    CliRun run = RunCli("--help", folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("save-all FILE DIR"), std::string::npos);
    run = RunCli("--version", folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "quillmere-cli 1.0.0\n");

    run = RunCli("list " + F("missing_image.dll"), folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "1: the icon group names an image the module lacks\n"
              "2: 32x32 32-bit BMP, 16x16 8-bit BMP, 48x48 4-bit BMP\n");
    run = RunCli("list " + F("png_image.ico"), folder);
    EXPECT_EQ(run.out, "1: 256x256 32-bit PNG, 16x16 32-bit BMP\n");

    run = RunCli("save " + F("groups32.dll") + " 12 " + Quote((folder / "x.bmp").string()), folder);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(std::filesystem::file_size(folder / "x.bmp"), 54u + 32 * 128);
}

// icotool's listing of a file: one (width, height, bit depth) per image.
std::vector<std::string> IcotoolImages(const std::filesystem::path& file) {
    std::vector<std::string> images;
    FILE* pipe = popen(("icotool -l " + Quote(file.string()) + " 2>&1").c_str(), "r");
    if (!pipe)
        return images;
    char line[512];
    const std::regex fields("--width=(\\d+) --height=(\\d+) --bit-depth=(\\d+)");
    while (std::fgets(line, sizeof line, pipe)) {
        std::cmatch m;
        if (std::regex_search(line, m, fields))
            images.push_back(m[1].str() + "x" + m[2].str() + "@" + m[3].str());
        else
            images.push_back(std::string("unreadable: ") + line);
    }
    pclose(pipe);
    return images;
}

TEST_F(Cli, SaveAllOnWineShell32WritesFilesThatIcotoolReadsBack) {
    const std::filesystem::path dll = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
    if (!std::filesystem::exists(dll))
        GTEST_SKIP() << "Wine's shell32.dll is not installed";
    if (std::system("command -v icotool >/dev/null") != 0)
        GTEST_SKIP() << "icotool is missing";
    TempFolder folder;
    const CliRun run =
        RunCli("save-all " + Quote(dll.string()) + " " + Quote((folder / "all").string()), folder);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const CliRun listing = RunCli("list " + Quote(dll.string()), folder);
    std::istringstream lines(listing.out), paths(run.out);
    int count = 0;
    for (std::string line, path; std::getline(lines, line) && std::getline(paths, path);) {
        ++count;
        SCOPED_TRACE(path);
        EXPECT_EQ(path, (folder / "all" / ("shell32-" + std::to_string(count) + ".ico")).string());
        // "k: 32x32 32-bit BMP, ..." from the group, against icotool's view of the written file.
        // icotool takes a PNG image's depth from the stream itself, so only sizes are compared
        // for those.
        std::vector<std::string> expected;
        const std::regex image("(\\d+)x(\\d+) (\\d+)-bit (BMP|PNG)");
        for (std::sregex_iterator it(line.begin(), line.end(), image), end; it != end; ++it) {
            const std::string size = (*it)[1].str() + "x" + (*it)[2].str();
            expected.push_back((*it)[4] == "PNG" ? size : size + "@" + (*it)[3].str());
        }
        EXPECT_FALSE(expected.empty());
        std::vector<std::string> read = IcotoolImages(path);
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            if (expected[i].find('@') == std::string::npos)
                read[i] = read[i].substr(0, read[i].find('@'));
        }
        EXPECT_EQ(read, expected);
    }
    EXPECT_EQ(count, 184);
}
#endif

}  // namespace
}  // namespace quillmere
