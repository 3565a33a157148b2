// Saving when the settings cannot be stored where they belong: config.ini read-only, the
// program's folder not writable, the Run key denied while "开机启动" is ticked. The real window
// saves through the real file system (and, for the Run key, the real registry); the user must
// be told, and nothing the window holds or the file held may be lost.
#include <aclapi.h>

#include <map>

#include "app/error_text.h"
#include "core/controls.h"
#include "core/tdatetime.h"
#include "fault_rig.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"
#include "support/win32/wine.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

const std::string kEarlierSettings = "[SoftWare]\r\ncounT=25\r\nAutoRun=0\r\n";

// The system's own message for an error code, without its line break.
std::string SystemText(DWORD code) {
    wchar_t text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, 512, nullptr);
    std::wstring message = text;
    while (!message.empty() &&
           (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    return Narrow(message);
}

class ConfigFaults : public FaultTest {
protected:
    std::string Config() const { return folder.File("config.ini"); }

    // What a user changes before saving.
    void EditSomeSettings() {
        Values().SetText(kCountdownMinutesEdit, "30");
        Values().SetText(RowName(kSlotPathPrefix, 1), "C:\\工具\\备份.bat");
        Values().SetChecked(RowName(kSlotOnPrefix, 1), true);
        Values().SetText(kClickIntervalEdit, "7");
    }
    void ExpectEditsStillShown() {
        EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "30");
        EXPECT_EQ(Values().Text(RowName(kSlotPathPrefix, 1)), "C:\\工具\\备份.bat");
        EXPECT_TRUE(Values().Checked(RowName(kSlotOnPrefix, 1)));
        EXPECT_EQ(Values().Text(kClickIntervalEdit), "7");
    }
    void ExpectEditsSaved() {
        EXPECT_EQ(ProfileValue(Config(), "SoftWare", "counT"), "30");
        EXPECT_EQ(ProfileValue(Config(), "SoftRun", "exepath1"), "C:\\工具\\备份.bat");
        EXPECT_EQ(ProfileValue(Config(), "SoftRun", "exechk1"), "1");
        EXPECT_EQ(ProfileValue(Config(), "MouseRun", "timeInv"), "7");
    }
    void ExpectOneAccessDeniedBox() {
        ASSERT_EQ(Boxes().shown.size(), 1u);
        EXPECT_EQ(BoxTexts()[0],
                  WithFullStop("System Error.  Code: 5.\r\n" + SystemText(ERROR_ACCESS_DENIED),
                               codePage));
        EXPECT_EQ(Boxes().shown[0].title, L"Tallowcron");
        EXPECT_EQ(Boxes().shown[0].type, static_cast<UINT>(MB_ICONERROR | MB_OK));
    }
};

TEST_F(ConfigFaults, ReadOnlyConfigIniIsReportedAndKeptAsItWas) {
    ASSERT_TRUE(WriteBytes(Config(), kEarlierSettings));
    ASSERT_TRUE(SetFileAttributesW(Widen(Config()).c_str(), FILE_ATTRIBUTE_READONLY));
    Open();
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "25");  // reading a read-only file is fine
    EXPECT_TRUE(Boxes().shown.empty());

    EditSomeSettings();
    Click(kSaveButton);
    ExpectOneAccessDeniedBox();
    EXPECT_EQ(ReadBytes(Config()), kEarlierSettings);
    EXPECT_EQ(GetFileAttributesW(Widen(Config()).c_str()) & FILE_ATTRIBUTE_READONLY,
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"config.ini"})
        << "a temporary file left";
    ExpectEditsStillShown();

    // Once the file may be written again, the same window saves what it holds.
    ASSERT_TRUE(SetFileAttributesW(Widen(Config()).c_str(), FILE_ATTRIBUTE_NORMAL));
    Click(kSaveButton);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    ExpectEditsSaved();
}

// The program's folder made unwritable on the Linux side. Wine, run as root, leaves the checks
// of the file system to the Unix permissions, which root passes, so the folder and the file in it
// are made immutable (chattr +i); as another user, taking away the write permissions does.
class LockedFolder {
public:
    explicit LockedFolder(std::string windowsPath)
        : windowsPath_(std::move(windowsPath)), unixPath_(test::UnixPathOf(Widen(windowsPath_))) {}
    ~LockedFolder() { Unlock(); }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // True when no file can be made in the folder any more.
    bool Lock() {
        if (unixPath_.empty()) return false;
        if (RunUnix("chattr -R +i '" + unixPath_ + "'") != 0)
            RunUnix("chmod -R a-w '" + unixPath_ + "'");
        const std::wstring probe = Widen(windowsPath_ + "\\probe.txt");
        HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return true;
        CloseHandle(file);
        DeleteFileW(probe.c_str());
        return false;
    }
    void Unlock() {
        if (!unixPath_.empty())
            RunUnix("chattr -R -i '" + unixPath_ + "'; chmod -R u+w '" + unixPath_ + "'");
    }

private:
    std::string windowsPath_;
    std::string unixPath_;
};

TEST_F(ConfigFaults, UnwritableProgramFolderIsReportedAndLosesNothing) {
    ASSERT_TRUE(WriteBytes(Config(), kEarlierSettings));
    LockedFolder locked(folder.Path());
    if (!locked.Lock()) GTEST_SKIP() << "the folder cannot be made unwritable here";
    Open();
    EXPECT_EQ(Values().Text(kCountdownMinutesEdit), "25");
    EXPECT_TRUE(Boxes().shown.empty());

    EditSomeSettings();
    Click(kSaveButton);
    ExpectOneAccessDeniedBox();
    EXPECT_EQ(ReadBytes(Config()), kEarlierSettings);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"config.ini"});
    ExpectEditsStillShown();

    locked.Unlock();
    Click(kSaveButton);
    EXPECT_EQ(Boxes().shown.size(), 1u);
    ExpectEditsSaved();
}

// A key of the test's own, under HKEY_LOCAL_MACHINE in the 32-bit view where the program keeps
// its Run value, or under HKEY_CURRENT_USER, that allows reading only, as the machine's Run key
// does for a user who is not elevated. Its permissions are put back and the key removed
// afterwards, whatever the test found.
class ReadOnlyRunKey {
public:
    explicit ReadOnlyRunKey(HKEY root)
        : root_(root),
          view_(root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0),
          path_(L"SOFTWARE\\TallowcronFaults" + std::to_wstring(GetCurrentProcessId())) {
        HKEY key;
        if (RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return;
        made_ = SetDacl(key, KEY_READ);
        RegCloseKey(key);
    }
    ~ReadOnlyRunKey() {
        HKEY key;
        // The owner may always change the permissions.
        if (RegOpenKeyExW(root_, path_.c_str(), 0, WRITE_DAC | view_, &key) == ERROR_SUCCESS) {
            SetDacl(key, KEY_ALL_ACCESS);
            RegCloseKey(key);
        }
        RegDeleteKeyExW(root_, path_.c_str(), view_, 0);
    }
    ReadOnlyRunKey(const ReadOnlyRunKey&) = delete;
    ReadOnlyRunKey& operator=(const ReadOnlyRunKey&) = delete;

    bool Made() const { return made_; }
    const std::wstring& Path() const { return path_; }
    bool HasValue(const wchar_t* name) const {
        HKEY key;
        if (RegOpenKeyExW(root_, path_.c_str(), 0, KEY_READ | view_, &key) != ERROR_SUCCESS)
            return false;
        const bool found =
            RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        return found;
    }

private:
    static bool SetDacl(HKEY key, DWORD rights) {
        EXPLICIT_ACCESSW access = {};
        access.grfAccessPermissions = rights;
        access.grfAccessMode = SET_ACCESS;
        access.grfInheritance = NO_INHERITANCE;
        access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
        PACL acl = nullptr;
        if (SetEntriesInAclW(1, &access, nullptr, &acl) != ERROR_SUCCESS) return false;
        const DWORD status = SetSecurityInfo(
            key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
            nullptr, nullptr, acl, nullptr);
        LocalFree(acl);
        return status == ERROR_SUCCESS;
    }

    HKEY root_;
    REGSAM view_;
    std::wstring path_;
    bool made_ = false;
};

// Both Run keys denied (the machine's and the user's own).
TEST_F(ConfigFaults, DeniedRunKeySavesEveryKeyThenReportsTheRegistryError) {
    ReadOnlyRunKey runKey(HKEY_LOCAL_MACHINE);
    ReadOnlyRunKey userRunKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(runKey.Made() && userRunKey.Made());
    Win32Registry realRegistry(runKey.Path(), userRunKey.Path());
    registry = &realRegistry;
    Open();

    EditSomeSettings();
    Click(kStartWithWindowsCheck);
    ASSERT_TRUE(Values().Checked(kStartWithWindowsCheck));
    Values().SetChecked(kAutoStartCheck, true);
    Values().SetItemIndex(kPowerCommandCombo, 1);
    Values().SetChecked(RowName(kCloseButtonPrefix, 2), true);
    Values().SetDateTime(RowName(kSlotDatePrefix, 4), FromLocalTime({2027, 8, 9, 0, 0, 0, 0}));
    Values().SetDateTime(RowName(kSlotTimePrefix, 4), FromLocalTime({2026, 3, 4, 21, 22, 23, 0}));
    std::map<std::string, std::string> shown;
    for (const ControlSpec* c : StoredControls())
        shown[std::string(c->name)] = StoredValue(Values(), *c);

    Click(kSaveButton);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Failed to set data for 'testTallowcron'"});
    EXPECT_FALSE(runKey.HasValue(L"testTallowcron"));
    EXPECT_FALSE(userRunKey.HasValue(L"testTallowcron"));

    // Every key is in the file, with what the window showed.
    for (const ControlSpec* c : StoredControls())
        EXPECT_TRUE(ProfileValue(Config(), std::string(c->section), std::string(c->key)))
            << c->key << " not saved";
    ExpectEditsSaved();
    EXPECT_EQ(ProfileValue(Config(), "SoftWare", "AutoRun"), "1");
    EXPECT_EQ(ProfileValue(Config(), "SoftWare", "AutoTimeRun"), "1");
    EXPECT_EQ(ProfileValue(Config(), "SoftWare", "sysTask"), "1");
    EXPECT_EQ(ProfileValue(Config(), "SoftRun", "task2"), "1");

    // The next start brings back every stored setting.
    Close();
    Open();
    for (const ControlSpec* c : StoredControls())
        EXPECT_EQ(StoredValue(Values(), *c), shown[std::string(c->name)]) << c->name;
    EXPECT_EQ(Boxes().shown.size(), 1u);
}

}  // namespace
}  // namespace tc::test
