#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/errors.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

const wchar_t* const kRunKeyPath = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY RootOf(RunKey which) {
    return which == RunKey::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The machine's key is opened in its 32-bit view, for reading as for writing; the user's key is
// the same in both views.
REGSAM ViewOf(RunKey which) { return which == RunKey::Machine ? KEY_WOW64_32KEY : 0; }

// Setting and deleting values is all the program writes to the key.
REGSAM WriteAccess(RunKey which) { return KEY_SET_VALUE | ViewOf(which); }

}  // namespace

Win32Registry::Win32Registry() : Win32Registry(kRunKeyPath, kRunKeyPath) {}

Win32Registry::Win32Registry(std::wstring machineKeyPath, std::wstring userKeyPath)
    : machineKeyPath_(std::move(machineKeyPath)), userKeyPath_(std::move(userKeyPath)) {}

const std::wstring& Win32Registry::PathOf(RunKey which) const {
    return which == RunKey::Machine ? machineKeyPath_ : userKeyPath_;
}

void Win32Registry::SetRunValue(RunKey which, const std::string& name, const std::string& data) {
    // Created when missing (a new user may have no Run key yet).
    UniqueRegistryKey key;
    if (RegCreateKeyExW(RootOf(which), PathOf(which).c_str(), 0, nullptr, 0, WriteAccess(which),
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        throw RegistryError(name);
    const std::wstring text = Widen(data);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (RegSetValueExW(key.Get(), Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()), bytes) != ERROR_SUCCESS)
        throw RegistryError(name);
}

void Win32Registry::DeleteRunValue(RunKey which, const std::string& name) {
    // A key that is missing holds no value to delete: it is not created for that.
    UniqueRegistryKey key;
    if (RegOpenKeyExW(RootOf(which), PathOf(which).c_str(), 0, WriteAccess(which), key.Receive()) !=
        ERROR_SUCCESS)
        return;
    RegDeleteValueW(key.Get(), Widen(name).c_str());
}

std::optional<std::string> Win32Registry::ReadRunValue(RunKey which, const std::string& name) {
    UniqueRegistryKey key;
    if (RegOpenKeyExW(RootOf(which), PathOf(which).c_str(), 0, KEY_QUERY_VALUE | ViewOf(which),
                      key.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName = Widen(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
    // Room for a NUL that the stored text may lack.
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return std::string();  // changed between the two reads: there, but not known
    // The text ends at its first NUL, as Windows reads a command from the key.
    text.resize(text.find(L'\0'));
    return Narrow(text);
}

}  // namespace tc
