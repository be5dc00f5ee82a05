#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "device/commands.h"
#include "device/replies.h"
#include "platform/byte_order.h"

namespace detkit {
namespace {

struct CommandRow {
    std::string built;
    std::string expected;
};

TEST(Commands, ByteExact)
{
    const std::vector<CommandRow> rows = {
        {std::string(kStartMcaCommand), "$G;"},
        {std::string(kStartScanCommand), "$X;"},
        {std::string(kStopCommand), "$S;"},
        {std::string(kClearMcaCommand), "$C;"},
        {std::string(kClearScanCommand), "$CX;"},
        {std::string(kReadStatusCommand), "$R0;"},
        {PresetCommand(36000), "$P36000;"},
        {PresetCommand(100), "$P100;"},
        {PresetCommand(0), "$P0;"},
        {*MemorySizeCommand(512), "$M4;"},
        {*MemorySizeCommand(1024), "$M8;"},
        {*MemorySizeCommand(2048), "$M16;"},
        {*MemorySizeCommand(4096), "$M32;"},
        {CursorCommand(5), "$@C0005;"},
        {CursorCommand(0), "$@C0000;"},
        {CursorCommand(1024), "$@C1024;"},
        {CursorCommand(4095), "$@C4095;"},
        {CursorCommand(-3), "$@C0000;"},    // never a sign in the field
        {CursorCommand(12345), "$@C4095;"}, // never a fifth digit
        {FullScaleCommand(1), "$V1;"},
        {FullScaleCommand(5), "$V5;"},
        {FullScaleCommand(9), "$V9;"},
        {FullScaleCommand(10), "$V:;"},
        {FullScaleCommand(12), "$V<;"},
        {FullScaleCommand(20), "$VD;"},
        {ReadBlockCommand(1), "$R1;"},
        {ReadBlockCommand(32), "$R32;"},
        {std::string(kLogDisplayCommand), "$O;"},
        {std::string(kFullScaleLowerCommand), "$V;"},
        {std::string(kFullScaleHigherCommand), "$v;"},
        {std::string(kExpandCommand), "$E;"},
        {std::string(kCompressCommand), "$e;"},
        {std::string(kScrollLeftCommand), "$l;"},
        {std::string(kScrollRightCommand), "$r;"},
        {std::string(kScrollOtherCommand), "$ ;"},
        {ClockCommand({2015, 2, 9, 14, 5, 33, 0}), "$t1502091405;"},
        {ClockCommand({2015, 2, 9, 9, 5, 0, 0}), "$t1502090905;"},
        {ClockCommand({2000, 12, 31, 23, 59, 59, 999}), "$t0012312359;"},
        {ClockCommand({2107, 1, 1, 0, 0, 0, 0}), "$t0701010000;"},
    };
    for (const CommandRow& row : rows)
        EXPECT_EQ(row.built, row.expected);
    EXPECT_EQ(ClockCommand({2015, 2, 9, 14, 5, 33, 0}).size(), 13u);
}

TEST(Commands, NoMemorySizeFor256OrOddCounts)
{
    for (const int channels : {256, 0, 128, 3000, 8192})
        EXPECT_FALSE(MemorySizeCommand(channels).has_value()) << channels;
}

TEST(Replies, AcknowledgementIsTheFirstByteOnly)
{
    const std::vector<std::uint8_t> ack = {'!'}, ackMore = {'!', 'x', 0}, refused = {'?', '!'}, none = {};
    EXPECT_TRUE(IsAcknowledged(ack));
    EXPECT_TRUE(IsAcknowledged(ackMore));
    EXPECT_FALSE(IsAcknowledged(refused));
    EXPECT_FALSE(IsAcknowledged(none));
}

std::vector<std::uint8_t> block(std::size_t bytes, std::uint32_t value)
{
    std::vector<std::uint8_t> b(bytes, 0);
    for (std::size_t i = 0; i + 4 <= bytes; i += 4)
        writeLe32(b, i, value);
    return b;
}

TEST(Replies, PlaceBlockAtItsOwnChannels)
{
    std::vector<std::int32_t> spectrum(4096, -7);
    EXPECT_EQ(PlaceSpectrumBlock(block(512, 1), 3, spectrum), 128); // 01 00 00 00 everywhere
    EXPECT_EQ(spectrum[255], -7);
    EXPECT_EQ(spectrum[256], 1);
    EXPECT_EQ(spectrum[383], 1);
    EXPECT_EQ(spectrum[384], -7);

    // Least significant byte first, signed.
    std::vector<std::uint8_t> b(512, 0);
    writeLe32(b, 0, 0x01020304u);
    writeLe32(b, 508, 0xFFFFFFFFu);
    PlaceSpectrumBlock(b, 1, spectrum);
    EXPECT_EQ(spectrum[0], 0x01020304);
    EXPECT_EQ(spectrum[127], -1);
}

TEST(Replies, LongShortAndOutOfRangeBlocksStayInBounds)
{
    std::vector<std::int32_t> spectrum(4096, -7);
    // A long block does not shift counts into the next block.
    EXPECT_EQ(PlaceSpectrumBlock(block(600, 9), 1, spectrum), 128);
    EXPECT_EQ(spectrum[128], -7);
    // Half a channel at the end is not a channel.
    EXPECT_EQ(PlaceSpectrumBlock(block(10, 5), 2, spectrum), 2);
    EXPECT_EQ(spectrum[130], -7);
    // The last block ends at the end of the spectrum; further blocks store nothing.
    EXPECT_EQ(PlaceSpectrumBlock(block(512, 4), 32, spectrum), 128);
    EXPECT_EQ(PlaceSpectrumBlock(block(512, 4), 33, spectrum), 0);
    EXPECT_EQ(PlaceSpectrumBlock(block(512, 4), 0, spectrum), 0);
    std::vector<std::int32_t> small(200, 0);
    EXPECT_EQ(PlaceSpectrumBlock(block(512, 4), 2, small), 72);
}

struct StatusField {
    std::size_t offset;
    int width;
    std::int64_t value;
};

TEST(Replies, StatusBlockFieldsAtTheirOffsets)
{
    const std::vector<StatusField> fields = {
        {256, 2, 100},    {258, 2, 611},  {260, 2, 356},    {262, 2, 0x5A5A}, {264, 2, 12},
        {266, 2, 0x5A5A}, {268, 4, 1015}, {272, 4, 500000}, {309, 1, 1},
    };
    std::vector<std::uint8_t> reply(310, 0);
    for (std::size_t i = 0; i < 256; ++i)
        reply[i] = static_cast<std::uint8_t>(255 - i);
    for (const StatusField& f : fields) {
        if (f.width == 1)
            reply[f.offset] = static_cast<std::uint8_t>(f.value);
        else if (f.width == 2)
            writeLe16(reply, f.offset, static_cast<std::int32_t>(f.value));
        else
            writeLe32(reply, f.offset, static_cast<std::uint32_t>(f.value));
    }
    StatusBlock status;
    EXPECT_EQ(CopyStatusBlock(reply, status), 310u);
    EXPECT_EQ(status.profile(0), 255);
    EXPECT_EQ(status.profile(255), 0);
    EXPECT_EQ(status.windowFirst(), 100);
    EXPECT_EQ(status.windowLast(), 611);
    EXPECT_EQ(status.cursor(), 356);
    EXPECT_EQ(status.vfsIndex(), 12);
    EXPECT_EQ(status.elapsed(), 1015);
    EXPECT_EQ(status.totalCounts(), 500000);
    EXPECT_EQ(status.passDone(), 1);

    // Negative and wide values keep their sign.
    writeLe16(reply, 256, -2);
    writeLe32(reply, 272, 0x80000000u);
    CopyStatusBlock(reply, status);
    EXPECT_EQ(status.windowFirst(), -2);
    EXPECT_EQ(status.totalCounts(), INT32_MIN);
}

TEST(Replies, LongStatusReplyStopsAtTheRecord)
{
    std::vector<std::uint8_t> reply(400, 0xAB);
    StatusBlock status;
    EXPECT_EQ(CopyStatusBlock(reply, status), 310u);
    std::vector<std::uint8_t> shortReply(10, 0x11);
    EXPECT_EQ(CopyStatusBlock(shortReply, status), 10u);
    EXPECT_EQ(status.bytes[9], 0x11);
    EXPECT_EQ(status.bytes[10], 0xAB);
}

TEST(Replies, SummaryWrapsAsUnsignedAndMaxIsNeverNegative)
{
    const std::vector<std::int32_t> negative = {-5, -1};
    EXPECT_EQ(SummariseSpectrum(negative).maxCount, 0);
    const std::vector<std::int32_t> wraps = {INT32_MAX, INT32_MAX, 3}; // 2^32 + 1 wraps to 1
    EXPECT_EQ(SummariseSpectrum(wraps).total, 1.0f);
    EXPECT_EQ(SummariseSpectrum(wraps).maxCount, INT32_MAX);
    const std::vector<std::int32_t> plain = {1, 2, 30, 4};
    EXPECT_EQ(SummariseSpectrum(plain).total, 37.0f);
    EXPECT_EQ(SummariseSpectrum(plain).maxCount, 30);
}

} // namespace
} // namespace detkit
