#include "e2e/program_driver.h"

#include <gtest/gtest.h>

#include <fstream>

namespace quillmere::e2e {
namespace {

// Whether an .ico file is whole: its directory accounts for every byte, image after image.
bool IsWholeIconFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    auto le = [&](size_t at, size_t size) {
        unsigned value = 0;
        for (size_t i = 0; i < size; ++i)
            value |= unsigned{bytes[at + i]} << (8 * i);
        return value;
    };
    if (bytes.size() < 6 || le(0, 2) != 0 || le(2, 2) != 1)
        return false;
    const unsigned count = le(4, 2);
    size_t expectedOffset = 6 + 16 * size_t{count};
    if (count == 0 || bytes.size() < expectedOffset)
        return false;
    for (unsigned i = 0; i < count; ++i) {
        if (le(6 + 16 * i + 12, 4) != expectedOffset)
            return false;
        expectedOffset += le(6 + 16 * i + 8, 4);
    }
    return expectedOffset == bytes.size();
}

TEST(RealProgram, ClosedDuringABatchLeavesOnlyWholeIconFiles) {
    const std::filesystem::path batchFolder =
        std::filesystem::path(QUILLMERE_EXE_PATH).parent_path() / L"ico图标";
    std::filesystem::remove_all(batchFolder);
    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    HWND list = IconList(window);
    ASSERT_TRUE(ChooseSource(
        program, window,
        WindowsPath(std::filesystem::path(QUILLMERE_FIXTURE_DIR) / "many_groups.dll")));
    ASSERT_TRUE(WaitFor([&] { return ItemCount(list) == 2000; }, std::chrono::minutes(5)));

    ClickButton(window, L"批量保存");
    HWND question = program.WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitFor([&] { return IconFilesIn(batchFolder) >= 50; }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit().value_or(99), 0u);

    const size_t written = IconFilesIn(batchFolder);
    EXPECT_LT(written, 2000u) << "the batch ended before the window was closed";
    for (const auto& entry : std::filesystem::directory_iterator(batchFolder)) {
        EXPECT_EQ(entry.path().extension(), L".ico") << entry.path();
        EXPECT_TRUE(IsWholeIconFile(entry.path())) << entry.path();
    }
    std::filesystem::remove_all(batchFolder);
}

TEST(RealProgram, ClosedWhileTheOpenDialogIsShownEndsAtOnceWithExitCodeZero) {
    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ClickButton(window, L"选择文件");
    ASSERT_NE(program.WaitForFileDialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window));  // the dialog has no owner
    TypeKey(window, VK_ESCAPE);
    EXPECT_EQ(program.WaitForExit(std::chrono::seconds(10)).value_or(99), 0u);
}

}  // namespace
}  // namespace quillmere::e2e
