#include "app/unit1.h"

#include <commctrl.h>

#include <algorithm>

#include "app/dpi.h"
#include "app/error_text.h"
#include "app/focus_order.h"
#include "app/group_box.h"
#include "app/key_filters.h"
#include "app/picture_list.h"
#include "app/speed_button.h"
#include "app/status_bar.h"
#include "app/toolbar.h"
#include "app/win32_form.h"
#include "app/win32_timers.h"
#include "app/window_font.h"
#include "core/convert.h"
#include "core/scheduler.h"
#include "core/time_form.h"
#include "platform/errors.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"
#include "settings/settings_file.h"

namespace tc {
namespace {

constexpr wchar_t kFormClass[] = L"TForm1";
constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 939;
constexpr int kClientHeight = 579;

constexpr const char* kPickerFiltered[] = {
    "DateTimePicker1", "DateTimePicker2", "FSetDate1", "FSetDate2", "FSetDate3", "FSetDate4",
    "FSetDate5",       "FSetTime1",       "FSetTime2", "FSetTime3", "FSetTime4", "FSetTime5"};
constexpr const char* kDigitFiltered[] = {"Edit6", "Edit7", "Edit8"};

HICON LoadProgramIcon(HINSTANCE instance, int size) {
    HANDLE icon = LoadImageW(instance, L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    if (!icon) icon = LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, size, size, LR_SHARED);
    return static_cast<HICON>(icon);
}

// AdjustWindowRectExForDpi where the system has it (Windows 10 on), else the plain form.
void AdjustForDpi(RECT& r, int dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (adjust)
        adjust(&r, kFormStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, kFormStyle, FALSE, 0);
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

}  // namespace

void TForm1::RegisterClasses(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc),
                             ICC_DATE_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterGroupBoxClass(instance);
    RegisterSpeedButtonClasses(instance);
    RegisterToolbarClasses(instance);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    wc.hIcon = LoadProgramIcon(instance, GetSystemMetrics(SM_CXICON));
    wc.hIconSm = LoadProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
    RegisterClassExW(&wc);  // registering again (a second window in one process) fails harmlessly
}

TForm1::TForm1(HINSTANCE instance, FormPorts ports)
    : instance_(instance),
      ports_(ports),
      moments_(ports.clock, ports.locale),
      commandLog_(ports.clock, ports.files, ports.codePage),
      openDialog_(ports.openFile) {}

TForm1::~TForm1() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool TForm1::Create() {
    RegisterClasses(instance_);
    CreateWindowExW(0, kFormClass, L"Tallowcron", kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    kClientWidth, kClientHeight, nullptr, nullptr, instance_, this);
    return hwnd_ != nullptr;
}

void TForm1::Show() {
    // Centred on the screen at the window's size.
    RECT r;
    GetWindowRect(hwnd_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

LRESULT CALLBACK TForm1::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != FALSE);
        break;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_SIZE:
        OnSize(wParam);
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
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

std::string TForm1::ExePath() { return ports_.files.ExePath(); }

bool TForm1::OnCreate() {
    errorBox_ = std::make_unique<ErrorBox>(
        ProgramTitle(ExePath()), ports_.codePage, [this] { return hwnd_; }, ports_.messageBox);
    dpi_ = WindowDpi(hwnd_);
    const Scale scale{dpi_};
    SetIcons();

    pictures_ = std::make_unique<PictureList>(scale(16));
    controls_.Create(hwnd_, instance_, pictures_.get());
    form_ = std::make_unique<Win32Form>(
        controls_, [this](std::string_view name) { controls_.FitLabel(name, font_.Get()); });
    timers_ = std::make_unique<Win32Timers>(hwnd_);
    if (!ports_.shell) systemShell_ = std::make_unique<Win32Shell>(hwnd_, ports_.appWindow);
    Shell& shell = ports_.shell ? *ports_.shell : *systemShell_;
    scheduler_ = std::make_unique<Scheduler>(
        *form_, moments_,
        SchedulerPorts{shell, ports_.processes, ports_.input, *timers_, commandLog_});
    settings_ = std::make_unique<SettingsFile>(
        *form_, moments_, SettingsPorts{ports_.files, ports_.codePage, ports_.registry},
        SettingsHooks{[this](std::int32_t minutes) { scheduler_->SetCountdownMinutes(minutes); },
                      [this] { scheduler_->UpdateCountdownDisplay(); },
                      [this] { scheduler_->StartScheduling(); }});
    commandLog_.SetTimeSeparator(moments_.Forms().Info().timeSeparator);
    SetPickerFormats();
    WireHandlers();
    ApplyDpi(dpi_);

    SetTimer(hwnd_, kTimer3, 100, nullptr);
    SetTimer(hwnd_, kTimer5, 1000, nullptr);
    tray_ = std::make_unique<TrayIcon>(
        instance_, smallIcon_.Get(), L"Tallowcron", [this] { RestoreFromTray(); },
        [this] { OnTrayIconLost(); }, ports_.notifyIcon, ports_.allowMessage);
    tray_->Add();
    return true;
}

void TForm1::WireHandlers() {
    // The program's own writes run these through the window values, inside the write.
    form_->OnTextChange("Edit9", [this] { scheduler_->Edit9Change(); });
    form_->OnClick("CheckBox1", [this] { scheduler_->CheckBox1Click(); });
    form_->OnClick("CheckBox3", [this] { scheduler_->CheckBox3Click(); });
    for (const char* name : kPickerFiltered) InstallKeyFilter(Control(name), FSetDate1KeyPress);
    for (const char* name : kDigitFiltered) InstallKeyFilter(Control(name), Edit7KeyPress);
}

void TForm1::SetIcons() {
    const Scale scale{dpi_};
    UniqueIcon big(LoadProgramIcon(instance_, scale(32)));
    UniqueIcon small(LoadProgramIcon(instance_, scale(16)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    if (tray_) tray_->SetIcon(small.Get());
    // The old pictures go only when nothing shows them any more.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void TForm1::OnTrayIconLost() {
    // Back on the taskbar as an ordinary minimised window until the icon is there again.
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
}

void TForm1::ApplyDpi(int dpi) {
    const bool rescaled = dpi != dpi_;
    dpi_ = dpi;
    const Scale scale{dpi};
    if (rescaled) SetIcons();
    auto pictures = std::make_unique<PictureList>(scale(16));
    controls_.SetPictures(pictures.get());
    pictures_ = std::move(pictures);
    UniqueFont font = CreateWindowFont(dpi);
    controls_.SetFont(font.Get());
    font_ = std::move(font);
    UniqueFont statusFont = CreateStatusFont(dpi);
    SendMessageW(Control("StatusBar1"), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont.Get()),
                 FALSE);
    statusFont_ = std::move(statusFont);
    ResizeToClientArea();
    controls_.Place(scale, font_.Get());
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void TForm1::ResizeToClientArea() {
    const Scale scale{dpi_};
    RECT r{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustForDpi(r, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Where the frame drawn differs from what the calculation assumed, correct by the difference.
    RECT client, frame;
    GetClientRect(hwnd_, &client);
    GetWindowRect(hwnd_, &frame);
    const int dx = scale(kClientWidth) - client.right;
    const int dy = scale(kClientHeight) - client.bottom;
    if (dx != 0 || dy != 0)
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + dx,
                     frame.bottom - frame.top + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::OnGetMinMaxInfo(MINMAXINFO& info) {
    // The window keeps its size at any scale, also when that is larger than the screen.
    const Scale scale{dpi_};
    RECT r{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustForDpi(r, dpi_);
    info.ptMaxTrackSize.x = std::max<LONG>(info.ptMaxTrackSize.x, (r.right - r.left) * 2);
    info.ptMaxTrackSize.y = std::max<LONG>(info.ptMaxTrackSize.y, (r.bottom - r.top) * 2);
}

void TForm1::Guard(const char* handler, void (TForm1::*work)()) {
    errorBox_->Guard(handler, [&] { (this->*work)(); });
}

void TForm1::OnCommand(int id, int code, HWND control) {
    const ControlSpec* entry = ControlSet::SpecOfId(id);
    if (!entry) return;
    const std::string_view name = entry->name;
    if (code == EN_CHANGE && name == "Edit9") {
        // A text the program writes runs the handler inside its own write.
        if (!form_->Writing())
            errorBox_->Guard("Edit9Change", [this] { scheduler_->Edit9Change(); });
        return;
    }
    if (code == CBN_EDITCHANGE && entry->kind == ControlKind::ComboBox) {
        SelectItemOfTypedText(control);
        return;
    }
    if (code != BN_CLICKED) return;
    if (name == "RzToolButton1")
        Guard("RzToolButton1Click", &TForm1::RzToolButton1Click);
    else if (name == "RzToolButton2")
        Guard("RzToolButton2Click", &TForm1::RzToolButton2Click);
    else if (name == "RzToolButton5")
        Guard("RzToolButton5Click", &TForm1::RzToolButton5Click);
    else if (name == "RzToolButton3")
        Guard("RzToolButton3Click", &TForm1::RzToolButton3Click);
    else if (name == "RzToolButton4")
        Guard("RzToolButton4Click", &TForm1::RzToolButton4Click);
    else if (name == "Button6")
        Guard("Button6Click", &TForm1::Button6Click);
    else if (name == "CheckBox1")
        errorBox_->Guard("CheckBox1Click", [this] { scheduler_->CheckBox1Click(); });
    else if (name == "CheckBox3")
        errorBox_->Guard("CheckBox3Click", [this] { scheduler_->CheckBox3Click(); });
    else if (entry->kind == ControlKind::SpeedButton)
        errorBox_->Guard("SpeedButton1Click", [&] { SpeedButton1Click(control); });
    else if (entry->kind == ControlKind::RadioButton)
        form_->SetChecked(name, true);  // clears the other button of the pair; no handler
}

void TForm1::OnTimer(UINT_PTR id) {
    if (timers_->IsStale(id)) return;  // a tick that was waiting when its timer was switched off
    switch (id) {
    case kTimer1:
        errorBox_->Guard("Timer1Timer", [this] { scheduler_->Timer1Timer(); });
        break;
    case kTimCloseSys:
        errorBox_->Guard("timCloseSysTimer", [this] { scheduler_->timCloseSysTimer(); });
        break;
    case kTimer4:
        errorBox_->Guard("Timer4Timer", [this] { scheduler_->Timer4Timer(); });
        break;
    case kTimer3:
        Guard("Timer3Timer", &TForm1::Timer3Timer);
        break;
    case kTimer5:
        Guard("Timer5Timer", &TForm1::Timer5Timer);
        break;
    }
}

LRESULT TForm1::OnControlColour(HDC dc, HWND control) {
    const ControlSpec* entry = ControlSet::SpecOfId(GetDlgCtrlID(control));
    const bool ours =
        entry && (entry->kind == ControlKind::Label || entry->kind == ControlKind::CheckBox ||
                  entry->kind == ControlKind::RadioButton);
    if (!ours)
        return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, entry->blue ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TForm1::OnShowWindow(bool shown) {
    // Sent before the window appears: an error of the first show is seen before the window.
    if (!shown || shownOnce_) return;
    shownOnce_ = true;
    Guard("FormShow", &TForm1::FormShow);
}

void TForm1::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        return;
    }
    if (HIWORD(wParam)) return;  // activated while minimised
    HWND target = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                      ? lastFocus_
                      : FirstFocusStop(controls_);
    if (target) SetFocus(target);
}

void TForm1::OnSize(WPARAM kind) {
    // Minimised: hidden into the notification area, off the taskbar and out of Alt+Tab.
    if (kind == SIZE_MINIMIZED && tray_ && tray_->Active()) ShowWindow(hwnd_, SW_HIDE);
}

void TForm1::RestoreFromTray() {
    if (!IsWindowVisible(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
}

void TForm1::OnDpiChanged(int dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::OnSettingChange() {
    moments_.ReloadLocale();
    commandLog_.SetTimeSeparator(moments_.Forms().Info().timeSeparator);
    SetPickerFormats();
}

void TForm1::SetPickerFormats() {
    // Date pickers show the short date form of the regional settings (their default format);
    // time pickers the long time form, seconds always included, since slots fire on the second.
    const std::wstring timeFormat = Widen(PickerTimeFormat(moments_.Forms().Info()));
    for (const ControlSpec& c : ControlTable()) {
        if (c.kind == ControlKind::DatePicker)
            SendMessageW(Control(c.name), DTM_SETFORMATW, 0, 0);
        else if (c.kind == ControlKind::TimePicker)
            SendMessageW(Control(c.name), DTM_SETFORMATW, 0,
                         reinterpret_cast<LPARAM>(timeFormat.c_str()));
    }
}

void TForm1::OnDestroy() {
    KillTimer(hwnd_, kTimer3);
    KillTimer(hwnd_, kTimer5);
    for (TimerId id : {TimerId::Slots, TimerId::Power, TimerId::Mouse}) timers_->Enable(id, false);
    tray_->Remove();
    if (ports_.quitOnClose) PostQuitMessage(0);
}

bool TForm1::HandleFocusKeys(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !hwnd_) return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    if (msg.wParam == VK_TAB && !KeyDown(VK_CONTROL) && !KeyDown(VK_MENU)) {
        MoveFocus(!KeyDown(VK_SHIFT));
        return true;
    }
    const ControlSpec* entry = ControlSet::SpecOfId(GetDlgCtrlID(msg.hwnd));
    const bool arrow = msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT || msg.wParam == VK_UP ||
                       msg.wParam == VK_DOWN;
    if (arrow && entry && entry->kind == ControlKind::RadioButton) {
        const std::string partner = RadioPartner(entry->name);
        if (IsWindowEnabled(Control(partner))) {
            form_->SetChecked(partner, true);
            SetFocus(Control(partner));
        }
        return true;
    }
    return false;
}

void TForm1::MoveFocus(bool forward) {
    if (HWND next = NextFocusStop(controls_, GetFocus(), forward)) SetFocus(next);
}

// ---- Handlers ----

void TForm1::FormShow() { settings_->LoadSettings(); }

void TForm1::RzToolButton1Click() { scheduler_->StartScheduling(); }

void TForm1::RzToolButton2Click() { scheduler_->StopScheduling(); }

void TForm1::RzToolButton5Click() { settings_->SaveSettings(); }

void TForm1::RzToolButton3Click() { ClearActivityLog(*form_); }

void TForm1::RzToolButton4Click() {
    // Closing the main window ends the program, whatever is scheduled; nothing is saved.
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TForm1::SpeedButton1Click(HWND sender) {
    const ControlSpec* entry = ControlSet::SpecOfId(GetDlgCtrlID(sender));
    if (!entry || entry->tag < 1) return;
    const int row = entry->tag;
    const std::optional<std::string> file = openDialog_.Execute(hwnd_);
    if (!file) return;
    const std::string ext = UpperAscii(FileExtension(*file));
    form_->SetText(RowName("Edit", row), *file);
    if (ext == ".BAT") {
        form_->SetEnabled(RowName("rbtColse", row), false);
        form_->SetChecked(RowName("rbtOp", row), true);
    } else if (ext == ".EXE") {
        form_->SetEnabled(RowName("rbtColse", row), true);
    }
}

void TForm1::Button6Click() {
    const std::int32_t x = TextToInt(form_->Text("Edit7"));
    const std::int32_t y = TextToInt(form_->Text("Edit8"));
    ports_.input.SetCursorPos({x, y});
}

void TForm1::Timer5Timer() {
    SetStatusText(Control("StatusBar1"), 0, moments_.Forms().DateTimeText(moments_.Now()));
}

void TForm1::Timer3Timer() {
    // X from one reading and Y from a second. While the system refuses the position the panel
    // says so; the error box comes for the first refusal of a run of refusals only.
    try {
        const Point first = ports_.input.CursorPos();
        const Point second = ports_.input.CursorPos();
        SetStatusText(Control("StatusBar1"), 1,
                      "当前鼠标坐标" + std::to_string(first.x) + " -- " + std::to_string(second.y));
        cursorRefused_ = false;
    } catch (const SystemError&) {
        SetStatusText(Control("StatusBar1"), 1, "当前鼠标坐标不可用");
        if (cursorRefused_) return;
        cursorRefused_ = true;
        throw;
    }
}

}  // namespace tc
