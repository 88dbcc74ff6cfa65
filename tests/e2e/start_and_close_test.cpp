#include "e2e/program_driver.h"

#include <gtest/gtest.h>

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
            if (GetDlgItem(dialog, 0x47c)) found = dialog;
        }
        return found != nullptr;
    });
    return found;
}

int ItemCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

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
    SendMessageW(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shell32.c_str()));
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
        if (entry.path().extension() == L".ico" && entry.file_size(error) > 0) ++count;
    }
    return count;
}

HWND WaitForMessageBox(const RunningProgram& program) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND dialog : program.Windows(L"#32770")) {
            if (GetDlgItem(dialog, 0xFFFF)) found = dialog;
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
    for (WPARAM key : {VK_HOME, VK_RIGHT, VK_RIGHT}) PostMessageW(list, WM_KEYDOWN, key, 0);
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

    TypeKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit().value_or(99), 0u);
}

}  // namespace
}  // namespace quillmere::e2e
