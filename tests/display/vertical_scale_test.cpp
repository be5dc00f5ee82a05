#include <gtest/gtest.h>

#include <limits>

#include "display/plot.h"
#include "display/plot_geometry.h"
#include "display/vertical_scale.h"
#include "display_fixture.h"

namespace detkit {
namespace {

using test::countPixels;
using test::DisplayFixture;
using test::Rows;
using test::rowsOf;

const Rows kLogStripLines{5, 56, 108, 160, 212, 264, 316};
const Rows kLinearStripLines{7, 68, 130, 192, 254, 316};
const Rows kLogGrid{51, 103, 155, 207, 259, 311};
const Rows kLinearGrid{1, 63, 125, 187, 249, 311};
// Top of each "e<i>" label on the logarithmic strip.
const int kLogLabelTops[6] = {304, 253, 201, 149, 97, 45};

TEST(FullScale, LaddersAndLabels)
{
    EXPECT_EQ(FullScaleTable[1], 100);
    EXPECT_EQ(FullScaleTable[22], 1000000000);
    EXPECT_EQ(FullScaleLabels[0], "Log");
    EXPECT_EQ(FullScaleLabels[5], "2.5K");
    EXPECT_EQ(FullScaleLabels[14], "2,5M");
    EXPECT_EQ(FullScaleLabels[22], "1B");
    for (std::size_t i = 2; i < FullScaleTable.size(); ++i)
        EXPECT_GT(FullScaleTable[i], FullScaleTable[i - 1]);
    // Steps outside the ladder, as an analyser might report them, read its ends.
    EXPECT_EQ(fullScaleOf(0), 100);
    EXPECT_EQ(fullScaleOf(-4), 100);
    EXPECT_EQ(fullScaleOf(40), 1000000000);
}

TEST(AutoScaleStep, SmallestFullScaleStrictlyAboveTheMaximumUpTo250M)
{
    const std::pair<std::int32_t, int> cases[] = {
        {0, 1},
        {99, 1},
        {100, 2},
        {249, 2},
        {250, 3},
        {-7, 1},
        {100000000, 20},
        {249999999, 20},
        {300000000, 20},
        {999999999, 20},
        {std::numeric_limits<std::int32_t>::max(), 20},
    };
    for (auto [max, step] : cases)
        EXPECT_EQ(autoScaleStep(max), step) << max;
}

class VerticalScaleTest : public ::testing::Test, protected DisplayFixture {
  protected:
    const Canvas& strip() const { return s.surfaces.ScaleStripImage; }
    Rows grid() const { return rowsOf(s.surfaces.PlotBackground, 500, clMaroon); }

    // Black strip pixels at x 1..3 that are not on a full-width strip line: only labels put ink there.
    int labelInk(int top, const Rows& lines) const
    {
        int n = 0;
        for (int y = top; y < top + 11; ++y)
            if (!lines.count(y))
                n += countPixels(strip(), Rect{1, y, 4, y + 1}, clBlack);
        return n;
    }
};

TEST_F(VerticalScaleTest, LogStripLinesTicksAndLabels)
{
    BuildLogBackground(s);
    EXPECT_EQ(s.LogScale, 1);
    EXPECT_EQ(rowsOf(strip(), 0, clBlack), kLogStripLines);
    for (int i = 0; i <= 5; ++i) {
        for (int o : {16, 25, 31, 36, 40, 44, 47, 50}) {
            const int y = 317 - (52 * i + 1) - o;
            EXPECT_EQ(strip().Pixels(4, y), clBlack) << i << " " << o;
            EXPECT_EQ(strip().Pixels(14, y), clBlack) << i << " " << o;
            EXPECT_NE(strip().Pixels(15, y), clBlack) << i << " " << o;
        }
        EXPECT_GT(labelInk(kLogLabelTops[i], kLogStripLines), 0) << "e" << i;
    }
    EXPECT_EQ(grid(), kLogGrid);
}

TEST_F(VerticalScaleTest, LinearStripHasTicksButNoLabels)
{
    BuildLinearBackground(s);
    EXPECT_EQ(s.LogScale, 0);
    EXPECT_EQ(rowsOf(strip(), 0, clBlack), kLinearStripLines);
    Rows ticks = kLinearStripLines;
    for (int i = 0; i <= 4; ++i)
        for (int o : {6, 12, 19, 25, 31, 37, 43, 50, 56})
            ticks.insert(317 - (62 * i + 1) - o);
    EXPECT_EQ(rowsOf(strip(), 4, clBlack), ticks);
    for (int x = 1; x <= 3; ++x)
        EXPECT_EQ(rowsOf(strip(), x, clBlack), kLinearStripLines) << x;
    EXPECT_EQ(grid(), kLinearGrid);
}

TEST_F(VerticalScaleTest, FixedHeaderLabelsInTextColorLogOnlyOnTheLogScale)
{
    const Rect vfs{10, 5, 40, 17};
    const Rect log{10, 18, 40, 30};
    const Rect kcts{380, 18, 420, 30};
    const Rect values{100, 5, 175, 30}; // where the readout later puts its numbers
    BuildLogBackground(s);
    const Canvas& bg = s.surfaces.PlotBackground;
    EXPECT_GT(countPixels(bg, vfs, clWhite), 0);
    EXPECT_GT(countPixels(bg, log, clWhite), 0);
    EXPECT_GT(countPixels(bg, kcts, clWhite), 0);
    EXPECT_EQ(countPixels(bg, values, clWhite), 0);

    s.TextColor = clYellow;
    BuildLinearBackground(s);
    EXPECT_GT(countPixels(bg, vfs, clYellow), 0);
    EXPECT_EQ(countPixels(bg, log, clYellow), 0);
    EXPECT_EQ(countPixels(bg, vfs, clWhite), 0);
}

TEST_F(VerticalScaleTest, PreviewPlotsEveryChannelAsAPoint)
{
    BuildLogBackground(s);
    const Canvas& plot = s.surfaces.PlotImage;
    // Column 100 holds channels 400..403 of the ramp.
    for (int c = 400; c <= 403; ++c)
        EXPECT_EQ(plot.Pixels(100, previewRow(c, true, 0, 312)), clLime) << c;
    EXPECT_EQ(s.surfaces.TraceTop[100], previewRow(403, true, 0, 312));

    s.TraceColor = clYellow;
    s.FullScaleIndex = 22;
    s.LiveSpectrum.fill(500000000);
    BuildLinearBackground(s);
    EXPECT_EQ(plot.Pixels(100, 156), clYellow);
    EXPECT_EQ(s.surfaces.TraceTop[100], 156);
}

TEST_F(VerticalScaleTest, NoPreviewWithFewerThan512Channels)
{
    s.ChannelCount = 256;
    BuildLogBackground(s);
    EXPECT_EQ(countPixels(s.surfaces.PlotImage, Rect{0, 0, 512, 312}, clLime), 0);
}

TEST_F(VerticalScaleTest, LogDispSwitchesToTheLogBackgroundAndRedraws)
{
    BuildLinearBackground(s);
    LogDispClick(s, form);
    EXPECT_EQ(s.LogScale, 1);
    EXPECT_EQ(grid(), kLogGrid);
    EXPECT_EQ(form.Label7.text, "1024"); // the redraw ran
}

TEST_F(VerticalScaleTest, AutoIgnoresTheWindowsLastChannel)
{
    clearSpectrum();
    window(0, 511);
    BuildLogBackground(s);
    s.LiveSpectrum[511] = 5000;
    AutoVfsClick(s, form);
    EXPECT_EQ(s.LogScale, 0);
    EXPECT_EQ(s.MaxCount, 0);
    EXPECT_EQ(s.FullScaleIndex, 1);
    EXPECT_EQ(grid(), kLinearGrid);

    s.LiveSpectrum[510] = 5000;
    AutoVfsClick(s, form);
    EXPECT_EQ(s.MaxCount, 5000);
    EXPECT_EQ(s.FullScaleIndex, 7); // 10K: 5K is not strictly greater
}

TEST_F(VerticalScaleTest, AutoReadsOnlyTheChannelsInUse)
{
    // The ramp runs on to 4095 beyond the 1024 channels in use.
    s.ChannelCount = 1024;
    window(0, 4095);
    AutoVfsClick(s, form);
    EXPECT_EQ(s.MaxCount, 1023);
    EXPECT_EQ(s.FullScaleIndex, 5);
}

TEST_F(VerticalScaleTest, WhileTheAnalyserAcquiresTheControlsChangeNoLocalScale)
{
    BuildLogBackground(s);
    s.DeviceOpen = 1;
    s.Acquiring = 1;
    s.MaxCount = 777; // left by the poll loop
    AutoVfsClick(s, form);
    UpDown1Click(s, form, UpDownButton::btNext);
    EXPECT_EQ(s.FullScaleIndex, 2);
    EXPECT_EQ(s.MaxCount, 777);
    EXPECT_EQ(s.LogScale, 0);
    EXPECT_EQ(grid(), kLogGrid);
}

struct UpDownCase {
    const char* name;
    int start;
    UpDownButton button;
    int expected;
    bool rebuilt;
};

class UpDownTest : public VerticalScaleTest, public ::testing::WithParamInterface<UpDownCase> {};

TEST_P(UpDownTest, StepsWithinTheLadderAndAlwaysLeavesTheDisplayLinear)
{
    const UpDownCase& c = GetParam();
    BuildLogBackground(s);
    s.FullScaleIndex = c.start;
    form.Label7.text = "unchanged";
    UpDown1Click(s, form, c.button);
    EXPECT_EQ(s.FullScaleIndex, c.expected);
    EXPECT_EQ(s.LogScale, 0);
    EXPECT_EQ(grid(), c.rebuilt ? kLinearGrid : kLogGrid);
    EXPECT_EQ(form.Label7.text == "unchanged", !c.rebuilt);
}

INSTANTIATE_TEST_SUITE_P(Steps, UpDownTest,
                         ::testing::Values(UpDownCase{"up_at_1", 1, UpDownButton::btNext, 1, false},
                                           UpDownCase{"down_at_22", 22, UpDownButton::btPrev, 22, false},
                                           UpDownCase{"up_to_1", 2, UpDownButton::btNext, 1, true},
                                           UpDownCase{"down_to_22", 21, UpDownButton::btPrev, 22, true},
                                           UpDownCase{"up", 5, UpDownButton::btNext, 4, true},
                                           UpDownCase{"down", 5, UpDownButton::btPrev, 6, true}),
                         [](const auto& tp) { return std::string(tp.param.name); });

} // namespace
} // namespace detkit
