#include <gtest/gtest.h>

#include "platform/clock.h"

namespace detkit {
namespace {

TEST(ManualClock, MovesOnlyWhenTold)
{
    ManualClock clock({2015, 2, 9, 23, 59, 59, 500});
    EXPECT_EQ(clock.monotonicMs(), 0);
    clock.sleepMs(700);  // a sleep is a step, not a wait
    EXPECT_EQ(clock.monotonicMs(), 700);
    const LocalDateTime t = clock.now();
    EXPECT_EQ(t.day, 10);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.second, 0);
    EXPECT_EQ(t.millisecond, 200);
    clock.advance(-50);  // never backwards
    EXPECT_EQ(clock.monotonicMs(), 700);
}

TEST(ManualClock, SetLocalKeepsMonotonicTime)
{
    ManualClock clock;
    clock.advance(1000);
    clock.setLocal({2020, 1, 1, 9, 5, 0, 0});
    EXPECT_EQ(clock.monotonicMs(), 1000);
    EXPECT_EQ(clock.now().hour, 9);
    EXPECT_EQ(clock.now().minute, 5);
}

TEST(DateText, ShortDateAndLongTimeAreNotEmpty)
{
    const LocalDateTime t{2015, 2, 9, 14, 5, 33, 0};
    EXPECT_NE(ShortDateString(t).find("15"), std::string::npos);
    EXPECT_NE(LongTimeString(t).find("05"), std::string::npos);
}

}  // namespace
}  // namespace detkit
