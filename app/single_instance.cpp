#include "app/single_instance.h"

#include <cwchar>

#include "app/main_window.h"

namespace tc {
namespace {

// How long a second start waits for a running copy that has not shown its window yet, and how
// often it looks again meanwhile.
constexpr ULONGLONG kWaitForFirstShowMs = 5ULL * 60 * 1000;
constexpr DWORD kLookAgainMs = 100;
// How long the running copy has to answer one request; a copy that does not (it is busy starting,
// or hung) is asked again until the wait is over.
constexpr UINT kAnswerTimeoutMs = 5000;

// The main window of another process that carries the folder's property.
struct WindowSearch {
    const std::wstring& identity;
    HWND window = nullptr;
    DWORD pid = 0;
};

BOOL CALLBACK CheckWindow(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring_view(className) != MainWindow::kClassName) return TRUE;
    if (GetPropW(hwnd, search.identity.c_str()) == nullptr) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    search.window = hwnd;
    search.pid = pid;
    return FALSE;
}

// Asks the main window of the copy that holds the folder to come to the front; true once it has.
bool RunningCopyShown(const std::wstring& identity) {
    WindowSearch search{identity};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.window) return false;
    // This start was given the right to take the foreground (the user started it): pass it on.
    AllowSetForegroundWindow(search.pid);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(search.window, ShowRunningCopyMessage(), 0, 0,
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer) != 0 &&
           static_cast<LRESULT>(answer) == kRunningCopyShown;
}

}  // namespace

UINT ShowRunningCopyMessage() {
    static const UINT message = RegisterWindowMessageW(L"Tallowcron.ShowWindow");
    return message;
}

std::wstring FolderIdentity(const std::wstring& folder) {
    // Only the folder's attributes are read, and every kind of sharing is allowed, so that the
    // folder stays free for anything else; a folder opens only with backup semantics.
    const UniqueKernelHandle handle =
        OwnKernelHandle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) return {};
    // A file system that gives every file the index 0 cannot tell one folder from another.
    if (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0) return {};
    wchar_t identity[40] = {};
    swprintf(identity, 40, L"Tallowcron-%08lx-%08lx%08lx", info.dwVolumeSerialNumber,
             info.nFileIndexHigh, info.nFileIndexLow);
    return identity;
}

std::optional<FolderClaim> ClaimFolderOrShowRunningCopy(const std::wstring& exePath,
                                                        bool bringForward) {
    const std::wstring identity =
        FolderIdentity(exePath.substr(0, exePath.find_last_of(L"\\/") + 1));
    if (identity.empty()) return FolderClaim{};
    const std::wstring name = L"Local\\" + identity;
    const ULONGLONG giveUp = GetTickCount64() + kWaitForFirstShowMs;
    for (;;) {
        // Making the mutex and learning whether it was there already is one step of the system:
        // of two starts at the same instant, one makes it and the other finds it.
        UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
        const DWORD error = GetLastError();
        // A copy run as administrator makes a mutex that others may not open: taken all the same.
        const bool taken = mutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
        if (!taken) {
            const bool held = static_cast<bool>(mutex);
            return FolderClaim{std::move(mutex), held ? identity : std::wstring()};
        }
        if (!bringForward) return std::nullopt;
        // Let go of it while waiting, so that it goes when the running copy ends.
        mutex.Reset();
        if (RunningCopyShown(identity)) return std::nullopt;
        if (GetTickCount64() >= giveUp) return std::nullopt;
        Sleep(kLookAgainMs);
    }
}

}  // namespace tc
