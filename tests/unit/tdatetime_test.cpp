#include "core/tdatetime.h"

#include <gtest/gtest.h>

namespace tc {
namespace {

TEST(TDateTime, EpochAndKnownSerials) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2023, 1, 19), 44945.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
}

TEST(TDateTime, FractionCountsForwardBeforeTheEpoch) {
    // -1.25 is 1899-12-29 06:00, not 1899-12-28 18:00.
    const Decoded d = Decode(-1.25);
    EXPECT_EQ(d.date.year, 1899);
    EXPECT_EQ(d.date.month, 12);
    EXPECT_EQ(d.date.day, 29);
    EXPECT_EQ(d.time.hour, 6);
    EXPECT_EQ(EncodeDateTime({1899, 12, 29}, {6, 0, 0, 0}), -1.25);
    EXPECT_LT(ToMilliseconds(-1.25), ToMilliseconds(-1.5));  // 06:00 comes before 12:00
}

TEST(TDateTime, LeapYearsAndMonthEnds) {
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 4, 31));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(10000, 1, 1));
    EXPECT_EQ(EncodeDate(2000, 3, 1) - EncodeDate(2000, 2, 28), 2.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1) - EncodeDate(1900, 2, 28), 1.0);
}

TEST(TDateTime, DecodeRoundTripsEveryDayOfSeveralCenturies) {
    for (std::int64_t day = -693593; day <= 2958465; day += 37) {
        const Decoded d = Decode(static_cast<double>(day));
        ASSERT_TRUE(IsValidDate(d.date.year, d.date.month, d.date.day)) << day;
        ASSERT_EQ(DayNumber(d.date.year, d.date.month, d.date.day), day);
    }
}

TEST(TDateTime, DecodeRoundsToTheNearestMillisecond) {
    // A value a hair below midnight is the next day's midnight.
    const Decoded d = Decode(44945.0 - 1e-10);
    EXPECT_EQ(d.date.day, 19);
    EXPECT_EQ(d.time.hour, 0);
    const Decoded e = Decode(EncodeDateTime({2023, 1, 19}, {23, 59, 59, 999}));
    EXPECT_EQ(e.date.day, 19);
    EXPECT_EQ(e.time.second, 59);
    EXPECT_EQ(e.time.millisecond, 999);
}

TEST(TDateTime, WholeSecondsAndParts) {
    const TDateTime t = EncodeDateTime({2023, 1, 19}, {15, 30, 10, 750});
    EXPECT_EQ(ToWholeSeconds(t), ToWholeSeconds(EncodeDateTime({2023, 1, 19}, {15, 30, 10, 0})));
    EXPECT_EQ(FromWholeSeconds(ToWholeSeconds(t)), EncodeDateTime({2023, 1, 19}, {15, 30, 10, 0}));
    EXPECT_EQ(DateOf(t), 44945.0);
    EXPECT_EQ(ToMilliseconds(TimeOf(t)), ((15 * 60 + 30) * 60 + 10) * 1000 + 750);
    const TDateTime old = EncodeDateTime({1800, 5, 6}, {7, 8, 9, 0});
    EXPECT_EQ(FromWholeSeconds(ToWholeSeconds(old)), old);
    EXPECT_EQ(Decode(DateOf(old)).date.day, 6);
    EXPECT_EQ(Decode(old).dayOfWeek, 2);      // a Tuesday
    EXPECT_EQ(Decode(44945.0).dayOfWeek, 4);  // 2023-01-19, a Thursday
}

}  // namespace
}  // namespace tc
