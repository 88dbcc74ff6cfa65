#include "listing/list_source_icons.h"
#include "listing/take_dropped_file.h"
#include "main_window_fixture.h"
#include "platform/clock.h"
#include "platform/process.h"
#include "saving/batch_save_icons.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace quillmere {
namespace {

using testing::FindMessageBox;
using testing::Fixture;
using testing::PressDialogButton;
using testing::PumpUntil;
using testing::Worker;

class OverlapTest : public testing::MainWindowFixture {
  protected:
    static void ExpectWholeListOfImages(int count) {
        ASSERT_EQ(static_cast<int>(ListCaptions().size()), count);
        EXPECT_EQ(ImageList_GetImageCount(ListImages()), count);
        for (int k = 0; k < count; ++k)
            ASSERT_EQ(ItemImage(k), k) << "item " << k + 1;
    }
};

TEST_F(OverlapTest, TwoListingsBackToBackEndWithTheSecondSourceWhole) {
    const struct {
        const wchar_t* first;
        const wchar_t* second;
        int secondCount;
    } cases[] = {
        {L"C:\\windows\\system32\\shell32.dll", nullptr, 12},   // slow first, quick second
        {nullptr, L"C:\\windows\\system32\\shell32.dll", 184},  // quick first, slow second
    };
    for (const auto& c : cases) {
        const std::filesystem::path groups = Fixture("groups64.dll");
        ReplaceCurrentSourcePath(c.first ? std::filesystem::path(c.first) : groups);
        Worker first(ListSourceIcons);
        ReplaceCurrentSourcePath(c.second ? std::filesystem::path(c.second) : groups);
        Worker second(ListSourceIcons);
        ASSERT_TRUE(first.Finish());
        ASSERT_TRUE(second.Finish());
        ExpectWholeListOfImages(c.secondCount);
    }
}

TEST_F(OverlapTest, ABatchKeepsSavingItsOwnSourceWhileAnotherFileIsDropped) {
    const std::filesystem::path batchFolder =
        platform::ProgramFilePath().parent_path() / L"ico图标";
    std::filesystem::remove_all(batchFolder);
    ReplaceCurrentSourcePath(L"C:\\windows\\system32\\shell32.dll");
    {
        Worker listing(ListSourceIcons);
        ASSERT_TRUE(listing.Finish());
    }
    ASSERT_EQ(ListCaptions().size(), 184u);

    // The batch's clock holds the batch at its second icon until the drop has been taken.
    std::atomic<int> readings{0};
    HANDLE dropTaken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    platform::SetClockForTesting([&](platform::ClockField) {
        if (++readings == 6)
            WaitForSingleObject(dropTaken, 30000);
        return 1;
    });
    Worker batch(BatchSaveIcons);
    HWND question = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (question = FindMessageBox()) != nullptr; }));
    PressDialogButton(question, IDYES);
    ASSERT_TRUE(PumpUntil([&] { return readings >= 6; }));
    TakeDroppedFile(Fixture("groups64.dll").wstring());
    ASSERT_TRUE(PumpUntil([] { return ListCaptions().size() == 12u; }));
    SetEvent(dropTaken);
    ASSERT_TRUE(batch.Finish());
    platform::SetClockForTesting({});
    CloseHandle(dropTaken);

    // Every one of shell32's 184 icons was saved: the dropped module has only 12.
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(batchFolder)) {
        files += entry.path().extension() == L".ico" ? 1 : 0;
    }
    EXPECT_EQ(files, 184u);
    std::filesystem::remove_all(batchFolder);
}

TEST_F(OverlapTest, TwoBatchesSideBySideAskTheirOwnQuestionsAndKeepEachOthersFiles) {
    const std::filesystem::path batchFolder =
        platform::ProgramFilePath().parent_path() / L"ico图标";
    std::filesystem::remove_all(batchFolder);
    ReplaceCurrentSourcePath(Fixture("groups64.dll"));
    {
        Worker listing(ListSourceIcons);
        ASSERT_TRUE(listing.Finish());
    }
    platform::SetClockForTesting([](platform::ClockField) { return 1; });  // one minute for both

    Worker first(BatchSaveIcons);
    Worker second(BatchSaveIcons);
    std::vector<HWND> questions;
    ASSERT_TRUE(PumpUntil([&] {
        questions.clear();
        for (HWND box : testing::OwnTopLevelWindows(L"#32770")) {
            if (GetDlgItem(box, 0xFFFF))
                questions.push_back(box);
        }
        return questions.size() == 2;
    }));
    for (HWND question : questions)
        PressDialogButton(question, IDYES);
    ASSERT_TRUE(first.Finish());
    ASSERT_TRUE(second.Finish());
    platform::SetClockForTesting({});

    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(batchFolder)) {
        names.insert(entry.path().filename().wstring());
    }
    std::set<std::wstring> expected;
    for (int k = 1; k <= 12; ++k) {
        expected.insert(L"11111" + std::to_wstring(k) + L".ico");
        expected.insert(L"11111" + std::to_wstring(k) + L"-2.ico");
    }
    EXPECT_EQ(names, expected);
    std::filesystem::remove_all(batchFolder);
}

}  // namespace
}  // namespace quillmere
