// The functions that Windows versions after 7 added, on both branches: found where the system
// has them (Wine has every one), and what the program does on a Windows 7 that lacks them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <string>
#include <vector>

#include "platform/win32/system_functions.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// The lookup on Windows 7: none of the newer functions is there.
FARPROC FindNothing(const wchar_t* /*library*/, const char* /*name*/) { return nullptr; }

ULONGLONG Ticks(const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

TEST(PreciseClock, ThePreciseClockWhereTheSystemHasItAndTheOrdinaryOneOnWindows7) {
    const auto precise = reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime"));
    ASSERT_NE(precise, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(PreciseSystemTimeFunction()), precise);

    // Either clock tells the system time. The ordinary clock moves in steps of the timer tick
    // (up to 16 ms), so the precise one may be up to a step ahead of it.
    constexpr ULONGLONG kStep = 16 * 10000;
    for (const FindSystemFunctionFn find : {FindSystemFunction, FindNothing}) {
        SCOPED_TRACE(find == FindNothing ? "Windows 7" : "this system");
        const SystemTimeFn systemTime = PreciseSystemTimeFunction(find);
        ASSERT_NE(systemTime, nullptr);
        FILETIME before{};
        FILETIME now{};
        FILETIME after{};
        GetSystemTimeAsFileTime(&before);
        systemTime(&now);
        GetSystemTimeAsFileTime(&after);
        EXPECT_LE(Ticks(before), Ticks(now));
        EXPECT_LE(Ticks(now), Ticks(after) + kStep);
    }
}

// What a loader was asked: the name and the flags of each call.
struct LoadCall {
    std::wstring name;
    DWORD flags;
};
std::vector<LoadCall>& LoadCalls() {
    static std::vector<LoadCall> calls;
    return calls;
}

constexpr DWORD kSearchFlags = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR |
                               LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_USER_DIRS |
                               LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;

// LoadLibraryExW of Windows 8 and later (and of Windows 7 with update KB2533623).
HMODULE WINAPI LoadWithSearchFlags(LPCWSTR name, HANDLE file, DWORD flags) {
    LoadCalls().push_back({name, flags});
    return LoadLibraryExW(name, file, flags);
}

// LoadLibraryExW of a Windows 7 without that update: it refuses the search flags.
HMODULE WINAPI LoadWithoutSearchFlags(LPCWSTR name, HANDLE file, DWORD flags) {
    LoadCalls().push_back({name, flags});
    if ((flags & kSearchFlags) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryExW(name, file, flags);
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return Lower(std::wstring(folder, length)) + L"\\";
}

// Whatever the system knows of the search flags, a system library comes from the system folder,
// and the loader is never asked for a bare name that it may look for elsewhere (the program's
// folder, the current folder) first.
TEST(SystemLibrary, ComesFromTheSystemFolderWithOrWithoutTheSafeSearchFlags) {
    const std::wstring system = SystemFolder();
    for (const LoadLibraryExFn load : {LoadWithSearchFlags, LoadWithoutSearchFlags}) {
        SCOPED_TRACE(load == LoadWithoutSearchFlags ? "Windows 7 without the update"
                                                    : "with the search flags");
        LoadCalls().clear();
        const HMODULE module = LoadSystemLibrary(L"comdlg32.dll", load);
        ASSERT_NE(module, nullptr);
        wchar_t path[MAX_PATH];
        const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
        EXPECT_EQ(Lower(std::wstring(path, length)), system + L"comdlg32.dll");
        ASSERT_FALSE(LoadCalls().empty());
        for (const LoadCall& call : LoadCalls()) {
            SCOPED_TRACE("asked for " + Narrow(call.name));
            EXPECT_TRUE((call.flags & LOAD_LIBRARY_SEARCH_SYSTEM32) != 0 ||
                        Lower(call.name) == system + L"comdlg32.dll");
        }
        FreeLibrary(module);
    }
}

}  // namespace
}  // namespace tc
