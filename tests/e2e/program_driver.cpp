#include "e2e/program_driver.h"

#include <fstream>
#include <thread>

namespace quillmere::e2e {

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

RunningProgram::RunningProgram(const std::filesystem::path& program) {
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
    }
}

RunningProgram::~RunningProgram() {
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 3);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::vector<HWND> RunningProgram::Windows(const wchar_t* className, const wchar_t* caption) const {
    struct Search {
        DWORD process;
        const wchar_t* className;
        const wchar_t* caption;
        std::vector<HWND> found;
    } search{processId_, className, caption, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            wchar_t name[128] = {}, text[256] = {};
            GetClassNameW(window, name, 128);
            GetWindowTextW(window, text, 256);
            if (process == search.process && IsWindowVisible(window) &&
                std::wstring(name) == search.className &&
                (!search.caption || std::wstring(text) == search.caption)) {
                search.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, const wchar_t* caption) const {
    HWND found = nullptr;
    WaitFor([&] {
        const auto windows = Windows(className, caption);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    });
    return found;
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds deadline) {
    if (WaitForSingleObject(process_, static_cast<DWORD>(deadline.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

namespace {

HWND WaitForDialogOf(const RunningProgram& program, const std::function<bool(HWND)>& isIt) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND dialog : program.Windows(L"#32770")) {
            if (isIt(dialog))
                found = dialog;
        }
        return found != nullptr;
    });
    return found;
}

}  // namespace

HWND RunningProgram::WaitForFileDialog() const {
    return WaitForDialogOf(*this, [](HWND dialog) { return GetDlgItem(dialog, 0x47c) != nullptr; });
}

HWND RunningProgram::WaitForMessageBox() const {
    return WaitForDialogOf(*this,
                           [](HWND dialog) { return GetDlgItem(dialog, 0xFFFF) != nullptr; });
}

HWND RunningProgram::WaitForFolderBrowser() const {
    return WaitForDialogOf(*this, [](HWND dialog) {
        return FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr) != nullptr;
    });
}

std::filesystem::path WindowsPath(const std::filesystem::path& unixPath) {
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(unixPath.c_str(), MAX_PATH, full, nullptr);
    return full;
}

size_t IconFilesIn(const std::filesystem::path& folder) {
    std::error_code error;
    size_t count = 0;
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (it->path().extension() == L".ico")
            ++count;
    }
    return count;
}

HWND ChildWithText(HWND parent, const std::wstring& className, const std::wstring& text) {
    HWND child = nullptr;
    while ((child = FindWindowExW(parent, child, className.c_str(), nullptr))) {
        wchar_t buffer[256] = {};
        GetWindowTextW(child, buffer, 256);
        if (text == buffer)
            return child;
    }
    return nullptr;
}

void TypeKey(HWND window, WORD key) {
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, std::chrono::seconds(5));
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void ClickButton(HWND button) {
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void ClickButton(HWND window, const wchar_t* text) {
    ClickButton(ChildWithText(window, L"Button", text));
}

void ChooseInFileDialog(HWND dialog, const std::filesystem::path& path) {
    const std::wstring text = path.wstring();
    SendMessageW(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

bool ChooseSource(const RunningProgram& program, HWND window, const std::filesystem::path& path) {
    ClickButton(window, L"选择文件");
    HWND dialog = program.WaitForFileDialog();
    if (!dialog)
        return false;
    ChooseInFileDialog(dialog, path);
    return true;
}

HWND IconList(HWND window) {
    return FindWindowExW(window, nullptr, L"SysListView32", nullptr);
}

int ItemCount(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

bool SaveScreenshot(const RECT& area, const std::filesystem::path& file) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    const DWORD imageBytes = rowBytes * height;
    BITMAPFILEHEADER header = {
        0x4D42,
        static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageBytes), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageBytes);
    const bool written = static_cast<bool>(out);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return written;
}

namespace {

// Whether the screen shows something other than black at the centre of the rectangle: a new Wine
// desktop is black until it has drawn for the first time.
bool ScreenShowsSomethingAt(const RECT& area) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour =
        GetPixel(screen, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
    ReleaseDC(nullptr, screen);
    return colour != RGB(0, 0, 0) && colour != CLR_INVALID;
}

}  // namespace

bool SaveWindowScreenshot(HWND window, const std::string& name) {
    RECT area;
    GetWindowRect(window, &area);
    WaitFor(
        [&] {
            RedrawWindow(window, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            return ScreenShowsSomethingAt(area);
        },
        std::chrono::seconds(15));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the last paint land
    return SaveScreenshot(area, std::filesystem::path(QUILLMERE_SCREENSHOT_DIR) / (name + ".bmp"));
}

}  // namespace quillmere::e2e
