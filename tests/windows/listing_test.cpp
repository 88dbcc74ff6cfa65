#include "listing/list_source_icons.h"
#include "listing/select_source_and_list.h"
#include "main_window_fixture.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

using testing::ChooseInFileDialog;
using testing::ComboItems;
using testing::FindFileDialog;
using testing::Fixture;
using testing::PressDialogButton;
using testing::PumpUntil;
using testing::TextOf;
using testing::Worker;

std::vector<std::wstring> Numbers(int count) {
    std::vector<std::wstring> numbers;
    for (int k = 1; k <= count; ++k)
        numbers.push_back(std::to_wstring(k));
    return numbers;
}

// Colours of the first 32 x 32 image of each group of groups64.dll, in the order the module
// stores its groups: the named group first, then the numbered ones ascending.
const COLORREF groupColours[] = {
    RGB(0xFF, 0, 0),    RGB(0, 0xFF, 0),    RGB(0, 0, 0xFF),    RGB(0xFF, 0xFF, 0),
    RGB(0xFF, 0, 0xFF), RGB(0, 0xFF, 0xFF), RGB(0x80, 0, 0),    RGB(0, 0x80, 0),
    RGB(0, 0, 0x80),    RGB(0x80, 0x80, 0), RGB(0x80, 0, 0x80), RGB(0, 0x80, 0x80),
};

class ListingTest : public testing::MainWindowFixture {
  protected:
    void ListSource(const std::filesystem::path& source) {
        ReplaceCurrentSourcePath(source);
        Worker worker(ListSourceIcons);
        ASSERT_TRUE(worker.Finish());
    }
};

TEST_F(ListingTest, ModuleIsListedInResourceOrderAtEveryCellSize) {
    const struct {
        int choice;
        int cellSize;
    } sizes[] = {{0, 16}, {1, 32}, {2, 48}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.cellSize);
        SendMessageW(MainWindow().组合框1, CB_SETCURSEL, size.choice, 0);
        ListSource(Fixture("groups64.dll"));
        EXPECT_EQ(ListCaptions(), Numbers(12));  // "10" after "9": no sorting
        EXPECT_EQ(CellSize(), size.cellSize);
        EXPECT_EQ(ImageList_GetImageCount(ListImages()), 12);
        EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED), -1);
        for (int k = 0; k < 12; ++k) {
            EXPECT_EQ(ItemImage(k), k);
            EXPECT_EQ(ImageCentreColour(k), groupColours[k]) << "item " << k + 1;
        }
    }
}

TEST_F(ListingTest, IconFileGivesOneItemAndASecondListingReplacesTheFirst) {
    ListSource(Fixture("groups64.dll"));
    ASSERT_EQ(ListCaptions().size(), 12u);
    ListSource(Fixture("three_images.ico"));
    EXPECT_EQ(ListCaptions(), Numbers(1));
    EXPECT_EQ(ImageList_GetImageCount(ListImages()), 1);
    EXPECT_EQ(ItemImage(0), 0);
}

TEST_F(ListingTest, SourceWithoutIconsIsReportedAndTheListKeepsWhatItShowed) {
    ListSource(Fixture("groups64.dll"));
    HIMAGELIST shownImages = ListImages();
    for (const std::filesystem::path& source : {Fixture("text.txt"), Fixture("does-not-exist.dll"),
                                                std::filesystem::path(), Fixture("no_icons.dll")}) {
        SCOPED_TRACE(source.string());
        ReplaceCurrentSourcePath(source);
        Worker worker(ListSourceIcons);
        ExpectMessageBox(worker, L"没有资源图标", L"错误");
        EXPECT_EQ(ListCaptions(), Numbers(12));
        EXPECT_EQ(ListImages(), shownImages);
    }
}

TEST_F(ListingTest, NoSizeChosenEmptiesTheListAndAsksForOne) {
    ListSource(Fixture("groups64.dll"));
    SendMessageW(MainWindow().组合框1, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(MainWindow().组合框1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"64*64"));
    ReplaceCurrentSourcePath(Fixture("groups64.dll"));
    Worker worker(ListSourceIcons);
    ExpectMessageBox(worker, L"请选择需要的图标大小", L"提示");
    EXPECT_TRUE(ListCaptions().empty());
}

TEST_F(ListingTest, WineShell32IsListedWhole) {
    ListSource(L"C:\\windows\\system32\\shell32.dll");
    EXPECT_EQ(ListCaptions(), Numbers(184));
    EXPECT_EQ(CellSize(), 32);
}

class SelectSourceTest : public testing::MainWindowFixture {
  protected:
    static HWND WaitForFileDialog() {
        HWND dialog = nullptr;
        EXPECT_TRUE(PumpUntil([&] { return (dialog = FindFileDialog()) != nullptr; }));
        return dialog;
    }
};

TEST_F(SelectSourceTest, DialogOffersTheThreeKindsAndAChosenModuleIsListed) {
    Worker worker(SelectSourceAndList);
    HWND dialog = WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"选择文件");
    HWND types = GetDlgItem(dialog, 0x470);
    EXPECT_EQ(ComboItems(types), (std::vector<std::wstring>{L"*.exe", L"*.dll", L"*.ico"}));
    EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);

    ChooseInFileDialog(dialog, Fixture("groups64.dll").wstring());
    ASSERT_TRUE(worker.Finish());
    EXPECT_EQ(CurrentSourcePath(), Fixture("groups64.dll"));
    EXPECT_EQ(ListCaptions(), Numbers(12));
    EXPECT_EQ(通用对话框1().Settings().fileName, Fixture("groups64.dll").wstring());
}

TEST_F(SelectSourceTest, CancelBeforeAnyChoiceDoesNothing) {
    Worker worker(SelectSourceAndList);
    HWND dialog = WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(worker.Finish());
    EXPECT_TRUE(CurrentSourcePath().empty());
    EXPECT_EQ(testing::FindMessageBox(), nullptr);
    EXPECT_TRUE(ListCaptions().empty());
}

TEST_F(SelectSourceTest, CancelAfterAChoiceListsTheCurrentSourceAgainAtTheSizeChosenNow) {
    {
        Worker worker(SelectSourceAndList);
        ChooseInFileDialog(WaitForFileDialog(), Fixture("groups64.dll").wstring());
        ASSERT_TRUE(worker.Finish());
    }
    ReplaceCurrentSourcePath(Fixture("three_images.ico"));  // as a drop would
    SendMessageW(MainWindow().组合框1, CB_SETCURSEL, 2, 0);
    Worker worker(SelectSourceAndList);
    HWND dialog = WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(worker.Finish());
    EXPECT_EQ(CurrentSourcePath(), Fixture("three_images.ico"));
    EXPECT_EQ(ListCaptions(), Numbers(1));
    EXPECT_EQ(CellSize(), 48);
    EXPECT_EQ(通用对话框1().Settings().fileName, Fixture("groups64.dll").wstring());
}

}  // namespace
}  // namespace quillmere
