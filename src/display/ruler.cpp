#include "display/ruler.h"

#include <algorithm>

#include "state/shared_state.h"

namespace detkit {

namespace {

constexpr int kMajorTickEnd = 18; // y, not drawn
constexpr int kMinorTickEnd = 10;
constexpr int kRulerX = 16;
constexpr int kRulerY = 317;

// A window far wider than the analyser's 16-bit range puts many ticks on one
// pixel; keep one so the lists stay as short as the ruler is wide.
void pushNew(std::vector<int>& ticks, int x)
{
    if (ticks.empty() || ticks.back() != x)
        ticks.push_back(x);
}

} // namespace

RulerTicks rulerTicks(std::int32_t first, std::int32_t last, int width)
{
    RulerTicks t;
    const std::int64_t span = std::int64_t{last} - first;
    if (span <= 0 || width <= 0)
        return t;
    // Coarser steps only once ten-channel ticks would be more than 25: a
    // window of 256 keeps its 25 fine ticks.
    t.d = 10;
    t.m = span / 10;
    if (t.m > 25) {
        t.d = 50;
        t.m = span / 50;
        if (t.m > 10) {
            t.d = 100;
            t.m = span / 100;
            if (t.m > 10) {
                t.d = 200;
                t.m = span / 200;
            }
        }
    }
    t.o = first % t.d;
    // More ticks than pixels only comes from a garbled window: draw every
    // stride-th, which still blackens about every pixel, in bounded time.
    const std::int64_t stride = std::max<std::int64_t>(1, t.m / width);
    for (std::int64_t i = 0; i < t.m; i += stride) {
        const std::int64_t x = (t.d * i + t.o) * width / span;
        // Ticks only grow to the right; past the ruler's end there is nothing to draw.
        if (x >= width)
            break;
        pushNew(t.major, static_cast<int>(x));
        if (t.d > 10) {
            for (std::int64_t k = 1; k <= 9; ++k) {
                const std::int64_t g = k * width * t.d / span;
                pushNew(t.minor, static_cast<int>(x + static_cast<std::int64_t>(g * 0.1 + 0.5)));
            }
        }
    }
    return t;
}

void DrawRuler(SharedState& s)
{
    PlotSurfaces& sf = s.surfaces;
    Canvas& ruler = sf.RulerImage;
    ruler.Draw(0, 0, sf.RulerBackground);

    const RulerTicks t = rulerTicks(s.DisplayWindow.first, s.DisplayWindow.last, ruler.width());
    ruler.setPenColor(clBlack);
    for (int x : t.major) {
        ruler.MoveTo(x, 0);
        ruler.LineTo(x, kMajorTickEnd);
    }
    for (int x : t.minor) {
        ruler.MoveTo(x, 0);
        ruler.LineTo(x, kMinorTickEnd);
    }
    sf.PaintBox.Draw(kRulerX, kRulerY, ruler);
}

} // namespace detkit
