#include "platform/win32/system_library.h"

#include <string>

namespace tc {

HMODULE LoadSystemLibrary(const wchar_t* name, LoadLibraryExFn load) {
    if (HMODULE module = load(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    // The flag is unknown to this system: the full path names the one file meant. Its own
    // libraries are then looked for first beside it, in the system folder too.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return load(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace tc
