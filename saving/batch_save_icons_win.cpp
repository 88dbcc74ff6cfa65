#include "saving/batch_save_icons.h"

#include "app/current_source_path.h"
#include "app/main_window.h"
#include "platform/controls.h"
#include "platform/folder_browser.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "saving/batch_file_name.h"
#include "saving/export_icon.h"

#include <mutex>
#include <optional>
#include <system_error>

namespace quillmere {
namespace {

// Batches may run side by side; choosing a free name and writing the file under this lock keeps
// one batch from taking a name that another has just chosen.
std::mutex batchNamesLock;

std::optional<std::filesystem::path> AskForBatchFolder() {
    const int answer =
        platform::ShowMessageBox(L"[是] [否]保存在程序的根目录", L"信息：", platform::YesNo);
    if (answer == platform::AnswerYes) {
        std::filesystem::path folder = platform::ProgramFilePath().parent_path() / L"ico图标";
        std::error_code ignored;
        std::filesystem::create_directory(folder, ignored);
        return folder;
    }
    return platform::BrowseForFolder(L"请选择要保存的路径");
}

bool Exists(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

void SaveIconIntoBatch(const IconSource& source, int iconNumber,
                       const std::filesystem::path& folder) {
    const std::wstring name = MakeBatchFileName(iconNumber);
    std::lock_guard lock(batchNamesLock);
    ExportIconFrom(source, iconNumber, FirstFreeBatchPath(folder, name, Exists));
}

}  // namespace

void BatchSaveIcons() {
    const int count = platform::ListItemCount(MainWindow().超级列表框1);
    if (count < 1) {
        platform::ShowMessageBox(L"没有资源图标", L"错误", platform::StopIconOk);
        return;
    }
    const std::optional<std::filesystem::path> folder = AskForBatchFolder();
    if (!folder)
        return;

    // The source is read once for the whole batch, from the path current at this moment.
    const IconSource source = IconSource::Open(CurrentSourcePath());
    for (int k = 1; k <= count; ++k) {
        platform::HandlePendingMessages();
        SaveIconIntoBatch(source, k, *folder);
    }
}

}  // namespace quillmere
