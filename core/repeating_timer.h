#pragma once
// One repeating system timer aimed at given moments of a steady millisecond clock (the system's
// tick count). A repeating timer fires once a period after it was set, and again a period after
// each firing; setting it again is a call to the system (under Wine a round trip to the
// wineserver), so it is set again only when its own repeat would miss the moment asked for. A
// timer that fires every second on the same phase is set once.
//
// This is the rule only: the window's timer (app/steady_timer) makes the system calls it asks
// for, and the simulation of the scheduler uses it to know when the system timer fires.
#include <cstdint>
#include <optional>

namespace tc {

class RepeatingTimer {
public:
    // The shortest delay the system takes (USER_TIMER_MINIMUM).
    static constexpr std::uint32_t kMinimumMs = 10;
    // A repeat that lands this close to the moment asked for is left to serve it.
    static constexpr std::uint64_t kRepeatSlackMs = 10;

    // Its next firing at `due`, asked at `now`: the delay to set the system timer with, or none
    // when the timer as it is set already fires then (within the slack). A moment past or too
    // near gets the shortest delay.
    std::optional<std::uint32_t> SetFor(std::uint64_t due, std::uint64_t now);
    // It fired at `now`: the moment it was set for is used up.
    void Fired(std::uint64_t now);
    // Switched off; true when it was set, so the system timer has to be killed.
    bool Kill();
    // When the system timer fires next as it is set; none when it is not set.
    std::optional<std::uint64_t> NextFiring() const;

private:
    bool set_ = false;            // the system timer is set (it repeats until killed)
    std::uint64_t armedFor_ = 0;  // the moment it was last aimed at; 0 once it fired
    std::uint32_t period_ = 0;    // the period it repeats with: the delay it was set with
    std::uint64_t since_ = 0;     // when it was set or last fired: the next firing is a period on
};

}  // namespace tc
