#include "listing/list_source_icons.h"
#include "main_window_fixture.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "saving/batch_save_icons.h"
#include "saving/save_selected_icon.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace quillmere {
namespace {

using testing::ChooseInFileDialog;
using testing::FindFileDialog;
using testing::FindMessageBox;
using testing::Fixture;
using testing::MessageBoxText;
using testing::PressDialogButton;
using testing::PumpUntil;
using testing::TextOf;
using testing::Worker;

std::vector<unsigned char> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned Le(const std::vector<unsigned char>& bytes, size_t at, size_t size) {
    unsigned value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= unsigned{bytes.at(at + i)} << (8 * i);
    return value;
}

// The first colour pixel of image `index` of an .ico file whose image is a 32-bit bitmap: B G R.
COLORREF FirstPixel(const std::vector<unsigned char>& ico, int index) {
    const size_t image = Le(ico, 6 + 16 * index + 12, 4);
    const size_t pixels = image + Le(ico, image, 4);  // after the bitmap header
    return RGB(ico.at(pixels + 2), ico.at(pixels + 1), ico.at(pixels));
}

// A folder of the test's own under the system's temporary folder, emptied at the start.
std::filesystem::path ScratchFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::set<std::wstring> FileNames(const std::filesystem::path& folder) {
    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().wstring());
    }
    return names;
}

class SavingTest : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        ReplaceCurrentSourcePath(Fixture("groups64.dll"));
        Worker listing(ListSourceIcons);
        ASSERT_TRUE(listing.Finish());
        folder_ = ScratchFolder(L"quillmere-saving-test");
    }
    void TearDown() override {
        platform::SetClockForTesting({});
        MainWindowFixture::TearDown();
    }

    static void Select(int position) {
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, position, reinterpret_cast<LPARAM>(&item));
    }

    // Runs "保存文件" and types `name` into its dialog; returns the worker, still running if the
    // dialog asks something more.
    static std::unique_ptr<Worker> SaveAs(const std::wstring& name) {
        auto worker = std::make_unique<Worker>(SaveSelectedIcon);
        HWND dialog = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return (dialog = FindFileDialog()) != nullptr; }));
        if (dialog) {
            EXPECT_EQ(TextOf(dialog), L"选择要保存图标的目录");
            ChooseInFileDialog(dialog, name);
        }
        return worker;
    }

    std::filesystem::path folder_;
};

TEST_F(SavingTest, WithNoSelectionTheFirstIconIsSavedWithAllItsImages) {
    auto worker = SaveAs((folder_ / L"first.ico").wstring());
    ASSERT_TRUE(worker->Finish());
    const auto ico = ReadAll(folder_ / L"first.ico");
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le(ico, 4, 2), 3u);  // the named group holds three images
    EXPECT_EQ(FirstPixel(ico, 0), RGB(0xFF, 0, 0));
}

TEST_F(SavingTest, TheSelectedItemChoosesTheIconAndANameWithoutExtensionGetsIco) {
    Select(2);  // item "3": the module's third group, which is group 2
    auto worker = SaveAs((folder_ / L"third").wstring());
    ASSERT_TRUE(worker->Finish());
    EXPECT_EQ(FileNames(folder_), std::set<std::wstring>{L"third.ico"});
    const auto ico = ReadAll(folder_ / L"third.ico");
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le(ico, 4, 2), 1u);
    EXPECT_EQ(FirstPixel(ico, 0), RGB(0, 0, 0xFF));
}

TEST_F(SavingTest, TheDestinationsEndingChoosesBitmapIconOrNothing) {
    {
        auto worker = SaveAs((folder_ / L"picture.BMP").wstring());
        ASSERT_TRUE(worker->Finish());
    }
    {
        auto worker = SaveAs((folder_ / L"picture.png").wstring());
        ASSERT_TRUE(worker->Finish());
    }
    EXPECT_EQ(FileNames(folder_), std::set<std::wstring>{L"picture.BMP"});
    const auto bitmap = ReadAll(folder_ / L"picture.BMP");
    ASSERT_GE(bitmap.size(), 54u);
    EXPECT_EQ(bitmap[0], 'B');
    EXPECT_EQ(bitmap[1], 'M');
    EXPECT_EQ(Le(bitmap, 2, 4), bitmap.size());
}

TEST_F(SavingTest, AnExistingFileIsReplacedWholeOnceTheUserAgrees) {
    const std::filesystem::path target = folder_ / L"old.ico";
    std::ofstream(target, std::ios::binary) << std::string(100000, 'x');
    Select(2);
    auto worker = SaveAs(target.wstring());
    HWND question = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (question = FindMessageBox()) != nullptr; }));
    PressDialogButton(question, IDYES);
    ASSERT_TRUE(worker->Finish());
    const auto ico = ReadAll(target);
    ASSERT_GE(ico.size(), 22u);
    EXPECT_LT(ico.size(), 100000u);
    EXPECT_EQ(ico.size(), 6u + 16u + Le(ico, 6 + 8, 4));  // exactly one directory entry and image
}

TEST_F(SavingTest, CancellingTheDialogWritesNothing) {
    auto worker = std::make_unique<Worker>(SaveSelectedIcon);
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = FindFileDialog()) != nullptr; }));
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(worker->Finish());
    EXPECT_TRUE(FileNames(folder_).empty());
}

class BatchTest : public SavingTest {
  protected:
    void SetUp() override {
        SavingTest::SetUp();
        programFolder_ = platform::ProgramFilePath().parent_path() / L"ico图标";
        std::filesystem::remove_all(programFolder_);
        platform::SetClockForTesting([](platform::ClockField field) {
            switch (field) {
                case platform::ClockField::Year:
                    return 2018;
                case platform::ClockField::Month:
                    return 11;
                case platform::ClockField::Day:
                    return 26;
                case platform::ClockField::Hour:
                    return 14;
                case platform::ClockField::Minute:
                    return 32;
            }
            return 0;
        });
    }
    void TearDown() override {
        std::filesystem::remove_all(programFolder_);
        SavingTest::TearDown();
    }

    // Runs "批量保存" and answers its question.
    static std::unique_ptr<Worker> BatchAnswering(int button) {
        auto worker = std::make_unique<Worker>(BatchSaveIcons);
        HWND question = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return (question = FindMessageBox()) != nullptr; }));
        if (question) {
            EXPECT_EQ(MessageBoxText(question), L"[是] [否]保存在程序的根目录");
            EXPECT_EQ(TextOf(question), L"信息：");
            PressDialogButton(question, button);
        }
        return worker;
    }

    static HWND WaitForFolderBrowser() {
        HWND browser = nullptr;
        PumpUntil([&] {
            for (HWND dialog : testing::OwnTopLevelWindows(L"#32770")) {
                if (FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr))
                    browser = dialog;
            }
            return browser != nullptr;
        });
        return browser;
    }

    // Picks `folder` in the browser. Wine's browser may still be filling its tree once it is
    // shown, and a selection made then is lost, so this asks again until the tree shows the folder.
    static bool ChooseInFolderBrowser(HWND browser, const std::filesystem::path& folder) {
        HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
        const std::wstring path = folder.wstring();
        return PumpUntil([&] {
            SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
            return SelectedItemText(tree) == folder.filename().wstring();
        });
    }

    static std::wstring SelectedItemText(HWND tree) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = TreeView_GetSelection(tree);
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
            return {};
        return text;
    }

    static std::set<std::wstring> ExpectedNames(const std::wstring& suffix = L"") {
        std::set<std::wstring> names;
        for (int k = 1; k <= 12; ++k)
            names.insert(L"201811261432" + std::to_wstring(k) + suffix + L".ico");
        return names;
    }

    std::filesystem::path programFolder_;
};

TEST_F(BatchTest, AnEmptyListIsReportedAndNothingIsAsked) {
    SendMessageW(List(), LVM_DELETEALLITEMS, 0, 0);
    Worker worker(BatchSaveIcons);
    ExpectMessageBox(worker, L"没有资源图标", L"错误");
    EXPECT_FALSE(std::filesystem::exists(programFolder_));
}

TEST_F(BatchTest, YesWritesEveryListedIconBesideTheProgramAndASecondBatchKeepsTheFirst) {
    {
        auto worker = BatchAnswering(IDYES);
        ASSERT_TRUE(worker->Finish());
    }
    ASSERT_TRUE(std::filesystem::is_directory(programFolder_));
    EXPECT_EQ(FileNames(programFolder_), ExpectedNames());
    const auto ico = ReadAll(programFolder_ / L"2018112614321.ico");
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(FirstPixel(ico, 0), RGB(0xFF, 0, 0));

    ReplaceCurrentSourcePath(Fixture("three_images.ico"));  // another source, the same minute
    {
        auto worker = BatchAnswering(IDYES);
        ASSERT_TRUE(worker->Finish());
    }
    std::set<std::wstring> expected = ExpectedNames();
    expected.insert(L"2018112614321-2.ico");  // the only icon of an icon file is number 1
    EXPECT_EQ(FileNames(programFolder_), expected);
    EXPECT_EQ(FirstPixel(ReadAll(programFolder_ / L"2018112614321.ico"), 0), RGB(0xFF, 0, 0));
}

TEST_F(BatchTest, NoLetsTheUserPickAFolderAndDisablesTheWindowMeanwhile) {
    auto worker = BatchAnswering(IDNO);
    HWND browser = WaitForFolderBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(IsWindowEnabled(MainWindow().窗口));
    ASSERT_TRUE(ChooseInFolderBrowser(browser, folder_));
    PressDialogButton(browser, IDOK);
    ASSERT_TRUE(worker->Finish());
    EXPECT_TRUE(IsWindowEnabled(MainWindow().窗口));
    EXPECT_EQ(FileNames(folder_), ExpectedNames());
    EXPECT_FALSE(std::filesystem::exists(programFolder_));
}

TEST_F(BatchTest, CancellingTheFolderBrowserWritesNothing) {
    auto worker = BatchAnswering(IDNO);
    HWND browser = WaitForFolderBrowser();
    ASSERT_NE(browser, nullptr);
    PressDialogButton(browser, IDCANCEL);
    ASSERT_TRUE(worker->Finish());
    EXPECT_TRUE(IsWindowEnabled(MainWindow().窗口));
    EXPECT_TRUE(FileNames(folder_).empty());
    EXPECT_FALSE(std::filesystem::exists(programFolder_));
}

}  // namespace
}  // namespace quillmere
