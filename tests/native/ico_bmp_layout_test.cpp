// The .ico and .bmp files that ExportIcon writes, field by field. Expected values come from the
// fixtures' known content (see tests/fixtures/README.md), not from the code under test.
#include <gtest/gtest.h>

#include "saving/export_icon.h"
#include "test_files.h"

namespace quillmere {
namespace {

using testing::Fixture;
using testing::IcoBlocks;
using testing::Le16;
using testing::Le32;
using testing::ReadAll;
using testing::Sub;
using testing::TempFolder;
using testing::WithoutSizeField;

struct ExpectedEntry {
    int width, height, colours, planes, bitCount;
    std::uint32_t bytes;
};

// Header, directory and image blocks of a written .ico against the expected entries and the
// source's blocks (each with its image-size field cleared unless it is a PNG stream).
void ExpectIcoFile(const std::vector<std::uint8_t>& ico, const std::vector<ExpectedEntry>& entries,
                   const std::vector<std::vector<std::uint8_t>>& sourceBlocks,
                   const std::vector<bool>& isPng) {
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(Le16(ico, 0), 0u);
    EXPECT_EQ(Le16(ico, 2), 1u);
    ASSERT_EQ(Le16(ico, 4), entries.size());
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const std::size_t at = 6 + 16 * i;
        EXPECT_EQ(ico[at + 0], entries[i].width);
        EXPECT_EQ(ico[at + 1], entries[i].height);
        EXPECT_EQ(ico[at + 2], entries[i].colours);
        EXPECT_EQ(ico[at + 3], 0);
        EXPECT_EQ(Le16(ico, at + 4), static_cast<std::uint32_t>(entries[i].planes));
        EXPECT_EQ(Le16(ico, at + 6), static_cast<std::uint32_t>(entries[i].bitCount));
        EXPECT_EQ(Le32(ico, at + 8), entries[i].bytes);
        EXPECT_EQ(Le32(ico, at + 12), offset);
        const auto written = Sub(ico, offset, entries[i].bytes);
        EXPECT_EQ(written, isPng[i] ? sourceBlocks[i] : WithoutSizeField(sourceBlocks[i]));
        offset += entries[i].bytes;
    }
    EXPECT_EQ(ico.size(), offset) << "nothing follows the last image";
}

TEST(IcoLayout, ThreeImagesOfMixedDepthGetADirectoryRebuiltFromTheirHeaders) {
    TempFolder folder;
    ASSERT_EQ(ExportIcon(Fixture("three_images.ico"), 1, folder / "out.ico"), 1);
    const auto source = ReadAll(Fixture("three_images.ico"));
    // 16x16 4-bit: 40 + 16 x 4 table + 16 rows of 8 + 16 mask rows of 4.
    // 32x32 8-bit: 40 + 256 x 4 + 32 x 32 + 32 x 4. 48x48 32-bit: 40 + 48 x 192 + 48 x 8.
    // The 32-bit image's source entry holds planes 0 and bit count 0: rebuilt as 1 and 32.
    ExpectIcoFile(ReadAll(folder / "out.ico"),
                  {{16, 16, 16, 1, 4, 296}, {32, 32, 0, 1, 8, 2216}, {48, 48, 0, 1, 32, 9640}},
                  IcoBlocks(source), {false, false, false});
    const auto sourceBlocks = IcoBlocks(source);
    EXPECT_NE(Le32(sourceBlocks[0], 20), 0u)
        << "the fixture's size field must be set to see it cleared";
}

TEST(IcoLayout, A256PixelBitmapImageHasWidthAndHeightBytesZero) {
    TempFolder folder;
    ASSERT_EQ(ExportIcon(Fixture("big_bitmap.ico"), 1, folder / "big.ico"), 1);
    const std::uint32_t bytes = 40 + 256 * 1024 + 256 * 32;
    ExpectIcoFile(ReadAll(folder / "big.ico"), {{0, 0, 0, 1, 32, bytes}},
                  IcoBlocks(ReadAll(Fixture("big_bitmap.ico"))), {false});
}

TEST(IcoLayout, APngImageIsKeptByteForByteAndDescribedFromItsIhdr) {
    TempFolder folder;
    ASSERT_EQ(ExportIcon(Fixture("png_image.ico"), 1, folder / "png.ico"), 1);
    const auto source = ReadAll(Fixture("png_image.ico"));
    const auto blocks = IcoBlocks(source);
    ASSERT_EQ(blocks.size(), 2u);
    const auto pngSize = static_cast<std::uint32_t>(blocks[0].size());
    ExpectIcoFile(ReadAll(folder / "png.ico"),
                  {{0, 0, 0, 1, 32, pngSize}, {16, 16, 0, 1, 32, 40 + 16 * 64 + 16 * 4}}, blocks,
                  {true, false});
}

// groups64.dll and groups32.dll: the directory order, image counts and first-image colours.
struct GroupFacts {
    const char* name;
    std::size_t images;
    std::uint8_t red, green, blue;
};
constexpr GroupFacts kGroups[] = {
    {"MAINICON", 3, 0xFF, 0x00, 0x00}, {"1", 1, 0x00, 0xFF, 0x00},  {"2", 1, 0x00, 0x00, 0xFF},
    {"3", 1, 0xFF, 0xFF, 0x00},        {"5", 2, 0xFF, 0x00, 0xFF},  {"7", 2, 0x00, 0xFF, 0xFF},
    {"8", 2, 0x80, 0x00, 0x00},        {"9", 3, 0x00, 0x80, 0x00},  {"12", 3, 0x00, 0x00, 0x80},
    {"15", 3, 0x80, 0x80, 0x00},       {"20", 2, 0x80, 0x00, 0x80}, {"30", 1, 0x00, 0x80, 0x80},
};

class GroupModules : public ::testing::TestWithParam<const char*> {};

TEST_P(GroupModules, EachIconIsItsGroupInDirectoryOrderWithItsImagesInGroupOrder) {
    TempFolder folder;
    for (int k = 1; k <= 12; ++k) {
        const GroupFacts& group = kGroups[k - 1];
        SCOPED_TRACE(std::string("icon ") + std::to_string(k) + " group " + group.name);
        const auto out = folder / ("icon" + std::to_string(k) + ".ico");
        ASSERT_EQ(ExportIcon(Fixture(GetParam()), k, out), 12);
        // windres stores each group's source icon file's images in order: compare with that file.
        const auto sourceBlocks =
            IcoBlocks(ReadAll(Fixture((std::string("group_") + group.name + ".ico").c_str())));
        ASSERT_EQ(sourceBlocks.size(), group.images);
        std::vector<ExpectedEntry> entries = {{32, 32, 0, 1, 32, 40 + 32 * 128 + 32 * 4}};
        if (group.images >= 2)
            entries.push_back({16, 16, 0, 1, 8, 40 + 1024 + 16 * 16 + 16 * 4});
        if (group.images == 3)
            entries.push_back({48, 48, 16, 1, 4, 40 + 64 + 48 * 24 + 48 * 8});
        const auto ico = ReadAll(out);
        ExpectIcoFile(ico, entries, sourceBlocks, std::vector<bool>(group.images, false));
        // The first image is a solid colour: its top-left pixel (blue, green, red, alpha).
        const std::size_t pixel = Le32(ico, 6 + 12) + 40;
        EXPECT_EQ(Sub(ico, pixel, 4),
                  (std::vector<std::uint8_t>{group.blue, group.green, group.red, 0xFF}));
    }
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, GroupModules,
                         ::testing::Values("groups64.dll", "groups32.dll"));

// The .bmp of the first image: file header, header with the height halved, table, colour rows.
TEST(BmpLayout, TheFirstBitmapImageIsWrittenWithoutItsMask) {
    TempFolder folder;
    ASSERT_EQ(ExportIcon(Fixture("three_images.ico"), 1, folder / "first.BMP"), 1);
    const auto bmp = ReadAll(folder / "first.BMP");
    const auto image = IcoBlocks(ReadAll(Fixture("three_images.ico")))[0];  // 16x16 4-bit
    const std::uint32_t table = 16 * 4;
    const std::uint32_t rows = 16 * 8;
    ASSERT_EQ(bmp.size(), 14u + 40 + table + rows);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le16(bmp, 6), 0u);
    EXPECT_EQ(Le16(bmp, 8), 0u);
    EXPECT_EQ(Le32(bmp, 10), 54 + table);
    auto header = Sub(image, 0, 40);
    testing::PutLe32(header, 8, 16);  // 32 stored rows, 16 of them colour rows
    EXPECT_EQ(Sub(bmp, 14, 40), header) << "every other field, the image size too, is copied";
    EXPECT_EQ(Sub(bmp, 54, table + rows), Sub(image, 40, table + rows));
}

TEST(BmpLayout, APngFirstImageBecomesA32BitBitmapOfItsPixels) {
    TempFolder folder;
    ASSERT_EQ(ExportIcon(Fixture("png_image.ico"), 1, folder / "png.bmp"), 1);
    const auto bmp = ReadAll(folder / "png.bmp");
    const std::uint32_t rows = 256 * 256 * 4;
    ASSERT_EQ(bmp.size(), 54u + rows);
    EXPECT_EQ(Le32(bmp, 2), bmp.size());
    EXPECT_EQ(Le32(bmp, 10), 54u);
    EXPECT_EQ(Le32(bmp, 14), 40u);
    EXPECT_EQ(Le32(bmp, 18), 256u);
    EXPECT_EQ(Le32(bmp, 22), 256u);
    EXPECT_EQ(Le16(bmp, 26), 1u);
    EXPECT_EQ(Le16(bmp, 28), 32u);
    EXPECT_EQ(Le32(bmp, 30), 0u);
    // The fixture's PNG pixel (x, y) is red x, green y, blue x + y, opaque; rows bottom-up.
    for (int y : {0, 1, 100, 255}) {
        for (int x : {0, 7, 200, 255}) {
            const std::size_t at = 54 + (255 - y) * 1024 + x * 4;
            EXPECT_EQ(Sub(bmp, at, 4),
                      (std::vector<std::uint8_t>{static_cast<std::uint8_t>((x + y) & 0xFF),
                                                 static_cast<std::uint8_t>(y),
                                                 static_cast<std::uint8_t>(x), 0xFF}))
                << x << "," << y;
        }
    }
}

TEST(BmpLayout, AModuleIconsFirstImageKeepsItsSolidColour) {
    TempFolder folder;
    ASSERT_EQ(ExportIcon(Fixture("groups64.dll"), 2, folder / "green.bmp"), 12);
    const auto bmp = ReadAll(folder / "green.bmp");
    ASSERT_EQ(bmp.size(), 54u + 32 * 128);
    EXPECT_EQ(Le32(bmp, 22), 32u);
    for (std::size_t at = 54; at < bmp.size(); at += 4) {
        ASSERT_EQ(Sub(bmp, at, 4), (std::vector<std::uint8_t>{0x00, 0xFF, 0x00, 0xFF})) << at;
    }
}

}  // namespace
}  // namespace quillmere
