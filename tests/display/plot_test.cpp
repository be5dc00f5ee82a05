#include <gtest/gtest.h>

#include "display/plot.h"
#include "display/plot_geometry.h"
#include "display/vertical_scale.h"
#include "display_fixture.h"

namespace detkit {
namespace {

using test::countPixels;
using test::DisplayFixture;
using test::rowRange;
using test::Rows;
using test::rowsOf;

class PlotTest : public ::testing::Test, protected DisplayFixture {
  protected:
    const Canvas& plot() const { return s.surfaces.PlotImage; }
    Rows lime(int x) const { return rowsOf(plot(), x, clLime); }
    Rows red(int x) const { return rowsOf(plot(), x, clRed); }

    // Counts 10, 200, 50, 100 in channels 40..43 on the linear full scale 250:
    // rows 300, 63, 250, 188.
    void fourChannels()
    {
        clearSpectrum();
        s.LiveSpectrum[40] = 10;
        s.LiveSpectrum[41] = 200;
        s.LiveSpectrum[42] = 50;
        s.LiveSpectrum[43] = 100;
        linear(2);
        s.CursorChannel = 0; // keep the mark out of the way
    }
};

TEST_F(PlotTest, OneChannelPerColumnIsAStaircase)
{
    fourChannels();
    window(0, 511);
    PaintBox1Paint(s, form);
    EXPECT_EQ(lime(39), Rows{311});
    EXPECT_EQ(lime(40), rowRange(300, 311));
    EXPECT_EQ(lime(41), rowRange(63, 300));
    EXPECT_EQ(lime(42), rowRange(63, 250));
    EXPECT_EQ(lime(43), rowRange(188, 250));
    EXPECT_EQ(lime(44), rowRange(188, 311));
    EXPECT_EQ(lime(45), Rows{311});
}

TEST_F(PlotTest, FourChannelsPerColumnAreAMinMaxBar)
{
    fourChannels();
    window(0, 2047);
    PaintBox1Paint(s, form);
    EXPECT_EQ(s.surfaces.TraceTop[10], 63);
    EXPECT_EQ(s.surfaces.TraceBottom[10], 300);
    const Rows bar = lime(10);
    for (int y = 63; y <= 300; ++y)
        EXPECT_TRUE(bar.count(y)) << y;
    // The join from the bar's top runs down into column 11; nothing else stands there.
    EXPECT_GT(*lime(11).begin(), 150);
    EXPECT_EQ(lime(12), Rows{311});
}

TEST_F(PlotTest, TwoColumnsPerChannelWithTheCursorMarkInTheSecond)
{
    clearSpectrum();
    s.LiveSpectrum[20] = 200;
    linear(2);
    window(0, 255);
    s.CursorChannel = 20;
    PaintBox1Paint(s, form);
    EXPECT_EQ(lime(39), Rows{311});
    EXPECT_EQ(lime(40), rowRange(63, 311));
    EXPECT_EQ(lime(41), Rows{63});
    EXPECT_EQ(lime(42), rowRange(63, 311));
    EXPECT_EQ(lime(43), Rows{311});
    EXPECT_EQ(red(41), rowRange(38, 62));
    EXPECT_EQ(countPixels(plot(), Rect{0, 0, 512, 312}, clRed), 25);
}

TEST_F(PlotTest, NoCursorMarkOnTheWindowsFirstChannel)
{
    for (auto [first, last] : {std::pair{0, 2047}, std::pair{100, 611}, std::pair{40, 295}}) {
        window(first, last);
        s.CursorChannel = first;
        PaintBox1Paint(s, form);
        EXPECT_EQ(countPixels(plot(), Rect{0, 0, 512, 312}, clRed), 0) << first << ".." << last;
    }
}

TEST_F(PlotTest, OverlaysAreDrawnOverTheTraceMcaFirst)
{
    clearSpectrum();
    linear(2);
    s.CursorChannel = 0;
    // Live trace, MCA and Mem2 overlays all on row 100.
    s.LiveSpectrum.fill(170); // 170 * 312 / 250 = 212: row 100
    ASSERT_EQ(countToRow(170, false, 250, 312), 100);
    for (int i : {0, 2}) {
        s.Snapshots[static_cast<std::size_t>(i)].shown = 1;
        s.Snapshots[static_cast<std::size_t>(i)].top.fill(100);
        s.Snapshots[static_cast<std::size_t>(i)].bottom.fill(100);
    }
    PaintBox1Paint(s, form);
    EXPECT_EQ(plot().Pixels(200, 100), clOlive);
    s.Snapshots[2].shown = 0;
    PaintBox1Paint(s, form);
    EXPECT_EQ(plot().Pixels(200, 100), clAqua);
    s.Snapshots[0].shown = 0;
    PaintBox1Paint(s, form);
    EXPECT_EQ(plot().Pixels(200, 100), clLime);
}

TEST_F(PlotTest, OverlayWithOneChannelPerColumnJoinsItsPoints)
{
    clearSpectrum();
    window(0, 511);
    s.CursorChannel = 0;
    SnapshotOverlay& o = s.Snapshots[1];
    o.shown = 1;
    for (std::size_t x = 0; x < o.top.size(); ++x)
        o.top[x] = o.bottom[x] = x % 2 == 0 ? 100 : 200;
    PaintBox1Paint(s, form);
    // The line from (10, 100) to (11, 200) runs through column 10 first; a staircase would not.
    EXPECT_EQ(plot().Pixels(10, 120), clRed);
    EXPECT_NE(plot().Pixels(11, 120), clRed);
}

TEST_F(PlotTest, Label7ShowsTheCountAtTheCursorClippedToTheSpectrum)
{
    struct Case {
        std::int32_t channels, cursor;
        const char* label;
    };
    const Case cases[] = {
        {2048, 1024, "1024"}, {2048, 5000, "2047"}, {2048, -3, "0"}, {9999, 5000, "4095"}, {0, 10, "0"},
    };
    for (const Case& c : cases) {
        s.ChannelCount = c.channels;
        s.CursorChannel = c.cursor;
        PaintBox1Paint(s, form);
        EXPECT_EQ(form.Label7.text, c.label) << c.channels << " " << c.cursor;
    }
}

TEST_F(PlotTest, ColumnsPastTheChannelsInUseShowNothing)
{
    // The ramp goes on to 4095 in memory, but only 2048 channels are in use.
    window(1800, 2311);
    PaintBox1Paint(s, form);
    for (int x = 0; x < 512; ++x) {
        const int channel = 1800 + x;
        const int expected = channel < 2048 ? countToRow(channel, true, 0, 312) : 311;
        EXPECT_EQ(s.surfaces.TraceTop[static_cast<std::size_t>(x)], expected) << x;
    }
}

TEST_F(PlotTest, WindowWithLastBeforeFirstShowsItsFirstChannel)
{
    window(100, 50);
    PaintBox1Paint(s, form);
    for (int x = 0; x < 512; x += 37)
        EXPECT_EQ(s.surfaces.TraceTop[static_cast<std::size_t>(x)], countToRow(100, true, 0, 312));
}

TEST_F(PlotTest, StartUpShowsTheLogRampWithTheCursorAt1024)
{
    BuildLogBackground(s);
    PaintBox1Paint(s, form);
    EXPECT_EQ(s.LogScale, 1);
    EXPECT_EQ(form.Label7.text, "1024");
    const auto& top = s.surfaces.TraceTop;
    const auto& bottom = s.surfaces.TraceBottom;
    for (int x = 0; x < 512; ++x) {
        const auto i = static_cast<std::size_t>(x);
        EXPECT_EQ(top[i], countToRow(4 * x + 3, true, 0, 312)) << x;
        EXPECT_EQ(bottom[i], countToRow(4 * x, true, 0, 312)) << x;
    }
    // On the paint box: the plot at (16, 5), the trace's tops lime, one red mark at column 256.
    const Canvas& box = s.surfaces.PaintBox;
    for (int x = 0; x < 511; ++x)
        EXPECT_EQ(box.Pixels(16 + x, 5 + top[static_cast<std::size_t>(x)]), clLime) << x;
    const int t = top[256];
    EXPECT_EQ(rowsOf(box, 16 + 256, clRed), rowRange(5 + t - 25, 5 + t - 1));
    EXPECT_EQ(countPixels(box, Rect{0, 0, 528, 336}, clRed), 25);
    // Grid, scale strip and ruler edge are there too.
    EXPECT_EQ(box.Pixels(16 + 500, 5 + 259), clMaroon);
    EXPECT_EQ(box.Pixels(0, 316), clBlack);
    EXPECT_EQ(box.Pixels(16 + 300, 317), clBlack);
    EXPECT_EQ(box.Pixels(16 + 300, 318), clBlack);
}

TEST_F(PlotTest, RulerIsCutAtTheBottomOfThePaintBox)
{
    BuildLogBackground(s);
    PaintBox1Paint(s, form);
    const Canvas& box = s.surfaces.PaintBox;
    const Canvas& ruler = s.surfaces.RulerImage;
    for (int y = 0; y < 336 - 317; ++y)
        for (int x = 0; x < 512; x += 3)
            ASSERT_EQ(box.Pixels(16 + x, 317 + y), ruler.Pixels(x, y)) << x << "," << y;
}

} // namespace
} // namespace detkit
