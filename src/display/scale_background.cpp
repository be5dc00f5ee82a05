// The two background rebuilds of the vertical scale: strip ticks, grid, the
// fixed header labels and a quick preview of the whole spectrum.

#include <algorithm>
#include <cmath>
#include <string_view>

#include "display/plot.h"
#include "display/plot_geometry.h"
#include "display/ruler.h"
#include "display/vertical_scale.h"
#include "state/shared_state.h"

namespace detkit {

namespace {

constexpr int kMinorTickFrom = 4; // strip x where minor ticks start
constexpr int kMinorTickTo = 15;  // not drawn
constexpr int kLabelX = 1;

struct FixedLabel {
    std::string_view text;
    int x;
    int y;
};

// The header's captions; the readout draws its values beside them at every redraw.
constexpr FixedLabel kFixedLabels[] = {
    {"sec.PT", 180, 4}, {"sec.RT", 180, 17}, {"DT( % )", 280, 4}, {"sec.LT", 280, 17},
    {"kcps", 380, 5},   {"kcts", 380, 18},   {"VFS", 10, 5},
};
constexpr FixedLabel kLogLabel = {"Log", 10, 18};

void hline(Canvas& c, int x0, int x1, int y)
{
    c.MoveTo(x0, y);
    c.LineTo(x1, y);
}

void drawLogStrip(Canvas& strip, int H)
{
    const int Hs = strip.height();
    const int D = H / 6;
    for (int i = 0; i <= 5; ++i) {
        const int y = Hs - (D * i + 1);
        hline(strip, 0, strip.width(), y);
        const char label[2] = {'e', static_cast<char>('0' + i)};
        strip.TextOut(kLabelX, i == 0 ? Hs - 13 : Hs - 12 - D * i, std::string_view(label, 2));
        for (int j = 2; j <= 9; ++j) {
            const int o = static_cast<int>(std::log10(static_cast<double>(j)) * D + 0.5);
            hline(strip, kMinorTickFrom, kMinorTickTo, y - o);
        }
    }
    hline(strip, 0, strip.width(), Hs - 6 * D);
}

void drawLinearStrip(Canvas& strip, int H)
{
    const int Hs = strip.height();
    const int D = H / 5;
    for (int i = 0; i <= 4; ++i) {
        const int y = Hs - (D * i + 1);
        hline(strip, 0, strip.width(), y);
        for (int j = 1; j <= 9; ++j) {
            const int o = static_cast<int>(j * D * 0.1 + 0.5);
            hline(strip, kMinorTickFrom, kMinorTickTo, y - o);
        }
    }
    hline(strip, 0, strip.width(), Hs - 5 * D);
}

// Grid lines at H - D*i - 1 across the full width; the top one may lie above the surface.
void drawGrid(Canvas& plot, int divisions)
{
    const int H = plot.height();
    const int D = H / divisions;
    plot.setPenColor(clMaroon);
    for (int i = 0; i <= divisions; ++i)
        hline(plot, 0, plot.width(), H - D * i - 1);
}

void drawFixedLabels(Canvas& plot, bool logScale, Color color)
{
    plot.setFontColor(color);
    for (const FixedLabel& l : kFixedLabels)
        plot.TextOut(l.x, l.y, l.text);
    if (logScale)
        plot.TextOut(kLogLabel.x, kLogLabel.y, kLogLabel.text);
}

// The whole spectrum (not the window) as single points, A0 channels per
// column; nothing when fewer than 512 channels are in use.
void drawPreview(SharedState& s, bool logScale, Color color)
{
    Canvas& plot = s.surfaces.PlotImage;
    const auto spectrum = spectrumInUse(s);
    const int W = plot.width();
    const int H = plot.height();
    const std::size_t A0 = spectrum.size() / static_cast<std::size_t>(W);
    if (A0 == 0)
        return;
    const std::int32_t F = fullScaleOf(s.FullScaleIndex);
    const std::size_t columns = std::min(static_cast<std::size_t>(W), s.surfaces.TraceTop.size());
    for (std::size_t x = 0; x < columns; ++x) {
        int highest = H - 1;
        for (std::size_t c = x * A0; c < (x + 1) * A0; ++c) {
            const int y = previewRow(spectrum[c], logScale, F, H);
            plot.SetPixels(static_cast<int>(x), y, color);
            highest = std::min(highest, y);
        }
        s.surfaces.TraceTop[x] = highest;
    }
}

void buildBackground(SharedState& s, bool logScale)
{
    PlotSurfaces& sf = s.surfaces;
    const int H = sf.PlotImage.height();
    s.LogScale = logScale ? 1 : 0;

    DrawRuler(s);

    sf.ScaleStripImage.Draw(0, 0, sf.ScaleStripBackground);
    sf.ScaleStripImage.setPenColor(clBlack);
    sf.ScaleStripImage.setFontColor(clBlack);
    if (logScale)
        drawLogStrip(sf.ScaleStripImage, H);
    else
        drawLinearStrip(sf.ScaleStripImage, H);

    sf.PlotBackground.Draw(0, 0, sf.PlotBlank);
    drawGrid(sf.PlotBackground, logScale ? 6 : 5);
    drawFixedLabels(sf.PlotBackground, logScale, s.TextColor);

    sf.PlotImage.Draw(0, 0, sf.PlotBackground);
    drawPreview(s, logScale, logScale ? clLime : s.TraceColor);

    composePaintBox(sf);
}

} // namespace

void BuildLogBackground(SharedState& s)
{
    buildBackground(s, true);
}

void BuildLinearBackground(SharedState& s)
{
    buildBackground(s, false);
}

} // namespace detkit
