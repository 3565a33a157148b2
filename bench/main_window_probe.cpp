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

namespace {

HWND FindTopLevel(const wchar_t* className, DWORD pid = 0) {
    struct Search {
        const wchar_t* className;
        DWORD pid;
        HWND found;
    } search{className, pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (std::wstring_view(name) != s->className || (s->pid != 0 && owner != s->pid))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountTopLevel(const wchar_t* className, DWORD pid) {
    struct Count {
        const wchar_t* className;
        DWORD pid;
        int found;
    } count{className, pid, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* c = reinterpret_cast<Count*>(data);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == c->pid && std::wstring_view(name) == c->className &&
                IsWindowVisible(window))
                ++c->found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.found;
}

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
    const HWND form = FindTopLevel(L"TForm1");
    if (form == nullptr) {
        std::printf("main window: not found\n");
        return 1;
    }
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
                CountTopLevel(L"#32770", pid));
    return 0;
}
