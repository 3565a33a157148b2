// The program that the soak's slots start: it appends one line, the moment it started in
// milliseconds since 1970 (UTC), to its own path with ".log" added, and ends. A window program,
// so that starting it opens no console.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const long long ticks = static_cast<long long>(
        (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    const std::string line = std::to_string((ticks - 116444736000000000LL) / 10000) + "\r\n";

    std::wstring path(MAX_PATH * 2, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH * 2));
    path += L".log";
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
