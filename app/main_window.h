#pragma once
// The main window (window class "TForm1"): its window procedure, the making of its parts, and the
// tables that send each control notification and timer tick to its handler. Its look at the
// display's scale is ScaledLook's, the status bar's read-outs are StatusReadouts', the keyboard
// focus is WindowFocus'. The controls are the data model of the schedulers; every handler entry
// passes the errors that escape it to the application's default error handler (ErrorBox).
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/error_box.h"
#include "app/open_dialog.h"
#include "app/scaled_look.h"
#include "app/tray_icon.h"
#include "app/tray_menu.h"
#include "app/win32/newer_window_functions.h"
#include "app/window_controls.h"
#include "core/logs.h"
#include "core/moments.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/locale.h"
#include "platform/power_actions.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/win32/win32_power_actions.h"

namespace tc {

class Scheduler;
class SettingsFile;
class StatusReadouts;
class Win32ControlValues;
class Win32Timers;
class WindowFocus;

// What the window needs from outside. The program passes the system's implementations; window
// tests pass fakes and stand-ins for the system dialogs.
struct MainWindowPorts {
    Clock& clock;
    Locale& locale;
    Files& files;
    CodePage& codePage;
    Processes& processes;
    Input& input;
    Registry& registry;
    // nullptr: the system's shell, owned by this window and by appWindow.
    Shell* shell = nullptr;
    // nullptr: the system's sleep and lock.
    PowerActions* powerActions = nullptr;
    HWND appWindow = nullptr;
    GetOpenFileNameFn openFile = LateGetOpenFileName;
    NotifyIconFn notifyIcon = LateShellNotifyIcon;
    AllowMessageFn allowMessage = ChangeWindowMessageFilterEx;
    MessageBoxFn messageBox = MessageBoxW;
    TrackMenuFn trackMenu = TrackPopupMenuEx;
    // Where the window functions of Windows versions after 7 are looked up.
    FindSystemFunctionFn findSystemFunction = FindSystemFunction;
    // Closing the window ends the message loop (the program); tests keep their loop running.
    bool quitOnClose = true;
    // The name of the window property by which a second start from the program's folder finds
    // this window (FolderIdentity); empty: none.
    std::wstring folderIdentity{};
};

class MainWindow {
public:
    static constexpr const wchar_t* kClassName = L"TForm1";

    // Registers the window classes of the main window and of its own kinds of control.
    static void RegisterClasses(HINSTANCE instance);

    MainWindow(HINSTANCE instance, MainWindowPorts ports);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    MainWindow(MainWindow&&) = delete;
    MainWindow& operator=(MainWindow&&) = delete;

    // Creates the window, hidden, with every control at its design value, and adds the
    // notification-area icon. The status bar's read-outs run while the window can be seen. False
    // when the window could not be created.
    bool Create();
    // Shows the window centred (its first show runs LoadSettings). `startCommand` is the program's
    // (wWinMain's nCmdShow): one that minimises puts the window in the notification area with the
    // read-outs at rest, as a minimise does; any other shows it.
    // `atLogOn`: started by the Run value; where the settings start the clock, the window is not
    // shown: it waits in the notification area as after a minimise, with the clock running.
    void Show(int startCommand = SW_SHOWNORMAL, bool atLogOn = false);

    HWND Handle() const { return hwnd_; }
    HWND Control(std::string_view name) const { return controls_.Find(name); }
    Win32ControlValues& Values() { return *values_; }
    Scheduler& Schedule() { return *scheduler_; }
    ErrorBox& Errors() { return *errorBox_; }
    TrayIcon& Tray() { return *tray_; }
    HFONT Font() const { return look_.Font(); }

    // Tab and Shift+Tab move the focus along the window's focus order; arrow keys move between
    // the two buttons of a radio pair. True when the message was such a key and is done.
    bool HandleFocusKeys(const MSG& msg);
    void MoveFocus(bool forward);

    // Lays the window out for a display scale (dots per inch; 96 is 100%).
    void ApplyDpi(int dpi);

    // Handlers; the error box knows them by the names in the binding tables.
    // The settings file into the controls, at the first show.
    void LoadSettings();
    // The toolbar's buttons.
    void StartClock();
    void StopClock();
    void SaveSettings();
    void ClearActivity();
    // Closing the main window ends the program.
    void CloseProgram();
    // A browse button: the open-file dialog for the slot of its row.
    void ChooseSlotFile(HWND sender);
    // The cursor to the point of the mouse task's X and Y fields.
    void MoveCursorToClickPoint();
    // The status bar's read-outs.
    void ShowCursorPosition();
    void ShowClock();
    // Restores the window from the notification area and brings it to the front.
    void RestoreFromTray();

private:
    // A notification of a control (or of every control of a kind, when `control` is empty) and
    // the handler that answers it; `handler` names it for the error box.
    struct CommandBinding {
        std::string_view control;
        ControlKind kind;
        WORD notification;
        const char* handler;
        void (*run)(MainWindow& window, const ControlSpec& control, HWND sender);
    };
    struct TimerBinding {
        UINT_PTR id;
        const char* handler;
        void (*run)(MainWindow& window);
    };
    static const CommandBinding kCommands[];
    static const TimerBinding kTimers[];

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreateGuarded();
    void OnCreate();
    void OnCommand(int id, int code, HWND control);
    void OnTimer(UINT_PTR id);
    void RunTimer(UINT_PTR id);
    void OnShowWindow(bool shown);
    void OnSize(WPARAM kind);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnSettingChange();
    void OnDestroy();
    // The icon left the notification area and did not come back: the window must not stay
    // hidden where nothing leads to it.
    void OnTrayIconLost();
    // The icon's menu was asked for at that screen point.
    void OnTrayMenu(POINT at);
    void WireHandlers();

    HINSTANCE instance_;
    MainWindowPorts ports_;
    NewerWindowFunctions newer_;
    HWND hwnd_ = nullptr;
    WindowControls controls_;
    ScaledLook look_;
    Moments moments_;
    CommandLog commandLog_;
    std::unique_ptr<Shell> systemShell_;
    Win32PowerActions systemPowerActions_;
    std::unique_ptr<Win32ControlValues> values_;
    std::unique_ptr<Win32Timers> timers_;
    std::unique_ptr<StatusReadouts> readouts_;
    std::unique_ptr<WindowFocus> focus_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<SettingsFile> settings_;
    std::unique_ptr<ErrorBox> errorBox_;
    std::unique_ptr<TrayIcon> tray_;
    OpenDialog openDialog_;
    bool shownOnce_ = false;
};

}  // namespace tc
