#include "running_program.h"

#include "desktop.h"
#include "e2e_files.h"

namespace tc::e2e {

std::wstring BuiltProgram(const wchar_t* name) {
    return TestFolder() + L"\\programs\\" + name + L".exe";
}

RunningProgram::RunningProgram() {
    folder_ = MakeFreshFolder(L"tc_e2e");
    exe_ = PathOf(L"Tallowcron.exe");
    ready_ = !folder_.empty() && CopyFileW(BuiltProgram(L"Tallowcron").c_str(), exe_.c_str(), TRUE);
}

RunningProgram::RunningProgram(std::wstring exePath)
    : folder_(exePath.substr(0, exePath.rfind(L'\\'))),
      exe_(std::move(exePath)),
      ownsFolder_(false),
      ready_(FileExists(exe_)) {}

RunningProgram::~RunningProgram() {
    // A start left suspended cannot close its window: it is ended at once.
    if (suspended_) TerminateProcess(process_.hProcess, 99);
    Resume();
    End();
    if (started_) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    if (!ownsFolder_) return;
    // A program that has just ended may still hold its files for a moment.
    for (int attempt = 0; attempt < 20 && FileExists(folder_); ++attempt) {
        RemoveTree(folder_);
        if (FileExists(folder_)) Sleep(100);
    }
}

bool RunningProgram::WriteConfig(const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return WriteFileBytes(PathOf(L"config.ini"), Utf8ToAnsi(text));
}

std::wstring RunningProgram::CopyHelper(const wchar_t* helper, const std::wstring& fileName) const {
    const std::wstring to = PathOf(fileName);
    return CopyFileW(BuiltProgram(helper).c_str(), to.c_str(), FALSE) ? to : std::wstring();
}

HWND RunningProgram::Start(const std::wstring& workingFolder) {
    return Launch(workingFolder, false, std::nullopt, {}) ? WaitForWindow() : nullptr;
}

bool RunningProgram::Launch(bool suspended, std::optional<WORD> show,
                            const std::wstring& arguments) {
    return Launch({}, suspended, show, arguments);
}

bool RunningProgram::Launch(const std::wstring& workingFolder, bool suspended,
                            std::optional<WORD> show, const std::wstring& arguments) {
    if (!ready_ || started_) return false;
    std::wstring commandLine = L"\"" + exe_ + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    const std::wstring& current = workingFolder.empty() ? folder_ : workingFolder;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (show) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = *show;
    }
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                              suspended ? CREATE_SUSPENDED : 0, nullptr, current.c_str(), &startup,
                              &process_) != 0;
    suspended_ = started_ && suspended;
    return started_;
}

void RunningProgram::Suspend() {
    if (Running() && !suspended_) suspended_ = SuspendThread(process_.hThread) != DWORD(-1);
}

void RunningProgram::Resume() {
    if (!suspended_) return;
    ResumeThread(process_.hThread);
    suspended_ = false;
}

HWND RunningProgram::WaitForWindow() {
    if (!started_) return nullptr;
    WaitFor(
        [&] {
            window_ = MainWindowOf(process_.dwProcessId);
            return window_ != nullptr && IsWindowVisible(window_);
        },
        30000);
    return window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr;
}

bool RunningProgram::Running() const {
    return started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD RunningProgram::ExitCodeWithin(int ms) const {
    if (!started_) return STILL_ACTIVE;
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(ms));
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void RunningProgram::End() {
    if (!Running()) return;
    const HWND window = MainWindowOf(process_.dwProcessId);
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
}

}  // namespace tc::e2e
