#include "app/main_window.h"

#include "app/error_text.h"
#include "app/key_filters.h"
#include "app/scaled_look.h"
#include "app/single_instance.h"
#include "app/startup_marks.h"
#include "app/status_readouts.h"
#include "app/win32/dpi.h"
#include "app/win32/win32_window.h"
#include "app/win32_control_values.h"
#include "app/win32_timers.h"
#include "app/window_focus.h"
#include "core/convert.h"
#include "core/errors.h"
#include "core/scheduler.h"
#include "core/scheduler_bindings.h"
#include "core/slots.h"
#include "platform/win32/win32_shell.h"
#include "settings/settings_file.h"

namespace tc {

void MainWindow::RegisterClasses(HINSTANCE instance) {
    WindowControls::RegisterClasses(instance);
    RegisterWindowClass(
        instance, {kClassName, Proc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), kProgramIcon});
}

MainWindow::MainWindow(HINSTANCE instance, MainWindowPorts ports)
    : instance_(instance),
      ports_(std::move(ports)),
      newer_(FindNewerWindowFunctions(ports_.findSystemFunction)),
      look_(instance, newer_, controls_),
      moments_(ports_.clock, ports_.locale),
      commandLog_(ports_.clock, ports_.files, ports_.codePage),
      openDialog_(ports_.openFile) {}

MainWindow::~MainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::Create() {
    RegisterClasses(instance_);
    MarkStartup("window classes");
    CreateWindowExW(0, kClassName, L"Tallowcron", kMainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    kClientWidth, kClientHeight, nullptr, nullptr, instance_, this);
    MarkStartup("window created");
    return hwnd_ != nullptr;
}

void MainWindow::Show(int startCommand, bool atLogOn) {
    CentreOnScreen(hwnd_);
    // The first show's work, before the window appears, so that its errors are seen first. Done
    // here rather than at WM_SHOWWINDOW, which a show that minimises the window does not send.
    if (!shownOnce_) {
        shownOnce_ = true;
        MarkStartup("before the first show");
        errorBox_->Guard("FormShow", [this] { LoadSettings(); });
        MarkStartup("settings load");
        // At log-on with the clock started by the settings there is nothing to ask the user:
        // into the notification area without showing the window. Without an icon it shows.
        if (atLogOn && scheduler_->Running()) {
            if (!tray_->Active()) tray_->Add();
            if (tray_->Active()) {
                readouts_->Stop();
                return;
            }
        }
    }
    // Minimised where the program was started so (a shortcut set to "Run: Minimized"), without
    // taking the focus from what the user is doing; shown otherwise, the window being of one size.
    const bool minimised = startCommand == SW_MINIMIZE || startCommand == SW_SHOWMINIMIZED ||
                           startCommand == SW_SHOWMINNOACTIVE || startCommand == SW_FORCEMINIMIZE;
    ShowWindow(hwnd_, minimised ? SW_SHOWMINNOACTIVE : SW_SHOW);
    MarkStartup("window shown");
    UpdateWindow(hwnd_);
    MarkStartup("first paint");
    // The window first: the user sees it without waiting for the notification area.
    if (!tray_->Active()) tray_->Add();
    MarkStartup("notification-area icon");
    // A first show that left the window minimised, whatever was asked (the system takes the
    // first show's command from the starting program's STARTUPINFO), came before the icon: the
    // window goes into the notification area now, as a minimise does once the icon is there.
    if (IsIconic(hwnd_) && tray_->Active()) ShowWindow(hwnd_, SW_HIDE);
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A second start from the program's folder: come back as from the notification area.
    if (message == ShowRunningCopyMessage()) {
        if (!shownOnce_) return 0;  // still starting: asked again shortly
        RestoreFromTray();
        return kRunningCopyShown;
    }
    switch (message) {
    case WM_CREATE:
        return OnCreateGuarded() ? 0 : -1;
    case WM_COMMAND:
        // A control telling of a change may have changed what the schedulers read.
        if (values_ && lParam) values_->ForgetReads();
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        if (values_) values_->ForgetReads();
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH face = WindowControls::Colours(reinterpret_cast<HDC>(wParam),
                                                  reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(face);
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != FALSE);
        break;
    case WM_ACTIVATE:
        if (focus_) focus_->OnActivate(wParam);
        return 0;
    case WM_SIZE:
        OnSize(wParam);
        return 0;
    case WM_GETMINMAXINFO:
        look_.KeepTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:  // also WM_WININICHANGE, the same message number
        OnSettingChange();
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool MainWindow::OnCreateGuarded() {
    // Nothing may leave a window procedure: a failure while building the window is shown and
    // the window is not created (Create answers false).
    try {
        OnCreate();
        return true;
    } catch (const std::exception& e) {
        if (errorBox_) errorBox_->Show("OnCreate", e.what());
    } catch (...) {
    }
    return false;
}

void MainWindow::OnCreate() {
    // Removed again in OnDestroy: a property named by a string holds a global atom.
    if (!ports_.folderIdentity.empty())
        SetPropW(hwnd_, ports_.folderIdentity.c_str(), reinterpret_cast<HANDLE>(1));
    errorBox_ = std::make_unique<ErrorBox>(
        ProgramTitle(ports_.files.ExePath()), ports_.codePage, [this] { return hwnd_; },
        ports_.messageBox);
    look_.Attach(hwnd_);
    MarkStartup("main window frame");
    look_.SetIcons(/*tray=*/nullptr);
    MarkStartup("icons");

    look_.MakePicturesAndFont();
    // The status bar is placed at the bottom of the client area: its size comes first.
    look_.ResizeToClientArea();
    MarkStartup("pictures, font, window size");
    controls_.Create(hwnd_, instance_, look_.Pictures(), Scale{look_.Dpi()}, look_.Font());
    MarkStartup("controls");
    values_ = std::make_unique<Win32ControlValues>(
        controls_, [this](std::string_view name) { controls_.FitLabel(name, look_.Font()); });
    focus_ = std::make_unique<WindowFocus>(hwnd_, controls_, *values_);
    timers_ = std::make_unique<Win32Timers>(hwnd_);
    readouts_ =
        std::make_unique<StatusReadouts>(hwnd_, Control(kStatusBar), moments_, ports_.input,
                                         *values_, newer_, [this](UINT_PTR id) { RunTimer(id); });
    if (!ports_.shell) systemShell_ = std::make_unique<Win32Shell>(hwnd_, ports_.appWindow);
    Shell& shell = ports_.shell ? *ports_.shell : *systemShell_;
    // The icon is put in the notification area once the window is on the screen (Show); the
    // scheduler gives it its tooltip and warnings from the start.
    tray_ = std::make_unique<TrayIcon>(
        instance_, look_.SmallIcon(), L"Tallowcron", [this] { RestoreFromTray(); },
        [this](POINT at) { OnTrayMenu(at); }, [this] { OnTrayIconLost(); }, ports_.notifyIcon,
        ports_.allowMessage);
    scheduler_ = std::make_unique<Scheduler>(
        *values_, moments_,
        SchedulerPorts{shell, ports_.processes, ports_.input, *timers_,
                       ports_.powerActions ? *ports_.powerActions : systemPowerActions_,
                       commandLog_, tray_.get()});
    settings_ = std::make_unique<SettingsFile>(
        *values_, moments_, SettingsPorts{ports_.files, ports_.codePage, ports_.registry});
    commandLog_.SetTimeSeparator(moments_.Forms().Info().timeSeparator);
    MarkStartup("scheduler and settings objects");
    controls_.SetPickerFormats(moments_.Forms().Info());
    MarkStartup("picker formats");
    WireHandlers();
    MarkStartup("handlers and key filters");
    look_.SetStatusFont();
    MarkStartup("status bar font");
    // A second start that is not elevated may still call this window back when it is.
    if (ports_.allowMessage)
        ports_.allowMessage(hwnd_, ShowRunningCopyMessage(), MSGFLT_ALLOW, nullptr);
}

// Every control notification the window answers, with the handler that answers it. A binding
// without a control name serves every control of its kind.
constexpr MainWindow::CommandBinding MainWindow::kCommands[] = {
    {kStartButton, ControlKind::ToolButton, BN_CLICKED, "RzToolButton1Click",
     [](MainWindow& w, const ControlSpec&, HWND) { w.StartClock(); }},
    {kStopButton, ControlKind::ToolButton, BN_CLICKED, "RzToolButton2Click",
     [](MainWindow& w, const ControlSpec&, HWND) { w.StopClock(); }},
    {kSaveButton, ControlKind::ToolButton, BN_CLICKED, "RzToolButton5Click",
     [](MainWindow& w, const ControlSpec&, HWND) { w.SaveSettings(); }},
    {kClearButton, ControlKind::ToolButton, BN_CLICKED, "RzToolButton3Click",
     [](MainWindow& w, const ControlSpec&, HWND) { w.ClearActivity(); }},
    {kExitButton, ControlKind::ToolButton, BN_CLICKED, "RzToolButton4Click",
     [](MainWindow& w, const ControlSpec&, HWND) { w.CloseProgram(); }},
    {kLocateButton, ControlKind::Button, BN_CLICKED, "Button6Click",
     [](MainWindow& w, const ControlSpec&, HWND) { w.MoveCursorToClickPoint(); }},
    {"", ControlKind::SpeedButton, BN_CLICKED, "SpeedButton1Click",
     [](MainWindow& w, const ControlSpec&, HWND sender) { w.ChooseSlotFile(sender); }},
    // No handler of the program's own: the pair's other button is cleared, the typed text of
    // the drop-down selects the item it names.
    {"", ControlKind::RadioButton, BN_CLICKED, "radio pair",
     [](MainWindow& w, const ControlSpec& c, HWND) { w.values_->SetChecked(c.name, true); }},
    {"", ControlKind::ComboBox, CBN_EDITCHANGE, "drop-down text",
     [](MainWindow&, const ControlSpec&, HWND sender) { SelectItemOfTypedText(sender); }},
};

// The window's timers and their tick handlers.
constexpr MainWindow::TimerBinding MainWindow::kTimers[] = {
    {kSlotTimer, "Timer1Timer", [](MainWindow& w) { w.scheduler_->SlotTick(); }},
    {kPowerTimer, "timCloseSysTimer", [](MainWindow& w) { w.scheduler_->PowerTick(); }},
    {kMouseTimer, "Timer4Timer", [](MainWindow& w) { w.scheduler_->MouseTick(); }},
    {kCursorReadoutTimer, "Timer3Timer", [](MainWindow& w) { w.ShowCursorPosition(); }},
    {kClockReadoutTimer, "Timer5Timer", [](MainWindow& w) { w.ShowClock(); }},
};

void MainWindow::WireHandlers() {
    // The program's own writes to the scheduler's check boxes and text field run its handler
    // too, inside the write, so that their errors reach the code that wrote.
    WireScheduler(*values_, *scheduler_);
    for (const ControlSpec& c : ControlTable()) {
        if (c.keyFilter == KeyFilter::Picker) InstallKeyFilter(Control(c.name), KeepPickerKey);
        if (c.keyFilter == KeyFilter::Digits) InstallKeyFilter(Control(c.name), KeepDigitKey);
    }
}

void MainWindow::OnTrayMenu(POINT at) {
    const TrayMenuState state =
        ReadTrayMenuState(scheduler_->Running(), scheduler_->Tip(), *values_);
    // Each item does what its button or box in the window does, under the same error guard.
    switch (ShowTrayMenu(tray_->Window(), at, state, ports_.trackMenu)) {
    case TrayCommand::ShowWindow:
        RestoreFromTray();
        break;
    case TrayCommand::Start:
        errorBox_->Guard("RzToolButton1Click", [this] { StartClock(); });
        break;
    case TrayCommand::Stop:
        errorBox_->Guard("RzToolButton2Click", [this] { StopClock(); });
        break;
    case TrayCommand::StopClicks:
        errorBox_->Guard("CheckBox1Click", [this] { values_->SetChecked(kMouseOnCheck, false); });
        break;
    case TrayCommand::Exit:
        CloseProgram();
        break;
    case TrayCommand::None:
    case TrayCommand::Next:
        break;
    }
}

void MainWindow::OnTrayIconLost() {
    // Back on the taskbar as an ordinary minimised window until the icon is there again.
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
}

void MainWindow::ApplyDpi(int dpi) {
    look_.Apply(dpi, tray_.get());
    controls_.Place(Scale{dpi}, look_.Font());
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    const ControlSpec* entry = WindowControls::SpecOfId(id);
    if (!entry) return;
    for (const CommandBinding& b : kCommands) {
        if (b.notification != code) continue;
        if (b.control.empty() ? b.kind != entry->kind : b.control != entry->name) continue;
        errorBox_->Guard(b.handler, [&] { b.run(*this, *entry, control); });
        return;
    }
    // The scheduler's own: a text the program writes ran the handler inside its write already.
    for (const SchedulerBinding& b : kSchedulerBindings) {
        const bool matches = b.change == ControlChange::Click
                                 ? code == BN_CLICKED && entry->kind == ControlKind::CheckBox
                                 : code == EN_CHANGE && !values_->Writing();
        if (!matches || b.control != entry->name) continue;
        errorBox_->Guard(b.handler, [&] { (scheduler_.get()->*b.run)(); });
        return;
    }
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == kClockReadoutTimer) {
        readouts_->ClockTicked();
        return;
    }
    if (id != kSchedulingTimer) {
        RunTimer(id);
        return;
    }
    // One wake-up for the scheduling timers that are due together, run in their order.
    timers_->Wake([this](TimerId due) { RunTimer(WindowTimerOf(due)); },
                  [this] { errorBox_->Guard("RefreshTip", [this] { scheduler_->RefreshTip(); }); });
}

void MainWindow::RunTimer(UINT_PTR id) {
    if (timers_->IsStale(id)) return;  // a tick that was waiting when its timer was switched off
    for (const TimerBinding& t : kTimers)
        if (t.id == id) errorBox_->Guard(t.handler, [&] { t.run(*this); });
}

void MainWindow::OnShowWindow(bool shown) {
    if (!shown) {
        if (readouts_) readouts_->Stop();
        return;
    }
    // Sent before the window appears, so the read-outs are fresh when it is painted. Not sent
    // where a show changes whether the window is minimised: OnSize sees to those.
    if (!IsIconic(hwnd_)) readouts_->Start();
}

void MainWindow::OnSize(WPARAM kind) {
    if (kind == SIZE_MINIMIZED) {
        if (readouts_) readouts_->Stop();
        // Hidden into the notification area, off the taskbar and out of Alt+Tab.
        if (tray_ && tray_->Active()) ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    // Restored from the taskbar (or the notification area): refreshed before it is painted.
    if (IsWindowVisible(hwnd_) && shownOnce_) readouts_->Start();
}

void MainWindow::RestoreFromTray() {
    if (!IsWindowVisible(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnSettingChange() {
    moments_.ReloadLocale();
    commandLog_.SetTimeSeparator(moments_.Forms().Info().timeSeparator);
    controls_.SetPickerFormats(moments_.Forms().Info());
}

void MainWindow::OnDestroy() {
    if (readouts_) readouts_->Stop();
    // A window whose creation failed half-way has not all of its parts.
    if (timers_)
        for (TimerId id : {TimerId::Slots, TimerId::Power, TimerId::Mouse})
            timers_->Enable(id, false);
    if (tray_) tray_->Remove();
    if (!ports_.folderIdentity.empty()) RemovePropW(hwnd_, ports_.folderIdentity.c_str());
    if (ports_.quitOnClose) PostQuitMessage(0);
}

bool MainWindow::HandleFocusKeys(const MSG& msg) {
    return hwnd_ && focus_ && focus_->HandleKey(msg);
}

void MainWindow::MoveFocus(bool forward) { focus_->Move(forward); }

// ---- Handlers ----

void MainWindow::LoadSettings() {
    LoadedSettings loaded = settings_->LoadSettings();
    scheduler_->ApplyLoadedSettings(loaded.countdownMinutes, loaded.startClock);
    if (!loaded.failures.empty()) throw SettingsError(std::move(loaded.failures));
}

void MainWindow::StartClock() { scheduler_->StartScheduling(); }

void MainWindow::StopClock() { scheduler_->StopScheduling(); }

void MainWindow::SaveSettings() { settings_->SaveSettings(); }

void MainWindow::ClearActivity() { ClearActivityLog(*values_); }

void MainWindow::CloseProgram() {
    // Closing the main window ends the program, whatever is scheduled; nothing is saved.
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::ChooseSlotFile(HWND sender) {
    const ControlSpec* entry = WindowControls::SpecOfId(GetDlgCtrlID(sender));
    if (!entry || entry->tag < 1) return;
    const int row = entry->tag;
    const std::optional<std::string> file = openDialog_.Execute(hwnd_);
    if (!file) return;
    SetChosenSlotFile(*values_, row, *file);
}

void MainWindow::MoveCursorToClickPoint() {
    const std::int32_t x = TextToInt(values_->Text(kClickXEdit));
    const std::int32_t y = TextToInt(values_->Text(kClickYEdit));
    ports_.input.SetCursorPos({x, y});
}

void MainWindow::ShowClock() { readouts_->ShowClock(); }

void MainWindow::ShowCursorPosition() { readouts_->ShowCursorPosition(); }

}  // namespace tc
