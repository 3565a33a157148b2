#pragma once
// A top-most window that notes when the left button goes down and up over it, for the mouse task
// to click on. Its messages are handled by the message loop of the thread that created it.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace tc::soak {

class ClickCounter {
public:
    // The window's place on the screen, in pixels.
    ClickCounter(HINSTANCE instance, RECT place);
    ~ClickCounter();
    ClickCounter(const ClickCounter&) = delete;
    ClickCounter& operator=(const ClickCounter&) = delete;

    bool Shown() const { return window_ != nullptr; }
    POINT Centre() const;
    // Milliseconds since 1970 (UTC) of each event, in the order they came.
    const std::vector<std::int64_t>& Downs() const { return downs_; }
    const std::vector<std::int64_t>& Ups() const { return ups_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    RECT place_;
    std::vector<std::int64_t> downs_;
    std::vector<std::int64_t> ups_;
};

// Milliseconds since 1970 (UTC), from the system's precise clock.
std::int64_t EpochMs();

}  // namespace tc::soak
