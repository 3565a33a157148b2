#include "window_fixture.h"

#include <cwchar>

#include "support/win32/wait.h"

namespace tc::test {

DialogScript& Dialog() {
    static DialogScript script;
    return script;
}

BOOL WINAPI FakeGetOpenFileName(OPENFILENAMEW* ofn) {
    DialogScript& d = Dialog();
    ++d.opened;
    const wchar_t* end = ofn->lpstrFilter;
    while (*end || *(end + 1)) ++end;  // up to the double NUL
    d.filter.assign(ofn->lpstrFilter, end + 1);
    d.filterIndex = static_cast<int>(ofn->nFilterIndex);
    d.initialFile = ofn->lpstrFile;
    d.flags = ofn->Flags;
    if (!d.answer) return FALSE;
    wcsncpy(ofn->lpstrFile, d.answer->c_str(), ofn->nMaxFile - 1);
    if (d.chooseFilterIndex) ofn->nFilterIndex = static_cast<DWORD>(d.chooseFilterIndex);
    return TRUE;
}

BoxScript& Boxes() {
    static BoxScript script;
    return script;
}

int WINAPI FakeMessageBox(HWND owner, LPCWSTR text, LPCWSTR title, UINT type) {
    BoxScript& b = Boxes();
    b.shown.push_back({text, title, type, owner && IsWindowVisible(owner)});
    ++b.depth;
    b.maxDepth = std::max(b.maxDepth, b.depth);
    Pump(b.pumpMs);
    --b.depth;
    return IDOK;
}

int NotifyScript::Count(DWORD message) const {
    int n = 0;
    for (const NotifyCall& c : calls) n += c.message == message;
    return n;
}

NotifyScript& Notifications() {
    static NotifyScript script;
    return script;
}

BOOL WINAPI FakeNotifyIcon(DWORD message, PNOTIFYICONDATAW data) {
    NotifyScript& n = Notifications();
    const bool balloon = (data->uFlags & NIF_INFO) != 0;
    n.calls.push_back({message, data->hWnd, data->uFlags, data->szTip, data->hIcon != nullptr,
                       data->hIcon, balloon ? data->szInfoTitle : L"",
                       balloon ? data->szInfo : L""});
    return n.refuse ? FALSE : TRUE;
}

BOOL WINAPI FakeAllowMessage(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT) {
    if (action == MSGFLT_ALLOW) Notifications().allowed.emplace_back(window, message);
    return TRUE;
}

MenuScript& Menus() {
    static MenuScript script;
    return script;
}

BOOL WINAPI FakeTrackMenu(HMENU menu, UINT flags, int, int, HWND, LPTPMPARAMS) {
    std::vector<MenuItem> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 127;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        const bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({info.wID, separator ? L"" : text,
                         !separator && (info.fState & MFS_DISABLED) == 0,
                         (info.fState & MFS_DEFAULT) != 0});
    }
    Menus().shown.push_back(std::move(items));
    // The window learns the choice from the return value, not from a message.
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(Menus().choose) : FALSE;
}

void Pump(int ms) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (GetTickCount64() >= end) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount64() < end);
}

RECT RectInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT RectInClient(HWND control, HWND form) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    std::string narrow;
    for (const wchar_t* p = name; *p; ++p) narrow += static_cast<char>(*p);
    return narrow;
}

void WindowTest::SetUp() {
    Dialog() = DialogScript{};
    Boxes() = BoxScript{};
    Notifications() = NotifyScript{};
    Menus() = MenuScript{};
}

namespace {

// The lookup on Windows 7: none of the functions that later versions added is there.
FARPROC FindNothing(const wchar_t* /*library*/, const char* /*name*/) { return nullptr; }

bool OnWindows7Branch() {
    wchar_t value[8];
    return GetEnvironmentVariableW(L"TC_WINDOWS7_BRANCH", value, 8) != 0;
}

}  // namespace

void WindowTest::Open(bool show) {
    MainWindowPorts ports{clock, locale, files, codePage, processes, input, registry};
    ports.findSystemFunction = OnWindows7Branch() ? FindNothing : FindSystemFunction;
    ports.shell = &shell;
    ports.openFile = FakeGetOpenFileName;
    ports.notifyIcon = FakeNotifyIcon;
    ports.allowMessage = FakeAllowMessage;
    ports.messageBox = FakeMessageBox;
    ports.trackMenu = FakeTrackMenu;
    ports.quitOnClose = false;
    form = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), ports);
    ASSERT_TRUE(form->Create());
    if (show) {
        form->Show();
        SetForegroundWindow(form->Handle());
        // Activation comes back through the X server, on a busy machine later than at once.
        WaitFor([this] { return GetForegroundWindow() == form->Handle(); }, 5000);
        Pump(50);
    }
}

void WindowTest::TearDown() {
    form.reset();
    Pump(20);
}

}  // namespace tc::test
