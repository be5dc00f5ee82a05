#pragma once
// The quick profile plot of the scan mode: the analyser's 256 intensity
// bytes spread over the plot columns, with its own header, region marks and
// cursor mark. It never goes through the full redraw.

#include <span>

#include "state/shared_state.h"

namespace detkit {

// The total count of one scan pass as kilo-counts per second: total / preset
// (0.1 s) * 0.01. A preset of 0 or less gives 0 rather than infinity.
float ScanPassRate(float passTotal, std::int32_t scanPreset);

// Profile bytes into TraceTop for the window first..last on a plot `width`
// by `height`; columns past the width are not stored.
void ProfileRows(const StatusBlock& status, std::int32_t first, std::int32_t last, int width, int height,
                 std::span<std::int32_t> traceTop);

// Steps 2 to 8 of a scan tick: profile rows, background, header, region
// marks of entries 0 to 7, the staircase in lime, the cursor mark, and the
// three surfaces onto the paint box.
void DrawScanProfile(SharedState& s);

}  // namespace detkit
