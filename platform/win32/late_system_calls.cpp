#include "platform/win32/late_system_calls.h"

#include "platform/win32/system_library.h"

namespace tc {
namespace {

// The address of `name` in the system library `library`, loaded from the system folder (never
// from the program's own folder) on the first call; nullptr when either is missing. A library
// loaded here stays loaded for the rest of the run.
template <typename Fn>
Fn SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = LoadSystemLibrary(library);
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

BOOL WINAPI LateShellNotifyIcon(DWORD message, PNOTIFYICONDATAW data) {
    static const auto call =
        SystemFunction<decltype(&Shell_NotifyIconW)>(L"shell32.dll", "Shell_NotifyIconW");
    return call ? call(message, data) : FALSE;
}

HINSTANCE LateShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file,
                           const wchar_t* parameters, const wchar_t* folder, int show) {
    static const auto call =
        SystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    // The shell's own answer for a system it could not use: out of memory or resources.
    if (!call) return nullptr;
    return call(owner, verb, file, parameters, folder, show);
}

BOOL WINAPI LateGetOpenFileName(OPENFILENAMEW* dialog) {
    static const auto call =
        SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    return call ? call(dialog) : FALSE;
}

BOOLEAN WINAPI LateSetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsOff) {
    using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    static const auto call = SystemFunction<SetSuspendStateFn>(L"powrprof.dll", "SetSuspendState");
    if (!call) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return call(hibernate, force, wakeEventsOff);
}

}  // namespace tc
