#include "acquisition/scan_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "display/plot.h"
#include "display/readout.h"
#include "display/vertical_scale.h"
#include "platform/format.h"

namespace detkit {

float ScanPassRate(float passTotal, std::int32_t scanPreset)
{
    if (scanPreset <= 0)
        return 0.0f;
    const float rate = static_cast<float>(static_cast<long double>(passTotal) / scanPreset * 0.01L);
    return std::isfinite(rate) ? rate : 0.0f;
}

void ProfileRows(const StatusBlock& status, std::int32_t first, std::int32_t last, int width, int height,
                 std::span<std::int32_t> traceTop)
{
    const std::int64_t n = static_cast<std::int64_t>(last) - first + 1;
    const std::int64_t s = n > 0 ? n / width : 1;
    // Columns per profile byte: spread over the window when it is narrower than the plot.
    const std::int64_t z = s == 0 ? width / n : width / StatusBlock::kProfileSize;
    const int columns = std::min<int>(width, static_cast<int>(traceTop.size()));
    for (int i = 0; i < StatusBlock::kProfileSize; ++i) {
        std::int32_t row = height - (status.profile(i) * height) / 256;
        row = std::min(row, height - 1);
        for (std::int64_t k = 0; k < z; ++k) {
            const std::int64_t x = i * z + k;
            if (x < columns)
                traceTop[static_cast<std::size_t>(x)] = row;
        }
    }
}

void DrawScanProfile(SharedState& s)
{
    PlotSurfaces& surf = s.surfaces;
    Canvas& plot = surf.PlotImage;
    const int W = plot.width();
    const int H = plot.height();
    auto& top = surf.TraceTop;

    ProfileRows(s.StatusBlock, s.DisplayWindow.first, s.DisplayWindow.last, W, H, top);
    plot.CopyRect(Rect{0, 0, W, H}, surf.PlotBackground, Rect{0, 0, W, H});

    plot.setFontColor(clAqua);
    TextOutRight(plot, 175, 5, Format("%8.1f", s.ScanSettings.scanPreset * 0.1));
    TextOutRight(plot, 175, 18, Format("%8.1f", s.StatusBlock.elapsed() * 0.01));
    if (s.LogScale == 0) {
        plot.setFontColor(s.TextColor);
        plot.TextOut(10, 18, std::string(FullScaleLabels[static_cast<std::size_t>(
                                 std::clamp(s.FullScaleIndex, 0, kFullScaleSteps))]));
    }
    plot.setFontColor(clAqua);
    TextOutRight(plot, 375, 5, Format("%8.2f", static_cast<double>(s.CountRate)));
    TextOutRight(plot, 375, 18, Format("%8.2f", s.StatusBlock.totalCounts() * 0.001));
    plot.setFontColor(clRed);
    plot.TextOut(50, 5, "* ACQ *");
    plot.TextOut(50, 18, headerText(s.WorkingHeader.comment));

    // Region marks and the cursor take their window from the analyser's status.
    const std::int32_t wf = s.StatusBlock.windowFirst();
    const std::int64_t n2 = static_cast<std::int64_t>(s.StatusBlock.windowLast()) - wf + 1;
    const std::int64_t s2 = n2 / W;
    const std::int64_t z2 = (s2 == 0 && n2 > 0) ? W / n2 : 0;
    for (int e = 0; e < 8; ++e) {
        const RoiEntry& r = s.RoiTable[static_cast<std::size_t>(e)];
        if (r.on != 1)
            continue;
        plot.setPenColor(static_cast<Color>(r.color) & 0xFFFFFFu);
        if (s2 <= 0)
            continue;
        std::int64_t x0 = (std::int64_t{r.lowCh} - wf) / s2;
        const std::int64_t x1 = (std::int64_t{r.highCh} - wf) / s2;
        if (!(x1 > 0 && x1 < W))
            continue;
        x0 = std::max<std::int64_t>(x0, 0);
        int bestRow = H - 1;
        int bestX = static_cast<int>(x0);
        for (std::int64_t x = x0; x < x1; ++x) {
            const int row = top[static_cast<std::size_t>(x)];
            plot.MoveTo(static_cast<int>(x), H - 1);
            plot.LineTo(static_cast<int>(x), row);
            if (row < bestRow) {
                bestRow = row;
                bestX = static_cast<int>(x);
            }
        }
        plot.setFontColor(static_cast<Color>(r.color) & 0xFFFFFFu);
        plot.TextOut(bestX - 6, bestRow - 18, r.name.substr(0, 2));
    }

    plot.setPenColor(clLime);
    plot.MoveTo(0, H - 1);
    for (int x = 0; x < W; ++x) {
        plot.LineTo(x, top[static_cast<std::size_t>(x)]);
        plot.LineTo(x + 1, top[static_cast<std::size_t>(x)]);
    }

    plot.setPenColor(clRed);
    const std::int64_t fromFirst = std::int64_t{s.StatusBlock.cursor()} - wf;
    const std::int64_t cx = s2 > 0 ? fromFirst / s2 : fromFirst * z2;
    if (cx > 0 && cx < W) {
        const int row = top[static_cast<std::size_t>(cx)];
        plot.MoveTo(static_cast<int>(cx), row - 25);
        plot.LineTo(static_cast<int>(cx), row);
    }
    composePaintBox(surf);
}

}  // namespace detkit
