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
