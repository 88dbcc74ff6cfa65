#pragma once

#include <string>

// The two messenger links behind the contact buttons. Both are fixed texts of the program.
namespace quillmere {

// Opens a chat with the author: "tencent://AddContact/...&uin=<account>&123xpg".
std::wstring AuthorContactLink();

// Joins the user group: "tencent://groupwpa/?subcmd=all&param=<hex>&123xpg", where <hex> is the
// upper-case hexadecimal form of {"groupUin":<group>,"timeStamp":<seconds>} and a line feed.
std::wstring GroupJoinLink();

// Two upper-case hexadecimal digits for each byte of the text, in order.
std::wstring UpperHex(std::string_view bytes);

}  // namespace quillmere
