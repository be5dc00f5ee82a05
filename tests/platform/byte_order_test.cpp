#include <gtest/gtest.h>

#include <array>

#include "platform/byte_order.h"

namespace detkit {
namespace {

TEST(ByteOrder, LittleEndianBothWays)
{
    std::array<std::uint8_t, 8> b{};
    writeLe16(b, 0, -2);
    writeLe32(b, 2, 0x11223344u);
    writeLeFloat(b, 4, 1.0f);  // overwrites the top half of the int
    EXPECT_EQ(b[0], 0xFE);
    EXPECT_EQ(b[1], 0xFF);
    EXPECT_EQ(readLe16(b, 0), -2);
    EXPECT_EQ(readLeU16(b, 0), 0xFFFE);
    EXPECT_EQ(b[2], 0x44);
    EXPECT_EQ(b[3], 0x33);
    EXPECT_FLOAT_EQ(readLeFloat(b, 4), 1.0f);
    EXPECT_EQ(b[7], 0x3F);
}

TEST(ByteOrder, RefusesAccessPastTheEnd)
{
    std::array<std::uint8_t, 4> b{};
    EXPECT_THROW(readLe32(b, 1), std::out_of_range);
    EXPECT_THROW(readLe16(b, 3), std::out_of_range);
    EXPECT_THROW(writeLe32(b, 4, 0), std::out_of_range);
    EXPECT_THROW(readLe16(b, static_cast<std::size_t>(-1)), std::out_of_range);
    EXPECT_NO_THROW(readLe32(b, 0));
}

}  // namespace
}  // namespace detkit
