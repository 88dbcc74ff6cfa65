#include "platform/shell_folders.h"

#include "platform/windows_api.h"

namespace platform {

std::wstring DesktopFolder() {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_DESKTOPDIRECTORY, FALSE))
        return {};
    std::wstring folder = buffer;
    if (!folder.empty() && !folder.ends_with(L'\\'))
        folder += L'\\';
    return folder;
}

}  // namespace platform
