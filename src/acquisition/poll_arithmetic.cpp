#include "acquisition/poll_arithmetic.h"

#include <cmath>

#include "state/shared_state.h"

namespace detkit {

namespace {

// Truncation toward zero into int32; values past the range stop at its limits.
std::int32_t truncToInt32(long double v, std::int32_t ifNaN)
{
    if (std::isnan(v))
        return ifNaN;
    if (v >= 2147483647.0L)
        return 2147483647;
    if (v <= -2147483648.0L)
        return -2147483647 - 1;
    return static_cast<std::int32_t>(v);
}

} // namespace

bool PresetReached(std::int32_t elapsed, std::int32_t presetTime)
{
    return elapsed / 10 >= presetTime;
}

std::int32_t RealTimeOf(std::int32_t elapsed)
{
    return elapsed / 10;
}

std::int32_t LiveTimeOf(std::int32_t realTime, std::int32_t totalCounts, float deadTimePerEvent)
{
    const long double lost = static_cast<long double>(totalCounts) * deadTimePerEvent * 0.00001L;
    return truncToInt32(realTime - lost, realTime);
}

std::int32_t DeadTimeOf(float countRate, float deadTimePerEvent)
{
    return truncToInt32(static_cast<long double>(countRate) * deadTimePerEvent, 0);
}

void ShiftRateTracker(RateTracker& tracker)
{
    tracker.previousElapsed = tracker.currentElapsed;
    tracker.previousTotal = tracker.currentTotal;
}

float CountRateStep(RateTracker& tracker, std::int32_t elapsed, float totalFromRead)
{
    tracker.currentElapsed = static_cast<float>(elapsed * 0.01L);
    tracker.currentTotal = totalFromRead;
    const long double counts = static_cast<long double>(tracker.currentTotal) - tracker.previousTotal;
    const float dt = tracker.currentElapsed - tracker.previousElapsed;
    if (!(dt > 0))
        return 0;
    const auto rate = static_cast<float>(counts / dt * 0.001L);
    return (rate >= 0 && std::isfinite(rate)) ? rate : 0;
}

TickTimes RunningTickTimes(RateTracker& tracker, std::int32_t elapsed, std::int32_t totalCounts, float totalFromRead,
                           float deadTimePerEvent)
{
    TickTimes t;
    t.countRate = CountRateStep(tracker, elapsed, totalFromRead);
    t.realTime = RealTimeOf(elapsed);
    t.liveTime = LiveTimeOf(t.realTime, totalCounts, deadTimePerEvent);
    t.deadTime = DeadTimeOf(t.countRate, deadTimePerEvent);
    return t;
}

FinishedTimes FinishedTickTimes(std::int32_t elapsed, std::int32_t totalCounts, float deadTimePerEvent,
                                std::int32_t presetTime)
{
    FinishedTimes t;
    t.liveTime = LiveTimeOf(RealTimeOf(elapsed), totalCounts, deadTimePerEvent);
    t.realTime = presetTime;
    return t;
}

} // namespace detkit
