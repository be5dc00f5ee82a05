#pragma once
// Shared helpers of the display tests: a state on the heap (it holds the
// surfaces and several spectra) and pixel queries on a surface.

#include <algorithm>
#include <memory>
#include <set>

#include "platform/canvas.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit::test {

using Rows = std::set<int>;

// Rows of column x holding colour c.
inline Rows rowsOf(const Canvas& canvas, int x, Color c)
{
    Rows rows;
    for (int y = 0; y < canvas.height(); ++y)
        if (canvas.Pixels(x, y) == resolveColor(c))
            rows.insert(y);
    return rows;
}

inline Rows rowRange(int from, int to)
{
    Rows rows;
    for (int y = from; y <= to; ++y)
        rows.insert(y);
    return rows;
}

// Number of pixels of colour c in the rectangle.
inline int countPixels(const Canvas& canvas, const Rect& r, Color c)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += canvas.Pixels(x, y) == resolveColor(c) ? 1 : 0;
    return n;
}

struct DisplayFixture {
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    SharedState& s = *state;
    Form form;

    void clearSpectrum() { s.LiveSpectrum.fill(0); }
    void linear(int fullScaleIndex)
    {
        s.LogScale = 0;
        s.FullScaleIndex = fullScaleIndex;
    }
    void window(int first, int last)
    {
        s.DisplayWindow.first = first;
        s.DisplayWindow.last = last;
    }
};

} // namespace detkit::test
