#include <gtest/gtest.h>

#include <array>

#include "acquisition/scan_plot.h"

namespace detkit {
namespace {

StatusBlock profileOf(int (*value)(int))
{
    StatusBlock st;
    for (int i = 0; i < StatusBlock::kProfileSize; ++i)
        st.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value(i));
    return st;
}

TEST(ScanProfile, NarrowWindowSpreadsEachByteOverSeveralColumns)
{
    // 100 channels: 5 columns a byte, so bytes 0..102 fill the 512 columns.
    const StatusBlock st = profileOf([](int i) { return i; });
    std::array<std::int32_t, 512> top{};
    top.fill(-1);
    ProfileRows(st, 0, 99, 512, 312, top);
    EXPECT_EQ(top[0], 311);               // value 0 sits on the bottom row
    EXPECT_EQ(top[4], 311);
    EXPECT_EQ(top[5], 312 - 312 / 256);   // value 1
    EXPECT_EQ(top[510], 312 - (102 * 312) / 256);
    EXPECT_EQ(top[511], 312 - (102 * 312) / 256);
}

TEST(ScanProfile, WideWindowGivesTwoColumnsAByte)
{
    const StatusBlock st = profileOf([](int i) { return i == 255 ? 255 : 128; });
    std::array<std::int32_t, 512> top{};
    ProfileRows(st, 0, 2047, 512, 312, top);
    EXPECT_EQ(top[0], 312 - 128 * 312 / 256);
    EXPECT_EQ(top[1], top[0]);
    EXPECT_EQ(top[510], 312 - 255 * 312 / 256);
    EXPECT_EQ(top[511], top[510]);
}

TEST(ScanProfile, GarbledWindowStaysInsideThePlot)
{
    const StatusBlock st = profileOf([](int) { return 200; });
    std::array<std::int32_t, 512> top{};
    top.fill(7);
    ProfileRows(st, 500, 100, 512, 312, top);  // last before first
    ProfileRows(st, 0, 0, 512, 312, top);      // one channel: 512 columns for byte 0
    EXPECT_EQ(top[511], 312 - 200 * 312 / 256);
}

TEST(ScanProfile, PassRateIsFiniteForAnyPreset)
{
    EXPECT_FLOAT_EQ(ScanPassRate(5000.0f, 10), 5.0f);  // 5000 counts in 1.0 s: 5 kcps
    EXPECT_EQ(ScanPassRate(5000.0f, 0), 0.0f);
    EXPECT_EQ(ScanPassRate(5000.0f, -3), 0.0f);
}

}  // namespace
}  // namespace detkit
