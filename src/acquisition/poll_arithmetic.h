#pragma once
// The arithmetic of one MCA poll tick: end test, real/live/dead time and the
// count rate, from the analyser's status values. Pure functions; the tick
// itself does the reads and the redraw.
//
// Units: elapsed in 0.01 s (as the analyser reports it), times in 0.1 s,
// dead time in 0.1 %, rates in kilo-counts per second, dead time per event
// in µs. Float-to-int conversions truncate toward zero.

#include <cstdint>

namespace detkit {

struct RateTracker;

// True once the analyser's elapsed time, in whole 0.1 s, reaches the preset.
bool PresetReached(std::int32_t elapsed, std::int32_t presetTime);

// elapsed / 10: the real time in 0.1 s, truncated.
std::int32_t RealTimeOf(std::int32_t elapsed);

// realTime - totalCounts * deadTimePerEvent * 0.00001, in extended precision,
// truncated; a result outside int32 is held at its limit, NaN gives realTime.
std::int32_t LiveTimeOf(std::int32_t realTime, std::int32_t totalCounts, float deadTimePerEvent);

// countRate * deadTimePerEvent (kcps x µs = 0.1 %), truncated and held in int32.
std::int32_t DeadTimeOf(float countRate, float deadTimePerEvent);

// Start of a tick: the current elapsed time and total become the previous ones.
void ShiftRateTracker(RateTracker& tracker);

// After the tick's read: records elapsed (0.01 s) and the spectrum total the read
// left, and returns the rate in kcps since the previous tick. A tick with no
// elapsed time (dt <= 0, e.g. a failed status read), a total lower than before
// (a clear) or any non-finite value gives 0: the screen never shows a count
// difference as a rate, nor NaN or infinity.
float CountRateStep(RateTracker& tracker, std::int32_t elapsed, float totalFromRead);

struct TickTimes {
    float countRate = 0;       // kcps
    std::int32_t realTime = 0; // 0.1 s
    std::int32_t liveTime = 0; // 0.1 s
    std::int32_t deadTime = 0; // 0.1 %
};

// A running tick after its shift and read: the rate, then the three times.
TickTimes RunningTickTimes(RateTracker& tracker, std::int32_t elapsed, std::int32_t totalCounts, float totalFromRead,
                           float deadTimePerEvent);

struct FinishedTimes {
    std::int32_t realTime = 0; // 0.1 s, the preset
    std::int32_t liveTime = 0; // 0.1 s, from the analyser's real time
};

// The tick that ends the acquisition: the live time comes from the real time the
// analyser reached (elapsed / 10), the real time shown is the preset.
FinishedTimes FinishedTickTimes(std::int32_t elapsed, std::int32_t totalCounts, float deadTimePerEvent,
                                std::int32_t presetTime);

} // namespace detkit
