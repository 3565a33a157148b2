#pragma once
// Timers port: the three scheduling timers of the main window.

namespace tc {

enum class TimerId {
    Slots,  // Timer1: program slots
    Power,  // timCloseSys: power-off scheduler
    Mouse,  // Timer4: mouse-click task
};

class Timers {
public:
    virtual ~Timers() = default;
    virtual void Enable(TimerId id, bool on) = 0;
    virtual bool Enabled(TimerId id) const = 0;
    // Sets the delay until the next tick of an enabled timer (re-armed on every tick).
    virtual void ArmNext(TimerId id, int delayMs) = 0;
};

}  // namespace tc
