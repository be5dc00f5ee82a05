#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "display/plot_geometry.h"

namespace detkit {
namespace {

constexpr int W = 512;
constexpr int H = 312;

struct RowCase {
    const char* name;
    std::int32_t count;
    bool log;
    std::int32_t fullScale;
    int row;
};

class CountToRowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(CountToRowTest, GivesTheRow)
{
    const RowCase& c = GetParam();
    EXPECT_EQ(countToRow(c.count, c.log, c.fullScale, H), c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountToRowTest,
    ::testing::Values(RowCase{"log_0", 0, true, 0, 311}, RowCase{"log_1", 1, true, 0, 305},
                      RowCase{"log_2", 2, true, 0, 297}, RowCase{"log_20", 20, true, 0, 245},
                      RowCase{"log_500", 500, true, 0, 172}, RowCase{"log_minus3_like_1", -3, true, 0, 305},
                      RowCase{"log_million_top", 1000000, true, 0, 0}, RowCase{"lin_half", 125, false, 250, 156},
                      RowCase{"lin_full", 250, false, 250, 0}, RowCase{"lin_zero", 0, false, 250, 311},
                      RowCase{"lin_negative", -5, false, 250, 311},
                      RowCase{"lin_10M_no_overflow", 10000000, false, 10000000, 0},
                      // Far above the full scale: held just above the plot, no int overflow.
                      RowCase{"lin_int_max", std::numeric_limits<std::int32_t>::max(), false, 100, -2 * H},
                      RowCase{"lin_bad_full_scale", 1, false, 0, 0}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(PreviewRow, CountOfOneLiesOnTheBottomRowOnTheLogScale)
{
    EXPECT_EQ(previewRow(1, true, 0, H), 311);
    EXPECT_EQ(previewRow(0, true, 0, H), 311);
    EXPECT_EQ(previewRow(20, true, 0, H), 245);
    EXPECT_EQ(previewRow(125, false, 250, H), 156);
}

struct GeometryCase {
    std::int32_t first, last;
    std::int64_t n, A, P;
};

TEST(ColumnGeometry, ChannelsPerColumnAndColumnsPerChannel)
{
    const GeometryCase cases[] = {
        {0, 2047, 2048, 4, 0}, {0, 511, 512, 1, 0}, {0, 255, 256, 0, 2},  {1020, 1027, 8, 0, 64}, {0, 299, 300, 0, 1},
        {0, 4095, 4096, 8, 0}, {5, 5, 1, 0, 512},   {100, 50, 1, 0, 512}, // last before first: the one channel `first`
    };
    for (const auto& c : cases) {
        const ColumnGeometry g = columnGeometry(c.first, c.last, W);
        EXPECT_EQ(g.n, c.n) << c.first << ".." << c.last;
        EXPECT_EQ(g.A, c.A) << c.first << ".." << c.last;
        EXPECT_EQ(g.P, c.P) << c.first << ".." << c.last;
    }
}

TEST(TraceRows, ColumnOfThreeChannelsSpansItsLargestAndSmallestCount)
{
    std::vector<std::int32_t> spectrum(1536, 0);
    spectrum[0] = 5;
    spectrum[1] = 900;
    spectrum[2] = 40;
    std::array<std::int32_t, W> top{}, bottom{};
    const ColumnGeometry g = columnGeometry(0, 1535, W);
    ASSERT_EQ(g.A, 3);
    traceRows(spectrum, g, false, 1000, H, top, bottom);
    EXPECT_EQ(top[0], 32);
    EXPECT_EQ(bottom[0], 311);
}

TEST(TraceRows, CountsAboveSixteenMillionKeepThatAsSmallest)
{
    std::vector<std::int32_t> spectrum(1024, 20000000);
    std::array<std::int32_t, W> top{}, bottom{};
    traceRows(spectrum, columnGeometry(0, 1023, W), false, 25000000, H, top, bottom);
    EXPECT_EQ(bottom[0], countToRow(16000000, false, 25000000, H));
    EXPECT_EQ(top[0], countToRow(20000000, false, 25000000, H));
}

// The spectrum passed holds only the channels in use; a vector of exactly
// that size lets the sanitizer catch any read past it.
TEST(TraceRows, ColumnsBeyondTheSpectrumShowZeroWithoutReadingThere)
{
    struct Case {
        std::int32_t first, last;
    };
    const Case windows[] = {
        {0, 8191},       // A = 16, half the columns past the end
        {200, 499},      // P = 1, columns 56.. past the end
        {-300, 211},     // starts before channel 0
        {-40000, 40000}, // a garbled window from the analyser
        {255, 255},      // one channel, the last
    };
    std::vector<std::int32_t> spectrum(256, 1000);
    for (const auto& w : windows) {
        std::array<std::int32_t, W> top{}, bottom{};
        const ColumnGeometry g = columnGeometry(w.first, w.last, W);
        traceRows(spectrum, g, false, 1000, H, top, bottom);
        for (int x = 0; x < W; ++x) {
            const std::int64_t c = columnChannel(g, x);
            const bool anyInside = c + std::max<std::int64_t>(g.A, 1) > 0 && c < 256;
            EXPECT_EQ(top[static_cast<std::size_t>(x)], anyInside ? 0 : 311)
                << "window " << w.first << ".." << w.last << " column " << x;
        }
    }
}

TEST(WindowMaxCount, IgnoresTheLastChannelAndStaysInTheSpectrum)
{
    std::vector<std::int32_t> spectrum(512, 0);
    spectrum[511] = 5000;
    EXPECT_EQ(windowMaxCount(spectrum, 0, 511), 0);
    spectrum[510] = 4000;
    EXPECT_EQ(windowMaxCount(spectrum, 0, 511), 4000);
    EXPECT_EQ(windowMaxCount(spectrum, 0, 9000), 5000);
    EXPECT_EQ(windowMaxCount(spectrum, -50, 10), 0);
    EXPECT_EQ(windowMaxCount(spectrum, 600, 700), 0);
    EXPECT_EQ(windowMaxCount(spectrum, 300, 100), 0);
}

struct MarkCase {
    const char* name;
    std::int32_t first, last, cursor;
    int column; // -1: no mark
    int drawColumn;
};

class CursorMarkPlaceTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(CursorMarkPlaceTest, Column)
{
    const MarkCase& c = GetParam();
    const auto place = cursorMarkPlace(columnGeometry(c.first, c.last, W), c.cursor, W);
    if (c.column < 0) {
        EXPECT_FALSE(place.has_value());
    } else {
        ASSERT_TRUE(place.has_value());
        EXPECT_EQ(place->column, c.column);
        EXPECT_EQ(place->drawColumn, c.drawColumn);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Marks, CursorMarkPlaceTest,
    ::testing::Values(MarkCase{"a4_middle", 0, 2047, 1024, 256, 256}, MarkCase{"a4_first_channel", 0, 2047, 0, -1, 0},
                      MarkCase{"a4_in_column_0", 0, 2047, 3, -1, 0}, MarkCase{"a1", 100, 611, 150, 50, 50},
                      MarkCase{"a1_first_channel", 100, 611, 100, -1, 0},
                      MarkCase{"p2_middle_of_channel", 0, 255, 20, 40, 41},
                      MarkCase{"p2_first_channel", 0, 255, 0, -1, 0}, MarkCase{"p64", 1020, 1027, 1024, 256, 288},
                      MarkCase{"right_of_plot", 0, 2047, 5000, -1, 0}, MarkCase{"left_of_window", 100, 611, 20, -1, 0},
                      MarkCase{"last_column", 0, 511, 511, 511, 511}),
    [](const auto& tp) { return std::string(tp.param.name); });

} // namespace
} // namespace detkit
