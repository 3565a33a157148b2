#include "remote_form.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/window_controls.h"
#include "core/controls.h"
#include "support/win32/top_level_windows.h"

namespace tc::soak {
namespace {

// A block of memory inside the other process, for the messages of the common controls that
// carry a pointer (the system does not copy their data across processes).
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)),
          size_(size) {}
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return address_ != nullptr; }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
    bool Write(const void* data, SIZE_T size) const {
        SIZE_T written = 0;
        return size <= size_ && WriteProcessMemory(process_, address_, data, size, &written) &&
               written == size;
    }
    bool Read(void* data, SIZE_T size) const {
        SIZE_T read = 0;
        return size <= size_ && ReadProcessMemory(process_, address_, data, size, &read) &&
               read == size;
    }

private:
    HANDLE process_;
    void* address_;
    SIZE_T size_;
};

constexpr UINT kSendTimeoutMs = 5000;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               result) != 0;
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK FindById(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool RemoteForm::FindWindowShown() {
    const std::vector<HWND> windows = test::TopLevelWindowsOf(pid_, L"TForm1");
    window_ = windows.empty() ? nullptr : windows.front();
    return window_ != nullptr && IsWindowVisible(window_);
}

HWND RemoteForm::Control(std::string_view name) const {
    const ControlSpec* entry = FindControl(name);
    if (window_ == nullptr || entry == nullptr) return nullptr;
    Search search{WindowControls::IdOf(*entry), nullptr};
    EnumChildWindows(window_, FindById, reinterpret_cast<LPARAM>(&search));  // all descendants
    return search.found;
}

std::optional<POINT> RemoteForm::ScreenCentre(std::string_view name) const {
    RECT r;
    const HWND control = Control(name);
    if (control == nullptr || !GetWindowRect(control, &r)) return std::nullopt;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool RemoteForm::Checked(std::string_view name) const {
    DWORD_PTR state = 0;
    const HWND control = Control(name);
    return control != nullptr && Send(control, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

bool RemoteForm::SetTimeOfDay(std::string_view name, int hour, int minute, int second) const {
    const HWND picker = Control(name);
    RemoteBuffer buffer(process_, sizeof(SYSTEMTIME));
    if (picker == nullptr || !buffer.Valid()) return false;
    DWORD_PTR result = 0;
    SYSTEMTIME value{};
    if (!Send(picker, DTM_GETSYSTEMTIME, 0, buffer.Address(), &result) || result != GDT_VALID ||
        !buffer.Read(&value, sizeof value))
        return false;
    value.wHour = static_cast<WORD>(hour);
    value.wMinute = static_cast<WORD>(minute);
    value.wSecond = static_cast<WORD>(second);
    value.wMilliseconds = 0;
    return buffer.Write(&value, sizeof value) &&
           Send(picker, DTM_SETSYSTEMTIME, GDT_VALID, buffer.Address(), &result) && result != 0;
}

std::wstring RemoteForm::Text(std::string_view name) const {
    const HWND control = Control(name);
    DWORD_PTR length = 0;
    if (control == nullptr || !Send(control, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
    // WM_GETTEXT is one of the messages whose text the system copies between processes.
    std::vector<wchar_t> text(length + 1);
    DWORD_PTR copied = 0;
    if (!Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied))
        return {};
    return std::wstring(text.data(), std::min<std::size_t>(copied, length));
}

std::wstring RemoteForm::StatusPanel(std::string_view statusBar, int panel) const {
    const HWND bar = Control(statusBar);
    DWORD_PTR length = 0;
    if (bar == nullptr || !Send(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0, &length))
        return {};
    const std::size_t chars = LOWORD(length);
    RemoteBuffer buffer(process_, (chars + 1) * sizeof(wchar_t));
    std::vector<wchar_t> text(chars + 1);
    DWORD_PTR result = 0;
    if (!buffer.Valid() ||
        !Send(bar, SB_GETTEXTW, static_cast<WPARAM>(panel), buffer.Address(), &result) ||
        !buffer.Read(text.data(), text.size() * sizeof(wchar_t)))
        return {};
    return std::wstring(text.data(), chars);
}

}  // namespace tc::soak
