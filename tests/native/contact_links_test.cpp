#include "app/contact_links.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmere {
namespace {

// Decodes upper-case hexadecimal independently of the code under test; fails on anything else.
std::string DecodeUpperHex(std::wstring_view hex) {
    auto value = [](wchar_t digit) -> int {
        if (digit >= L'0' && digit <= L'9')
            return digit - L'0';
        if (digit >= L'A' && digit <= L'F')
            return digit - L'A' + 10;
        ADD_FAILURE() << "not an upper-case hex digit: " << static_cast<int>(digit);
        return 0;
    };
    EXPECT_EQ(hex.size() % 2, 0u);
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    }
    return bytes;
}

TEST(ContactLinks, AuthorLinkCarriesTheAccountBetweenFixedTexts) {
    const std::wstring link = AuthorContactLink();
    const std::wstring prefix = L"tencent://AddContact/?fromId=50&fromSubId=1&subcmd=all&uin=";
    const std::wstring suffix = L"&123xpg";
    ASSERT_EQ(link.rfind(prefix, 0), 0u);
    ASSERT_GT(link.size(), prefix.size() + suffix.size());
    EXPECT_EQ(link.substr(link.size() - suffix.size()), suffix);
    const std::wstring account =
        link.substr(prefix.size(), link.size() - prefix.size() - suffix.size());
    for (wchar_t c : account)
        EXPECT_TRUE(c >= L'0' && c <= L'9') << "account must be decimal";
}

TEST(ContactLinks, GroupLinkParameterDecodesToCompactJsonEndingInLineFeed) {
    const std::wstring link = GroupJoinLink();
    const std::wstring prefix = L"tencent://groupwpa/?subcmd=all&param=";
    const std::wstring suffix = L"&123xpg";
    ASSERT_EQ(link.rfind(prefix, 0), 0u);
    ASSERT_EQ(link.substr(link.size() - suffix.size()), suffix);
    const std::wstring hex =
        link.substr(prefix.size(), link.size() - prefix.size() - suffix.size());

    const std::string json = DecodeUpperHex(hex);
    ASSERT_FALSE(json.empty());
    EXPECT_EQ(json.back(), '\n');
    EXPECT_EQ(json.find(' '), std::string::npos);
    // {"groupUin":<digits>,"timeStamp":<digits>}\n
    const std::string head = "{\"groupUin\":";
    ASSERT_EQ(json.rfind(head, 0), 0u);
    const size_t comma = json.find(',');
    ASSERT_NE(comma, std::string::npos);
    const std::string group = json.substr(head.size(), comma - head.size());
    const std::string stampKey = ",\"timeStamp\":";
    ASSERT_EQ(json.compare(comma, stampKey.size(), stampKey), 0);
    const std::string stamp =
        json.substr(comma + stampKey.size(), json.size() - 2 - comma - stampKey.size());
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");
    for (const std::string& number : {group, stamp}) {
        ASSERT_FALSE(number.empty());
        for (char c : number)
            EXPECT_TRUE(c >= '0' && c <= '9') << json;
    }
}

TEST(ContactLinks, UpperHexWritesTwoDigitsPerByteIncludingHighBytes) {
    EXPECT_EQ(UpperHex(""), L"");
    EXPECT_EQ(UpperHex(std::string("\x00\x0a\x7f\xff", 4)), L"000A7FFF");
    EXPECT_EQ(UpperHex("{}"), L"7B7D");
}

}  // namespace
}  // namespace quillmere
