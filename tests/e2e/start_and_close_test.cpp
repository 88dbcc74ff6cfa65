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
    HWND window = program.WaitForWindow(L"QuillmereFrame", L"Quillmere");
    ASSERT_NE(window, nullptr);
    ASSERT_NE(ChildWithText(window, L"Button", L"选择文件"), nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(window, "main-window"));

    TypeKey(window, VK_ESCAPE);
    const auto exitCode = program.WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end after Esc";
    EXPECT_EQ(*exitCode, 0u);
}

}  // namespace
}  // namespace quillmere::e2e

namespace quillmere::e2e {
namespace {

// The program's file dialog: a dialog of its process with the file-name box 0x47c.
HWND WaitForFileDialog(const RunningProgram& program) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND dialog : program.Windows(L"#32770")) {
            if (GetDlgItem(dialog, 0x47c))
                found = dialog;
        }
        return found != nullptr;
    });
    return found;
}

int ItemCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

TEST(RealProgram, ChoosingWineShell32InTheOpenDialogListsItsIcons) {
    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForWindow(L"QuillmereFrame", L"Quillmere");
    ASSERT_NE(window, nullptr);
    HWND list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);

    ClickButton(ChildWithText(window, L"Button", L"选择文件"));
    HWND dialog = WaitForFileDialog(program);
    ASSERT_NE(dialog, nullptr);
    SaveWindowScreenshot(dialog, "open-dialog");
    const std::wstring shell32 = L"C:\\windows\\system32\\shell32.dll";
    SendMessageW(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(shell32.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);

    ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 184; })) << ItemCount(list) << " items";
    EXPECT_TRUE(SaveWindowScreenshot(window, "shell32-listed"));
    TypeKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit().value_or(99), 0u);
}

}  // namespace
}  // namespace quillmere::e2e

namespace quillmere::e2e {
namespace {

std::filesystem::path WindowsPath(const std::filesystem::path& unixPath) {
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(unixPath.c_str(), MAX_PATH, full, nullptr);
    return full;
}

size_t IconFilesIn(const std::filesystem::path& folder) {
    std::error_code error;
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == L".ico" && entry.file_size(error) > 0)
            ++count;
    }
    return count;
}

HWND WaitForMessageBox(const RunningProgram& program) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND dialog : program.Windows(L"#32770")) {
            if (GetDlgItem(dialog, 0xFFFF))
                found = dialog;
        }
        return found != nullptr;
    });
    return found;
}

// Lists shell32.dll, saves item "3" through the save dialog, then saves every icon beside the
// program. The files are read back by icotool afterwards (e2e_read_back_with_icotool).
TEST(RealProgram, SavesTheSelectedIconAndABatchOfWineShell32) {
    const std::filesystem::path output = WindowsPath(QUILLMERE_E2E_OUTPUT_DIR);
    const std::filesystem::path batchFolder =
        std::filesystem::path(QUILLMERE_EXE_PATH).parent_path() / L"ico图标";
    std::filesystem::remove_all(output);
    std::filesystem::create_directories(output);
    std::filesystem::remove_all(batchFolder);

    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForWindow(L"QuillmereFrame", L"Quillmere");
    ASSERT_NE(window, nullptr);
    HWND list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);
    ClickButton(ChildWithText(window, L"Button", L"选择文件"));
    HWND open = WaitForFileDialog(program);
    ASSERT_NE(open, nullptr);
    const std::wstring shell32 = L"C:\\windows\\system32\\shell32.dll";
    SendMessageW(GetDlgItem(open, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shell32.c_str()));
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 184; }));

    // Item "3", chosen with the keyboard: Home, then Right twice.
    for (WPARAM key : {VK_HOME, VK_RIGHT, VK_RIGHT})
        PostMessageW(list, WM_KEYDOWN, key, 0);
    ASSERT_TRUE(WaitFor([&] {
        return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 2;
    }));

    ClickButton(ChildWithText(window, L"Button", L"保存文件"));
    HWND save = WaitForFileDialog(program);
    ASSERT_NE(save, nullptr);
    const std::wstring name = (output / L"selected").wstring();
    SendMessageW(GetDlgItem(save, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SaveWindowScreenshot(save, "save-dialog");
    PostMessageW(save, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(output / L"selected.ico"); }));

    ClickButton(ChildWithText(window, L"Button", L"批量保存"));
    HWND question = WaitForMessageBox(program);
    ASSERT_NE(question, nullptr);
    SaveWindowScreenshot(question, "batch-question");
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitFor([&] { return IconFilesIn(batchFolder) == 184; }, std::chrono::seconds(120)))
        << IconFilesIn(batchFolder) << " files";
    SaveWindowScreenshot(window, "after-batch");

    // A second batch answered "No" shows the folder browser; cancelling it writes nothing.
    ClickButton(ChildWithText(window, L"Button", L"批量保存"));
    question = WaitForMessageBox(program);
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    HWND browser = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND dialog : program.Windows(L"#32770")) {
            if (FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr))
                browser = dialog;
        }
        return browser != nullptr;
    }));
    EXPECT_FALSE(IsWindowEnabled(window));
    SaveWindowScreenshot(browser, "folder-browser");
    PostMessageW(browser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_EQ(IconFilesIn(batchFolder), 184u);
    // Kept for icotool, since other tests use the folder beside the program too.
    std::filesystem::copy(batchFolder, output / L"batch");

    TypeKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit().value_or(99), 0u);
}

}  // namespace
}  // namespace quillmere::e2e

namespace quillmere::e2e {
namespace {

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
