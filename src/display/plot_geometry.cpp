#include "display/plot_geometry.h"

#include <algorithm>
#include <cmath>

namespace detkit {

namespace {

// The smallest count of a column starts here, so a column of larger counts keeps it.
constexpr std::int32_t kMinCountStart = 16'000'000;

int clipRow(std::int64_t y, int height)
{
    return static_cast<int>(std::clamp<std::int64_t>(y, topRowLimit(height), height - 1));
}

} // namespace

int topRowLimit(int height)
{
    return -2 * height;
}

ColumnGeometry columnGeometry(std::int32_t first, std::int32_t last, int width)
{
    ColumnGeometry g;
    g.first = first;
    g.n = std::max<std::int64_t>(std::int64_t{last} - first + 1, 1);
    const std::int64_t w = std::max(width, 1);
    g.A = g.n / w;
    g.P = g.A == 0 ? w / g.n : 0;
    return g;
}

std::int64_t columnChannel(const ColumnGeometry& g, int x)
{
    return g.A > 0 ? g.first + g.A * x : g.first + x / g.P;
}

int logHeight(std::int32_t count, int height)
{
    const int D = height / 6;
    if (count >= 2)
        return static_cast<int>(std::log10(static_cast<double>(count)) * D);
    if (count == 0)
        return 0;
    return static_cast<int>(std::log10(2.0) * D) / 2;
}

std::int64_t linearHeight(std::int32_t count, int height, std::int32_t fullScale)
{
    return std::int64_t{count} * height / std::max<std::int32_t>(fullScale, 1);
}

int countToRow(std::int32_t count, bool logScale, std::int32_t fullScale, int height)
{
    const std::int64_t d = logScale ? logHeight(count, height) : linearHeight(count, height, fullScale);
    return clipRow(height - d, height);
}

int previewRow(std::int32_t count, bool logScale, std::int32_t fullScale, int height)
{
    if (!logScale)
        return countToRow(count, false, fullScale, height);
    const int D = height / 6;
    const int d = count >= 1 ? static_cast<int>(std::log10(static_cast<double>(count)) * D) : 0;
    return clipRow(height - d, height);
}

void traceRows(std::span<const std::int32_t> spectrum, const ColumnGeometry& g, bool logScale, std::int32_t fullScale,
               int height, std::span<std::int32_t> top, std::span<std::int32_t> bottom)
{
    const std::int64_t channels = static_cast<std::int64_t>(spectrum.size());
    const std::size_t columns = std::min(top.size(), bottom.size());
    for (std::size_t x = 0; x < columns; ++x) {
        const std::int64_t base = columnChannel(g, static_cast<int>(x));
        std::int32_t hi = 0;
        std::int32_t lo = 0;
        if (g.A == 0) {
            if (base >= 0 && base < channels)
                hi = lo = spectrum[static_cast<std::size_t>(base)];
        } else {
            const std::int64_t from = std::max<std::int64_t>(base, 0);
            const std::int64_t to = std::min(base + g.A, channels);
            if (from < to) {
                lo = kMinCountStart;
                for (std::int64_t c = from; c < to; ++c) {
                    const std::int32_t v = spectrum[static_cast<std::size_t>(c)];
                    hi = std::max(hi, v);
                    lo = std::min(lo, v);
                }
            }
        }
        top[x] = countToRow(hi, logScale, fullScale, height);
        bottom[x] = countToRow(lo, logScale, fullScale, height);
    }
}

std::int32_t windowMaxCount(std::span<const std::int32_t> spectrum, std::int32_t first, std::int32_t last)
{
    const std::int64_t from = std::max<std::int64_t>(first, 0);
    const std::int64_t to = std::min<std::int64_t>(last, static_cast<std::int64_t>(spectrum.size()));
    std::int32_t max = 0;
    for (std::int64_t c = from; c < to; ++c)
        max = std::max(max, spectrum[static_cast<std::size_t>(c)]);
    return max;
}

std::optional<CursorMarkPlace> cursorMarkPlace(const ColumnGeometry& g, std::int32_t cursor, int width)
{
    const std::int64_t offset = std::int64_t{cursor} - g.first;
    std::int64_t x = 0;
    std::int64_t drawX = 0;
    if (g.A > 0) {
        // Truncating division, so a cursor just left of the window still lands in column 0: no mark.
        x = offset / g.A;
        drawX = x;
    } else {
        x = offset * g.P;
        drawX = x + g.P / 2;
    }
    if (x <= 0 || x >= width)
        return std::nullopt;
    return CursorMarkPlace{static_cast<int>(x), static_cast<int>(drawX)};
}

} // namespace detkit
