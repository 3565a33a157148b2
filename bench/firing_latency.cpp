// How soon after the start of its second a target acts, in real time on real Win32 timers: the
// program slots are given 60 targets one second apart (five slots, each set to its next target
// as soon as it has acted), the slot and power timers run as the main window runs them (a window
// timer re-armed on every tick for just after the next second), and the real clock decides.
// Prints how many milliseconds after the start of its second each target acted (median, p99,
// max) and how many were missed. Runs for about 70 seconds; run it under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/scheduler.h"
#include "platform/win32/win32_clock.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_files.h"
#include "support/fakes/fake_input.h"
#include "support/fakes/fake_locale.h"
#include "support/fakes/fake_power_actions.h"
#include "support/fakes/fake_processes.h"
#include "support/fakes/fake_shell.h"
#include "support/fakes/memory_control_values.h"

namespace tc {
namespace {

constexpr int kTargets = 60;
constexpr int kSlots = 5;

UINT_PTR TimerKey(TimerId id) { return 1 + static_cast<UINT_PTR>(id); }

// The scheduling timers as window timers of one window, re-armed with SetTimer on every tick.
class WindowTimers : public Timers {
public:
    explicit WindowTimers(HWND window) : window_(window) {}
    void Enable(TimerId id, bool on) override {
        enabled_[static_cast<int>(id)] = on;
        if (on)
            SetTimer(window_, TimerKey(id), 1000, nullptr);
        else
            KillTimer(window_, TimerKey(id));
    }
    bool Enabled(TimerId id) const override { return enabled_[static_cast<int>(id)]; }
    void ArmNext(TimerId id, int delayMs) override {
        if (Enabled(id)) SetTimer(window_, TimerKey(id), static_cast<UINT>(delayMs), nullptr);
    }

private:
    HWND window_;
    bool enabled_[3] = {};
};

std::int64_t NowMs(Clock& clock) { return ToMilliseconds(FromLocalTime(clock.Now())); }

struct Bench {
    Win32Clock clock;
    FakeLocale locale;
    Moments moments{clock, locale};
    MemoryControlValues form;
    FakeShell shell;
    FakeProcesses processes;
    FakeInput input;
    FakePowerActions powerActions;
    FakeFiles files;
    FakeCodePage codePage;
    CommandLog commandLog{clock, files, codePage};
    HWND window = nullptr;
    WindowTimers* timers = nullptr;
    Scheduler* scheduler = nullptr;

    std::vector<std::int64_t> targetSecond;  // per target
    std::vector<std::int64_t> actedMs;       // per target, -1 until it acts
    int nextForSlot[kSlots + 1] = {};        // the target each slot is set to

    void SetSlot(int row, int target) {
        nextForSlot[row] = target;
        const TDateTime moment = FromWholeSeconds(targetSecond[target]);
        form.SetDateTime("FSetDate" + std::to_string(row), DateOf(moment));
        form.SetDateTime("FSetTime" + std::to_string(row), TimeOf(moment));
    }
};

Bench* g_bench = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER || g_bench == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (wParam == TimerKey(TimerId::Slots)) g_bench->scheduler->SlotTick();
    if (wParam == TimerKey(TimerId::Power)) g_bench->scheduler->PowerTick();
    return 0;
}

int Run() {
    Bench bench;
    g_bench = &bench;
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TallowcronLatencyBench";
    RegisterClassW(&wc);
    bench.window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   wc.hInstance, nullptr);
    if (bench.window == nullptr) return 1;
    WindowTimers timers(bench.window);
    Scheduler scheduler(
        bench.form, bench.moments,
        {bench.shell, bench.processes, bench.input, timers, bench.powerActions, bench.commandLog});
    bench.timers = &timers;
    bench.scheduler = &scheduler;

    // Targets one a second, starting three seconds from now; slot N takes targets N-1, N+4, ...
    const std::int64_t first = NowMs(bench.clock) / 1000 + 3;
    for (int k = 0; k < kTargets; ++k) bench.targetSecond.push_back(first + k);
    bench.actedMs.assign(kTargets, -1);
    for (int row = 1; row <= kSlots; ++row) {
        bench.form.SetText("Edit" + std::to_string(row), "C:\\bench\\slot" + std::to_string(row));
        bench.form.SetChecked("chk" + std::to_string(row), true);
        bench.SetSlot(row, row - 1);
    }
    bench.shell.onOpen = [&bench](const ShellCall& call) {
        const int row = call.file.back() - '0';
        const int target = bench.nextForSlot[row];
        bench.actedMs[target] = NowMs(bench.clock);
        // Set the slot to its next target; the tick has already read the rows.
        if (target + kSlots < kTargets) bench.SetSlot(row, target + kSlots);
    };

    std::printf("targets: %d, one a second from the next seconds on; about %d s\n", kTargets,
                kTargets + 6);
    std::fflush(stdout);
    scheduler.StartScheduling();
    const std::int64_t endMs = (bench.targetSecond.back() + 3) * 1000;
    MSG msg;
    while (NowMs(bench.clock) < endMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    scheduler.StopScheduling();

    std::vector<std::int64_t> late;
    int missed = 0, early = 0;
    for (int k = 0; k < kTargets; ++k) {
        if (bench.actedMs[k] < 0) {
            ++missed;
            continue;
        }
        const std::int64_t after = bench.actedMs[k] - bench.targetSecond[k] * 1000;
        if (after < 0) ++early;
        late.push_back(after);
    }
    std::sort(late.begin(), late.end());
    if (!late.empty()) {
        const auto at = [&late](double q) {
            return late[std::min(late.size() - 1,
                                 static_cast<std::size_t>(q * (late.size() - 1) + 0.5))];
        };
        std::printf(
            "acted: %zu of %d; ms after the start of the target's second: "
            "median %lld, p99 %lld, max %lld, min %lld\n",
            late.size(), kTargets, static_cast<long long>(at(0.5)),
            static_cast<long long>(at(0.99)), static_cast<long long>(late.back()),
            static_cast<long long>(late.front()));
    }
    std::printf("missed: %d, acted before their second: %d, shell calls: %zu\n", missed, early,
                bench.shell.calls.size());
    DestroyWindow(bench.window);
    g_bench = nullptr;
    return missed == 0 ? 0 : 2;
}

}  // namespace
}  // namespace tc

int main() { return tc::Run(); }
