#include "display/plot.h"

#include "display/readout.h"

#include <algorithm>
#include <string>

#include "display/readout.h"
#include "display/vertical_scale.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

namespace {

constexpr int kPlotX = 16;
constexpr int kPlotY = 5;
constexpr int kRulerY = 317;
constexpr int kCursorMarkLength = 25;

// Stored overlay rows are only ever our own clipped rows, but keep their lines
// short even if one is not.
int clipOverlayRow(std::int32_t row, int height)
{
    return std::clamp<std::int32_t>(row, topRowLimit(height), height - 1);
}

} // namespace

std::span<const std::int32_t> spectrumInUse(const SharedState& s)
{
    const auto n = static_cast<std::size_t>(std::clamp<std::int32_t>(s.ChannelCount, 0, kMaxChannels));
    return std::span<const std::int32_t>(s.LiveSpectrum).first(n);
}

std::int32_t countAtCursor(const SharedState& s)
{
    const auto spectrum = spectrumInUse(s);
    if (spectrum.empty())
        return 0;
    const auto last = static_cast<std::int32_t>(spectrum.size()) - 1;
    return spectrum[static_cast<std::size_t>(std::clamp(s.CursorChannel, 0, last))];
}

void drawTrace(Canvas& plot, std::span<const std::int32_t> top, std::span<const std::int32_t> bottom, std::int64_t A,
               Color pen)
{
    const int columns = static_cast<int>(std::min(top.size(), bottom.size()));
    if (columns == 0)
        return;
    plot.setPenColor(pen);
    plot.MoveTo(0, bottom[0]);
    for (int x = 0; x < columns; ++x) {
        const auto i = static_cast<std::size_t>(x);
        plot.LineTo(x, bottom[i]);
        if (A > 1) {
            plot.MoveTo(x, bottom[i]);
            plot.LineTo(x, top[i]);
        } else {
            plot.LineTo(x, bottom[i]);
            plot.LineTo(x + 1, top[i]);
        }
    }
}

void drawOverlay(Canvas& plot, std::span<const std::int32_t> top, std::span<const std::int32_t> bottom, std::int64_t A,
                 Color pen)
{
    const int columns = static_cast<int>(std::min({top.size(), bottom.size(), std::size_t(plot.width())}));
    if (columns == 0)
        return;
    const int h = plot.height();
    plot.setPenColor(pen);
    plot.MoveTo(0, clipOverlayRow(bottom[0], h));
    for (int x = 0; x < columns; ++x) {
        const auto i = static_cast<std::size_t>(x);
        const int b = clipOverlayRow(bottom[i], h);
        const int t = clipOverlayRow(top[i], h);
        plot.LineTo(x, b);
        if (A > 0)
            plot.LineTo(x, t);
        else
            plot.LineTo(x + 1, t);
    }
}

void drawCursorMark(Canvas& plot, std::span<const std::int32_t> traceTop, const ColumnGeometry& g, std::int32_t cursor)
{
    const int columns = static_cast<int>(std::min(traceTop.size(), std::size_t(plot.width())));
    const auto place = cursorMarkPlace(g, cursor, columns);
    if (!place)
        return;
    const int row = traceTop[static_cast<std::size_t>(place->column)];
    plot.setPenColor(clRed);
    plot.MoveTo(place->drawColumn, row - kCursorMarkLength);
    plot.LineTo(place->drawColumn, row);
}

void composePaintBox(PlotSurfaces& surfaces)
{
    surfaces.PaintBox.Draw(kPlotX, kPlotY, surfaces.PlotImage);
    surfaces.PaintBox.Draw(0, 0, surfaces.ScaleStripImage);
    surfaces.PaintBox.Draw(kPlotX, kRulerY, surfaces.RulerImage);
}

void PaintBox1Paint(SharedState& s, Form& form)
{
    PlotSurfaces& sf = s.surfaces;
    const int width = sf.PlotImage.width();
    const int height = sf.PlotImage.height();

    // 1. The activity conversion coefficients are worked out here once the
    //    activity evaluation exists.

    // 2. Column geometry and per-column rows.
    const ColumnGeometry g = columnGeometry(s.DisplayWindow.first, s.DisplayWindow.last, width);
    traceRows(spectrumInUse(s), g, s.LogScale != 0, fullScaleOf(s.FullScaleIndex), height, sf.TraceTop, sf.TraceBottom);

    // 3. Start from the background: grid and fixed labels.
    sf.PlotImage.Draw(0, 0, sf.PlotBackground);

    // 4. The readout values of the header.
    DrawHeaderValues(s);
    form.Label7.text = std::to_string(countAtCursor(s));

    // 5. The regions of interest 0 to 9 are evaluated and drawn here.

    // 6. The live trace.
    drawTrace(sf.PlotImage, sf.TraceTop, sf.TraceBottom, g.A, s.TraceColor);

    // 7. Frozen snapshots over it, MCA first.
    for (std::size_t i = 0; i < s.Snapshots.size(); ++i) {
        const SnapshotOverlay& o = s.Snapshots[i];
        if (o.shown)
            drawOverlay(sf.PlotImage, o.top, o.bottom, g.A, kOverlayColors[i]);
    }

    // 8. The activity result block is evaluated and drawn here while ResultsShown is 1.

    // 9. Cursor mark on top of everything.
    drawCursorMark(sf.PlotImage, sf.TraceTop, g, s.CursorChannel);

    // 10. Onto the paint box.
    composePaintBox(sf);
}

} // namespace detkit
