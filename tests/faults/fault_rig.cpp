#include "fault_rig.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "app/win32_timers.h"
#include "core/tdatetime.h"
#include "platform/win32/win32_text.h"
#include "support/win32/test_folders.h"
#include "support/win32/wine.h"
#include "window_fixture.h"

namespace tc::test {
namespace {

// Owns a file handle.
struct Handle {
    HANDLE h;
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

bool ProcessRuns(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return false;
    DWORD code = 0;
    const bool runs = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return runs;
}

// Folders "<stem>_<pid>_..." that a test program left behind when it was ended before it could
// remove them (one may still be locked by the unwritable-folder scenario) are removed first.
void RemoveLeftovers(const std::string& temp, const std::string& stem) {
    for (const std::string& name : FilesIn(temp.substr(0, temp.size() - 1))) {
        if (name.rfind(stem + "_", 0) != 0) continue;
        const DWORD pid = std::strtoul(name.c_str() + stem.size() + 1, nullptr, 10);
        if (pid == GetCurrentProcessId() || ProcessRuns(pid)) continue;
        const std::string unixPath = test::UnixPathOf(Widen(temp + name));
        if (!unixPath.empty()) RunUnix("chattr -R -i '" + unixPath + "'");
        RemoveTree(Widen(temp + name));
    }
}

}  // namespace

TempFolder::TempFolder(const std::string& stem) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    RemoveLeftovers(Narrow(temp), stem);
    static int made = 0;
    // Wine soon gives a process id again: the time keeps the names of two runs apart.
    path_ = Narrow(temp) + stem + "_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount64()) + "_" + std::to_string(++made);
    RemoveTree(Widen(path_));
    CreateDirectoryW(Widen(path_).c_str(), nullptr);
}

TempFolder::~TempFolder() {
    // A program that has just ended may hold its files for a moment longer.
    for (int attempt = 0; attempt < 20; ++attempt) {
        RemoveTree(Widen(path_));
        if (GetFileAttributesW(Widen(path_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
        Sleep(100);
    }
    ADD_FAILURE() << "could not remove " << path_;
}

RecorderShell::RecorderShell(std::string recorderPath) : recorder_(std::move(recorderPath)) {}

void RecorderShell::Open(const std::string& file, const std::string& parameters, ShellOwner owner) {
    // Any spelling of shutdown.exe, with or without a folder, never the system's own.
    std::string name = file.substr(file.find_last_of("\\/:") + 1);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    shell_.Open(name == "shutdown.exe" ? recorder_ : file, parameters, owner);
}

std::optional<std::string> ReadBytes(const std::string& path) {
    Handle file{CreateFileW(Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.h, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    Handle file{CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)};
    DWORD written = 0;
    return file.h != INVALID_HANDLE_VALUE &&
           WriteFile(file.h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Narrow(found.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ProfileValue(const std::string& iniPath, const std::string& section,
                                        const std::string& key) {
    Win32CodePage ansi;
    char value[4096];
    const char* missing = "\x01missing";
    GetPrivateProfileStringA(ansi.ToAnsi(section).c_str(), ansi.ToAnsi(key).c_str(), missing, value,
                             sizeof value, ansi.ToAnsi(iniPath).c_str());
    if (std::string(value) == missing) return std::nullopt;
    return ansi.FromAnsi(value);
}

std::vector<std::string> TextLines(const std::string& path) {
    Win32CodePage ansi;
    const std::string text = ansi.FromAnsi(ReadBytes(path).value_or(""));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string HelperProgram(const char* name) {
    return Narrow(test::TestFolder()) + "\\helpers\\" + name + ".exe";
}

std::string CopyHelper(const char* name, const std::string& folder) {
    const std::string to = folder + "\\" + name + ".exe";
    return CopyFileW(Widen(HelperProgram(name)).c_str(), Widen(to).c_str(), FALSE) ? to : "";
}

int RunUnix(const std::string& shellCommand) {
    static int runs = 0;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::string status = Narrow(temp) + "tc_unix_status_" +
                               std::to_string(GetCurrentProcessId()) + "_" +
                               std::to_string(++runs) + ".txt";
    DeleteFileW(Widen(status).c_str());
    const std::string unixStatus = test::UnixPathOf(Widen(status));
    if (unixStatus.empty()) return -1;
    std::wstring line =
        L"/bin/sh -c \"" + Widen(shellCommand) + L"; echo $? > '" + Widen(unixStatus) + L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    const bool ended = WaitFor(
        [&] { return ReadBytes(status).value_or("").find('\n') != std::string::npos; }, 10000);
    const int code = ended ? std::atoi(ReadBytes(status).value_or("-1").c_str()) : -1;
    DeleteFileW(Widen(status).c_str());
    return code;
}

std::string StoredValue(Win32ControlValues& values, const ControlSpec& control) {
    const std::string_view name = control.name;
    switch (control.storedAs) {
    case StoredAs::Text:
        return values.Text(name);
    case StoredAs::Flag:
    case StoredAs::OpenClose:
        return values.Checked(name) ? "checked" : "unchecked";
    case StoredAs::ItemIndex:
        return std::to_string(values.ItemIndex(name));
    case StoredAs::DateSerial:
        return "day " + std::to_string(ToWholeSeconds(DateOf(values.DateTime(name))) / 86400);
    case StoredAs::TimeText: {
        const TDateTime value = values.DateTime(name);
        return "second " + std::to_string(ToWholeSeconds(value) - ToWholeSeconds(DateOf(value)));
    }
    case StoredAs::None:
        break;
    }
    return {};
}

void FaultTest::SetUp() {
    Boxes() = BoxScript{};
    Notifications() = NotifyScript{};
    Dialog() = DialogScript{};
    files.exe = folder.File("Tallowcron.exe");
}

void FaultTest::TearDown() { Close(); }

void FaultTest::Open() {
    MainWindowPorts ports{clock, locale, files, codePage, processes, input, *registry};
    ports.shell = shell;
    ports.openFile = FakeGetOpenFileName;
    ports.notifyIcon = FakeNotifyIcon;
    ports.messageBox = FakeMessageBox;
    ports.quitOnClose = false;
    form = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), ports);
    ASSERT_TRUE(form->Create());
    form->Show();
    Pump(30);
}

void FaultTest::Close() {
    form.reset();
    Pump(20);
}

void FaultTest::Click(std::string_view name) { SendMessageW(Ctl(name), BM_CLICK, 0, 0); }

void FaultTest::Tick() {
    for (UINT_PTR timer : {kSlotTimer, kPowerTimer, kMouseTimer})
        SendMessageW(form->Handle(), WM_TIMER, timer, 0);
}

std::vector<std::string> FaultTest::BoxTexts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : Boxes().shown) texts.push_back(Narrow(box.text));
    return texts;
}

}  // namespace tc::test
