// Every icon of the shell32.dll that ships with Wine, saved and compared with the module's own
// image resources as another reader gives them: icoutils' wrestool natively, the system's
// resource functions on Windows (and under Wine).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#endif

#include "saving/export_icon.h"
#include "test_files.h"

namespace quillmere {
namespace {

using testing::IcoBlocks;
using testing::Le16;
using testing::ReadAll;
using testing::TempFolder;
using Block = std::vector<std::uint8_t>;

const std::filesystem::path kShell32 = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";

// The image-resource numbers that a group resource lists (14-byte entries, number at 12).
std::vector<std::uint16_t> GroupImageIds(const Block& group) {
    std::vector<std::uint16_t> ids;
    for (std::uint32_t i = 0; i < Le16(group, 4); ++i)
        ids.push_back(Le16(group, 6 + 14 * i + 12));
    return ids;
}

#ifdef _WIN32
Block ResourceBytes(HMODULE module, LPCWSTR type, LPCWSTR name) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return {};
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    return Block(data, data + SizeofResource(module, found));
}

BOOL CALLBACK CollectGroup(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto& icons = *reinterpret_cast<std::vector<std::vector<Block>>*>(param);
    std::vector<Block> images;
    for (std::uint16_t id : GroupImageIds(ResourceBytes(module, type, name))) {
        images.push_back(ResourceBytes(module, MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id)));
    }
    icons.push_back(std::move(images));
    return TRUE;
}

// Each icon's image blocks, in the module's group order, by the system's resource functions.
std::vector<std::vector<Block>> ReferenceIcons(const TempFolder&) {
    std::vector<std::vector<Block>> icons;
    HMODULE module = LoadLibraryExW(kShell32.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return icons;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14), CollectGroup,
                       reinterpret_cast<LONG_PTR>(&icons));
    FreeLibrary(module);
    return icons;
}
#else
std::string Run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    pclose(pipe);
    return output;
}

// Each icon's image blocks by wrestool: groups in its listing order, images extracted raw.
std::vector<std::vector<Block>> ReferenceIcons(const TempFolder& folder) {
    std::vector<std::vector<Block>> icons;
    if (std::system("command -v wrestool >/dev/null") != 0)
        return icons;
    const std::string dll = kShell32.string();
    const std::string out = folder.Path().string();
    if (std::system(("wrestool -x --raw -t3 -o '" + out + "' '" + dll + "'").c_str()) != 0 ||
        std::system(("wrestool -x --raw -t14 -o '" + out + "' '" + dll + "'").c_str()) != 0) {
        return icons;
    }
    std::istringstream listing(Run("wrestool -l -t14 '" + dll + "'"));
    const std::regex nameField("--name='?([^' ]+)'?");
    for (std::string line; std::getline(listing, line);) {
        std::smatch match;
        if (!std::regex_search(line, match, nameField))
            continue;
        const Block group = ReadAll(folder / ("shell32.dll_14_" + match[1].str() + "_0.ico"));
        std::vector<Block> images;
        for (std::uint16_t id : GroupImageIds(group)) {
            images.push_back(ReadAll(folder / ("shell32.dll_3_" + std::to_string(id) + "_0")));
        }
        icons.push_back(std::move(images));
    }
    return icons;
}
#endif

bool IsPng(const Block& block) {
    return block.size() >= 4 && block[1] == 'P' && block[2] == 'N';
}

TEST(WineShell32, Every184IconIsSavedWithImagesEqualToTheModulesResources) {
    if (!std::filesystem::exists(kShell32))
        GTEST_SKIP() << "Wine's shell32.dll is not installed";
    TempFolder reference;
    const auto icons = ReferenceIcons(reference);
    if (icons.empty())
        GTEST_SKIP() << "no reference reader (wrestool) available";
    ASSERT_EQ(icons.size(), 184u);

    TempFolder folder;
    for (int k = 1; k <= 184; ++k) {
        SCOPED_TRACE("icon " + std::to_string(k));
        const auto out = folder / (std::to_string(k) + ".ico");
        ASSERT_EQ(ExportIcon(kShell32, k, out), 184);
        const auto written = IcoBlocks(ReadAll(out));
        const auto& expected = icons[k - 1];
        ASSERT_EQ(written.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_FALSE(expected[i].empty());
            EXPECT_EQ(written[i],
                      IsPng(expected[i]) ? expected[i] : testing::WithoutSizeField(expected[i]))
                << "image " << i;
        }
    }
    EXPECT_EQ(ExportIcon(kShell32, 185, folder / "beyond.ico"), 0);
}

}  // namespace
}  // namespace quillmere
