#pragma once
// A copy of Tallowcron.exe in a fresh folder of its own, so that its config.ini and log folder
// belong to one test: started like a user starts it, ended, and its folder removed afterwards.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tc::e2e {

// A program built for these tests, copied beside them into programs\ ("Tallowcron", "marker",
// "recorder").
std::wstring BuiltProgram(const wchar_t* name);

class RunningProgram {
public:
    RunningProgram();
    // Another start of a copy already in place at `exePath` (which may be spelled in other letter
    // case); its folder belongs to the copy's first RunningProgram and is left alone.
    explicit RunningProgram(std::wstring exePath);
    // Ends the program if it still runs and removes its folder (when this made it).
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The folder exists and holds the program.
    bool Ready() const { return ready_; }
    const std::wstring& Folder() const { return folder_; }
    std::wstring PathOf(const std::wstring& name) const { return folder_ + L"\\" + name; }

    // Writes config.ini beside the program: the given lines (UTF-8), each ended by CR LF, in the
    // system code page, as the program's own saving writes it.
    bool WriteConfig(const std::vector<std::string>& lines) const;
    // Copies a built helper program into the program's folder under another file name.
    std::wstring CopyHelper(const wchar_t* helper, const std::wstring& fileName) const;

    // Starts the program, with `workingFolder` as its current folder (its own folder when
    // empty), and waits for its main window to be on the screen: from then on its settings are
    // loaded. Returns that window, or nullptr.
    HWND Start(const std::wstring& workingFolder = {});
    // Starts the program from its own folder and returns at once; a suspended one runs from
    // Resume() on. `show`: the show command a shortcut passes in STARTUPINFO (SW_SHOWMINNOACTIVE
    // for "Run: Minimized"); none by default. `arguments`: what follows the program's quoted
    // path on its command line. False when it could not be started.
    bool Launch(bool suspended = false, std::optional<WORD> show = std::nullopt,
                const std::wstring& arguments = {});
    // Holds the program's main thread where it is, and lets it go on again.
    void Suspend();
    void Resume();
    // Waits for the main window to be on the screen; returns it, or nullptr.
    HWND WaitForWindow();
    DWORD Pid() const { return process_.dwProcessId; }
    HWND Window() const { return window_; }
    bool Running() const;
    // The exit code once the program has ended within `ms`; STILL_ACTIVE otherwise.
    DWORD ExitCodeWithin(int ms) const;
    // Closes the main window as its close box does (which also removes the notification-area
    // icon); ends the process when that does not end it.
    void End();

private:
    bool Launch(const std::wstring& workingFolder, bool suspended, std::optional<WORD> show,
                const std::wstring& arguments);

    std::wstring folder_;
    std::wstring exe_;
    bool ownsFolder_ = true;
    bool ready_ = false;
    bool started_ = false;
    bool suspended_ = false;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace tc::e2e
