#include "app/single_instance.h"

#include <cstdint>

#include "app/main_window.h"

namespace tc {
namespace {

// How long a second start looks for the running copy's window while that copy is starting,
// and how often.
constexpr ULONGLONG kWaitForWindowMs = 10000;
constexpr DWORD kLookAgainMs = 100;
// How long the running copy has to answer; a copy that does not (it is hung) is left alone and
// this start ends all the same: a second scheduler must not run beside it.
constexpr UINT kAnswerTimeoutMs = 5000;

// The folder of an executable (with its final backslash) in one spelling for all the ways of
// writing it: long names for 8.3 short ones, upper case, since file names compare without it.
std::wstring FolderKey(const std::wstring& exePath) {
    std::wstring folder = exePath.substr(0, exePath.find_last_of(L"\\/") + 1);
    const DWORD longSize = GetLongPathNameW(folder.c_str(), nullptr, 0);
    if (longSize != 0) {
        std::wstring longer(longSize, L'\0');
        const DWORD length = GetLongPathNameW(folder.c_str(), longer.data(), longSize);
        if (length != 0 && length < longSize) folder.assign(longer, 0, length);
    }
    // The invariant upper case: the one the file system's own comparison is closest to.
    const int size =
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, folder.c_str(),
                      static_cast<int>(folder.size()), nullptr, 0, nullptr, nullptr, 0);
    if (size <= 0) return folder;
    std::wstring upper(static_cast<size_t>(size), L'\0');
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, folder.c_str(),
                  static_cast<int>(folder.size()), upper.data(), size, nullptr, nullptr, 0);
    return upper;
}

// FNV-1a over the UTF-16 code units.
std::uint64_t Hash(const std::wstring& text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const wchar_t unit : text) {
        const auto code = static_cast<unsigned>(unit);
        for (const unsigned byte : {code & 0xFFU, code >> 8U}) {
            hash ^= byte;
            hash *= 1099511628211ULL;
        }
    }
    return hash;
}

// The full path of a process's executable; empty when it cannot be read.
std::wstring ImageOf(DWORD pid) {
    const UniqueKernelHandle process =
        OwnKernelHandle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return {};
    std::wstring path(32768, L'\0');
    auto size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) return {};
    path.resize(size);
    return path;
}

// The main window of another process whose executable lies in the folder.
struct WindowSearch {
    const std::wstring& folderKey;
    HWND window = nullptr;
    DWORD pid = 0;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring_view(className) != MainWindow::kClassName) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    const std::wstring image = ImageOf(pid);
    if (image.empty() || FolderKey(image) != search.folderKey) return TRUE;
    search.window = hwnd;
    search.pid = pid;
    return FALSE;
}

enum class Answer { Shown, Hung, NotYet };

// Asks the main window of the copy running from the folder to come to the front.
Answer AskRunningCopyToShow(const std::wstring& folderKey) {
    WindowSearch search{folderKey};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.window) return Answer::NotYet;
    // This start was given the right to take the foreground (the user started it): pass it on.
    AllowSetForegroundWindow(search.pid);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(search.window, ShowRunningCopyMessage(), 0, 0,
                            SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer) == 0)
        return IsWindow(search.window) ? Answer::Hung : Answer::NotYet;
    return static_cast<LRESULT>(answer) == kRunningCopyShown ? Answer::Shown : Answer::NotYet;
}

}  // namespace

UINT ShowRunningCopyMessage() {
    static const UINT message = RegisterWindowMessageW(L"Tallowcron.ShowWindow");
    return message;
}

std::wstring FolderMutexName(const std::wstring& exePath) {
    wchar_t hex[17] = {};
    swprintf(hex, 17, L"%016llx", static_cast<unsigned long long>(Hash(FolderKey(exePath))));
    return std::wstring(L"Local\\Tallowcron-") + hex;
}

std::optional<UniqueKernelHandle> ClaimFolderOrShowRunningCopy(const std::wstring& exePath) {
    const std::wstring name = FolderMutexName(exePath);
    const std::wstring folderKey = FolderKey(exePath);
    const ULONGLONG giveUp = GetTickCount64() + kWaitForWindowMs;
    for (;;) {
        // Making the mutex and learning whether it was there already is one step of the system:
        // of two starts at the same instant, one makes it and the other finds it.
        UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
        const DWORD error = GetLastError();
        // A copy run as administrator makes a mutex that others may not open: taken all the same.
        const bool taken = mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
        if (!taken) return mutex;
        // Let go of it while waiting, so that it goes when the running copy ends.
        mutex.Reset();
        if (AskRunningCopyToShow(folderKey) != Answer::NotYet) return std::nullopt;
        if (GetTickCount64() >= giveUp) return std::nullopt;
        Sleep(kLookAgainMs);
    }
}

}  // namespace tc
