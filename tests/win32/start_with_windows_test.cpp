// The Run value in the real registry: the 32-bit view, the quoted real path, removal, and the
// error of a refused write. Every test removes what it created.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>

#include <optional>
#include <string>

#include "platform/errors.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "settings/start_with_windows.h"

namespace tc {
namespace {

const wchar_t* const kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

bool KeyExists(const std::wstring& path, REGSAM view) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The string value as the registry holds it in one view; nullopt when absent.
std::optional<std::wstring> ReadValue(const std::wstring& path, REGSAM view, const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof data - sizeof(wchar_t);
    const LSTATUS status =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::wstring(data);
}

TEST(Win32StartWithWindows, RegistersTheQuotedRealPathInThe32BitViewAndRemovesIt) {
    const bool runKeyExisted = KeyExists(kRunKey, KEY_WOW64_32KEY);
    ASSERT_FALSE(ReadValue(kRunKey, KEY_WOW64_32KEY, L"testTallowcron"))
        << "left over from an earlier run";
    Win32Registry registry;
    const std::string exe = Win32Files().ExePath();

    SetStartWithWindows(registry, exe, true);
    EXPECT_EQ(ReadValue(kRunKey, KEY_WOW64_32KEY, L"testTallowcron"), L"\"" + Widen(exe) + L"\"");
    EXPECT_EQ(ReadValue(kRunKey, KEY_WOW64_64KEY, L"testTallowcron"), std::nullopt);

    SetStartWithWindows(registry, exe, false);
    EXPECT_EQ(ReadValue(kRunKey, KEY_WOW64_32KEY, L"testTallowcron"), std::nullopt);
    SetStartWithWindows(registry, exe, false);  // already gone: silent

    if (!runKeyExisted) RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRunKey, KEY_WOW64_32KEY, 0);
}

// A key of the test's own whose DACL allows reading only, as the Run key is for a user who is
// not elevated. Restored and removed afterwards.
class ReadOnlyKey {
public:
    ReadOnlyKey() : path_(L"SOFTWARE\\TallowcronTest" + std::to_wstring(GetCurrentProcessId())) {
        HKEY key;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        SetDacl(key, KEY_READ);
        RegCloseKey(key);
    }
    ~ReadOnlyKey() {
        HKEY key;
        // The owner may always change the DACL.
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, WRITE_DAC | KEY_WOW64_32KEY,
                          &key) == ERROR_SUCCESS) {
            SetDacl(key, KEY_ALL_ACCESS);
            RegCloseKey(key);
        }
        EXPECT_EQ(RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), KEY_WOW64_32KEY, 0),
                  ERROR_SUCCESS);
    }
    const std::wstring& path() const { return path_; }

private:
    static void SetDacl(HKEY key, DWORD rights) {
        EXPLICIT_ACCESSW access = {};
        access.grfAccessPermissions = rights;
        access.grfAccessMode = SET_ACCESS;
        access.grfInheritance = NO_INHERITANCE;
        access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
        PACL acl = nullptr;
        ASSERT_EQ(SetEntriesInAclW(1, &access, nullptr, &acl), static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY,
                                  DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                  nullptr, nullptr, acl, nullptr),
                  static_cast<DWORD>(ERROR_SUCCESS));
        LocalFree(acl);
    }

    std::wstring path_;
};

TEST(Win32StartWithWindows, RefusedWriteRaisesTheRegistryErrorAndDeleteStaysSilent) {
    ReadOnlyKey readOnly;
    Win32Registry registry(readOnly.path());
    try {
        SetStartWithWindows(registry, "C:\\Tools\\Tallowcron.exe", true);
        FAIL() << "the write was not refused";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to set data for 'testTallowcron'");
    }
    EXPECT_NO_THROW(SetStartWithWindows(registry, "C:\\Tools\\Tallowcron.exe", false));
    EXPECT_EQ(ReadValue(readOnly.path(), KEY_WOW64_32KEY, L"testTallowcron"), std::nullopt);
}

}  // namespace
}  // namespace tc
