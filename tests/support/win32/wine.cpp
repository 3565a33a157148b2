#include "support/win32/wine.h"

#include <windows.h>

namespace tc::test {

const char* WineVersion() {
    using GetVersionFn = const char*(CDECL*)();
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto getVersion = ntdll ? reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(
                                        GetProcAddress(ntdll, "wine_get_version")))
                                  : nullptr;
    return getVersion ? getVersion() : nullptr;
}

bool RunningUnderWine() { return WineVersion() != nullptr; }

std::string UnixPathOf(const std::wstring& windowsPath) {
    // Wine's own export; its answer is on the process heap.
    using ToUnixFn = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnixFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* unixName = toUnix ? toUnix(windowsPath.c_str()) : nullptr;
    if (!unixName) return {};
    std::string path(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace tc::test
