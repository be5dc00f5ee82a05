#pragma once
// The full redraw of the plot and the pieces of it that other parts of the
// display reuse. Everything is drawn on the off-screen surfaces of
// SharedState::surfaces; the window only blits surfaces.PaintBox.

#include <cstdint>
#include <span>

#include "display/plot_geometry.h"
#include "platform/color.h"

namespace detkit {

class Canvas;
struct Form;
struct PlotSurfaces;
struct SharedState;

// Pen colours of the four snapshot overlays: MCA, Mem1, Mem2, Mem3.
inline constexpr Color kOverlayColors[4] = {clAqua, clRed, clOlive, clNavy};

// The channels in use (0 .. ChannelCount-1), never more than LiveSpectrum holds.
std::span<const std::int32_t> spectrumInUse(const SharedState& s);

// Count of LiveSpectrum at CursorChannel; a cursor outside the spectrum reads
// the nearest channel in use (0 when no channel is in use).
std::int32_t countAtCursor(const SharedState& s);

// The live trace: a staircase with one channel or less per column (A <= 1),
// min-max bars joined top to next bottom with more.
void drawTrace(Canvas& plot, std::span<const std::int32_t> top, std::span<const std::int32_t> bottom, std::int64_t A,
               Color pen);

// A frozen overlay: a line through its points with at most one channel per
// column (A = 0), bars with one or more (A > 0).
void drawOverlay(Canvas& plot, std::span<const std::int32_t> top, std::span<const std::int32_t> bottom, std::int64_t A,
                 Color pen);

// The 25-pixel red tick standing on the trace at the cursor's column.
void drawCursorMark(Canvas& plot, std::span<const std::int32_t> traceTop, const ColumnGeometry& g, std::int32_t cursor);

// Puts PlotImage at (16, 5), ScaleStripImage at (0, 0) and RulerImage at
// (16, 317) on the paint box, in that order; the ruler is cut at the box's edge.
void composePaintBox(PlotSurfaces& surfaces);

// The full redraw: rows, background, readout, regions, trace, overlays,
// results, cursor mark, then the three surfaces onto the paint box. Also sets
// Label7 to the count at the cursor.
void PaintBox1Paint(SharedState& s, Form& form);

} // namespace detkit
