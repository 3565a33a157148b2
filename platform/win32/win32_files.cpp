#include "platform/win32/win32_files.h"

#include <windows.h>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// Closes a file now; false when closing failed (the last writes may not have reached the
// disk).
bool Close(UniqueKernelHandle& file) { return CloseHandle(file.Release()) != 0; }

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD most = 1U << 30;
        const DWORD chunk = bytes.size() > most ? most : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// The last error, never "success": a write that wrote nothing without an error still failed.
DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : fallback;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

// Windows refuses to write to a read-only file or to move another file over it. Wine, run as
// root, allows both (it leaves the check to the Unix permissions, which root passes), so the
// attribute is checked here and the refusal is the same everywhere.
bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string Win32Files::ExePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) ThrowLastError();
        // A full buffer means the path may have been cut short: try again with more room.
        if (length < size) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32Files::DirectoryExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::CreateFolder(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

bool Win32Files::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::Append(const std::string& path, std::string_view bytes) {
    if (IsReadOnly(Widen(path))) return false;
    UniqueKernelHandle file =
        OwnKernelHandle(CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (!WriteAll(file.Get(), bytes)) return false;
    return Close(file);
}

std::optional<std::string> Win32Files::ReadAll(const std::string& path) {
    UniqueKernelHandle file = OwnKernelHandle(
        CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
        ThrowSystemError(error);
    }
    std::string content;
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) ThrowLastError();
        if (read == 0) return content;
        content.append(chunk, read);
    }
}

void Win32Files::ReplaceWhole(const std::string& path, std::string_view bytes) {
    const std::wstring target = Widen(path);
    if (IsReadOnly(target)) ThrowSystemError(ERROR_ACCESS_DENIED);

    // One temporary name beside the target, so the final move stays on one volume. A save that
    // was killed half-way leaves it behind; the next save writes over it and moves it away.
    const std::wstring temp = target + L".tmp";

    DWORD error = ERROR_SUCCESS;
    {
        UniqueKernelHandle file =
            OwnKernelHandle(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.Get(), bytes) || !FlushFileBuffers(file.Get()) || !Close(file))
            error = LastErrorOr(ERROR_WRITE_FAULT);
    }
    if (error == ERROR_SUCCESS && !MoveFileExW(temp.c_str(), target.c_str(),
                                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = LastErrorOr(ERROR_ACCESS_DENIED);
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        ThrowSystemError(error);
    }
}

}  // namespace tc
