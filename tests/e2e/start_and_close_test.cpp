#include "e2e/program_driver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace quillmere::e2e {
namespace {

TEST(RealProgram, StartsShowingTheMainWindowAndEscClosesItWithExitCodeZero) {
    RunningProgram program(QUILLMERE_EXE_PATH);
    ASSERT_TRUE(program.started());
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(ChildWithText(window, L"Button", L"选择文件"), nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(window, "main-window"));

    TypeKey(window, VK_ESCAPE);
    const auto exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end after Esc";
    EXPECT_EQ(*exitCode, 0u);
}

struct ModuleCloser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

TEST(ProgramFile, CarriesItsIconGroupManifestAndVersion) {
    std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser> module(LoadLibraryExW(
        std::filesystem::path(QUILLMERE_EXE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);

    // The first icon group: three 48 x 48 images of 4, 8 and 32 bits, in this order.
    HRSRC group = FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(module.get(), group)));
    ASSERT_EQ(bytes[4], 3);
    const int bits[] = {4, 8, 32};
    for (int i = 0; i < 3; ++i) {
        const unsigned char* entry = bytes + 6 + 14 * i;
        EXPECT_EQ(entry[0], 48);
        EXPECT_EQ(entry[1], 48);
        EXPECT_EQ(entry[6] | (entry[7] << 8), bits[i]);
    }

    HRSRC manifest = FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr);
    const std::string text(
        static_cast<const char*>(LockResource(LoadResource(module.get(), manifest))),
        SizeofResource(module.get(), manifest));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);

    const std::wstring path = std::filesystem::path(QUILLMERE_EXE_PATH).wstring();
    std::vector<char> version(GetFileVersionInfoSizeW(path.c_str(), nullptr));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(
        GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
        if (!VerQueryValueW(version.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
            return std::wstring();
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"FileDescription"), L"提取目标程序的ico图标");
    EXPECT_EQ(value(L"ProductName"), L"Quillmere");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
}

}  // namespace
}  // namespace quillmere::e2e
