#pragma once
// The main window of the program in this process, over the real file system in a program folder
// of the test's own, with the error box, the notification area and the open-file dialog stood in
// for (see tests/window). Which other ports are real is each test's choice: the registry and the
// shell can be swapped for real ones before Open.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/win32_control_values.h"
#include "core/controls.h"
#include "core/scheduler.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_locale.h"
#include "platform/win32/win32_shell.h"
#include "support/fakes/fake_clock.h"
#include "support/fakes/fake_input.h"
#include "support/fakes/fake_processes.h"
#include "support/fakes/fake_registry.h"
#include "support/fakes/fake_shell.h"
#include "support/win32/wait.h"

namespace tc::test {

// A new, empty folder under the system's temporary folder, removed with all it holds afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::string& stem);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// The real file system, with the running program placed at `exe`.
class FilesBeside : public Win32Files {
public:
    std::string exe;
    std::string ExePath() override { return exe; }
};

// The real shell, except that shutdown.exe (in any spelling) runs the recorder helper instead,
// with the same parameters: the recorder appends its command line to recorder_log.txt beside
// itself.
class RecorderShell : public Shell {
public:
    explicit RecorderShell(std::string recorderPath);
    void Open(const std::string& file, const std::string& parameters, ShellOwner owner) override;

private:
    Win32Shell shell_{nullptr, nullptr};
    std::string recorder_;
};

// Files, as bytes and as text. Paths are UTF-8.
std::optional<std::string> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
std::vector<std::string> FilesIn(const std::string& folder);
// The value of a key as Windows' own profile function reads it (UTF-8); nullopt when absent.
std::optional<std::string> ProfileValue(const std::string& iniPath, const std::string& section,
                                        const std::string& key);
// The lines of a file in the system code page, as UTF-8, without their line ends.
std::vector<std::string> TextLines(const std::string& path);

// A built helper program copied beside this test program ("recorder", "holder").
std::string HelperProgram(const char* name);
// Copies a helper into `folder`; returns its path there.
std::string CopyHelper(const char* name, const std::string& folder);

// Runs a Linux shell command (Wine starts Unix executables too) and waits for it: its exit
// status, or -1 when it could not be run or did not end within 10 s. Wine gives no process
// handle to wait for, so the command leaves its status in a file and that is waited for.
int RunUnix(const std::string& shellCommand);

// What a stored control holds, in the terms config.ini keeps: the text, the flag, the index,
// the date alone or the time of day alone.
std::string StoredValue(Win32ControlValues& values, const ControlSpec& control);

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates and shows the window; its first show loads config.ini from the program folder.
    void Open();
    // Closes the window (nothing is saved on closing).
    void Close();
    HWND Ctl(std::string_view name) const { return form->Control(name); }
    Win32ControlValues& Values() { return form->Values(); }
    // A click on a button, a toolbar button or a check box, as the control reports it.
    void Click(std::string_view name);
    // One tick of each scheduling timer at the clock's present reading, through the window's own
    // timer messages.
    void Tick();
    // The texts of the error boxes shown so far, UTF-8.
    std::vector<std::string> BoxTexts() const;

    TempFolder folder{"tc_faults"};
    FakeClock clock{LocalTime{2026, 3, 4, 10, 0, 0, 500}};
    Win32Locale locale;
    FilesBeside files;
    Win32CodePage codePage;
    FakeProcesses processes;
    FakeInput input;
    FakeRegistry fakeRegistry;
    Registry* registry = &fakeRegistry;
    FakeShell fakeShell;
    Shell* shell = &fakeShell;
    std::unique_ptr<MainWindow> form;
};

}  // namespace tc::test
