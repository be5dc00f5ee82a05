#include <gtest/gtest.h>

#include <limits>

#include "spectra/header_state.h"
#include "spectra/spectrum_header_codec.h"

namespace detkit {
namespace {

TEST(FillHeader, CopiesCountTimesRoisAndMaker)
{
    SharedState s;
    s.ChannelCount = 4096;
    s.AcquisitionTimes = {.presetTime = 6000, .realTime = 5999, .liveTime = 5900, .deadTime = 17};
    s.RoiTable[0].lowCh = 100;
    s.RoiTable[0].highCh = 70000; // kept to its low 16 bits
    s.RoiTable[15].lowCh = -3;
    setHeaderText(s.WorkingHeader.comment, "kept");
    s.WorkingHeader.acqYear = 2023;
    s.WorkingHeader.reserved720[3] = 9;

    FillHeader(s);

    const SpectrumHeader& h = s.WorkingHeader;
    EXPECT_EQ(h.channels, 4096);
    EXPECT_EQ(headerText(h.maker), "Tessaloran Co., Ltd.");
    EXPECT_EQ(h.maker[20], '\0');
    EXPECT_EQ(h.presetTime, 6000);
    EXPECT_EQ(h.realTime, 5999);
    EXPECT_EQ(h.liveTime, 5900);
    EXPECT_EQ(h.roiLow[0], 100);
    EXPECT_EQ(h.roiHigh[0], 70000 - 65536);
    EXPECT_EQ(h.roiLow[15], -3);
    // What the state does not describe stays with the header.
    EXPECT_EQ(headerText(h.comment), "kept");
    EXPECT_EQ(h.acqYear, 2023);
    EXPECT_EQ(h.reserved720[3], 9);
}

TEST(FillHeader, CalibrationMarker)
{
    SharedState s;
    s.WorkingHeader.calibOffset = 5.0f;
    FillHeader(s);
    EXPECT_EQ(s.WorkingHeader.calibMarker, 1.0f);
    EXPECT_EQ(s.WorkingHeader.calibGain, 0.0f);
    EXPECT_EQ(s.WorkingHeader.calibOffset, 5.0f); // left as it was

    s.EnergyCalibration.Valid = 1;
    s.EnergyCalibration.Slope = 0.72f;
    s.EnergyCalibration.Offset = -3.5f;
    FillHeader(s);
    EXPECT_EQ(s.WorkingHeader.calibMarker, 0.0f);
    EXPECT_EQ(s.WorkingHeader.calibGain, 0.72f);
    EXPECT_EQ(s.WorkingHeader.calibOffset, -3.5f);
}

struct MarkerCase {
    const char* name;
    float marker, gain, offset;
    bool takesCalibration;
};

TEST(ApplyHeader, CalibrationMarkerRules)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const MarkerCase cases[] = {
        {"1.0 keeps the calibration in force", 1.0f, 9.0f, 9.0f, false},
        {"0.0 carries one", 0.0f, 0.5f, 2.0f, true},
        {"any other value carries one", 2.0f, 0.5f, 2.0f, true},
        {"a value next to 1.0 carries one", 1.0000001f, 0.5f, 2.0f, true},
        {"a gain that is not a number is no calibration", 0.0f, nan, 2.0f, false},
        {"an infinite offset is no calibration", 0.0f, 0.5f, inf, false},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.name);
        SharedState s;
        s.EnergyCalibration.Valid = 1;
        s.EnergyCalibration.Slope = 1.5f;
        s.EnergyCalibration.Offset = -1.0f;
        SpectrumHeader h;
        h.calibMarker = c.marker;
        h.calibGain = c.gain;
        h.calibOffset = c.offset;
        ApplyHeader(s, h);
        EXPECT_EQ(s.EnergyCalibration.Valid, 1);
        EXPECT_EQ(s.EnergyCalibration.Slope, c.takesCalibration ? c.gain : 1.5f);
        EXPECT_EQ(s.EnergyCalibration.Offset, c.takesCalibration ? c.offset : -1.0f);
    }

    SharedState uncalibrated;
    ApplyHeader(uncalibrated, SpectrumHeader{});
    EXPECT_EQ(uncalibrated.EnergyCalibration.Valid, 0);
}

TEST(ApplyHeader, TimesAndSignExtendedRois)
{
    SharedState s;
    s.RoiTable[3].used = 1;
    s.RoiTable[3].on = 1;
    s.RoiTable[3].name = "Cs-137";
    SpectrumHeader h;
    h.presetTime = 100;
    h.realTime = 90;
    h.liveTime = 80;
    h.roiLow[3] = -2;
    h.roiHigh[3] = 4095;
    h.roiColor[3] = static_cast<std::int16_t>(0xFF00);
    h.roiLow[16] = 77; // entries past the 16 regions are not ours

    ApplyHeader(s, h);

    EXPECT_EQ(s.AcquisitionTimes.presetTime, 100);
    EXPECT_EQ(s.AcquisitionTimes.realTime, 90);
    EXPECT_EQ(s.AcquisitionTimes.liveTime, 80);
    EXPECT_EQ(s.RoiTable[3].lowCh, -2);
    EXPECT_EQ(s.RoiTable[3].highCh, 4095);
    EXPECT_EQ(s.RoiTable[3].color, -256);
    EXPECT_EQ(s.RoiTable[3].used, 1);
    EXPECT_EQ(s.RoiTable[3].on, 1);
    EXPECT_EQ(s.RoiTable[3].name, "Cs-137");
}

TEST(ApplyHeader, RoiColoursThroughSixteenBits)
{
    struct ColourCase {
        const char* name;
        std::int32_t colour, readBack;
    } cases[] = {
        {"pure blue loses its only bits", 0x00FF0000, 0},
        {"pure green sign-extends", 0x0000FF00, -256},
        {"pure red survives", 0x000000FF, 0x000000FF},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.name);
        SharedState s;
        s.RoiTable[5].color = c.colour;
        FillHeader(s);
        s.RoiTable[5].color = 12345;
        ApplyHeader(s, decodeHeader(encodeHeader(s.WorkingHeader)));
        EXPECT_EQ(s.RoiTable[5].color, c.readBack);
    }
}

} // namespace
} // namespace detkit
