#include "platform/file_dialog.h"

#include "platform/dialog_filter.h"
#include "platform/windows_api.h"

#include <algorithm>

namespace platform {
namespace {

constexpr size_t nameBufferLength = 260;  // characters, the terminating NUL included

DWORD FlagsOf(const FileDialogSettings& settings) {
    DWORD flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    if (settings.promptToCreate)
        flags |= OFN_CREATEPROMPT;
    if (settings.fileMustExist)
        flags |= OFN_FILEMUSTEXIST;
    if (settings.confirmOverwrite)
        flags |= OFN_OVERWRITEPROMPT;
    if (settings.pathMustExist)
        flags |= OFN_PATHMUSTEXIST;
    if (settings.keepCurrentDirectory)
        flags |= OFN_NOCHANGEDIR;
    return flags;
}

const wchar_t* TextOrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

std::optional<std::wstring> ShowDialog(const FileDialogSettings& settings) {
    std::wstring name(nameBufferLength, L'\0');
    std::copy_n(settings.fileName.begin(), std::min(settings.fileName.size(), nameBufferLength - 1),
                name.begin());
    const std::wstring filter = ConvertDialogFilter(settings.filter);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = TextOrNull(filter);
    dialog.nFilterIndex = filter.empty() ? 0 : std::max(settings.initialFilterEntry, 0) + 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(nameBufferLength);
    dialog.lpstrInitialDir = TextOrNull(settings.initialFolder);
    dialog.lpstrTitle = TextOrNull(settings.title);
    dialog.lpstrDefExt = TextOrNull(settings.defaultExtension);
    dialog.Flags = FlagsOf(settings);

    const BOOL confirmed = settings.kind == FileDialogKind::Save ? GetSaveFileNameW(&dialog)
                                                                 : GetOpenFileNameW(&dialog);
    if (!confirmed)
        return std::nullopt;
    name.resize(name.find(L'\0'));
    return name;
}

}  // namespace

FileDialogSettings CommonDlg::Settings() const {
    std::lock_guard lock(lock_);
    return settings_;
}

std::optional<std::wstring> CommonDlg::Show() {
    std::optional<std::wstring> chosen = ShowDialog(Settings());
    if (chosen)
        Change([&](FileDialogSettings& settings) { settings.fileName = *chosen; });
    return chosen;
}

}  // namespace platform
