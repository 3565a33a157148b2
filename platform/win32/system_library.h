#pragma once
// Loading a system library from the system folder only, never from the program's folder or the
// current folder, where a planted file of the same name would be loaded in its place.
#include <windows.h>

namespace tc {

// Loads the system library `name` (a file name: L"shell32.dll"). LOAD_LIBRARY_SEARCH_SYSTEM32
// keeps the search to the system folder where the system knows that flag (Windows 8 on, and
// Windows 7 with update KB2533623). A Windows 7 without that update refuses the flag with
// ERROR_INVALID_PARAMETER; the library is then loaded by its full path in the system folder.
// nullptr when it cannot be loaded either way. `load` is LoadLibraryExW, a parameter so that tests
// can refuse the flag as that Windows 7 does.
using LoadLibraryExFn = HMODULE(WINAPI*)(LPCWSTR name, HANDLE file, DWORD flags);
HMODULE LoadSystemLibrary(const wchar_t* name, LoadLibraryExFn load = LoadLibraryExW);

}  // namespace tc
