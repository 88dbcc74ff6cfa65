#include "saving/batch_file_name.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace quillmere {
namespace {

using platform::ClockField;

struct ClockAt {
    int year, month, day, hour, minute;
    int operator()(ClockField field) const {
        switch (field) {
            case ClockField::Year:
                return year;
            case ClockField::Month:
                return month;
            case ClockField::Day:
                return day;
            case ClockField::Hour:
                return hour;
            case ClockField::Minute:
                return minute;
        }
        return -1;
    }
};

class BatchFileNameTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::SetClockForTesting({}); }
};

TEST_F(BatchFileNameTest, NameIsTheClockFieldsAndTheNumberWithoutPadding) {
    const struct {
        ClockAt clock;
        int icon;
        std::wstring expected;
    } cases[] = {
        {{2018, 11, 26, 14, 32}, 1, L"2018112614321.ico"},
        {{2018, 11, 26, 14, 32}, 12, L"20181126143212.ico"},
        {{2019, 1, 5, 9, 7}, 3, L"201915973.ico"},
        {{2019, 1, 11, 10, 5}, 1, L"20191111051.ico"},
        {{2019, 11, 1, 10, 5}, 1, L"20191111051.ico"},
        {{2020, 12, 31, 0, 0}, 184, L"2020123100184.ico"},
    };
    for (const auto& c : cases) {
        platform::SetClockForTesting(c.clock);
        EXPECT_EQ(MakeBatchFileName(c.icon), c.expected);
    }
}

TEST_F(BatchFileNameTest, EachFieldComesFromAReadingOfItsOwnInOrder) {
    std::vector<ClockField> readings;
    platform::SetClockForTesting([&](ClockField field) {
        readings.push_back(field);
        return 1;
    });
    EXPECT_EQ(MakeBatchFileName(7), L"111117.ico");
    EXPECT_EQ(readings,
              (std::vector<ClockField>{ClockField::Year, ClockField::Month, ClockField::Day,
                                       ClockField::Hour, ClockField::Minute}));
}

TEST(BatchFilePath, TakenNamesGetTheFirstFreeSuffixAndFreeNamesStayAsTheyAre) {
    const std::filesystem::path folder = std::filesystem::path("icons");
    const std::set<std::filesystem::path> existing = {folder / L"2018112614321.ico",
                                                      folder / L"2018112614321-2.ico"};
    auto taken = [&](const std::filesystem::path& path) { return existing.count(path) > 0; };
    EXPECT_EQ(FirstFreeBatchPath(folder, L"2018112614322.ico", taken),
              folder / L"2018112614322.ico");
    EXPECT_EQ(FirstFreeBatchPath(folder, L"2018112614321.ico", taken),
              folder / L"2018112614321-3.ico");
}

#ifdef _WIN32
TEST(BatchFilePath, ADriveRootGetsNoSecondSeparator) {
    auto none = [](const std::filesystem::path&) { return false; };
    EXPECT_EQ(FirstFreeBatchPath(L"D:\\", L"2018112614321.ico", none).wstring(),
              L"D:\\2018112614321.ico");
    EXPECT_EQ(FirstFreeBatchPath(L"D:\\Icons", L"2018112614321.ico", none).wstring(),
              L"D:\\Icons\\2018112614321.ico");
}
#endif

}  // namespace
}  // namespace quillmere
