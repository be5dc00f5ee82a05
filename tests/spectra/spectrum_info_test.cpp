#include <gtest/gtest.h>

#include "spectra/spectrum_info.h"
#include "spectra_test_support.h"

namespace detkit {
namespace {

TEST(SpectrumInfo, DescribesEveryFieldOfAnAcceptedFile)
{
    SpectrumHeader h;
    h.channels = 512;
    setHeaderText(h.maker, kMakerText);
    h.calibMarker = 0.0f;
    h.calibGain = 0.5f;
    h.calibOffset = -2.25f;
    h.acqYear = 2024;
    h.acqMonth = 3;
    h.acqDay = 9;
    h.acqHour = 7;
    h.acqMinute = 5;
    h.acqSecond = 1;
    h.presetTime = 36000;
    h.liveTime = 35995;
    h.realTime = 36000;
    setHeaderText(h.comment, "soil, garden");
    setHeaderText(h.sampleId, "G-17");
    h.roiLow[2] = 300;
    h.roiHigh[2] = 340;
    h.roiColor[2] = 0x00FF;
    std::vector<std::int32_t> counts(512, 3);
    counts[0] = 1000000;

    ReadResult r = parseSpectrumBytes(encodeSpectrumFile(h, counts));
    ASSERT_TRUE(r.ok);
    r.path = "/data/g17.dat";
    const std::string text = describeSpectrumFile(r);

    for (const char* expected :
         {"file:        /data/g17.dat\n", "channels:    512\n", "maker:       Tessaloran Co., Ltd.\n",
          "calibration: 0.5 keV/ch, offset -2.25 keV\n", "acquired:    2024-03-09 07:05:01\n",
          "preset time: 3600.0 s\n", "live time:   3599.5 s\n", "real time:   3600.0 s\n",
          "comment:     soil, garden\n", "sample ID:   G-17\n", "ROI 2 :      300-340 ch, colour 0x00FF\n",
          "total count: 1001533\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n---\n" << text;
    EXPECT_EQ(text.find("ROI 0"), std::string::npos); // regions with no limits are not listed
}

TEST(SpectrumInfo, UncalibratedFileSaysSo)
{
    ReadResult r = parseSpectrumBytes(test::fileBytes(256, 256));
    ASSERT_TRUE(r.ok);
    EXPECT_NE(describeSpectrumFile(r).find("calibration: none\n"), std::string::npos);
}

TEST(SpectrumInfo, RefusalIsOneLine)
{
    ReadResult r = parseSpectrumBytes(test::fileBytes(2048, 2560));
    r.path = "x.dat";
    const std::string text = describeSpectrumFile(r);
    EXPECT_EQ(text, "x.dat: refused: " + r.reason + "\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

} // namespace
} // namespace detkit
