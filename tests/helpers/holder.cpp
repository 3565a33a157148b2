// Holds a file open the way another program may: for reading and writing and shared with nobody,
// so every other open of it fails until this program ends. The file is named by the first
// argument (created when missing); it is held for the number of seconds in the second argument
// (60 when none), or until the program is ended. Exits with 1 when the file cannot be opened.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const long seconds = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 60;
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseHandle(file);
    return 0;
}
