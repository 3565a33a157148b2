#pragma once
// The application's default error handler: shows an error's message in a box with the error icon
// and an OK button, titled with the program's name, and returns. At most one box per handler is
// open at a time: a handler that fails again while its box is still open (a timer tick runs
// inside the box's own message loop) shows nothing more for that failure.
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace tc {

using MessageBoxFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);

class ErrorBox {
public:
    ErrorBox(std::string title, CodePage& codePage, std::function<HWND()> owner,
             MessageBoxFn messageBox = MessageBoxW);

    // Shows the message for the named handler unless a box of that handler is open.
    void Show(const std::string& handler, const std::string& message);

    // Runs a handler's work; an exception that escapes it is shown, and the work done before it
    // stands.
    template <typename Work>
    void Guard(std::string_view handler, Work&& work) {
        try {
            work();
        } catch (const std::exception& e) {
            Show(std::string(handler), e.what());
        }
    }

private:
    std::string title_;
    CodePage& codePage_;
    std::function<HWND()> owner_;
    MessageBoxFn messageBox_;
    std::set<std::string> open_;
};

}  // namespace tc
