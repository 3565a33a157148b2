#include "support/win32/shutdown_stand_in.h"

#include "support/win32/test_folders.h"
#include "support/win32/wine.h"

namespace tc::test {
namespace {

constexpr const wchar_t* kOverrideKey = L"Software\\Wine\\DllOverrides";
constexpr const wchar_t* kOverrideValue = L"shutdown.exe";

}  // namespace

ShutdownStandIn::ShutdownStandIn(const std::wstring& recorderPath, const std::wstring& logPath) {
    if (!RunningUnderWine()) return;
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    shutdownPath_ = std::wstring(system) + L"\\shutdown.exe";
    hadOriginal_ = FileExists(shutdownPath_);
    original_ = FileBytes(shutdownPath_);
    if (hadOriginal_ && original_.empty()) return;  // unreadable: it could not be put back

    replaced_ = CopyFileW(recorderPath.c_str(), shutdownPath_.c_str(), FALSE) != 0;
    if (!replaced_) return;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kOverrideKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &overrides_,
                        &disposition_) != ERROR_SUCCESS)
        return;
    wchar_t old[64];
    DWORD size = sizeof old, type = 0;
    hadOverride_ = RegQueryValueExW(overrides_, kOverrideValue, nullptr, &type,
                                    reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
                   type == REG_SZ;
    if (hadOverride_) oldOverride_.assign(old, size / sizeof(wchar_t));
    const wchar_t native[] = L"native";
    overridden_ =
        RegSetValueExW(overrides_, kOverrideValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(native),
                       sizeof native) == ERROR_SUCCESS;
    SetEnvironmentVariableW(L"TC_RECORDER_LOG", logPath.c_str());
    ready_ = overridden_ && FileBytes(shutdownPath_) == FileBytes(recorderPath);
}

ShutdownStandIn::~ShutdownStandIn() {
    SetEnvironmentVariableW(L"TC_RECORDER_LOG", nullptr);
    RestoreOverride();
    RestoreFile();
}

void ShutdownStandIn::RestoreOverride() {
    if (overridden_) {
        if (hadOverride_)
            RegSetValueExW(overrides_, kOverrideValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(oldOverride_.data()),
                           static_cast<DWORD>(oldOverride_.size() * sizeof(wchar_t)));
        else
            RegDeleteValueW(overrides_, kOverrideValue);
    }
    if (overrides_ != nullptr) RegCloseKey(overrides_);
    if (disposition_ == REG_CREATED_NEW_KEY) RegDeleteKeyW(HKEY_CURRENT_USER, kOverrideKey);
}

void ShutdownStandIn::RestoreFile() {
    if (!replaced_) return;
    if (!hadOriginal_) {
        DeleteFileW(shutdownPath_.c_str());
        return;
    }
    WriteFileBytes(shutdownPath_, original_);
}

}  // namespace tc::test
