#include "app/contact_links.h"

#include <string>

namespace quillmere {
namespace {

constexpr std::string_view authorAccount = "2846192753";
constexpr std::string_view userGroup = "781203456";
constexpr std::string_view groupLinkTimeStamp = "1577836800";  // 2020-01-01 00:00:00 UTC

std::wstring Widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace

std::wstring UpperHex(std::string_view bytes) {
    constexpr char digits[] = "0123456789ABCDEF";
    std::wstring hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char byte : bytes) {
        hex += static_cast<wchar_t>(digits[byte >> 4]);
        hex += static_cast<wchar_t>(digits[byte & 0x0F]);
    }
    return hex;
}

std::wstring AuthorContactLink() {
    return L"tencent://AddContact/?fromId=50&fromSubId=1&subcmd=all&uin=" + Widen(authorAccount) +
           L"&123xpg";
}

std::wstring GroupJoinLink() {
    const std::string parameter = "{\"groupUin\":" + std::string(userGroup) +
                                  ",\"timeStamp\":" + std::string(groupLinkTimeStamp) + "}\n";
    return L"tencent://groupwpa/?subcmd=all&param=" + UpperHex(parameter) + L"&123xpg";
}

}  // namespace quillmere
