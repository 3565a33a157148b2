// Leaves a marker to show it was started: writes "started" to the file named by its first
// argument, or to its own path with ".marker" appended when it has no argument.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    std::wstring path;
    if (argc > 1) {
        path = argv[1];
    } else {
        path.resize(MAX_PATH * 2);
        path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH * 2));
        path += L".marker";
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const char text[] = "started";
    DWORD written = 0;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    CloseHandle(file);
    return 0;
}
