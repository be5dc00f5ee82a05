#pragma once
// Plot maths: which channels each plot column shows and at which row a count
// is drawn. Pure functions over spans, testable without any surface.
//
// Units: channels, counts, pixels (x to the right, y downwards, row 0 at the
// top of the plot). Window bounds may come from the analyser and are not
// trusted: channel arithmetic is done in 64 bits and every read is clipped to
// the spectrum passed in.

#include <cstdint>
#include <optional>
#include <span>

namespace detkit {

// Rows are clipped at the bottom to height - 1 as the plot wants. Above the
// plot they are held at -2 * height: every line we draw between neighbouring
// columns then crosses the surface exactly as it would from further up, while
// a count far above the full scale cannot make a line millions of pixels long.
int topRowLimit(int height);

// Channels per column, or columns per channel when zoomed in, for the window
// first..last (inclusive) on a plot `width` columns wide. A window with
// last < first is drawn as the single channel `first`.
struct ColumnGeometry {
    std::int64_t first = 0; // first channel shown
    std::int64_t n = 1;     // channels in the window, at least 1
    std::int64_t A = 0;     // channels per column (n / width); 0 when zoomed in
    std::int64_t P = 0;     // columns per channel (width / n) when A is 0, else 0
};
ColumnGeometry columnGeometry(std::int32_t first, std::int32_t last, int width);

// The channel a column starts with: first + A*x, or first + x/P when zoomed in.
std::int64_t columnChannel(const ColumnGeometry& g, int x);

// Height above the bottom on the logarithmic scale, D = height/6 pixels per
// decade: trunc(log10(c) * D) for c >= 2, 0 for c = 0, and half the height of
// a count of 2 for 1 and for every negative count.
int logHeight(std::int32_t count, int height);

// Height on the linear scale: count * height / fullScale, truncated, formed in
// 64 bits. Negative counts give negative heights; a full scale below 1 counts as 1.
std::int64_t linearHeight(std::int32_t count, int height, std::int32_t fullScale);

// Row of a count: height - d, clipped to height - 1 at the bottom and to topRowLimit above.
int countToRow(std::int32_t count, bool logScale, std::int32_t fullScale, int height);

// Row of a count for the quick preview of the background rebuilds: on the log
// scale height - trunc(log10(c) * D) for c >= 1 and height otherwise (so a count
// of 1 lies on the bottom row, unlike the redraw); linear as countToRow. Clipped alike.
int previewRow(std::int32_t count, bool logScale, std::int32_t fullScale, int height);

// Per-column rows of the redraw. spectrum holds the channels in use; a
// column's channels outside it are skipped, and a column with none of its
// channels inside shows a count of 0 (the bottom row). With A >= 1, top is the
// row of the column's largest count (starting from 0) and bottom that of its
// smallest (starting from 16 000 000); with A = 0 both are the row of its one channel.
void traceRows(std::span<const std::int32_t> spectrum, const ColumnGeometry& g, bool logScale, std::int32_t fullScale,
               int height, std::span<std::int32_t> top, std::span<std::int32_t> bottom);

// Largest count over channels first..last-1 of the window (the last channel is
// not examined), starting from 0, clipped to the spectrum.
std::int32_t windowMaxCount(std::span<const std::int32_t> spectrum, std::int32_t first, std::int32_t last);

// Where the cursor mark goes: `column` is the column whose TraceTop it stands
// on, `drawColumn` where it is drawn (the middle of the channel's columns when
// zoomed in). No mark for a cursor in column 0 or off the plot.
struct CursorMarkPlace {
    int column = 0;
    int drawColumn = 0;
};
std::optional<CursorMarkPlace> cursorMarkPlace(const ColumnGeometry& g, std::int32_t cursor, int width);

} // namespace detkit
