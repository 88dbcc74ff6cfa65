#pragma once

// A test fixture with the program's real main window, built by the program's own start-up code,
// and ways to run the program's routines on workers while the test thread serves the window.
#include "app/current_source_path.h"
#include "app/main_window.h"
#include "gui_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace quillmere::testing {

// A fixture's full Windows path (the build gives its folder as a Unix path; Wine maps it).
inline std::filesystem::path Fixture(const char* name) {
    const std::wstring path = (std::filesystem::path(QUILLMERE_FIXTURE_DIR) / name).wstring();
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// A routine running on a thread of its own, as the program runs its actions.
class Worker {
  public:
    explicit Worker(std::function<void()> routine)
        : done_(std::make_shared<std::atomic<bool>>(false)) {
        thread_ = std::thread([routine = std::move(routine), done = done_] {
            routine();
            *done = true;
        });
    }
    ~Worker() {
        if (thread_.joinable())
            thread_.detach();  // a hung routine must not hang the test's end
    }
    bool done() const { return *done_; }
    // Serves the window until the routine has ended.
    bool Finish(std::chrono::milliseconds deadline = std::chrono::seconds(60)) {
        const bool finished = PumpUntil([this] { return done(); }, deadline);
        if (finished)
            thread_.join();
        return finished;
    }

  private:
    std::shared_ptr<std::atomic<bool>> done_;
    std::thread thread_;
};

class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        ReplaceCurrentSourcePath({});
        ASSERT_TRUE(BuildMainWindow());
        OnMainWindowCreated();
        ShowMainWindow();
        ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(MainWindow().窗口); }));
    }
    void TearDown() override {
        if (IsWindow(MainWindow().窗口))
            DestroyWindow(MainWindow().窗口);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static HWND List() { return MainWindow().超级列表框1; }

    static std::vector<std::wstring> ListCaptions() {
        std::vector<std::wstring> captions;
        const int count = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            LVITEMW item = {};
            item.iSubItem = 0;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(List(), LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
            captions.push_back(text);
        }
        return captions;
    }

    static int ItemImage(int position) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = position;
        SendMessageW(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    }

    static HIMAGELIST ListImages() {
        return reinterpret_cast<HIMAGELIST>(
            SendMessageW(List(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
    }

    static int CellSize() {
        int width = 0, height = 0;
        if (!ImageList_GetIconSize(ListImages(), &width, &height) || width != height)
            return -1;
        return width;
    }

    // The colour at the centre of image `index` of the list's image list, drawn on white.
    static COLORREF ImageCentreColour(int index) {
        const int size = CellSize();
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, size, size};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ImageList_Draw(ListImages(), index, memory, 0, 0, ILD_NORMAL);
        const COLORREF colour = GetPixel(memory, size / 2, size / 2);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return colour;
    }

    // Runs a routine on a worker; waits for a message box, checks it and presses OK.
    static void ExpectMessageBox(Worker& worker, const std::wstring& text,
                                 const std::wstring& title) {
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = FindMessageBox()) != nullptr; }))
            << "no message box appeared";
        EXPECT_EQ(MessageBoxText(box), text);
        EXPECT_EQ(TextOf(box), title);
        PressDialogButton(box, IDOK);
        ASSERT_TRUE(worker.Finish());
    }
};

}  // namespace quillmere::testing
