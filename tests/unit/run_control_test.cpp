#include "core/scheduler.h"

#include <gtest/gtest.h>

#include "core/controls.h"
#include "core/errors.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

TEST(RunControlTest, StartAndStopSwitchTheTimersAndTheControls) {
    SchedulerRig rig;
    EXPECT_FALSE(rig.scheduler.Running());
    EXPECT_TRUE(rig.form.Enabled(kStartButton));
    EXPECT_FALSE(rig.form.Enabled(kStopButton));

    rig.scheduler.StartScheduling();
    EXPECT_TRUE(rig.scheduler.Running());
    EXPECT_TRUE(rig.timers.Enabled(TimerId::Slots) && rig.timers.Enabled(TimerId::Power));
    EXPECT_FALSE(rig.timers.Enabled(TimerId::Mouse));
    EXPECT_FALSE(rig.form.Enabled(kCountdownMinutesEdit));
    EXPECT_FALSE(rig.form.Enabled(kStartButton));
    EXPECT_TRUE(rig.form.Enabled(kStopButton));

    rig.scheduler.StopScheduling();
    EXPECT_FALSE(rig.scheduler.Running());
    EXPECT_FALSE(rig.timers.Enabled(TimerId::Slots) || rig.timers.Enabled(TimerId::Power));
    EXPECT_TRUE(rig.form.Enabled(kCountdownMinutesEdit));
    EXPECT_TRUE(rig.form.Enabled(kStartButton));
    EXPECT_FALSE(rig.form.Enabled(kStopButton));
}

TEST(RunControlTest, EveryTickReArmsItsTimerForJustAfterTheNextSecond) {
    SchedulerRig rig;
    rig.At(9, 0, 0, 300);
    rig.scheduler.StartScheduling();
    EXPECT_EQ(rig.timers.LastDelay(TimerId::Slots), 720);
    EXPECT_EQ(rig.timers.LastDelay(TimerId::Power), 720);

    const struct {
        int ms;
        int delay;
    } cases[] = {{20, 1000}, {990, 30}, {0, 1020}, {515, 505}};
    int second = 1;
    for (const auto& c : cases) {
        rig.SlotTickAt(9, 0, second, c.ms);
        rig.PowerTickAt(9, 0, second, c.ms);
        ++second;
        EXPECT_EQ(rig.timers.LastDelay(TimerId::Slots), c.delay) << c.ms;
        EXPECT_EQ(rig.timers.LastDelay(TimerId::Power), c.delay) << c.ms;
    }
}

TEST(RunControlTest, SlowWorkIsMeasuredFromWhenTheTickEnds) {
    SchedulerRig rig;
    rig.At(9, 59, 59, 0);
    rig.scheduler.StartScheduling();
    rig.SetSlot(1, "D:\\slow.exe", Moment(2023, 1, 19, 10, 0, 0));
    // The shell takes 1.3 s to come back.
    rig.shell.onOpen = [&rig](const ShellCall&) { rig.clock.AdvanceMs(1300); };
    rig.SlotTickAt(10, 0, 0, 20);
    EXPECT_EQ(rig.timers.LastDelay(TimerId::Slots), 700);  // from 10:00:01.320
}

TEST(RunControlTest, ATickThatThrowsIsReArmedAllTheSame) {
    SchedulerRig rig;
    rig.form.SetText(kClickIntervalEdit, "?");
    // Ticked late in a second, the first tick still waits a whole second: with interval 1 no
    // burst lands a few milliseconds after the user's own click on the box.
    rig.At(9, 0, 0, 990);
    rig.form.SetChecked(kMouseOnCheck, true);
    EXPECT_EQ(rig.timers.LastDelay(TimerId::Mouse), 1030);
    rig.At(9, 0, 2, 250);
    EXPECT_THROW(rig.scheduler.MouseTick(), ConvertError);
    EXPECT_EQ(rig.timers.LastDelay(TimerId::Mouse), 770);
}

TEST(RunControlTest, StoppedTimersAreNotReArmed) {
    SchedulerRig rig;
    rig.scheduler.StartScheduling();
    rig.scheduler.StopScheduling();
    const std::size_t arms = rig.timers.arms.size();
    rig.SlotTickAt(9, 0, 5);
    rig.PowerTickAt(9, 0, 5);
    rig.MouseTickAt(9, 0, 5);
    EXPECT_EQ(rig.timers.arms.size(), arms);
}

}  // namespace
}  // namespace tc
