#include "platform/dialog_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

using namespace std::string_literals;

TEST(DialogFilter, ConvertsPairsToNulSeparatedListEndedByAnEmptyEntry) {
    const struct {
        std::wstring filter;
        std::wstring expected;
    } cases[] = {
        {L"", L""},
        {L"   ", L""},
        {L"*.ico|*.ico", L"*.ico\0*.ico\0\0"s},
        {L"*.ico|*.ico  \t", L"*.ico\0*.ico\0\0"s},
        {L"*.ico|*.ico||", L"*.ico\0*.ico\0\0"s},
        {L"*.exe|*.exe|*.dll|*.dll|*.ico|*.ico", L"*.exe\0*.exe\0*.dll\0*.dll\0*.ico\0*.ico\0\0"s},
        {L"图标 (*.ico)|*.ico", L"图标 (*.ico)\0*.ico\0\0"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConvertDialogFilter(c.filter), c.expected)
            << "filter: " << ::testing::PrintToString(c.filter);
    }
}

}  // namespace
}  // namespace platform
