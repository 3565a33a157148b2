// Cases the simulation found, replayed: each list of steps once showed the program doing other
// than its rules say.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "model/simulation.h"

namespace tc::sim {
namespace {

// Replays tests/model/replays/<name>.steps and expects no difference.
void ExpectSame(const std::string& name) {
    std::ifstream in(std::string(TC_REPLAYS) + "/" + name + ".steps");
    ASSERT_TRUE(in) << name;
    std::stringstream text;
    text << in.rdbuf();
    const Outcome o = Run(StepsFromText(text.str()));
    EXPECT_TRUE(o.same) << "after step " << o.failedAt + 1 << ": " << o.difference;
}

TEST(SimulationReplayTest, StepsReadBackAsWritten) {
    const std::vector<Step> steps = Generate(7, 600);
    EXPECT_EQ(ToText(StepsFromText(ToText(steps))), ToText(steps));
}

TEST(SimulationReplayTest, ADailyTargetThatActedComesTomorrowInTheTooltipAfterTheClockIsSetBack) {
    ExpectSame("daily_target_after_clock_set_back");
}

TEST(SimulationReplayTest, ACountdownByTheClockTickedAfterItsTimeOfDayWentByStillActsAtItsTarget) {
    ExpectSame("countdown_by_clock_ticked_late");
}

TEST(SimulationReplayTest, AWakeAfterAModalBoxDoesNotTickAgainWhatTheBoxAlreadyTicked) {
    ExpectSame("mouse_after_modal_box");
}

}  // namespace
}  // namespace tc::sim
