#pragma once
// The channel ruler under the plot: unlabelled major ticks every d channels
// with nine minor ticks between them when d > 10.

#include <cstdint>
#include <vector>

namespace detkit {

struct SharedState;

// Ticks for the window first..last on a ruler `width` pixels wide. span is
// last - first; the step d is 10, 50, 100 or 200 channels so that there are
// at most about ten to twenty-five major ticks. The first major tick lies
// o = first mod d (sign of first) channels after the window's first channel.
// A window with span <= 0 (first = last, or first > last) has no ticks: there
// is no channel-to-pixel scale to draw them on.
struct RulerTicks {
    std::int64_t d = 10;    // channels between major ticks
    std::int64_t m = 0;     // number of major ticks
    std::int64_t o = 0;     // channel offset of the first major tick
    std::vector<int> major; // x of each major tick, from y 0 down to y 18
    std::vector<int> minor; // x of each minor tick, from y 0 down to y 10
};
RulerTicks rulerTicks(std::int32_t first, std::int32_t last, int width);

// Rebuilds RulerImage from DisplayWindow on a clean RulerBackground and puts
// it on the paint box at (16, 317).
void DrawRuler(SharedState& s);

} // namespace detkit
