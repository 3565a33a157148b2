#pragma once
// The three scheduling timers on one system timer. Each scheduling timer keeps whether it is on
// and when its next tick is due, in milliseconds of a steady clock; the system timer waits for
// the earliest of them, so the program wakes once for all that are due together (once a second
// while they run). A timer that is on ticks every 1000 ms until ArmNext sets the delay of its
// next tick.
//
// The window owns the system timer and calls Wake when it fires; everything that decides which
// handlers a wake runs lives here, so it runs the same in the tests as in the program.
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/timers.h"

namespace tc {

class TimerSchedule : public Timers {
public:
    // `nowMs`: the steady clock (the system's tick count). `rearm`: asks the system timer for
    // NextDue(), or to stop when there is none; called whenever that may have changed, except
    // in the middle of a wake, which asks once at its end.
    TimerSchedule(std::function<std::uint64_t()> nowMs, std::function<void()> rearm);

    void Enable(TimerId id, bool on) override;
    bool Enabled(TimerId id) const override;
    void ArmNext(TimerId id, int delayMs) override;

    // One wake of the system timer: `tick` runs for each timer that is on and due when its turn
    // comes, in the order slots, power, mouse, each counted as ticked first (its next tick
    // 1000 ms on unless ArmNext says otherwise); then `after` runs, and the system timer is
    // asked for the next due tick.
    void Wake(const std::function<void(TimerId)>& tick, const std::function<void()>& after);

    // The earliest due tick of the timers that are on; none when all are off.
    std::optional<std::uint64_t> NextDue() const;

    // The system's timers are about 16 ms coarse, and so is its tick count: a wake this close to
    // a due time counts as on time rather than waking again for the rest.
    static constexpr std::uint64_t kEarlyMs = 16;
    static constexpr int kPeriodMs = 1000;

private:
    static int Index(TimerId id) { return static_cast<int>(id); }
    void RearmUnlessWaking();

    std::function<std::uint64_t()> nowMs_;
    std::function<void()> rearm_;
    bool enabled_[3] = {false, false, false};
    std::uint64_t due_[3] = {0, 0, 0};
    int waking_ = 0;  // wakes under way (a modal box inside a tick runs wakes of its own)
};

}  // namespace tc
