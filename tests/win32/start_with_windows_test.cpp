// The Run value in the real registry: the 32-bit view of the machine's key, the quoted real path,
// removal, the user's key where the machine's is refused, the error when both are refused, and a
// value that a save as administrator left under the machine's key. Every test removes what it
// created.
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

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view) {
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The string value as the registry holds it in one view; nullopt when absent.
std::optional<std::wstring> ReadValue(HKEY root, const std::wstring& path, REGSAM view,
                                      const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
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

std::optional<std::wstring> MachineValue(const std::wstring& path) {
    return ReadValue(HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY, L"testTallowcron");
}
std::optional<std::wstring> UserValue(const std::wstring& path) {
    return ReadValue(HKEY_CURRENT_USER, path, 0, L"testTallowcron");
}

// The real Run keys of the test prefix: the machine's in the 32-bit view, and the user's.
TEST(Win32StartWithWindows, RegistersTheQuotedRealPathInThe32BitViewAndRemovesIt) {
    const bool runKeyExisted = KeyExists(HKEY_LOCAL_MACHINE, kRunKey, KEY_WOW64_32KEY);
    ASSERT_FALSE(MachineValue(kRunKey)) << "left over from an earlier run";
    ASSERT_FALSE(UserValue(kRunKey)) << "left over from an earlier run";
    Win32Registry registry;
    const std::string exe = Win32Files().ExePath();
    const std::wstring command = L"\"" + Widen(exe) + L"\" /autorun";

    // A value under the user's key from an earlier save gives way to the machine's.
    registry.SetRunValue(RunKey::CurrentUser, "testTallowcron", exe);
    EXPECT_EQ(UserValue(kRunKey), Widen(exe));
    SetStartWithWindows(registry, exe, true);
    EXPECT_EQ(MachineValue(kRunKey), command);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kRunKey, KEY_WOW64_64KEY, L"testTallowcron"),
              std::nullopt);
    EXPECT_EQ(UserValue(kRunKey), std::nullopt);

    registry.SetRunValue(RunKey::CurrentUser, "testTallowcron", exe);
    SetStartWithWindows(registry, exe, false);
    EXPECT_EQ(MachineValue(kRunKey), std::nullopt);
    EXPECT_EQ(UserValue(kRunKey), std::nullopt);
    SetStartWithWindows(registry, exe, false);  // already gone: silent

    if (!runKeyExisted) RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRunKey, KEY_WOW64_32KEY, 0);
}

// A key of the test's own, under HKEY_LOCAL_MACHINE (32-bit view) or HKEY_CURRENT_USER, holding
// the value "testTallowcron" with `runValue` when one is given. A read-only one has a DACL that
// allows reading only, as the machine's Run key has for a user who is not elevated. Its
// permissions are restored and the key removed afterwards.
class OwnKey {
public:
    OwnKey(HKEY root, bool readOnly, const std::wstring& runValue = {})
        : root_(root),
          view_(root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0),
          path_(L"SOFTWARE\\TallowcronTest" + std::to_wstring(GetCurrentProcessId()) +
                (root == HKEY_LOCAL_MACHINE ? L"Machine" : L"User") + std::to_wstring(++made_)) {
        HKEY key;
        EXPECT_EQ(RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (!runValue.empty()) {
            const auto bytes = static_cast<DWORD>((runValue.size() + 1) * sizeof(wchar_t));
            EXPECT_EQ(RegSetValueExW(key, L"testTallowcron", 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(runValue.c_str()), bytes),
                      ERROR_SUCCESS);
        }
        if (readOnly) SetDacl(key, KEY_READ);
        RegCloseKey(key);
    }
    ~OwnKey() {
        HKEY key;
        // The owner may always change the DACL.
        if (RegOpenKeyExW(root_, path_.c_str(), 0, WRITE_DAC | view_, &key) == ERROR_SUCCESS) {
            SetDacl(key, KEY_ALL_ACCESS);
            RegCloseKey(key);
        }
        EXPECT_EQ(RegDeleteKeyExW(root_, path_.c_str(), view_, 0), ERROR_SUCCESS);
    }
    OwnKey(const OwnKey&) = delete;
    OwnKey& operator=(const OwnKey&) = delete;
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

    static inline int made_ = 0;  // keys of the process so far: each has a name of its own
    HKEY root_;
    REGSAM view_;
    std::wstring path_;
};

// The machine's key refused: the value lands under the user's key, with no error, and unticking
// removes it from there. Both refused: the error, and unticking stays silent.
TEST(Win32StartWithWindows, RefusedMachineKeyFallsBackToTheUsersKeyThenRaisesTheError) {
    const std::string exe = "C:\\Tools\\Tallowcron.exe";
    OwnKey machine(HKEY_LOCAL_MACHINE, true);
    {
        OwnKey user(HKEY_CURRENT_USER, false);
        Win32Registry registry(machine.path(), user.path());
        EXPECT_NO_THROW(SetStartWithWindows(registry, exe, true));
        EXPECT_EQ(MachineValue(machine.path()), std::nullopt);
        EXPECT_EQ(UserValue(user.path()), L"\"C:\\Tools\\Tallowcron.exe\" /autorun");
        EXPECT_NO_THROW(SetStartWithWindows(registry, exe, false));
        EXPECT_EQ(UserValue(user.path()), std::nullopt);
    }
    OwnKey user(HKEY_CURRENT_USER, true);
    Win32Registry registry(machine.path(), user.path());
    try {
        SetStartWithWindows(registry, exe, true);
        FAIL() << "the write was not refused";
    } catch (const RegistryError& e) {
        EXPECT_EQ(std::string(e.what()), "Failed to set data for 'testTallowcron'");
    }
    EXPECT_NO_THROW(SetStartWithWindows(registry, exe, false));
    EXPECT_EQ(MachineValue(machine.path()), std::nullopt);
    EXPECT_EQ(UserValue(user.path()), std::nullopt);
}

// A value that a save as administrator left under the machine's key (here an earlier version's,
// the quoted path alone) starts the program for every user. Ticked, nothing goes under the
// user's key, and a value left there goes, whether the machine's key may be written or not; the
// machine's value is brought up to date where the key allows it. Unticked, the value is removed
// where the machine's key allows it and reported where it does not.
TEST(Win32StartWithWindows, ValueLeftUnderTheMachinesKeyIsNotDoubledAndReportedWhenItStays) {
    const std::string exe = "C:\\Tools\\Tallowcron.exe";
    const std::wstring command = L"\"C:\\Tools\\Tallowcron.exe\"";
    for (const bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "the machine's key refused" : "the machine's key allowed");
        OwnKey machine(HKEY_LOCAL_MACHINE, refused, command);
        OwnKey user(HKEY_CURRENT_USER, false, command);
        Win32Registry registry(machine.path(), user.path());
        EXPECT_NO_THROW(SetStartWithWindows(registry, exe, true));
        EXPECT_EQ(MachineValue(machine.path()), refused ? command : command + L" /autorun");
        EXPECT_EQ(UserValue(user.path()), std::nullopt);
        if (!refused) {
            EXPECT_NO_THROW(SetStartWithWindows(registry, exe, false));
            EXPECT_EQ(MachineValue(machine.path()), std::nullopt);
            continue;
        }
        try {
            SetStartWithWindows(registry, exe, false);
            FAIL() << "the value left under the machine's key was not reported";
        } catch (const RegistryError& e) {
            EXPECT_EQ(std::string(e.what()), "Failed to set data for 'testTallowcron'");
        }
        EXPECT_EQ(MachineValue(machine.path()), command);
    }
}

}  // namespace
}  // namespace tc
