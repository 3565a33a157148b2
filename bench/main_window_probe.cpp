// Looks at the running Tallowcron's main window from outside, for bench/window_bench.sh, and
// prints one line of what it finds:
//   main window: visible 1, minimised 0, clock running 1, error boxes 0
// "clock running" means the toolbar's Start button ("开始") is disabled and its Stop button
// ("停止") enabled, as the program leaves them after starting its clock; "error boxes" counts the
// message boxes its process has open (a settings value that failed to load shows one).
//
//   main_window_probe            the line above
//   main_window_probe minimise   first minimises the window as its minimise button does (the
//                                program then hides it into the notification area), waits up to
//                                5 s for it to be hidden, then prints the line
// Exit code 0 when the window was found, 1 when not.
#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "support/win32/top_level_windows.h"

namespace {

// The first descendant of `parent` with the text `text`.
HWND FindChildWithText(HWND parent, const wchar_t* text) {
    struct Search {
        const wchar_t* text;
        HWND found;
    } search{text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t buffer[64] = {};
            GetWindowTextW(window, buffer, 64);
            if (std::wstring_view(buffer) != s->text) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<HWND> forms = tc::test::TopLevelWindowsOf(0, L"TForm1");
    if (forms.empty()) {
        std::printf("main window: not found\n");
        return 1;
    }
    const HWND form = forms.front();
    if (argc > 1 && std::wstring_view(argv[1]) == L"minimise") {
        PostMessageW(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        for (int i = 0; i < 100 && IsWindowVisible(form); ++i) Sleep(50);
    }
    const HWND start = FindChildWithText(form, L"开始");
    const HWND stop = FindChildWithText(form, L"停止");
    const bool running =
        start != nullptr && stop != nullptr && !IsWindowEnabled(start) && IsWindowEnabled(stop);
    DWORD pid = 0;
    GetWindowThreadProcessId(form, &pid);
    std::printf("main window: visible %d, minimised %d, clock running %d, error boxes %d\n",
                IsWindowVisible(form) ? 1 : 0, IsIconic(form) ? 1 : 0, running ? 1 : 0,
                static_cast<int>(tc::test::TopLevelWindowsOf(pid, L"#32770", true).size()));
    return 0;
}
