// Which scheduling timers a wake of the shared system timer runs: those that are on and due, each
// once and in the order slots, power, mouse; one that is off or not yet due is left out.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/timer_schedule.h"

namespace tc {
namespace {

using Ticks = std::vector<TimerId>;

struct ScheduleRig {
    std::uint64_t nowMs = 5000;
    int rearms = 0;
    TimerSchedule schedule{[this] { return nowMs; }, [this] { ++rearms; }};

    Ticks Wake() {
        Ticks ticked;
        schedule.Wake([&](TimerId id) { ticked.push_back(id); }, [] {});
        return ticked;
    }
};

TEST(TimerScheduleTest, AWakeRunsTheDueTimersThatAreOnOnceInTheirOrder) {
    ScheduleRig rig;
    for (TimerId id : {TimerId::Mouse, TimerId::Power, TimerId::Slots}) {
        rig.schedule.Enable(id, true);
        rig.schedule.ArmNext(id, 0);
    }
    EXPECT_EQ(rig.Wake(), (Ticks{TimerId::Slots, TimerId::Power, TimerId::Mouse}));
    EXPECT_EQ(rig.Wake(), Ticks{});  // each ran once: the next is a second away
    EXPECT_EQ(rig.schedule.NextDue(), 6000u);

    // Switched off, a timer is left out even when it was due; one not yet due waits.
    rig.schedule.ArmNext(TimerId::Slots, 0);
    rig.schedule.ArmNext(TimerId::Power, 0);
    rig.schedule.ArmNext(TimerId::Mouse, 5000);
    rig.schedule.Enable(TimerId::Slots, false);
    EXPECT_EQ(rig.Wake(), Ticks{TimerId::Power});
    EXPECT_EQ(rig.schedule.NextDue(), 6000u);
    rig.schedule.Enable(TimerId::Power, false);
    rig.schedule.Enable(TimerId::Mouse, false);
    EXPECT_EQ(rig.schedule.NextDue(), std::nullopt);
}

}  // namespace
}  // namespace tc
