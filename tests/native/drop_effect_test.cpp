#include "platform/file_drop_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

// Allowed effects written as letters: "C" copy, "M" move, "L" link, "" none.
AllowedEffects Allowed(std::string_view letters) {
    return {letters.find('C') != letters.npos, letters.find('M') != letters.npos,
            letters.find('L') != letters.npos};
}

const char* NameOf(DropEffect effect) {
    switch (effect) {
        case DropEffect::None:
            return "none";
        case DropEffect::Copy:
            return "copy";
        case DropEffect::Move:
            return "move";
        case DropEffect::Link:
            return "link";
    }
    return "?";
}

TEST(DropEffect, FollowsTheKeysTheAllowedEffectsAndTheOffer) {
    constexpr HeldKeys none{}, ctrl{true, false}, shift{false, true}, both{true, true};
    const struct Case {
        bool fileList;
        HeldKeys keys;
        const char* allowed;
        DropEffect expected;
    } cases[] = {
        // Without a file list nothing is taken, whatever the keys and the source allow.
        {false, none, "CML", DropEffect::None},
        {false, ctrl, "CML", DropEffect::None},
        {false, shift, "CML", DropEffect::None},
        {false, both, "CML", DropEffect::None},
        // No keys: copy before move before link.
        {true, none, "CML", DropEffect::Copy},
        {true, none, "C", DropEffect::Copy},
        {true, none, "ML", DropEffect::Move},
        {true, none, "M", DropEffect::Move},
        {true, none, "CL", DropEffect::Copy},
        {true, none, "L", DropEffect::Link},
        {true, none, "", DropEffect::None},
        // Ctrl: a copy or nothing.
        {true, ctrl, "CML", DropEffect::Copy},
        {true, ctrl, "C", DropEffect::Copy},
        {true, ctrl, "ML", DropEffect::None},
        {true, ctrl, "", DropEffect::None},
        // Shift: a move or nothing.
        {true, shift, "CML", DropEffect::Move},
        {true, shift, "M", DropEffect::Move},
        {true, shift, "CL", DropEffect::None},
        {true, shift, "", DropEffect::None},
        // Ctrl and Shift: never, even when linking is allowed.
        {true, both, "CML", DropEffect::None},
        {true, both, "L", DropEffect::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "file list " << c.fileList << ", ctrl " << c.keys.control << ", shift "
                     << c.keys.shift << ", allowed \"" << c.allowed << '"');
        EXPECT_STREQ(NameOf(ChooseDropEffect(c.fileList, c.keys, Allowed(c.allowed))),
                     NameOf(c.expected));
    }
}

TEST(DroppedText, IsTheFirstFileOrNothing) {
    const struct Case {
        std::vector<std::wstring> files;
        std::wstring expected;
    } cases[] = {
        {{}, L""},
        {{L"C:\\tools\\one.exe"}, L"C:\\tools\\one.exe"},
        {{L"C:\\a\\first.dll", L"C:\\b\\second.exe", L"C:\\c\\third.ico"}, L"C:\\a\\first.dll"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DroppedText(c.files), c.expected) << c.files.size() << " files";
    }
}

}  // namespace
}  // namespace platform
