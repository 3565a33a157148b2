// Stands in for shutdown.exe in tests: appends its own command line, as one UTF-8 line, to the
// file named by TC_RECORDER_LOG (or recorder_log.txt beside itself) and does nothing else.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring LogPath() {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(L"TC_RECORDER_LOG", buffer, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) return std::wstring(buffer, n);
    std::wstring self(MAX_PATH * 2, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH * 2));
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"recorder_log.txt";
}

}  // namespace

int wmain() {
    const std::string line = Utf8(GetCommandLineW()) + "\n";
    HANDLE file = CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
