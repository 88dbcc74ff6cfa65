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
