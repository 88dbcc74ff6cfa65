#include "platform/process.h"

#include "platform/windows_api.h"

#include <memory>
#include <string>

namespace platform {

OleSession::OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
    if (initialised_)
        OleUninitialize();
}

std::filesystem::path ProgramFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

void SetCurrentFolder(const std::filesystem::path& folder) {
    SetCurrentDirectoryW(folder.c_str());
}

namespace {

DWORD WINAPI RunWorker(void* parameter) {
    std::unique_ptr<std::function<void()>> routine(static_cast<std::function<void()>*>(parameter));
    (*routine)();
    return 0;
}

}  // namespace

bool StartWorker(std::function<void()> routine) {
    auto owned = std::make_unique<std::function<void()>>(std::move(routine));
    HANDLE thread = CreateThread(nullptr, 0, RunWorker, owned.get(), 0, nullptr);
    if (!thread)
        return false;
    owned.release();
    CloseHandle(thread);  // nothing waits for a worker
    return true;
}

void EndProcess(int exitCode) {
    ExitProcess(static_cast<UINT>(exitCode));
}

void OpenLink(std::wstring_view link) {
    const std::wstring text(link);
    ShellExecuteW(nullptr, L"open", text.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform
