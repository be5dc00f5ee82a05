#include "state/shared_state.h"

#include <numeric>

namespace detkit {

PlotSurfaces::PlotSurfaces()
    : PlotImage(kPlotWidth, kPlotHeight, clBlack),
      PlotBackground(kPlotWidth, kPlotHeight, clBlack),
      PlotBlank(kPlotWidth, kPlotHeight, clBlack),
      ScaleStripImage(kStripWidth, kStripHeight, clBtnFace),
      ScaleStripBackground(kStripWidth, kStripHeight, clBtnFace),
      RulerImage(kPlotWidth, kRulerHeight, clBtnFace),
      RulerBackground(kPlotWidth, kRulerHeight, clBtnFace),
      PaintBox(kPaintBoxWidth, kPaintBoxHeight, clBtnFace)
{
    // The ruler's top two rows are the black edge under the plot.
    for (Canvas* ruler : {&RulerImage, &RulerBackground}) {
        ruler->setBrushColor(clBlack);
        ruler->FillRect(Rect{0, 0, kPlotWidth, 2});
    }
}

SharedState::SharedState()
{
    // Until the first acquisition, clear or read, every spectrum is the ramp 0, 1, 2, ...
    std::iota(LiveSpectrum.begin(), LiveSpectrum.end(), 0);
    for (MemorySlot& slot : Memory)
        std::iota(slot.counts.begin(), slot.counts.end(), 0);
    McaHeader.channels = 2048;
    McaHeader.presetTime = 36000;
}

}  // namespace detkit
