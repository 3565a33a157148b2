#include "app/error_box.h"

#include "app/error_text.h"
#include "platform/win32/win32_text.h"

namespace tc {

ErrorBox::ErrorBox(std::string title, CodePage& codePage, std::function<HWND()> owner,
                   MessageBoxFn messageBox)
    : title_(std::move(title)),
      codePage_(codePage),
      owner_(std::move(owner)),
      messageBox_(messageBox) {}

void ErrorBox::Show(const std::string& handler, const std::string& message) {
    if (!open_.insert(handler).second) return;
    // The handler's box counts as closed again however this call ends.
    struct Closed {
        std::set<std::string>& open;
        const std::string& handler;
        Closed(std::set<std::string>& o, const std::string& h) : open(o), handler(h) {}
        Closed(const Closed&) = delete;
        Closed(Closed&&) = delete;
        Closed& operator=(const Closed&) = delete;
        Closed& operator=(Closed&&) = delete;
        ~Closed() { open.erase(handler); }
    } closed{open_, handler};
    const std::wstring text = Widen(WithFullStop(message, codePage_));
    const std::wstring title = Widen(title_);
    messageBox_(owner_ ? owner_() : nullptr, text.c_str(), title.c_str(), MB_ICONERROR | MB_OK);
}

}  // namespace tc
