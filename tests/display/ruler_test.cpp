#include <gtest/gtest.h>

#include <limits>

#include "display/ruler.h"
#include "display_fixture.h"

namespace detkit {
namespace {

using test::DisplayFixture;
using test::rowRange;
using test::Rows;
using test::rowsOf;

struct TickCase {
    std::int32_t first, last;
    std::int64_t d, m, o;
    int firstMajorX;
    bool minor;
};

TEST(RulerTicks, StepCountAndOffset)
{
    const TickCase cases[] = {
        {0, 2047, 200, 10, 0, 0, true},
        {0, 1023, 100, 10, 0, 0, true},
        {0, 511, 50, 10, 0, 0, true},
        {0, 255, 10, 25, 0, 0, false},
        {0, 4095, 200, 20, 0, 0, true},
        {1000, 3047, 200, 10, 0, 0, true},
        {130, 385, 10, 25, 0, 0, false},
        {0, 300, 50, 6, 0, 0, true}, // past 25 fine ticks the step goes to 50 and stays there
        // o = 3: the first tick is channel 136, 3 * 512 / 255 = 6 pixels in.
        {133, 388, 10, 25, 3, 6, false},
    };
    for (const TickCase& c : cases) {
        const RulerTicks t = rulerTicks(c.first, c.last, 512);
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        EXPECT_EQ(t.d, c.d);
        EXPECT_EQ(t.m, c.m);
        EXPECT_EQ(t.o, c.o);
        ASSERT_EQ(static_cast<std::int64_t>(t.major.size()), c.m);
        EXPECT_EQ(t.major.front(), c.firstMajorX);
        EXPECT_EQ(t.minor.size(), c.minor ? t.major.size() * 9 : 0u);
    }
}

TEST(RulerTicks, MinorTicksAtTenthsOfAStep)
{
    // Span 2047, d 200: majors every 50 pixels, g = k * 512 * 200 / 2047.
    const RulerTicks t = rulerTicks(0, 2047, 512);
    ASSERT_GE(t.minor.size(), 9u);
    EXPECT_EQ(t.major[1], 50);
    const int expected[9] = {5, 10, 15, 20, 25, 30, 35, 40, 45};
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(t.minor[static_cast<std::size_t>(k)], expected[k]) << k;
}

TEST(RulerTicks, NoTicksWithoutASpan)
{
    // first = last (span 0) would divide by zero; first > last has no scale either.
    EXPECT_TRUE(rulerTicks(500, 500, 512).major.empty());
    EXPECT_TRUE(rulerTicks(500, 100, 512).major.empty());
    EXPECT_TRUE(rulerTicks(500, 500, 512).minor.empty());
}

TEST(RulerTicks, HugeWindowStaysWithinTheRulerWidth)
{
    const RulerTicks t =
        rulerTicks(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 512);
    EXPECT_LE(t.major.size(), 512u);
    EXPECT_LE(t.minor.size(), 1024u);
}

class DrawRulerTest : public ::testing::Test, protected DisplayFixture {};

TEST_F(DrawRulerTest, MajorAndMinorTickLengthsAndThePaintBoxCopy)
{
    window(0, 2047);
    DrawRuler(s);
    const Canvas& ruler = s.surfaces.RulerImage;
    EXPECT_EQ(rowsOf(ruler, 50, clBlack), rowRange(0, 17));
    EXPECT_EQ(rowsOf(ruler, 55, clBlack), rowRange(0, 9));
    EXPECT_EQ(rowsOf(ruler, 52, clBlack), rowRange(0, 1)); // only the black edge
    EXPECT_EQ(s.surfaces.PaintBox.Pixels(16 + 50, 317 + 17), clBlack);
    EXPECT_EQ(s.surfaces.PaintBox.Pixels(16 + 55, 317 + 17), resolveColor(clBtnFace));
}

TEST_F(DrawRulerTest, RedrawClearsTheOldTicks)
{
    window(0, 2047);
    DrawRuler(s);
    window(500, 500);
    DrawRuler(s);
    for (int x = 0; x < 512; ++x)
        ASSERT_EQ(rowsOf(s.surfaces.RulerImage, x, clBlack), rowRange(0, 1)) << x;
}

} // namespace
} // namespace detkit
