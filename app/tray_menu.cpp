#include "app/tray_menu.h"

#include "core/control_values.h"
#include "core/controls.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace tc {
namespace {

void FreeMenu(HMENU menu) { DestroyMenu(menu); }
using UniqueMenu = UniqueHandle<HMENU, FreeMenu>;

void Append(HMENU menu, TrayCommand command, const wchar_t* text, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                static_cast<UINT_PTR>(command), text);
}

}  // namespace

TrayMenuState ReadTrayMenuState(bool running, const std::string& tip, ControlValues& values) {
    TrayMenuState state;
    if (running) {
        // The next action as the tooltip shows it: its second line.
        if (const auto line = tip.find('\n'); line != std::string::npos)
            state.next = Widen(tip.substr(line + 1));
    }
    state.startEnabled = values.Enabled(kStartButton);
    state.stopEnabled = values.Enabled(kStopButton);
    state.mouseOn = values.Checked(kMouseOnCheck);
    return state;
}

TrayCommand ShowTrayMenu(HWND owner, POINT at, const TrayMenuState& state, TrackMenuFn track) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return TrayCommand::None;
    if (!state.next.empty()) Append(menu.Get(), TrayCommand::Next, state.next.c_str(), false);
    Append(menu.Get(), TrayCommand::ShowWindow, L"显示窗口");
    SetMenuDefaultItem(menu.Get(), static_cast<UINT>(TrayCommand::ShowWindow), FALSE);
    Append(menu.Get(), TrayCommand::Start, L"开始", state.startEnabled);
    Append(menu.Get(), TrayCommand::Stop, L"停止", state.stopEnabled);
    if (state.mouseOn) Append(menu.Get(), TrayCommand::StopClicks, L"停止鼠标单击");
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    Append(menu.Get(), TrayCommand::Exit, L"退出");

    SetForegroundWindow(owner);
    const BOOL chosen = track(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                              at.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<TrayCommand>(chosen);
}

}  // namespace tc
