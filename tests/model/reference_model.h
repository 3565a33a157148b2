#pragma once
// What the scheduler must do, worked out again from its rules in the plainest way, to hold the
// real scheduler to in the simulation. It reads the window's values as they stand whenever a
// rule needs them and keeps only what the rules themselves remember (the countdown's arming,
// what each target last acted for or was told for, the mouse task's count, the last second each
// timer looked at, when each timer is due). The rules it follows are listed in the .cpp.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/control_values.h"
#include "core/moments.h"
#include "platform/input.h"
#include "platform/processes.h"

namespace tc::model {

// Everything the rules say the program does that can be seen from outside.
struct Expected {
    std::vector<std::pair<std::string, std::string>> shell;  // file, parameters
    std::vector<std::string> powerActions;                   // "sleep", "lock"
    std::vector<std::uint32_t> terminated;                   // process ids, in order
    std::vector<Point> bursts;                               // where each burst of clicks went
    std::vector<std::string> activity;                       // lines of the information box
    std::vector<std::string> commandLog;                     // messages of the command log
    std::vector<std::string> warnings;                       // balloons
    std::string tip = "Tallowcron";                          // the icon's tooltip
};

// What the model sees of the world.
struct ModelWorld {
    const ControlValues* values = nullptr;
    std::function<TDateTime()> wallNow;          // the local clock
    std::function<std::uint64_t()> steadyNow;    // the system's tick count, in ms
    std::function<const LocaleForms&()> forms;   // the regional settings as last read
    std::vector<ProcessEntry> processes;         // what a process snapshot lists (never changes)
    std::function<void(const std::string&)> onOpen;  // the shell opens a file (a box may open)
};

class ReferenceModel {
public:
    explicit ReferenceModel(ModelWorld world);

    // Window events, told after the values changed and the program's own writes were made.
    void Started();
    void Stopped();
    void MouseBoxChanged();          // CheckBox1
    void CountdownBoxChanged();      // CheckBox3
    void CountdownMinutesChanged();  // Edit9 (its text as it now stands)
    void SomethingChanged() { tipKnown_ = false; }  // any other edit, a locale change

    // The system timer woke the program.
    void Wake();

    const Expected& Wants() const { return wants_; }
    // The tooltip is only refreshed after a wake, from what that wake's ticks read: true when
    // the last event leaves a tooltip the model can tell.
    bool TipKnown() const { return tipKnown_; }

private:
    enum Which { kSlots = 0, kPower = 1, kMouse = 2 };
    struct TimerState {
        bool on = false;
        std::uint64_t due = 0;
        std::optional<std::int64_t> lastSecond;  // the last wall-clock second it looked at
    };
    // The seconds one tick looks at, and those a long gap passed over.
    struct Seconds {
        std::vector<std::int64_t> due;
        std::optional<std::pair<std::int64_t, std::int64_t>> gap;  // first, last
    };
    struct Slot {
        int row = 0;
        bool on = false;
        std::string path;
        std::int64_t second = 0;  // date of FSetDate, time of day of FSetTime
        bool daily = false;
        bool close = false;
    };
    // An occurrence of a target: its moment (one-time) or its day and time of day (daily), and
    // the settings it acts with.
    struct Occurrence {
        std::int64_t day = 0;
        std::int64_t second = 0;
        std::string settings;
        bool operator==(const Occurrence&) const = default;
    };
    struct Next {
        std::int64_t second = 0;
        std::string verb;
        std::string name;
    };

    void Tick(Which which);
    Seconds SecondsFor(TimerState& timer, std::int64_t nowSecond) const;
    void SlotTick(const Seconds& seconds, TDateTime now);
    void PowerTick(const Seconds& seconds, TDateTime now);
    void MouseTick(const Seconds& seconds, TDateTime now);

    Slot ReadSlot(int row) const;
    static Occurrence SlotOccurrence(const Slot& slot, std::int64_t second);
    Occurrence SetMomentOccurrence(std::int64_t second) const;
    void Arm();
    bool CountdownMatches(std::int64_t second) const;
    // The first second from `from` on that the armed countdown would act in, as chkTime stands.
    std::optional<std::int64_t> CountdownSecondFrom(std::int64_t from) const;
    void RunPowerCommand(TDateTime now);
    bool Click(TDateTime now);
    std::string DateTimeText(std::int64_t second) const;

    std::optional<Next> NextSlotAction(std::int64_t nowSecond) const;
    std::optional<Next> NextPowerAction(std::int64_t nowSecond) const;
    std::optional<Next> NextMouseAction(std::int64_t nowSecond) const;
    void RefreshTip();

    ModelWorld world_;
    Expected wants_;
    TimerState timers_[3];
    bool tipKnown_ = true;
    bool wakeSawAll_ = true;
    int wakeDepth_ = 0;

    std::optional<Occurrence> slotActed_[5];
    std::optional<Occurrence> slotTold_[5];

    std::int32_t minutes_ = 0;
    bool armed_ = false;
    TDateTime armedAt_ = 0;
    TDateTime target_ = 0;
    std::optional<Occurrence> setMomentActed_;
    std::optional<Occurrence> setMomentTold_;
    std::optional<std::pair<std::int64_t, std::string>> warned_;

    std::int32_t clicks_ = 0;  // ticks counted since the last click or since switching on
    std::optional<std::int64_t> startClicked_;
    std::optional<std::int64_t> startTold_;
};

}  // namespace tc::model
