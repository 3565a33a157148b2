#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/errors.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

// An open registry key, closed on every path.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* receive() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Opens (creating when missing) the key for full access in the 32-bit view; false when refused.
bool OpenForFullAccess(const std::wstring& path, RegistryKey& key) {
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                           KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key.receive(),
                           nullptr) == ERROR_SUCCESS;
}

}  // namespace

Win32Registry::Win32Registry()
    : Win32Registry(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run") {}

Win32Registry::Win32Registry(std::wstring keyPath) : keyPath_(std::move(keyPath)) {}

void Win32Registry::SetRunValue(const std::string& name, const std::string& data) {
    RegistryKey key;
    if (!OpenForFullAccess(keyPath_, key)) throw RegistryError(name);
    const std::wstring text = Widen(data);
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key.get(), Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()), bytes) != ERROR_SUCCESS)
        throw RegistryError(name);
}

void Win32Registry::DeleteRunValue(const std::string& name) {
    RegistryKey key;
    if (!OpenForFullAccess(keyPath_, key)) return;
    RegDeleteValueW(key.get(), Widen(name).c_str());
}

}  // namespace tc
