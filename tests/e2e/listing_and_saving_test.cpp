#include "e2e/program_driver.h"

#include <gtest/gtest.h>

namespace quillmere::e2e {
namespace {

const std::filesystem::path wineShell32 = L"C:\\windows\\system32\\shell32.dll";

TEST(RealProgram, ChoosingWineShell32InTheOpenDialogListsItsIcons) {
    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND list = IconList(window);

    ClickButton(window, L"选择文件");
    HWND dialog = program.WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    SaveWindowScreenshot(dialog, "open-dialog");
    ChooseInFileDialog(dialog, wineShell32);

    ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 184; })) << ItemCount(list) << " items";
    EXPECT_TRUE(SaveWindowScreenshot(window, "shell32-listed"));
    TypeKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit().value_or(99), 0u);
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
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND list = IconList(window);
    ASSERT_TRUE(ChooseSource(program, window, wineShell32));
    ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 184; }));

    // Item "3", chosen with the keyboard: Home, then Right twice.
    for (WPARAM key : {VK_HOME, VK_RIGHT, VK_RIGHT})
        PostMessageW(list, WM_KEYDOWN, key, 0);
    ASSERT_TRUE(WaitFor([&] {
        return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == 2;
    }));

    ClickButton(window, L"保存文件");
    HWND save = program.WaitForFileDialog();
    ASSERT_NE(save, nullptr);
    SaveWindowScreenshot(save, "save-dialog");
    ChooseInFileDialog(save, output / L"selected");
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(output / L"selected.ico"); }));

    ClickButton(window, L"批量保存");
    HWND question = program.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    SaveWindowScreenshot(question, "batch-question");
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitFor([&] { return IconFilesIn(batchFolder) == 184; }, std::chrono::seconds(120)))
        << IconFilesIn(batchFolder) << " files";
    SaveWindowScreenshot(window, "after-batch");

    // A second batch answered "No" shows the folder browser; cancelling it writes nothing.
    ClickButton(window, L"批量保存");
    question = program.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDNO, 0);
    HWND browser = program.WaitForFolderBrowser();
    ASSERT_NE(browser, nullptr);
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
