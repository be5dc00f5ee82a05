#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "acquisition/poll_arithmetic.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct TickCase {
    const char* what;
    float lastElapsed; // s, recorded by the previous tick
    float lastTotal;
    std::int32_t elapsed; // 0.01 s, from the status block
    std::int32_t totalCounts;
    float totalFromRead;
    float deadTimePerEvent; // µs
    float rate;             // kcps
    std::int32_t realTime, liveTime, deadTime;
};

TEST(PollArithmetic, RunningTickTable)
{
    const TickCase cases[] = {
        {"500 000 events at 1.8 us", 59.0f, 490000, 6000, 500000, 500000, 1.8f, 10.0f, 600, 591, 17},
        // 1.8 as float32 lies just below 1.8: 20 x 1.8 truncates to 35, not 36.
        {"20 kcps x 1.8 us", 1.0f, 0, 200, 20000, 20000, 1.8f, 20.0f, 20, 19, 35},
        {"20 kcps x 1.5 us", 1.0f, 0, 200, 20000, 20000, 1.5f, 20.0f, 20, 19, 30},
        {"first tick: rate over the whole elapsed time", 0, 0, 250, 5000, 5000, 1.8f, 2.0f, 25, 24, 3},
        {"clear: total lower than before", 10.0f, 50000, 1100, 300, 300, 1.8f, 0, 110, 109, 0},
        // A failed status read leaves the old elapsed: no time passed, no rate.
        {"dt 0", 10.0f, 50000, 1000, 52000, 52000, 1.8f, 0, 100, 99, 0},
        {"elapsed went back", 10.0f, 50000, 900, 52000, 52000, 1.8f, 0, 90, 89, 0},
        {"NaN total", 10.0f, 50000, 1100, 52000, kNaN, 1.8f, 0, 110, 109, 0},
        {"infinite total", 10.0f, 50000, 1100, 52000, std::numeric_limits<float>::infinity(), 1.8f, 0, 110, 109, 0},
        {"no events", 10.0f, 0, 1100, 0, 0, 1.8f, 0, 110, 110, 0},
        {"huge dead time per event saturates", 1.0f, 0, 200, 20000, 20000, 3e38f, 20.0f, 20,
         std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.what);
        RateTracker tracker;
        tracker.currentElapsed = c.lastElapsed;
        tracker.currentTotal = c.lastTotal;
        ShiftRateTracker(tracker);
        const TickTimes t = RunningTickTimes(tracker, c.elapsed, c.totalCounts, c.totalFromRead, c.deadTimePerEvent);
        EXPECT_TRUE(std::isfinite(t.countRate));
        EXPECT_FLOAT_EQ(t.countRate, c.rate);
        EXPECT_EQ(t.realTime, c.realTime);
        EXPECT_EQ(t.liveTime, c.liveTime);
        EXPECT_EQ(t.deadTime, c.deadTime);
    }
}

TEST(PollArithmetic, PresetEnd)
{
    const struct {
        std::int32_t elapsed, preset;
        bool reached;
    } ends[] = {{999, 100, false}, {1000, 100, true}, {1015, 100, true}, {0, 0, true}, {9, 1, false}};
    for (const auto& e : ends)
        EXPECT_EQ(PresetReached(e.elapsed, e.preset), e.reached) << e.elapsed << " " << e.preset;

    // The live time comes from the 10.1 s the analyser ran (101 - 0.18), the real time shows the preset.
    const FinishedTimes f = FinishedTickTimes(1015, 10000, 1.8f, 100);
    EXPECT_EQ(f.liveTime, 100);
    EXPECT_EQ(f.realTime, 100);
}

TEST(PollArithmetic, RateRecoversAfterABadTotal)
{
    RateTracker tracker;
    const float totals[] = {1000, kNaN, 3000, 5000};
    const float rates[] = {1.0f, 0, 0, 2.0f}; // 1 s per tick
    for (int i = 0; i < 4; ++i) {
        ShiftRateTracker(tracker);
        EXPECT_FLOAT_EQ(CountRateStep(tracker, (i + 1) * 100, totals[i]), rates[i]) << i;
    }
}

} // namespace
} // namespace detkit
