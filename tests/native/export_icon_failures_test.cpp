// What ExportIcon returns and writes for each kind of source, number and destination.
#include <gtest/gtest.h>

#include <thread>

#include "saving/export_icon.h"
#include "test_files.h"

namespace quillmere {
namespace {

using testing::Fixture;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

// Sources made in the test folder from the fixtures.
void MakeDerivedSources(const TempFolder& folder) {
    namespace fs = std::filesystem;
    fs::copy_file(Fixture("groups64.dll"), folder / "renamed.cpl");
    fs::copy_file(Fixture("groups64.dll"), folder / "module_named.ico");
    fs::copy_file(Fixture("three_images.ico"), folder / "icon_named.dll");
    auto truncated = ReadAll(Fixture("three_images.ico"));
    truncated.resize(truncated.size() - 1);  // the last image runs past the end
    WriteAll(folder / "truncated.ico", truncated);
    // One entry whose block is 39 bytes: shorter than a bitmap header.
    std::vector<std::uint8_t> shortImage = {0, 0,  1, 0,  1, 0, 16, 16, 0, 0, 1,
                                            0, 32, 0, 39, 0, 0, 0,  22, 0, 0, 0};
    shortImage.resize(22 + 39, 0);
    shortImage[22] = 40;
    WriteAll(folder / "short_image.ico", shortImage);
    auto badDepth = ReadAll(Fixture("three_images.ico"));
    badDepth[6 + 12 + 14] = 3;  // the first image's bit count field (header offset 14) set to 3
    WriteAll(folder / "bad_depth.ico", badDepth);
    WriteAll(folder / "empty.ico", {});
    fs::create_directory(folder / "a_folder.ico");
}

struct Case {
    const char* what;
    const char* source;  // a fixture, or "@name" for a file of the test folder
    int number;
    const char* destination;  // in the test folder; "" for an empty destination
    int result;
    ExportOutcome outcome;
};

constexpr ExportOutcome kWritten = ExportOutcome::kWritten;

const Case kCases[] = {
    {"icon file, number 1", "three_images.ico", 1, "out.ico", 1, kWritten},
    {"number 0 taken as 1", "three_images.ico", 0, "out.ico", 1, kWritten},
    {"negative number taken as 1", "groups64.dll", -7, "out.ico", 12, kWritten},
    {"icon file, number 2", "three_images.ico", 2, "out.ico", 0, ExportOutcome::kNumberBeyondCount},
    {"module, last icon", "groups64.dll", 12, "out.ico", 12, kWritten},
    {"module, number beyond count", "groups64.dll", 13, "out.ico", 0,
     ExportOutcome::kNumberBeyondCount},
    {"empty destination", "groups64.dll", 1, "", 0, ExportOutcome::kEmptyDestination},
    {"empty source path", "", 1, "out.ico", 0, ExportOutcome::kSourceMissing},
    {"missing source", "no_such_file.dll", 1, "out.ico", 0, ExportOutcome::kSourceMissing},
    {"a folder as source", "@a_folder.ico", 1, "out.ico", 0, ExportOutcome::kSourceUnreadable},
    {"empty file", "@empty.ico", 1, "out.ico", 0, ExportOutcome::kNotIconSource},
    {"text file", "text.txt", 1, "out.ico", 0, ExportOutcome::kNotIconSource},
    {"cursor file", "cursor.cur", 1, "out.ico", 0, ExportOutcome::kNotIconSource},
    {"module without icon groups", "no_icons.dll", 1, "out.ico", 0, ExportOutcome::kNoIcons},
    {"group naming a missing image", "missing_image.dll", 1, "out.ico", 2,
     ExportOutcome::kMissingImage},
    {"whole group after the broken one", "missing_image.dll", 2, "out.ico", 2, kWritten},
    {"image past the end of the icon file", "@truncated.ico", 1, "out.ico", 1,
     ExportOutcome::kMalformedIcon},
    {"image shorter than a bitmap header", "@short_image.ico", 1, "out.ico", 1,
     ExportOutcome::kMalformedIcon},
    {"image with an unknown bit count", "@bad_depth.ico", 1, "out.ico", 1,
     ExportOutcome::kMalformedIcon},
    {"module renamed .cpl", "@renamed.cpl", 3, "out.ico", 12, kWritten},
    {"module named .ico", "@module_named.ico", 3, "out.ico", 12, kWritten},
    {"icon file named .dll", "@icon_named.dll", 1, "out.ico", 1, kWritten},
    {"destination in capitals", "groups64.dll", 1, "OUT.ICO", 12, kWritten},
    {"bitmap destination in mixed case", "groups64.dll", 1, "out.BmP", 12, kWritten},
    {"destination .png", "groups64.dll", 1, "out.png", 12, ExportOutcome::kDestinationKind},
    {"destination without extension", "groups64.dll", 1, "out", 12,
     ExportOutcome::kDestinationKind},
    {"destination ending in ico without a dot", "groups64.dll", 1, "outico", 12, kWritten},
    {"destination in a missing folder", "groups64.dll", 1, "missing/out.ico", 12,
     ExportOutcome::kDestinationNotWritable},
    {"destination is a folder", "groups64.dll", 1, "a_folder.ico", 12,
     ExportOutcome::kDestinationNotWritable},
};

TEST(ExportIconCases, ResultOutcomeAndWrittenFileForEveryCase) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        MakeDerivedSources(folder);
        const auto before = folder.Files();
        const std::filesystem::path source =
            c.source[0] == '@' ? folder / (c.source + 1)
                               : (c.source[0] ? Fixture(c.source) : std::filesystem::path());
        const std::filesystem::path destination =
            c.destination[0] ? folder / c.destination : std::filesystem::path();

        const ExportReport report = ExportIconWithReport(source, c.number, destination);
        EXPECT_EQ(report.count, c.result);
        EXPECT_EQ(report.outcome, c.outcome) << DescribeOutcome(report.outcome);
        EXPECT_EQ(ExportIcon(source, c.number, destination), c.result);

        const bool written = std::filesystem::is_regular_file(destination);
        EXPECT_EQ(written, c.outcome == kWritten);
        if (written) {
            EXPECT_GT(std::filesystem::file_size(destination), 54u);
            std::filesystem::remove(destination);
        }
        EXPECT_EQ(folder.Files().size(), before.size()) << "no other file is left behind";
    }
}

// A save that fails leaves an existing destination as it was; one that succeeds replaces it
// whole, leaving none of its old bytes.
TEST(ExportIconReplacing, ExistingDestinationIsKeptOnFailureAndReplacedWholeOnSuccess) {
    TempFolder folder;
    const auto destination = folder / "existing.ico";
    const std::vector<std::uint8_t> old(100000, 0xAB);
    WriteAll(destination, old);

    EXPECT_EQ(ExportIcon(Fixture("missing_image.dll"), 1, destination), 2);
    EXPECT_EQ(ReadAll(destination), old);

    ASSERT_EQ(ExportIcon(Fixture("groups64.dll"), 2, destination), 12);
    EXPECT_EQ(std::filesystem::file_size(destination), 6u + 16 + 40 + 32 * 128 + 32 * 4);
    EXPECT_EQ(folder.Files(), std::vector<std::string>{"existing.ico"});
}

TEST(ExportIconReplacing, ConcurrentSavesToOneDestinationLeaveOneWholeFile) {
    TempFolder folder;
    const auto destination = folder / "shared.ico";
    ExportIcon(Fixture("three_images.ico"), 1, folder / "three.ico");
    ExportIcon(Fixture("groups64.dll"), 1, folder / "main.ico");
    const auto three = ReadAll(folder / "three.ico");
    const auto main = ReadAll(folder / "main.ico");
    for (int round = 0; round < 20; ++round) {
        std::thread a([&] { ExportIcon(Fixture("three_images.ico"), 1, destination); });
        std::thread b([&] { ExportIcon(Fixture("groups64.dll"), 1, destination); });
        a.join();
        b.join();
        const auto written = ReadAll(destination);
        ASSERT_TRUE(written == three || written == main) << "round " << round;
    }
    EXPECT_EQ(folder.Files().size(), 3u) << "no temporary file is left";
}

}  // namespace
}  // namespace quillmere
