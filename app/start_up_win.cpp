#include "app/start_up.h"

#include "app/current_source_path.h"
#include "app/main_window.h"
#include "platform/file_writes.h"
#include "platform/frame_window.h"
#include "platform/message_box.h"
#include "platform/process.h"

namespace quillmere {

namespace {

int RunWindow() {
    platform::OleSession ole;
    platform::SetCurrentFolder(platform::ProgramFilePath().parent_path());
    ReplaceCurrentSourcePath({});

    if (!BuildMainWindow()) {
        platform::ShowMessageBox(L"无法创建主窗口", L"错误", platform::StopIconOk);
        return -1;
    }
    OnMainWindowCreated();
    ShowMainWindow();

    const int exitCode = platform::RunMessageLoop(MainWindow().窗口);
    ReleaseOnExit();
    return exitCode;
}

}  // namespace

void RunQuillmere() {
    const int exitCode = RunWindow();
    // Workers may still run: a file being written is finished, everything else ends with the
    // process, which goes without running the destructors of objects they may still use.
    FinishFileWritesForExit();
    platform::EndProcess(exitCode);
}

}  // namespace quillmere
