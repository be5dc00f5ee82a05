#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "spectra/file_handlers.h"
#include "spectra/header_state.h"
#include "spectra/memory_view.h"
#include "spectra_test_support.h"
#include "support/scripted_dialogs.h"

namespace detkit {
namespace {

using test::fileBytes;
using test::pathIn;

class FileHandlers : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        s.io.dialogs = &dialogs;
    }
    std::string path(const char* name) { return pathIn(dir, name); }
    void save(const std::string& p)
    {
        dialogs.saveAnswers.push_back(p);
        Write1Click(s, f);
    }
    void read(const std::string& p)
    {
        dialogs.openAnswers.push_back(p);
        Read1Click(s, f);
    }
    void viewMem(int slot)
    {
        f.McaMem.checked = slot == 0;
        f.Mem1Spec.checked = slot == 1;
        f.Mem2Spec.checked = slot == 2;
        f.Mem3Spec.checked = slot == 3;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    SharedState s;
    Form f;
};

TEST(FileName, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(fileNameOf("/home/op/rice.dat"), "rice.dat");
    EXPECT_EQ(fileNameOf("C:\\data\\soil.dat"), "soil.dat");
    EXPECT_EQ(fileNameOf("mixed/dir\\x.dat"), "x.dat");
    EXPECT_EQ(fileNameOf("plain.dat"), "plain.dat");
    EXPECT_EQ(fileNameOf("dir/"), "");
}

TEST_F(FileHandlers, SaveThenReadRoundTripsThroughTheDialogs)
{
    s.ChannelCount = 1024;
    for (int i = 0; i < 1024; ++i)
        s.LiveSpectrum[static_cast<std::size_t>(i)] = 3 * i + 1;
    s.AcquisitionTimes = {.presetTime = 6000, .realTime = 6000, .liveTime = 5800, .deadTime = 0};
    s.RoiTable[0].lowCh = 200;
    s.RoiTable[0].highCh = 220;
    setHeaderText(s.WorkingHeader.sampleId, "S-1");
    f.Edit1.text = "before";

    SaveSpecClick(s, f); // cancelled: nothing happens
    EXPECT_TRUE(s.FilePath.empty());
    save(path("one.dat"));
    ASSERT_EQ(dialogs.saveCalls.size(), 2u);
    EXPECT_EQ(dialogs.saveCalls[1].filter, "spectrum(*.dat)|*.dat");
    EXPECT_EQ(dialogs.saveCalls[1].defaultExtension, "dat");
    EXPECT_EQ(f.Edit1.text, "before"); // success says nothing
    EXPECT_EQ(s.DataFileName, "one.dat");
    const SpectrumHeader saved = s.WorkingHeader;

    SharedState fresh;
    fresh.io.dialogs = &dialogs;
    dialogs.openAnswers.push_back(path("one.dat"));
    Read1Click(fresh, f);
    EXPECT_EQ(dialogs.openCalls.back().filter, "spectrum(*.dat)|*.dat");
    EXPECT_EQ(fresh.FilePath, path("one.dat"));
    EXPECT_EQ(fresh.DataFileName, "one.dat");
    EXPECT_EQ(fresh.WorkingHeader, saved);
    EXPECT_EQ(headerText(fresh.WorkingHeader.sampleId), "S-1");
    EXPECT_EQ(fresh.ChannelCount, 1024);
    EXPECT_TRUE(std::equal(s.LiveSpectrum.begin(), s.LiveSpectrum.begin() + 1024, fresh.LiveSpectrum.begin()));
    EXPECT_EQ(fresh.LiveSpectrum[1024], 1024); // past the file: the start ramp, untouched
    EXPECT_EQ(fresh.AcquisitionTimes.liveTime, 5800);
    EXPECT_EQ(fresh.RoiTable[0].highCh, 220);
    EXPECT_EQ(fresh.DisplayWindow.first, 0);
    EXPECT_EQ(fresh.DisplayWindow.last, 1023);
    EXPECT_EQ(fresh.CursorChannel, 512);
    EXPECT_EQ(f.Label1.text, "0ch");
    EXPECT_EQ(f.Label2.text, "1023ch");
    EXPECT_EQ(f.Label3.text, "512");
}

TEST_F(FileHandlers, A256ChannelSaveReadsBack)
{
    s.ChannelCount = 256;
    s.LogScale = 0;
    save(path("small.dat"));
    EXPECT_EQ(s.LogScale, 0); // a save does not touch the view
    EXPECT_EQ(test::readRaw(path("small.dat")).size(), 1024u + 1024u);
    s.ChannelCount = 4096;
    read(path("small.dat"));
    EXPECT_EQ(s.ChannelCount, 256);
    EXPECT_EQ(s.LogScale, 1);
    EXPECT_EQ(f.Label2.text, "255ch");
    EXPECT_EQ(f.Label3.text, "128");
}

TEST_F(FileHandlers, RefusedReadShowsTheCountAndKeepsTheRest)
{
    // Something in every piece of state a refusal must leave alone.
    s.ChannelCount = 512;
    s.DisplayWindow = {10, 400};
    s.CursorChannel = 77;
    s.AcquisitionTimes.liveTime = 123;
    s.EnergyCalibration.Valid = 1;
    s.EnergyCalibration.Slope = 2.0f;
    s.RoiTable[4].lowCh = 44;
    s.McaHeader.presetTime = 999;
    setHeaderText(s.WorkingHeader.comment, "on display");
    viewMem(1);
    const MemorySlot mem1 = s.mem(1);

    test::writeRaw(path("long.dat"), fileBytes(2048, 2048 + 512));
    read(path("long.dat"));

    EXPECT_EQ(f.Edit1.text, "2560");
    EXPECT_EQ(s.WorkingHeader, s.McaHeader);
    EXPECT_EQ(s.ChannelCount, 512);
    EXPECT_EQ(s.DisplayWindow.first, 10);
    EXPECT_EQ(s.DisplayWindow.last, 400);
    EXPECT_EQ(s.CursorChannel, 77);
    EXPECT_EQ(s.AcquisitionTimes.liveTime, 123);
    EXPECT_EQ(s.EnergyCalibration.Slope, 2.0f);
    EXPECT_EQ(s.RoiTable[4].lowCh, 44);
    EXPECT_EQ(s.mem(1).counts, mem1.counts);
    EXPECT_EQ(s.mem(1).header, mem1.header);
    EXPECT_EQ(s.mem(1).name, mem1.name);
    // The counts that were read are on display.
    const auto fileCounts = test::rampCounts(2560);
    EXPECT_TRUE(std::equal(fileCounts.begin(), fileCounts.end(), s.LiveSpectrum.begin()));
    EXPECT_EQ(s.LiveSpectrum[2560], 2560);
}

TEST_F(FileHandlers, LongerFileFillsLiveSpectrumAndNoMore)
{
    test::writeRaw(path("huge.dat"), fileBytes(4096, 20000));
    const SharedState before = s;
    read(path("huge.dat"));
    EXPECT_EQ(f.Edit1.text, "8192");
    const auto fileCounts = test::rampCounts(4096);
    EXPECT_TRUE(std::equal(fileCounts.begin(), fileCounts.end(), s.LiveSpectrum.begin()));
    // What lies after LiveSpectrum in the state is not a scratch area.
    EXPECT_EQ(s.SmoothScratch, before.SmoothScratch);
    EXPECT_EQ(s.mem(1).counts, before.mem(1).counts);
}

TEST_F(FileHandlers, RefusalTableThroughTheHandler)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* edit1;
    } cases[] = {
        {"512 surplus counts", fileBytes(2048, 2560), "2560"},
        {"more than 4096 counts", fileBytes(4096, 5000), "4608"},
        {"far more than 4096 counts", fileBytes(4096, 30000), "8192"},
        {"shorter than the header", std::vector<std::uint8_t>(1000, 0x11), "0"},
        {"fewer than 512 counts", fileBytes(512, 300), "0"},
        {"256 channels, 300 counts", fileBytes(256, 300), "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeRaw(path("bad.dat"), c.bytes);
        setHeaderText(s.WorkingHeader.comment, "x");
        s.LogScale = 0;
        read(path("bad.dat"));
        EXPECT_EQ(s.LogScale, 1); // redrawn on the log scale all the same
        EXPECT_EQ(f.Edit1.text, c.edit1);
        EXPECT_EQ(s.WorkingHeader, s.McaHeader);
        EXPECT_EQ(s.ChannelCount, 2048);
    }
}

TEST_F(FileHandlers, ReadStoresIntoTheSelectedSlotOnly)
{
    test::writeRaw(path("in.dat"), fileBytes(512, 512));
    for (int slot : {0, 1, 2, 3}) {
        SCOPED_TRACE(slot);
        SharedState fresh;
        fresh.io.dialogs = &dialogs;
        viewMem(slot);
        dialogs.openAnswers.push_back(path("in.dat"));
        Read1Click(fresh, f);
        ASSERT_EQ(fresh.ChannelCount, 512);
        for (int k = 1; k <= 3; ++k) {
            const MemorySlot& mem = fresh.mem(k);
            if (k == slot) {
                EXPECT_EQ(mem.name, "in.dat");
                EXPECT_EQ(mem.header, fresh.WorkingHeader);
                EXPECT_TRUE(std::equal(mem.counts.begin(), mem.counts.begin() + 512, fresh.LiveSpectrum.begin()));
                EXPECT_EQ(mem.counts[512], 512); // the rest of the slot keeps its ramp
            } else {
                EXPECT_EQ(mem.name, "");
                EXPECT_EQ(mem.counts[0], 0);
                EXPECT_EQ(mem.counts[5], 5);
            }
        }
    }
}

TEST_F(FileHandlers, LowerLevelClearsTheDisplayAndTheReceivingSlot)
{
    test::writeRaw(path("lld.dat"), fileBytes(1024, 1024));
    const auto fileCounts = test::rampCounts(1024);
    s.SpcLld = 100;
    viewMem(3);
    read(path("lld.dat"));
    for (std::size_t c = 0; c < 100; ++c) {
        ASSERT_EQ(s.LiveSpectrum[c], 0) << c;
        ASSERT_EQ(s.mem(3).counts[c], 0) << c;
    }
    EXPECT_EQ(s.LiveSpectrum[100], fileCounts[100]);
    EXPECT_EQ(s.mem(3).counts[100], fileCounts[100]);

    // A discriminator past the end clears what there is and no more.
    s.SpcLld = 100000;
    read(path("lld.dat"));
    EXPECT_EQ(s.LiveSpectrum[4095], 0);
    s.SpcLld = -5;
    read(path("lld.dat"));
    EXPECT_EQ(s.LiveSpectrum[0], fileCounts[0]);
}

TEST_F(FileHandlers, CalibrationTravelsWithTheFile)
{
    s.ChannelCount = 512;
    save(path("uncal.dat"));
    EXPECT_EQ(s.WorkingHeader.calibMarker, 1.0f);
    EXPECT_EQ(s.WorkingHeader.calibGain, 0.0f);

    s.EnergyCalibration.Valid = 1;
    s.EnergyCalibration.Slope = 0.7f;
    s.EnergyCalibration.Offset = 1.5f;
    save(path("cal.dat"));
    EXPECT_EQ(s.WorkingHeader.calibMarker, 0.0f);

    s.EnergyCalibration = {};
    read(path("cal.dat"));
    EXPECT_EQ(s.EnergyCalibration.Valid, 1);
    EXPECT_EQ(s.EnergyCalibration.Slope, 0.7f);
    EXPECT_EQ(s.EnergyCalibration.Offset, 1.5f);

    s.EnergyCalibration.Slope = 3.0f; // the calibration in force now
    read(path("uncal.dat"));
    EXPECT_EQ(s.EnergyCalibration.Valid, 1);
    EXPECT_EQ(s.EnergyCalibration.Slope, 3.0f);
}

TEST_F(FileHandlers, RoiColoursThroughAFile)
{
    s.ChannelCount = 512;
    s.RoiTable[0].color = 0x00FF0000; // blue
    s.RoiTable[1].color = 0x0000FF00; // green
    s.RoiTable[2].color = 0x000000FF; // red
    save(path("roi.dat"));
    read(path("roi.dat"));
    EXPECT_EQ(s.RoiTable[0].color, 0);
    EXPECT_EQ(s.RoiTable[1].color, -256);
    EXPECT_EQ(s.RoiTable[2].color, 0x000000FF);
}

TEST_F(FileHandlers, LongTextsInAFileAreCut)
{
    std::vector<std::uint8_t> b = fileBytes(512, 512);
    std::fill(b.begin() + 774, b.begin() + 838, std::uint8_t{'w'});
    test::writeRaw(path("texts.dat"), b);
    read(path("texts.dat"));
    EXPECT_EQ(headerText(s.WorkingHeader.comment), std::string(31, 'w'));
    EXPECT_EQ(headerText(s.WorkingHeader.sampleId), std::string(31, 'w'));
}

TEST_F(FileHandlers, FileThatCannotBeOpenedIsReported)
{
    const auto live = s.LiveSpectrum;
    read(path("absent.dat"));
    EXPECT_EQ(f.Edit1.text, "File Read Error !");
    EXPECT_EQ(s.DataFileName, "absent.dat");
    EXPECT_EQ(s.LiveSpectrum, live);
    EXPECT_EQ(s.ChannelCount, 2048);
}

TEST_F(FileHandlers, FailedSaveKeepsTheOldFileAndSaysSo)
{
    const std::vector<std::uint8_t> old = fileBytes(1024, 1024);
    const std::string target = path("keep.dat");
    test::writeRaw(target, old);

    // A writer that dies after the header.
    dialogs.saveAnswers.push_back(target);
    saveSpectrum(s, f, [](QIODevice& file, std::span<const std::uint8_t> chunk) -> std::int64_t {
        return chunk.size() == 1024 ? file.write(reinterpret_cast<const char*>(chunk.data()), 1024) : -1;
    });
    EXPECT_EQ(f.Edit1.text, "File Write Error !");
    EXPECT_EQ(test::readRaw(target), old);
    EXPECT_EQ(test::entriesOf(dir), QStringList{"keep.dat"});

    // A folder that is not there: the file cannot even be created.
    f.Edit1.text = "";
    save(path("missing/new.dat"));
    EXPECT_EQ(f.Edit1.text, "File Write Error !");

    // A channel count no spectrum has.
    f.Edit1.text = "";
    s.ChannelCount = 5000;
    save(target);
    EXPECT_EQ(f.Edit1.text, "File Write Error !");
    EXPECT_EQ(test::readRaw(target), old);
}

TEST_F(FileHandlers, ReadSpecClickClearsResultsAndReadsIntoMem1)
{
    s.ResultsShown = 1;
    s.RoiTable[0].on = 1;
    s.RoiTable[1].on = 1;
    s.RoiTable[2].on = 1;
    test::writeRaw(path("sample.dat"), fileBytes(2048, 2048));

    dialogs.openAnswers.push_back(path("sample.dat"));
    ReadSpecClick(s, f);

    EXPECT_EQ(s.ResultsShown, 0);
    EXPECT_EQ(s.RoiTable[0].on, 1);
    EXPECT_EQ(s.RoiTable[1].on, 0);
    EXPECT_EQ(s.RoiTable[2].on, 0);
    EXPECT_TRUE(f.Mem1Spec.checked);
    EXPECT_FALSE(f.McaMem.checked);
    EXPECT_EQ(s.mem(1).name, "sample.dat");
    EXPECT_EQ(s.mem(1).header.channels, 2048);
    EXPECT_EQ(s.ChannelCount, 2048);
}

TEST_F(FileHandlers, ReadSpecClickCancelledStillShowsMem1)
{
    s.mem(1).header.channels = 512;
    s.mem(1).name = "earlier.dat";
    s.mem(1).counts[3] = -7;
    ReadSpecClick(s, f);
    EXPECT_EQ(s.DataFileName, "earlier.dat");
    EXPECT_EQ(s.ChannelCount, 512);
    EXPECT_EQ(s.LiveSpectrum[3], -7);
    EXPECT_TRUE(f.Mem1Spec.checked);
}

TEST_F(FileHandlers, ViewingASlotCopiesItsSpectrumAndHeader)
{
    MemorySlot& mem = s.mem(2);
    mem.name = "bg.dat";
    mem.header.channels = 1024;
    mem.header.liveTime = 42;
    mem.header.roiLow[0] = 9;
    mem.counts.fill(5);
    s.LiveSpectrum.fill(1); // the plot shows 5 at the cursor only if redrawn after the copy
    s.DisplayWindow = {3, 300};
    s.CursorChannel = 10;
    f.Label7.text = "";

    Mem2SpecClick(s, f);
    EXPECT_EQ(f.Label7.text, "5"); // redrawn: the count at the cursor

    EXPECT_EQ(s.DataFileName, "bg.dat");
    EXPECT_EQ(s.WorkingHeader, mem.header);
    EXPECT_EQ(s.ChannelCount, 1024);
    EXPECT_EQ(s.LiveSpectrum[1023], 5);
    EXPECT_EQ(s.LiveSpectrum[1024], 1);
    EXPECT_EQ(s.AcquisitionTimes.liveTime, 42);
    EXPECT_EQ(s.RoiTable[0].lowCh, 9);
    EXPECT_EQ(s.DisplayWindow.first, 3); // the window stays
}

TEST_F(FileHandlers, ViewingAnEmptyOrDamagedSlotMovesNoCount)
{
    s.EnergyCalibration.Valid = 1;
    s.EnergyCalibration.Slope = 4.0f;
    s.RoiTable[0].lowCh = 50;
    s.LiveSpectrum.fill(8);
    Mem3SpecClick(s, f); // never received a spectrum
    EXPECT_EQ(s.ChannelCount, 0);
    EXPECT_EQ(s.LiveSpectrum[0], 8);
    EXPECT_EQ(s.RoiTable[0].lowCh, 0);
    EXPECT_EQ(s.EnergyCalibration.Slope, 4.0f);

    s.mem(1).header.channels = -3;
    Mem1SpecClick(s, f);
    EXPECT_EQ(s.LiveSpectrum[0], 8);
    s.mem(1).header.channels = 30000; // more than a spectrum holds: copy the 4096 there are
    Mem1SpecClick(s, f);
    EXPECT_EQ(s.LiveSpectrum[4095], 4095);
}

} // namespace
} // namespace detkit
