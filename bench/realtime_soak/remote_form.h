#pragma once
// The main window of a running Tallowcron, seen and changed from another process: its controls
// found by name (each control's id is its place in the control table), a picker's time of day
// set as typing it in would set it, check boxes, texts and the status bar read.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tc::soak {

class RemoteForm {
public:
    // `process` must carry PROCESS_VM_OPERATION, PROCESS_VM_READ and PROCESS_VM_WRITE.
    RemoteForm(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}

    // Looks for the process's main window; true once it is on the screen.
    bool FindWindowShown();
    HWND Window() const { return window_; }

    HWND Control(std::string_view name) const;
    std::optional<POINT> ScreenCentre(std::string_view name) const;
    bool Checked(std::string_view name) const;
    // Sets the time of day of a date-time picker; its date stays.
    bool SetTimeOfDay(std::string_view name, int hour, int minute, int second) const;
    std::wstring Text(std::string_view name) const;
    std::wstring StatusPanel(std::string_view statusBar, int panel) const;

private:
    HANDLE process_;
    DWORD pid_;
    HWND window_ = nullptr;
};

}  // namespace tc::soak
