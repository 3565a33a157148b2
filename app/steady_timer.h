#pragma once
// One repeating window timer aimed at given moments of the tick count, set again only when its
// own repeat would miss the moment asked for (the rule: core/repeating_timer.h).
#include <windows.h>

#include <cstdint>

#include "core/repeating_timer.h"

namespace tc {

class SteadyTimer {
public:
    using TickSource = std::uint64_t (*)();

    // `now`: the tick count in milliseconds (GetTickCount64; a test can give its own).
    SteadyTimer(HWND window, UINT_PTR id, TickSource now = NowMs)
        : window_(window), id_(id), now_(now) {}

    // Its next tick at `due` (tick count milliseconds); a moment past or too near ticks as soon
    // as the system allows.
    void SetFor(std::uint64_t due);
    // Call on its tick, before asking for the next one: the moment it was set for is used up.
    void Ticked() { rule_.Fired(now_()); }
    void Kill();

    static std::uint64_t NowMs() { return GetTickCount64(); }

private:
    HWND window_;
    UINT_PTR id_;
    TickSource now_;
    RepeatingTimer rule_;
};

}  // namespace tc
