// Measures how well the real program's window keeps answering while it lists and batch-saves a
// module with 2,000 icon groups under Wine. Prints figures; asserts nothing.
//
//   wine responsiveness_bench.exe
#include "e2e/program_driver.h"

#include <atomic>
#include <cstdio>
#include <thread>

namespace quillmere::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Sends WM_NULL to the window again and again from a thread of its own and keeps the longest
// time the window took to answer.
class AnswerTimeProbe {
  public:
    explicit AnswerTimeProbe(HWND window)
        : thread_([this, window] {
              while (!stop_) {
                  const auto sent = Clock::now();
                  DWORD_PTR result = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
                  const auto micros =
                      std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - sent)
                          .count();
                  if (micros > longest_)
                      longest_ = micros;
                  ++samples_;
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~AnswerTimeProbe() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    double LongestMs() const { return longest_ / 1000.0; }
    long Samples() const { return samples_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<long long> longest_{0};
    std::atomic<long> samples_{0};
    std::thread thread_;
};

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

size_t IconFilesIn(const std::filesystem::path& folder) {
    std::error_code error;
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        count += entry.path().extension() == L".ico" ? 1 : 0;
    }
    return count;
}

HWND WaitForDialogWithChild(const RunningProgram& program, int childId) {
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND dialog : program.Windows(L"#32770")) {
            if (GetDlgItem(dialog, childId))
                found = dialog;
        }
        return found != nullptr;
    });
    return found;
}

int Run() {
    constexpr int groups = 2000;
    wchar_t module[MAX_PATH] = {};
    GetFullPathNameW((std::filesystem::path(QUILLMERE_FIXTURE_DIR) / "many_groups.dll").c_str(),
                     MAX_PATH, module, nullptr);
    const std::filesystem::path batchFolder =
        std::filesystem::path(QUILLMERE_EXE_PATH).parent_path() / L"ico图标";
    std::filesystem::remove_all(batchFolder);

    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForWindow(L"QuillmereFrame", L"Quillmere");
    if (!window)
        return std::puts("the program did not show its window"), 1;
    HWND list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);

    ClickButton(ChildWithText(window, L"Button", L"选择文件"));
    HWND open = WaitForDialogWithChild(program, 0x47c);
    if (!open)
        return std::puts("no open dialog"), 1;
    SendMessageW(GetDlgItem(open, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(module));
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    auto start = Clock::now();
    double listingSeconds = 0, listingLongest = 0;
    {
        AnswerTimeProbe probe(window);
        WaitFor([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == groups; },
                std::chrono::minutes(10));
        listingSeconds = SecondsSince(start);
        probe.Stop();
        listingLongest = probe.LongestMs();
    }

    ClickButton(ChildWithText(window, L"Button", L"批量保存"));
    HWND question = WaitForDialogWithChild(program, 0xFFFF);
    if (!question)
        return std::puts("no batch question"), 1;
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    start = Clock::now();
    double batchSeconds = 0, batchLongest = 0;
    {
        AnswerTimeProbe probe(window);
        WaitFor([&] { return IconFilesIn(batchFolder) == groups; }, std::chrono::minutes(10));
        batchSeconds = SecondsSince(start);
        probe.Stop();
        batchLongest = probe.LongestMs();
    }
    const size_t written = IconFilesIn(batchFolder);
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.WaitForExit();
    std::filesystem::remove_all(batchFolder);

    std::printf("module: %d icon groups\n", groups);
    std::printf("listing: %.1f s in all; longest time the window took to answer: %.1f ms\n",
                listingSeconds, listingLongest);
    std::printf(
        "batch:   %.1f s in all for %zu files; longest time the window took to answer: %.1f ms\n",
        batchSeconds, written, batchLongest);
    return 0;
}

}  // namespace
}  // namespace quillmere::e2e

int main() {
    return quillmere::e2e::Run();
}
