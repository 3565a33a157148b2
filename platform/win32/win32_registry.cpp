#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/errors.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// Opens (creating when missing) the key for full access in the 32-bit view; false when refused.
bool OpenForFullAccess(const std::wstring& path, UniqueRegistryKey& key) {
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                           KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key.Receive(),
                           nullptr) == ERROR_SUCCESS;
}

}  // namespace

Win32Registry::Win32Registry()
    : Win32Registry(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run") {}

Win32Registry::Win32Registry(std::wstring keyPath) : keyPath_(std::move(keyPath)) {}

void Win32Registry::SetRunValue(const std::string& name, const std::string& data) {
    UniqueRegistryKey key;
    if (!OpenForFullAccess(keyPath_, key)) throw RegistryError(name);
    const std::wstring text = Widen(data);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key.Get(), Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()), bytes) != ERROR_SUCCESS)
        throw RegistryError(name);
}

void Win32Registry::DeleteRunValue(const std::string& name) {
    UniqueRegistryKey key;
    if (!OpenForFullAccess(keyPath_, key)) return;
    RegDeleteValueW(key.Get(), Widen(name).c_str());
}

}  // namespace tc
