#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace detkit {
namespace {

using Points = std::set<std::pair<int, int>>;

Points litPixels(const Canvas& c, Color ink)
{
    Points p;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.Pixels(x, y) == ink)
                p.insert({x, y});
    return p;
}

struct LineCase {
    const char* name;
    int x0, y0, x1, y1;
    Points expected;
};

class CanvasLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLineTest, DrawsToButNotIncludingTheEndPoint)
{
    const LineCase& c = GetParam();
    Canvas canvas(8, 8, clBlack);
    canvas.setPenColor(clLime);
    canvas.MoveTo(c.x0, c.y0);
    canvas.LineTo(c.x1, c.y1);
    EXPECT_EQ(litPixels(canvas, clLime), c.expected);
    EXPECT_EQ(canvas.penX(), c.x1);
    EXPECT_EQ(canvas.penY(), c.y1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CanvasLineTest,
    ::testing::Values(
        LineCase{"zero_length", 3, 3, 3, 3, {}},
        LineCase{"right", 1, 2, 4, 2, {{1, 2}, {2, 2}, {3, 2}}},
        LineCase{"left", 4, 2, 1, 2, {{4, 2}, {3, 2}, {2, 2}}},
        LineCase{"down", 2, 1, 2, 4, {{2, 1}, {2, 2}, {2, 3}}},
        LineCase{"up", 2, 4, 2, 1, {{2, 4}, {2, 3}, {2, 2}}},
        LineCase{"one_pixel", 5, 5, 6, 5, {{5, 5}}},
        LineCase{"diagonal", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        LineCase{"clipped_left", -3, 1, 2, 1, {{0, 1}, {1, 1}}},
        LineCase{"off_surface", -5, -5, -1, -5, {}},
        LineCase{"clipped_bottom", 6, 5, 6, 12, {{6, 5}, {6, 6}, {6, 7}}}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(Canvas, StaircaseOfTwoLinesLeavesNoGap)
{
    // The plot's staircase: a riser then a step; the step's end is the next riser's start.
    Canvas canvas(6, 6, clBlack);
    canvas.setPenColor(clRed);
    canvas.MoveTo(0, 4);
    canvas.LineTo(0, 1);  // riser 4..2
    canvas.LineTo(2, 1);  // step 0..1 at row 1
    EXPECT_EQ(litPixels(canvas, clRed), (Points{{0, 4}, {0, 3}, {0, 2}, {0, 1}, {1, 1}}));
}

TEST(Canvas, ColoursAreRedInTheLowByte)
{
    Canvas canvas(2, 1, clBlack);
    canvas.SetPixels(0, 0, clRed);
    EXPECT_EQ(qRed(canvas.image().pixel(0, 0)), 255);
    EXPECT_EQ(qBlue(canvas.image().pixel(0, 0)), 0);
    EXPECT_EQ(canvas.Pixels(0, 0), clRed);
    EXPECT_EQ(canvas.Pixels(5, 5), clBlack);  // outside reads as black, no fault
}

TEST(Canvas, CopyRectAndDrawClipToBothSurfaces)
{
    Canvas src(4, 4, clAqua);
    Canvas dst(6, 6, clBlack);
    dst.Draw(4, 4, src);  // only a 2 x 2 corner fits
    EXPECT_EQ(dst.Pixels(3, 3), clBlack);
    EXPECT_EQ(dst.Pixels(4, 4), clAqua);
    EXPECT_EQ(dst.Pixels(5, 5), clAqua);
    dst.Draw(-3, -3, src);  // top-left corner pixel only
    EXPECT_EQ(dst.Pixels(0, 0), clAqua);
    EXPECT_EQ(dst.Pixels(1, 1), clBlack);
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrush)
{
    Canvas canvas(5, 5, clBlack);
    canvas.setPenColor(clRed);
    canvas.setBrushColor(clWhite);
    canvas.Rectangle(Rect{0, 0, 4, 4});
    EXPECT_EQ(canvas.Pixels(0, 0), clRed);
    EXPECT_EQ(canvas.Pixels(3, 3), clRed);
    EXPECT_EQ(canvas.Pixels(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixels(4, 4), clBlack);  // right/bottom edges are exclusive
}

TEST(Canvas, TextIsTransparentAndMeasured)
{
    Canvas canvas(80, 20, clMaroon);
    canvas.setFontColor(clWhite);
    canvas.TextOut(2, 2, "VFS");
    const Points ink = litPixels(canvas, clWhite);
    EXPECT_FALSE(ink.empty());
    // Everything that is not ink keeps the background: no box behind the text.
    EXPECT_EQ(ink.size() + litPixels(canvas, clMaroon).size(), 80u * 20u);
    EXPECT_GT(canvas.TextWidth("3600.0"), canvas.TextWidth("0.0"));
    EXPECT_EQ(canvas.TextWidth(""), 0);
}

TEST(Canvas, ButtonFaceComesFromThePalette)
{
    Canvas canvas(1, 1, clBtnFace);
    EXPECT_EQ(canvas.Pixels(0, 0), resolveColor(clBtnFace));
    EXPECT_EQ(resolveColor(clBtnFace) >> 24, 0u);
}

}  // namespace
}  // namespace detkit
