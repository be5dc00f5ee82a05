#include <gtest/gtest.h>

#include <cstring>

#include "display/readout.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

// Pixels of colour `c` inside [x0, x1) x [y0, y1).
struct Ink {
    int count = 0;
    int rightmost = -1;
};

Ink inkOf(const Canvas& canvas, Color c, int x0, int x1, int y0, int y1)
{
    Ink ink;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (canvas.Pixels(x, y) == c) {
                ++ink.count;
                ink.rightmost = std::max(ink.rightmost, x);
            }
    return ink;
}

struct ReadoutTest : ::testing::Test {
    SharedState s;
    Canvas& plot = s.surfaces.PlotImage;

    void SetUp() override
    {
        s.TextColor = clYellow; // distinct from every fixed colour of the readout
        s.DataFileName = "soil.dat";
        std::strcpy(s.WorkingHeader.comment.data(), "wheat");
    }
    Ink statusLine(Color c) const { return inkOf(plot, c, 50, 170, 5, 18); }
};

TEST_F(ReadoutTest, RateReadsZeroWithoutAcquisition)
{
    s.Acquiring = 0;
    s.CountRate = 123456.0f; // the total count the last read left
    DrawHeaderValues(s);
    EXPECT_EQ(s.CountRate, 0.0f);

    // The same pixels as "    0.00" right-aligned at 375.
    Canvas expected(plot.width(), plot.height(), clBlack);
    expected.setFontColor(clAqua);
    expected.TextOut(375 - expected.TextWidth("    0.00"), 5, "    0.00");
    for (int y = 5; y < 18; ++y)
        for (int x = 300; x < 380; ++x)
            ASSERT_EQ(plot.Pixels(x, y), expected.Pixels(x, y)) << x << "," << y;
}

TEST_F(ReadoutTest, PresetRightEdgeAt175)
{
    s.AcquisitionTimes.presetTime = 36000;
    DrawHeaderValues(s);
    const Ink preset = inkOf(plot, clAqua, 60, 180, 5, 18);
    ASSERT_GT(preset.count, 0);
    EXPECT_LE(preset.rightmost, 175);
    EXPECT_GE(preset.rightmost, 171);
}

TEST_F(ReadoutTest, AcquisitionMarkerInRedWhileAcquiring)
{
    s.Acquiring = 1;
    s.CountRate = 12.5f;
    DrawHeaderValues(s);
    EXPECT_EQ(s.CountRate, 12.5f);
    EXPECT_GT(statusLine(clRed).count, 0);
    EXPECT_EQ(statusLine(clYellow).count, 0);                   // no file name under the marker
    EXPECT_GT(inkOf(plot, clYellow, 50, 170, 18, 31).count, 0); // the comment
}

TEST_F(ReadoutTest, FileNameInTextColorOtherwise)
{
    DrawHeaderValues(s);
    EXPECT_EQ(statusLine(clRed).count, 0);
    EXPECT_GT(statusLine(clYellow).count, 0);
}

TEST_F(ReadoutTest, FullScaleLabelOnlyWhenLinear)
{
    const auto labelInk = [&] { return inkOf(plot, clYellow, 0, 48, 18, 31); };
    s.FullScaleIndex = 14;
    s.LogScale = 1;
    DrawHeaderValues(s);
    EXPECT_EQ(labelInk().count, 0);

    s.LogScale = 0;
    DrawHeaderValues(s);
    Canvas expected(plot.width(), plot.height(), clBlack);
    expected.setFontColor(clYellow);
    expected.TextOut(10, 18, "2,5M");
    for (int y = 18; y < 31; ++y)
        for (int x = 0; x < 48; ++x)
            ASSERT_EQ(plot.Pixels(x, y), expected.Pixels(x, y)) << x << "," << y;

    // A step the analyser reports beyond the ladder shows no label rather than reading past it.
    plot.Fill(clBlack);
    s.FullScaleIndex = 40;
    DrawHeaderValues(s);
    EXPECT_EQ(labelInk().count, 0);
}

} // namespace
} // namespace detkit
