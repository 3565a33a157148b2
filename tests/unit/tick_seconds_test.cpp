#include "core/tick_seconds.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tc {
namespace {

using Seconds = std::vector<std::int64_t>;

Seconds Due(const TickSpan& span) {
    Seconds seconds;
    for (const std::int64_t second : span.due) seconds.push_back(second);
    return seconds;
}

TEST(TickSecondsTest, EachTickLooksAtTheSecondsNotYetLookedAt) {
    struct Step {
        std::int64_t now;
        Seconds expected;
        const char* why;
        std::optional<SecondRange> skipped = std::nullopt;
    };
    const std::vector<Step> steps = {
        {1000, {1000}, "first tick: its own second"},
        {1001, {1001}, "on time"},
        {1001, {}, "a second tick in the same second looks at nothing"},
        {1003, {1002, 1003}, "a tick 990 ms late catches up the second it skipped"},
        {1014,
         {1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014},
         "ten seconds late: still caught up"},
        {1026, {1026}, "twelve seconds later: a gap, not caught up", SecondRange{1015, 1025}},
        {1027, {1027}, "and on from there"},
        {1027 - 3600, {1027 - 3600}, "clock set back an hour: its own second"},
        {1028 - 3600, {1028 - 3600}, "and on from there"},
        {1028 + 7200,
         {1028 + 7200},
         "clock set forward two hours: not caught up",
         SecondRange{1029 - 3600, 1027 + 7200}},
    };
    TickSeconds seconds;
    for (const Step& step : steps) {
        const TickSpan span = seconds.Next(step.now);
        EXPECT_EQ(Due(span), step.expected) << step.why;
        EXPECT_EQ(span.skipped, step.skipped) << step.why;
    }
}

TEST(TickSecondsTest, StartAfterMakesTheFirstTickBeginWithTheNextSecond) {
    TickSeconds seconds;
    seconds.StartAfter(500);
    EXPECT_EQ(Due(seconds.Next(502)), (Seconds{501, 502}));
    seconds.Reset();
    EXPECT_EQ(Due(seconds.Next(600)), (Seconds{600}));
}

TEST(TickSecondsTest, DelayAimsTwentyMillisecondsAfterTheNextSecond) {
    const TDateTime second = EncodeDateTime({2023, 1, 19}, {10, 0, 0, 0});
    const struct {
        int ms;
        int delay;
    } cases[] = {{0, 1020}, {20, 1000}, {300, 720}, {990, 30}, {999, 21}};
    for (const auto& c : cases)
        EXPECT_EQ(DelayToNextSecond(second + c.ms / 86400000.0), c.delay) << c.ms;
}

}  // namespace
}  // namespace tc
