#pragma once
// Waiting in a test for something another process or a window timer brings about.
#include <windows.h>

namespace tc::test {

// Checks `done` every 20 ms for up to `ms` milliseconds, running this thread's messages
// meanwhile (so the test's own windows and timers go on); true as soon as it holds.
template <typename Done>
bool WaitFor(Done done, int ms = 10000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(20);
    }
    return true;
}

}  // namespace tc::test
