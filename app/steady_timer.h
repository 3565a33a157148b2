#pragma once
// One repeating window timer aimed at given moments of the tick count. A window timer repeats
// with the delay it was set with; setting it again is a call to the system (under Wine a round
// trip to the wineserver), so it is set again only when its own repeat would miss the moment
// asked for. A timer that ticks every second on the same phase is set once.
#include <windows.h>

#include <cstdint>

namespace tc {

class SteadyTimer {
public:
    SteadyTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}

    // Its next tick at `due` (GetTickCount64 milliseconds); a moment past or too near ticks
    // as soon as the system allows.
    void SetFor(std::uint64_t due);
    // Call on its tick, before asking for the next one: the moment it was set for is used up.
    void Ticked();
    void Kill();

    static std::uint64_t NowMs() { return GetTickCount64(); }

private:
    HWND window_;
    UINT_PTR id_;
    bool set_ = false;            // the window timer is set (it repeats until killed)
    std::uint64_t armedFor_ = 0;  // the moment it was last set for; 0 once it ticked
    UINT period_ = 0;             // the period it repeats with: the delay it was set with
    std::uint64_t tickedAt_ = 0;  // when it last ticked
};

}  // namespace tc
