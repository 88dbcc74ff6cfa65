#pragma once

#include <mutex>
#include <optional>
#include <string>

// CommonDlg: the file-dialog component. Each instance keeps its settings from one showing to the
// next for the life of the program; the file name holds the path confirmed last.
namespace platform {

enum class FileDialogKind { Open, Save };

struct FileDialogSettings {
    FileDialogKind kind = FileDialogKind::Open;
    std::wstring title;             // empty: the system's own caption
    std::wstring fileName;          // in: pre-filled name; after a confirmation: the chosen path
    std::wstring filter;            // "display|pattern|..." pairs; empty: no type list
    int initialFilterEntry = 0;     // from 0; a negative value counts as 0
    std::wstring initialFolder;     // empty: the system picks
    std::wstring defaultExtension;  // appended to a typed name without one; empty: none
    bool promptToCreate = false;
    bool fileMustExist = true;
    bool confirmOverwrite = true;
    bool pathMustExist = true;
    bool keepCurrentDirectory = false;
};

// Several workers may use one instance at once: settings are read and written under a lock, and a
// showing works on a copy, so two dialogs of one instance can be open side by side.
class CommonDlg {
  public:
    FileDialogSettings Settings() const;

    template <typename Edit>
    void Change(Edit&& change) {
        std::lock_guard lock(lock_);
        change(settings_);
    }

    // Shows the dialog without an owner window and waits until it is closed. After a
    // confirmation the chosen full path is returned and kept as the file name; after a cancel or
    // a failure nothing is returned and the file name stays as it was.
    std::optional<std::wstring> Show();

  private:
    mutable std::mutex lock_;
    FileDialogSettings settings_;
};

}  // namespace platform
