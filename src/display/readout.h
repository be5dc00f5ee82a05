#pragma once
// The readout values at the top of the plot: preset, real, live and dead
// time, count rate, total count, full-scale label, the name of the spectrum
// on display (or the acquisition marker) and its comment. The fixed labels
// beside them belong to the background.

#include <string_view>

namespace detkit {

class Canvas;
struct SharedState;

// Text whose right edge is at x = right.
void TextOutRight(Canvas& c, int right, int y, std::string_view text);

// Draws the values into PlotImage, transparently, over what the redraw has
// just cleared. Sets CountRate to 0 when no acquisition runs, so the rate
// reads 0.00 between acquisitions. `fullScaleLabel` is the label of the
// current linear full scale; it is drawn only when the scale is linear.
void DrawHeaderValues(SharedState& s, std::string_view fullScaleLabel);
// The same with the label of FullScaleIndex; a step outside the ladder (from
// the analyser) draws no label.
void DrawHeaderValues(SharedState& s);

} // namespace detkit
