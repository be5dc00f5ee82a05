#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "spectra/spectrum_header_codec.h"

namespace detkit {
namespace {

// One field of the file: where it lies, the bytes it must occupy there, and the
// header value those bytes stand for. Bytes are spelled out here, not made by
// the code under test.
struct FieldRow {
    const char* name;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
    std::function<void(SpectrumHeader&)> set;
};

std::vector<std::uint8_t> le16(int v)
{
    const auto u = static_cast<std::uint16_t>(v);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8)};
}

std::vector<std::uint8_t> le32(std::uint32_t u)
{
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 24)};
}

std::vector<std::uint8_t> text(const std::string& s)
{
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

const std::vector<FieldRow>& fieldTable()
{
    static const std::vector<FieldRow> rows = {
        {"maker", 0, text("Tessaloran Co., Ltd."), [](SpectrumHeader& h) { setHeaderText(h.maker, kMakerText); }},
        {"reserved21 first", 21, {0xA1}, [](SpectrumHeader& h) { h.reserved21[0] = 0xA1; }},
        {"reserved21 last", 53, {0xA2}, [](SpectrumHeader& h) { h.reserved21[32] = 0xA2; }},
        {"channels", 54, le16(2048), [](SpectrumHeader& h) { h.channels = 2048; }},
        {"reserved56",
         56,
         {0xB1, 0, 0, 0, 0, 0, 0, 0xB2},
         [](SpectrumHeader& h) {
             h.reserved56[0] = 0xB1;
             h.reserved56[7] = 0xB2;
         }},
        {"calibMarker 1.0", 64, le32(0x3F800000), [](SpectrumHeader& h) { h.calibMarker = 1.0f; }},
        {"calibGain 0.75", 68, le32(0x3F400000), [](SpectrumHeader& h) { h.calibGain = 0.75f; }},
        {"calibOffset -12.25", 72, le32(0xC1440000), [](SpectrumHeader& h) { h.calibOffset = -12.25f; }},
        {"reserved76",
         76,
         {0xC1, 0, 0, 0xC2},
         [](SpectrumHeader& h) {
             h.reserved76[0] = 0xC1;
             h.reserved76[3] = 0xC2;
         }},
        {"acqYear", 80, le16(2024), [](SpectrumHeader& h) { h.acqYear = 2024; }},
        {"acqMonth", 82, le16(5), [](SpectrumHeader& h) { h.acqMonth = 5; }},
        {"acqDay", 84, le16(17), [](SpectrumHeader& h) { h.acqDay = 17; }},
        {"reserved86",
         86,
         {0xD1, 0xD2},
         [](SpectrumHeader& h) {
             h.reserved86[0] = 0xD1;
             h.reserved86[1] = 0xD2;
         }},
        {"acqHour", 88, le16(13), [](SpectrumHeader& h) { h.acqHour = 13; }},
        {"acqMinute", 90, le16(4), [](SpectrumHeader& h) { h.acqMinute = 4; }},
        {"acqSecond", 92, le16(59), [](SpectrumHeader& h) { h.acqSecond = 59; }},
        {"roiLow[0]", 94, le16(100), [](SpectrumHeader& h) { h.roiLow[0] = 100; }},
        {"roiLow[15]", 124, le16(-2), [](SpectrumHeader& h) { h.roiLow[15] = -2; }},
        {"roiLow[99]", 292, le16(0x1234), [](SpectrumHeader& h) { h.roiLow[99] = 0x1234; }},
        {"roiHigh[0]", 294, le16(4095), [](SpectrumHeader& h) { h.roiHigh[0] = 4095; }},
        {"roiHigh[99]", 492, le16(0x2345), [](SpectrumHeader& h) { h.roiHigh[99] = 0x2345; }},
        {"roiColor[0] red", 494, le16(0x00FF), [](SpectrumHeader& h) { h.roiColor[0] = 0x00FF; }},
        {"roiColor[1] green", 496, le16(0xFF00), [](SpectrumHeader& h) { h.roiColor[1] = -256; }},
        {"roiColor[99]", 692, le16(0x3456), [](SpectrumHeader& h) { h.roiColor[99] = 0x3456; }},
        {"reserved694",
         694,
         {0xE1, 0, 0, 0, 0, 0, 0, 0, 0, 0xE2},
         [](SpectrumHeader& h) {
             h.reserved694[0] = 0xE1;
             h.reserved694[9] = 0xE2;
         }},
        {"presetTime", 704, le32(36000), [](SpectrumHeader& h) { h.presetTime = 36000; }},
        {"reserved708",
         708,
         {0xF1, 0, 0, 0xF2},
         [](SpectrumHeader& h) {
             h.reserved708[0] = 0xF1;
             h.reserved708[3] = 0xF2;
         }},
        {"liveTime", 712, le32(35012), [](SpectrumHeader& h) { h.liveTime = 35012; }},
        {"realTime negative", 716, le32(0xFFFFFFFB), [](SpectrumHeader& h) { h.realTime = -5; }},
        {"reserved720 first", 720, {0x71}, [](SpectrumHeader& h) { h.reserved720[0] = 0x71; }},
        {"reserved720 last", 773, {0x72}, [](SpectrumHeader& h) { h.reserved720[53] = 0x72; }},
        {"comment", 774, text("Rice, lot 7"), [](SpectrumHeader& h) { setHeaderText(h.comment, "Rice, lot 7"); }},
        {"comment last byte", 805, {'z'}, [](SpectrumHeader& h) { h.comment[31] = 'z'; }},
        {"sampleId", 806, text("S-0042"), [](SpectrumHeader& h) { setHeaderText(h.sampleId, "S-0042"); }},
        {"sampleId last byte", 837, {'y'}, [](SpectrumHeader& h) { h.sampleId[31] = 'y'; }},
        {"reserved838 first", 838, {0x81}, [](SpectrumHeader& h) { h.reserved838[0] = 0x81; }},
        {"reserved838 last", 1023, {0x82}, [](SpectrumHeader& h) { h.reserved838[185] = 0x82; }},
    };
    return rows;
}

// A header whose 1024 bytes are all zero (calibMarker 0.0 rather than 1.0).
SpectrumHeader zeroHeader()
{
    SpectrumHeader h;
    h.calibMarker = 0.0f;
    return h;
}

HeaderBytes poked(const FieldRow& row)
{
    HeaderBytes b{};
    std::copy(row.bytes.begin(), row.bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(row.offset));
    return b;
}

TEST(SpectrumHeaderCodec, EveryFieldLiesAtItsOffsetBothWays)
{
    for (const FieldRow& row : fieldTable()) {
        SCOPED_TRACE(row.name);
        SpectrumHeader h = zeroHeader();
        row.set(h);
        EXPECT_EQ(encodeHeader(h), poked(row));
        EXPECT_EQ(decodeHeader(poked(row)), h);
    }
}

TEST(SpectrumHeaderCodec, AllFieldsTogetherRoundTrip)
{
    SpectrumHeader h = zeroHeader();
    HeaderBytes expected{};
    for (const FieldRow& row : fieldTable()) {
        row.set(h);
        std::copy(row.bytes.begin(), row.bytes.end(), expected.begin() + static_cast<std::ptrdiff_t>(row.offset));
    }
    EXPECT_EQ(encodeHeader(h), expected);
    EXPECT_EQ(decodeHeader(expected), h);
}

TEST(SpectrumHeaderCodec, AnyByteSurvivesDecodeThenEncode)
{
    HeaderBytes b;
    for (std::size_t i = 0; i < b.size(); ++i)
        b[i] = static_cast<std::uint8_t>(i * 37 + 11);
    EXPECT_EQ(encodeHeader(decodeHeader(b)), b);
}

TEST(SpectrumHeaderCodec, EmptyHeaderHoldsOnlyTheNoCalibrationMarker)
{
    HeaderBytes expected{};
    expected[66] = 0x80;
    expected[67] = 0x3F;
    EXPECT_EQ(encodeHeader(SpectrumHeader{}), expected);
}

TEST(SpectrumHeaderCodec, RefusesFewerThan1024Bytes)
{
    std::vector<std::uint8_t> b(1023);
    EXPECT_THROW(decodeHeader(b), std::out_of_range);
}

TEST(SpectrumHeaderCodec, TextsAreCutToLeaveTheirNul)
{
    std::array<char, 32> field{};
    field.fill('x');
    setHeaderText(field, std::string(40, 'a'));
    EXPECT_EQ(headerText(field), std::string(31, 'a'));
    EXPECT_EQ(field[31], '\0');

    setHeaderText(field, "ab");
    EXPECT_EQ(headerText(field), "ab");
    EXPECT_EQ(field[5], '\0'); // the tail is cleared, not left from before

    field.fill('q');
    terminateHeaderText(field);
    EXPECT_EQ(headerText(field), std::string(31, 'q'));
}

} // namespace
} // namespace detkit
