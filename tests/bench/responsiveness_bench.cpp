// Measures how well the real program's window keeps answering while it lists and batch-saves a
// module with 2,000 icon groups under Wine. Prints figures; asserts nothing.
//
//   wine responsiveness_bench.exe
#include "e2e/program_driver.h"

#include <atomic>
#include <functional>
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

struct Measurement {
    double seconds;
    double longestAnswerMs;
};

// Time until the condition holds, and the longest the window took to answer meanwhile.
Measurement MeasureUntil(HWND window, const std::function<bool()>& done) {
    const auto start = Clock::now();
    AnswerTimeProbe probe(window);
    WaitFor(done, std::chrono::minutes(10));
    const double seconds = SecondsSince(start);
    probe.Stop();
    return {seconds, probe.LongestMs()};
}

int Run() {
    constexpr int groups = 2000;
    const std::filesystem::path module =
        WindowsPath(std::filesystem::path(QUILLMERE_FIXTURE_DIR) / "many_groups.dll");
    const std::filesystem::path batchFolder =
        std::filesystem::path(QUILLMERE_EXE_PATH).parent_path() / L"ico图标";
    std::filesystem::remove_all(batchFolder);

    RunningProgram program(QUILLMERE_EXE_PATH);
    HWND window = program.WaitForMainWindow();
    if (!window)
        return std::puts("the program did not show its window"), 1;
    HWND list = IconList(window);
    if (!ChooseSource(program, window, module))
        return std::puts("no open dialog"), 1;
    const Measurement listing = MeasureUntil(window, [&] { return ItemCount(list) == groups; });

    ClickButton(window, L"批量保存");
    HWND question = program.WaitForMessageBox();
    if (!question)
        return std::puts("no batch question"), 1;
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    const Measurement batch =
        MeasureUntil(window, [&] { return IconFilesIn(batchFolder) == groups; });
    const size_t written = IconFilesIn(batchFolder);
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.WaitForExit();
    std::filesystem::remove_all(batchFolder);

    std::printf("module: %d icon groups\n", groups);
    std::printf("listing: %.1f s in all; longest time the window took to answer: %.1f ms\n",
                listing.seconds, listing.longestAnswerMs);
    std::printf(
        "batch:   %.1f s in all for %zu files; longest time the window took to answer: %.1f ms\n",
        batch.seconds, written, batch.longestAnswerMs);
    return 0;
}

}  // namespace
}  // namespace quillmere::e2e

int main() {
    return quillmere::e2e::Run();
}
