// What one line appended to the information box costs on the real main window, as the box
// grows: empty, at 10,000 lines and at 100,000 lines, with the window on the screen and hidden
// in the notification area. Each figure is the median of 100 appends. Shown, each is timed twice:
// the call alone, and together with the messages it leaves behind (the repaint), as a timer tick
// of the program sees it; the repaint comes in whole screen refreshes, so the second figure moves
// in steps of one. The box is filled to its size in one go; the last line gives the growth from
// 10,000 to 100,000 lines.
// Hidden, the program holds appended lines and puts them into the box when the window is shown
// again; so the cost of that show (the 100 held lines going in, the window's first paint) is
// printed beside them, with the box's line count after it.
// Run it under Wine with a display; it saves nothing (no config.ini is written).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app_window.h"
#include "app/main_window.h"
#include "app/win32_control_values.h"
#include "core/controls.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"

namespace tc {
namespace {

constexpr int kAppends = 100;
const std::string kLine = "打开程序-C:\\Tools\\定时程序.exe-执行时间-2026/12/8 18:38:18";
const std::wstring kWideLine = L"打开程序-C:\\Tools\\定时程序.exe-执行时间-2026/12/8 18:38:18";

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs every message waiting for this thread, paints included.
void RunPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void RunMessagesFor(int ms) {
    const double end = Now() + ms;
    while (Now() < end) {
        RunPendingMessages();
        Sleep(5);
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Fills the box with `lines` lines in one replacement of its text; returns the milliseconds.
double Fill(HWND memo, int lines) {
    std::wstring text;
    text.reserve(static_cast<size_t>(lines) * (kWideLine.size() + 2));
    for (int i = 0; i < lines; ++i) text += kWideLine + L"\r\n";
    const double start = Now();
    SetWindowTextW(memo, text.c_str());
    RunPendingMessages();
    return Now() - start;
}

// Median milliseconds of one append: the call itself, and with the messages it leaves behind.
struct Cost {
    double call = 0;
    double withRepaint = 0;
};

Cost AppendCost(Win32ControlValues& form) {
    std::vector<double> calls;
    std::vector<double> totals;
    for (int i = 0; i < kAppends; ++i) {
        const double start = Now();
        form.AppendActivityLine(kLine);
        const double called = Now();
        RunPendingMessages();
        calls.push_back(called - start);
        totals.push_back(Now() - start);
    }
    return {Median(calls), Median(totals)};
}

int Run(HINSTANCE instance) {
    AppWindow app(instance);
    Win32Clock clock;
    Win32Locale locale;
    Win32Files files;
    Win32CodePage codePage;
    Win32Processes processes;
    Win32Input input;
    Win32Registry registry;
    MainWindowPorts ports{clock, locale, files, codePage, processes, input, registry};
    ports.appWindow = app.Handle();
    ports.quitOnClose = false;
    MainWindow window(instance, ports);
    if (!window.Create()) {
        std::printf("the main window could not be created\n");
        return 1;
    }
    window.Show();
    RunMessagesFor(1500);
    const HWND memo = window.Control(kActivityMemo);

    std::printf(
        "activity-log append, median of %d appends (ms): the call alone, and with the"
        " repaint it leaves\n",
        kAppends);
    std::printf("%10s %12s %10s %10s %12s %10s %10s %12s\n", "lines", "characters", "fill ms",
                "shown", "+ repaint", "hidden", "in box", "shown again");
    std::vector<Cost> shownCosts;
    std::vector<double> hiddenCosts;
    for (int lines : {0, 10000, 100000}) {
        const double fill = Fill(memo, lines);
        const LRESULT characters = GetWindowTextLengthW(memo);
        ShowWindow(window.Handle(), SW_SHOWNORMAL);
        RunMessagesFor(300);
        const Cost shown = AppendCost(window.Values());
        ShowWindow(window.Handle(), SW_MINIMIZE);  // the window hides itself into the tray
        RunMessagesFor(300);
        const bool hidden = !IsWindowVisible(window.Handle());
        const Cost hiddenCost = AppendCost(window.Values());
        const double showStart = Now();
        window.RestoreFromTray();
        RunPendingMessages();
        const double shownAgain = Now() - showStart;
        const LRESULT inBox = SendMessageW(memo, EM_GETLINECOUNT, 0, 0) - 1;
        RunMessagesFor(300);
        std::printf("%10d %12ld %10.1f %10.3f %12.3f %10.3f %10ld %12.3f%s\n", lines,
                    static_cast<long>(characters), fill, shown.call, shown.withRepaint,
                    hiddenCost.withRepaint, static_cast<long>(inBox), shownAgain,
                    hidden ? "" : " (not hidden)");
        shownCosts.push_back(shown);
        hiddenCosts.push_back(hiddenCost.withRepaint);
    }
    // The growth the box's size brings: 100,000 lines against 10,000.
    std::printf(
        "append at 100000 lines against 10000: shown, the call %.2f, with its repaint %.2f;"
        " hidden %.2f\n",
        shownCosts[2].call / shownCosts[1].call,
        shownCosts[2].withRepaint / shownCosts[1].withRepaint, hiddenCosts[2] / hiddenCosts[1]);
    DestroyWindow(window.Handle());
    return 0;
}

}  // namespace
}  // namespace tc

int wmain() { return tc::Run(GetModuleHandleW(nullptr)); }
