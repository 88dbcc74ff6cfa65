#include "platform/message_box.h"

#include "platform/windows_api.h"

#include <string>

namespace platform {

int ShowMessageBox(std::wstring_view text, std::wstring_view title, MessageBoxStyle style) {
    const std::wstring body(text);
    const std::wstring caption = title.empty() ? std::wstring(L"信息：") : std::wstring(title);
    return MessageBoxW(nullptr, body.c_str(), caption.c_str(), style | MB_TASKMODAL) - 1;
}

}  // namespace platform
