// The module reader against the fixture modules and damaged copies of them.
#include <gtest/gtest.h>

#include "platform/module_resources.h"
#include "test_files.h"

namespace quillmere {
namespace {

using testing::Fixture;
using testing::Le16;
using testing::Le32;
using testing::PutLe32;
using testing::ReadAll;

std::vector<ResourceName> ExpectedGroupOrder() {
    std::vector<ResourceName> names = {ResourceText(u"MAINICON")};
    for (std::uint16_t id : {1, 2, 3, 5, 7, 8, 9, 12, 15, 20, 30})
        names.push_back(ResourceId(id));
    return names;
}

TEST(ModuleResources, GroupsComeNamedFirstThenNumbersAscendingInBothPeKinds) {
    for (const char* name : {"groups64.dll", "groups32.dll"}) {
        SCOPED_TRACE(name);
        const auto module = ModuleResources::FromBytes(ReadAll(Fixture(name)));
        ASSERT_TRUE(module);
        EXPECT_EQ(module->Names(kResourceTypeGroupIcon), ExpectedGroupOrder());
        // MAINICON's group lists three images; names compare without regard to case.
        const auto group = module->Find(kResourceTypeGroupIcon, ResourceText(u"mainIcon"));
        ASSERT_TRUE(group);
        EXPECT_EQ(group->size(), 6u + 3 * 14);
        EXPECT_FALSE(module->Find(kResourceTypeGroupIcon, ResourceId(4)));
        EXPECT_FALSE(module->Find(kResourceTypeIcon, ResourceText(u"MAINICON")));
    }
}

TEST(ModuleResources, ResourceBytesEqualTheImagesCompiledIn) {
    const auto module = ModuleResources::FromBytes(ReadAll(Fixture("groups64.dll")));
    ASSERT_TRUE(module);
    // windres numbers the images from 1 in script order: MAINICON's three come first.
    const auto blocks = testing::IcoBlocks(ReadAll(Fixture("group_MAINICON.ico")));
    for (std::uint16_t id = 1; id <= 3; ++id) {
        const auto image = module->Find(kResourceTypeIcon, ResourceId(id));
        ASSERT_TRUE(image);
        EXPECT_EQ(std::vector<std::uint8_t>(image->begin(), image->end()), blocks[id - 1]);
    }
}

TEST(ModuleResources, ModulesWithoutGroupsAndOtherFilesGiveNone) {
    const auto noIcons = ModuleResources::FromBytes(ReadAll(Fixture("no_icons.dll")));
    ASSERT_TRUE(noIcons);
    EXPECT_TRUE(noIcons->Names(kResourceTypeGroupIcon).empty());
    EXPECT_EQ(noIcons->Names(10).size(), 1u);  // its one RCDATA resource
    EXPECT_FALSE(ModuleResources::FromBytes(ReadAll(Fixture("text.txt"))));
    EXPECT_FALSE(ModuleResources::FromBytes(ReadAll(Fixture("three_images.ico"))));
    EXPECT_EQ(ModuleResources::FromBytes(ReadAll(Fixture("many_groups.dll")))
                  ->Names(kResourceTypeGroupIcon)
                  .size(),
              2000u);
}

// The file offset of the resource directory, found by walking the headers here.
std::size_t ResourceRootOffset(const std::vector<std::uint8_t>& file) {
    const std::size_t pe = Le32(file, 0x3C);
    const std::size_t optional = pe + 24;
    const bool plus = Le16(file, optional) == 0x20b;
    const std::uint32_t rva = Le32(file, optional + (plus ? 112 : 96) + 16);
    const std::size_t sections = optional + Le16(file, pe + 20);
    for (std::size_t i = 0; i < Le16(file, pe + 6); ++i) {
        const std::size_t at = sections + 40 * i;
        const std::uint32_t start = Le32(file, at + 12);
        if (rva >= start && rva < start + Le32(file, at + 16))
            return Le32(file, at + 20) + rva - start;
    }
    ADD_FAILURE() << "no section holds the resource directory";
    return 0;
}

// Damaged directories: a loop back to the root, a count far beyond the file, a data entry past
// the end. Each gives "nothing", quickly and without reading out of bounds.
TEST(ModuleResources, DamagedDirectoriesGiveNothingAndNeverReadPastTheData) {
    const auto original = ReadAll(Fixture("no_icons.dll"));
    const std::size_t root = ResourceRootOffset(original);
    ASSERT_EQ(Le16(original, root + 14), 1u) << "one type: RCDATA";
    const std::size_t typeEntry = root + 16;

    auto loop = original;
    PutLe32(loop, typeEntry + 4, 0x80000000u);  // the type's subdirectory is the root itself
    EXPECT_TRUE(ModuleResources::FromBytes(loop)->Names(10).empty());

    auto hugeCount = original;
    hugeCount[root + 14] = 0xFF;
    hugeCount[root + 15] = 0xFF;
    EXPECT_TRUE(ModuleResources::FromBytes(hugeCount)->Names(10).empty());

    auto nameLoop = original;  // the name's language directory is the type directory
    const std::size_t typeDirectory = root + (Le32(original, typeEntry + 4) & 0x7FFFFFFF);
    PutLe32(nameLoop, typeDirectory + 16 + 4, Le32(original, typeEntry + 4));
    EXPECT_FALSE(ModuleResources::FromBytes(nameLoop)->Find(10, ResourceId(1)));

    auto farData = original;
    const auto module = ModuleResources::FromBytes(original);
    ASSERT_TRUE(module->Find(10, ResourceId(1)));
    const std::size_t nameDirectory = root + (Le32(original, typeDirectory + 16 + 4) & 0x7FFFFFFF);
    const std::size_t dataEntry = root + Le32(original, nameDirectory + 16 + 4);
    PutLe32(farData, dataEntry + 4, 0x7FFFFFFF);  // size far beyond the section
    EXPECT_FALSE(ModuleResources::FromBytes(farData)->Find(10, ResourceId(1)));
}

TEST(ModuleResources, EveryTruncationOfAModuleIsHandled) {
    const auto whole = ReadAll(Fixture("groups32.dll"));
    for (std::size_t length = 0; length < whole.size(); length += 61) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + length);
        const auto module = ModuleResources::FromBytes(cut);
        if (!module)
            continue;
        for (const ResourceName& name : module->Names(kResourceTypeGroupIcon)) {
            const auto group = module->Find(kResourceTypeGroupIcon, name);
            if (group) {
                EXPECT_LE(group->size(), length);
            }
        }
    }
}

}  // namespace
}  // namespace quillmere
