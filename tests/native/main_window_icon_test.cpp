#include "app/main_window_icon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quillmere {
namespace {

unsigned Le(std::span<const unsigned char> bytes, size_t at, size_t size) {
    unsigned value = 0;
    for (size_t i = 0; i < size; ++i)
        value |= unsigned{bytes[at + i]} << (8 * i);
    return value;
}

TEST(MainWindowIcon, HoldsThreeBigImagesOfFourEightAndThirtyTwoBits) {
    const auto icon = MainWindowIconBytes();
    ASSERT_EQ(icon.size(), 15086u);
    ASSERT_EQ(Le(icon, 4, 2), 3u);
    const unsigned bits[] = {4, 8, 32};
    const unsigned imageBytes[] = {1640, 3752, 9640};
    for (size_t i = 0; i < 3; ++i) {
        const size_t entry = 6 + 16 * i;
        const size_t image = Le(icon, entry + 12, 4);
        EXPECT_EQ(icon[entry], 48);
        EXPECT_EQ(icon[entry + 1], 48);
        EXPECT_EQ(Le(icon, entry + 8, 4), imageBytes[i]);
        EXPECT_EQ(Le(icon, image + 4, 4), 48u);  // header width
        EXPECT_EQ(Le(icon, image + 8, 4), 96u);  // colour and mask rows
        EXPECT_EQ(Le(icon, image + 14, 2), bits[i]);
    }
}

// An icon file whose images are only their directory entries' sizes and colour counts.
std::vector<unsigned char> IconFile(const std::vector<std::pair<int, int>>& widthAndColours) {
    std::vector<unsigned char> file = {
        0, 0, 1, 0, static_cast<unsigned char>(widthAndColours.size()), 0};
    const size_t dataStart = 6 + 16 * widthAndColours.size();
    for (size_t i = 0; i < widthAndColours.size(); ++i) {
        const auto [width, colours] = widthAndColours[i];
        const unsigned offset = static_cast<unsigned>(dataStart + 4 * i);
        const unsigned char entry[16] = {static_cast<unsigned char>(width),
                                         static_cast<unsigned char>(width),
                                         static_cast<unsigned char>(colours),
                                         0,
                                         1,
                                         0,
                                         32,
                                         0,
                                         4,
                                         0,
                                         0,
                                         0,
                                         static_cast<unsigned char>(offset),
                                         static_cast<unsigned char>(offset >> 8),
                                         0,
                                         0};
        file.insert(file.end(), entry, entry + 16);
    }
    for (size_t i = 0; i < widthAndColours.size(); ++i)
        file.insert(file.end(), {static_cast<unsigned char>(i), 0, 0, 0});
    return file;
}

TEST(MainWindowIcon, WindowIconImageIsTheFirstOfItsWidthWithSixteenColoursOrMoreElseTheLast) {
    const auto file = IconFile({{16, 2}, {16, 16}, {32, 2}, {32, 0}, {48, 0}});
    const struct {
        int width;
        unsigned char pickedImage;
    } cases[] = {{16, 1}, {32, 3}, {24, 4}, {48, 4}};
    for (const auto& c : cases) {
        const auto picked = PickWindowIconImage(file, c.width);
        ASSERT_TRUE(picked) << c.width;
        EXPECT_EQ(picked->bytes[0], c.pickedImage) << "width " << c.width;
    }
    const auto ours = PickWindowIconImage(MainWindowIconBytes(), 32);
    ASSERT_TRUE(ours);
    EXPECT_EQ(ours->width, 48);
    EXPECT_EQ(ours->bytes.size(), 9640u);  // the 32-bit image, the last
}

TEST(MainWindowIcon, MalformedIconFilesGiveNoImage) {
    auto truncated = IconFile({{32, 0}});
    truncated.resize(truncated.size() - 2);
    auto cursor = IconFile({{32, 0}});
    cursor[2] = 2;
    for (const auto& file : {std::vector<unsigned char>{}, truncated, cursor}) {
        EXPECT_FALSE(PickWindowIconImage(file, 32));
    }
}

}  // namespace
}  // namespace quillmere
