// Whole measurements on the simulated analyser, on a stepped clock: open, set
// up, start, tick until the preset ends, save, read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QTemporaryDir>

#include "acquisition/acquisition_control.h"
#include "acquisition/mca_setup_click.h"
#include "device/protocol.h"
#include "device/sim/nai_spectrum.h"
#include "device/sim_link.h"
#include "spectra/file_handlers.h"
#include "spectra/spectrum_file.h"
#include "support/scripted_dialogs.h"

namespace detkit {
namespace {

class Measurement : public ::testing::Test {
protected:
    Measurement() { link.s.io.dialogs = &dialogs; }

    SharedState& s = link.s;
    Form& f = link.f;
    int count(const std::string& command) const
    {
        const auto& log = link.sim.commandsReceived();
        return static_cast<int>(std::count(log.begin(), log.end(), command));
    }
    // One 100 ms tick of Timer1 while it is enabled; returns false once it is not.
    bool tick()
    {
        if (!f.Timer1.enabled)
            return false;
        link.clock.advance(f.Timer1.interval);
        Timer1Timer(s, f);
        return true;
    }
    void setUp(int channels, int presetTime, const std::string& comment = {}, const std::string& sampleId = {})
    {
        dialogs.mcaSetUp = [=](McaSettings& m) {
            m.channels = channels;
            m.presetTime = presetTime;
            m.comment = comment;
            m.sampleId = sampleId;
            return true;
        };
        Button10Click(s, f);
    }

    SimLink link;
    ScriptedDialogs dialogs;
};

TEST_F(Measurement, TenSecondsOfCaesiumFromStartToFile)
{
    setUp(1024, 100, "rice, Fukushima lot 7", "S-2015-0042");
    EXPECT_EQ(s.ChannelCount, 1024);
    McaStartClick(s, f);
    ASSERT_EQ(s.Acquiring, 1);
    EXPECT_EQ(s.DataFileName, "MCA");

    int ticks = 0;
    while (tick() && ticks < 1000)
        ++ticks;
    EXPECT_NEAR(ticks, 100, 2);

    // The preset ended the acquisition: one stop, timer off, real time = preset.
    EXPECT_EQ(count("$S;"), 1);
    EXPECT_FALSE(f.Timer1.enabled);
    EXPECT_EQ(s.Acquiring, 0);
    EXPECT_EQ(s.AcquisitionTimes.realTime, 100);
    const std::int32_t total = s.StatusBlock.totalCounts();
    ASSERT_GT(total, 1000);
    const auto expectedLive = static_cast<std::int32_t>(s.StatusBlock.elapsed() / 10 - total * 1.8L * 0.00001L);
    EXPECT_EQ(s.AcquisitionTimes.liveTime, expectedLive);
    EXPECT_LT(s.AcquisitionTimes.liveTime, 100);

    // The Cs-137 photopeak stands where the energy scale puts it.
    const double keVPerChannel = kSimFullScaleKeV / 1024;
    const int expected = static_cast<int>(661.7 / keVPerChannel);
    const auto from = s.LiveSpectrum.begin() + expected - 40;
    const int peak = static_cast<int>(std::max_element(from, from + 80) - s.LiveSpectrum.begin());
    EXPECT_NEAR(peak, expected, 4);

    // The spectrum on display is the analyser's, read after the stop.
    EXPECT_TRUE(std::equal(s.LiveSpectrum.begin(), s.LiveSpectrum.begin() + 1024, link.sim.counts().begin()));

    QTemporaryDir dir;
    const std::string path = dir.filePath("caesium.dat").toStdString();
    dialogs.saveAnswers.push_back(path);
    SaveSpecClick(s, f);
    const ReadResult r = readSpectrumFile(path);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(r.header.channels, 1024);
    EXPECT_EQ(r.header.presetTime, 100);
    EXPECT_EQ(r.header.realTime, 100);
    EXPECT_EQ(r.header.liveTime, s.AcquisitionTimes.liveTime);
    EXPECT_EQ(r.header.acqYear, 2015);
    EXPECT_EQ(r.header.acqHour, 14);
    // What the operator typed in the set-up before Start is saved with the measurement.
    EXPECT_EQ(headerText(r.header.comment), "rice, Fukushima lot 7");
    EXPECT_EQ(headerText(r.header.sampleId), "S-2015-0042");
    ASSERT_EQ(r.counts.size(), 1024u);
    EXPECT_TRUE(std::equal(r.counts.begin(), r.counts.end(), s.LiveSpectrum.begin()));
}

TEST_F(Measurement, TicksMirrorTheAnalysersViewAndRate)
{
    setUp(2048, 36000);
    McaStartClick(s, f);
    for (int i = 0; i < 20; ++i)
        tick();
    EXPECT_EQ(s.Acquiring, 1);
    EXPECT_EQ(f.Label1.text, std::to_string(s.StatusBlock.windowFirst()) + "ch");
    EXPECT_EQ(f.Label2.text, std::to_string(s.StatusBlock.windowLast()) + "ch");
    EXPECT_EQ(s.CursorChannel, s.StatusBlock.cursor());
    EXPECT_EQ(s.AcquisitionTimes.realTime, 20);
    // About 400 counts per second before dead time in the simulated sample.
    EXPECT_GT(s.CountRate, 0.05f);
    EXPECT_LT(s.CountRate, 50.0f);
    EXPECT_TRUE(std::isfinite(s.CountRate));
    EXPECT_GE(s.AcquisitionTimes.deadTime, 0);
}

TEST_F(Measurement, StopBeforeThePresetKeepsWhatWasRead)
{
    setUp(512, 600);
    McaStartClick(s, f);
    for (int i = 0; i < 10; ++i)
        tick();
    const Spectrum before = s.LiveSpectrum;
    McaStopClick(s, f);
    EXPECT_EQ(s.Acquiring, 0);
    EXPECT_FALSE(f.Timer1.enabled);
    EXPECT_EQ(s.LiveSpectrum, before);
    EXPECT_EQ(s.AcquisitionTimes.realTime, 10);
}

TEST_F(Measurement, RefusedStopLeavesTheAcquisitionRunning)
{
    McaStartClick(s, f);
    link.sim.injectReplyFault(ReplyFault::refuse, "$S;");
    McaStopClick(s, f);
    EXPECT_EQ(s.Acquiring, 1);
    EXPECT_TRUE(f.Timer1.enabled);
}

TEST_F(Measurement, ClearDuringAcquisitionZeroesAndTheRateShowsZero)
{
    setUp(1024, 36000);
    McaStartClick(s, f);
    for (int i = 0; i < 30; ++i)
        tick();
    McaClearClick(s, f);
    EXPECT_EQ(s.Acquiring, 1);
    EXPECT_TRUE(std::all_of(s.LiveSpectrum.begin(), s.LiveSpectrum.begin() + 1024, [](int c) { return c == 0; }));
    tick();  // the total dropped since the last tick
    EXPECT_EQ(s.CountRate, 0.0f);
    tick();
    EXPECT_GT(s.CountRate, 0.0f);
}

TEST_F(Measurement, RefusedStartStampsAndLeavesIdle)
{
    link.sim.injectReplyFault(ReplyFault::refuse, "$G;");
    s.ResultsShown = 1;
    s.RoiTable[1].on = s.RoiTable[2].on = 1;
    McaStartClick(s, f);
    EXPECT_EQ(s.Acquiring, 0);
    EXPECT_EQ(s.AcquisitionMode, 1);
    EXPECT_FALSE(f.Timer1.enabled);
    EXPECT_EQ(s.WorkingHeader.acqYear, 2015);
    EXPECT_EQ(s.WorkingHeader.acqMonth, 2);
    EXPECT_EQ(s.WorkingHeader.acqDay, 9);
    EXPECT_EQ(s.WorkingHeader.acqMinute, 5);
    EXPECT_EQ(s.WorkingHeader.acqSecond, 33);
    EXPECT_EQ(s.ResultsShown, 0);
    EXPECT_EQ(s.RoiTable[1].on + s.RoiTable[2].on, 0);
    EXPECT_EQ(s.LogScale, 1);
}

TEST(MeasurementOpen, StartOpensTheAnalyserWhenNoneWasFound)
{
    SimLink link(instantReplies(), /*open=*/false);
    McaStartClick(link.s, link.f);
    EXPECT_EQ(link.f.Edit1.text, "1");
    EXPECT_EQ(link.s.Acquiring, 1);
}

TEST_F(Measurement, PresetEndWithARefusedStopStillGoesIdle)
{
    setUp(512, 10);
    McaStartClick(s, f);
    link.sim.injectReplyFault(ReplyFault::refuse, "$S;");
    int ticks = 0;
    while (tick() && ticks < 100)
        ++ticks;
    EXPECT_EQ(s.Acquiring, 0);
    EXPECT_FALSE(f.Timer1.enabled);
    EXPECT_EQ(s.AcquisitionTimes.realTime, 10);
}

TEST_F(Measurement, FailedStatusReadKeepsTheLastViewAndFiniteTimes)
{
    McaStartClick(s, f);
    for (int i = 0; i < 5; ++i)
        tick();
    const std::int32_t real = s.AcquisitionTimes.realTime;
    link.sim.injectReplyFault(ReplyFault::noReply, "$R0;");
    f.Label1.text = "untouched";
    tick();
    EXPECT_EQ(f.Label1.text, "untouched");
    EXPECT_EQ(s.AcquisitionTimes.realTime, real);  // from the previous status
    EXPECT_EQ(s.CountRate, 0.0f);                  // no elapsed time, no rate
    EXPECT_EQ(s.Acquiring, 1);
}

TEST_F(Measurement, AFailedSpectrumReadShowsNoFalseRate)
{
    setUp(1024, 36000);
    McaStartClick(s, f);
    for (int i = 0; i < 20; ++i)
        tick();
    const float rate = s.CountRate;
    const std::int32_t dead = s.AcquisitionTimes.deadTime;
    link.sim.clearCommandLog();
    link.sim.injectReplyFault(ReplyFault::noReply, "$R3;");
    tick();
    // The tick gave up after the failed block and did not ask for the status.
    EXPECT_EQ(count("$R0;"), 0);
    EXPECT_EQ(s.CountRate, rate);
    EXPECT_EQ(s.AcquisitionTimes.deadTime, dead);
    EXPECT_EQ(s.Acquiring, 1);
    // The next tick measures over both ticks, not from the rate taken for a total.
    tick();
    EXPECT_GT(s.CountRate, rate * 0.5f);
    EXPECT_LT(s.CountRate, rate * 2.0f);
    EXPECT_LT(s.AcquisitionTimes.deadTime, 100);
}

// Block 2 of the reads after the status that reaches the preset fails once
// (the second try reads it whole) or twice (the spectrum stays incomplete).
class LastRead : public Measurement, public ::testing::WithParamInterface<int> {};

TEST_P(LastRead, IsTriedTwiceBeforeItIsCalledIncomplete)
{
    const int failures = GetParam();
    setUp(512, 10);  // 1.0 s: the tenth tick reaches it
    McaStartClick(s, f);
    for (int i = 0; i < 9; ++i)
        tick();
    ASSERT_EQ(s.Acquiring, 1);
    link.sim.injectReplyFault(ReplyFault::noReply, "$R2;", failures, /*after=*/1);
    tick();
    EXPECT_EQ(s.Acquiring, 0);
    const bool whole = std::equal(s.LiveSpectrum.begin(), s.LiveSpectrum.begin() + 512, link.sim.counts().begin());
    EXPECT_EQ(whole, failures == 1);
    EXPECT_EQ(f.Edit1.text == kSpectrumReadError, failures == 2) << f.Edit1.text;
    EXPECT_EQ(s.AcquisitionTimes.realTime, 10);
}

INSTANTIATE_TEST_SUITE_P(Failures, LastRead, ::testing::Values(1, 2));

TEST_F(Measurement, ScanPassesAreCounted)
{
    ASSERT_EQ(SendPreset(s, f, s.ScanSettings.scanPreset), 1);  // 1.0 s passes
    ASSERT_EQ(StartScan(s, f), 1);
    EXPECT_EQ(f.Timer1.interval, 100);
    int ticks = 0;
    while (s.ScanCount < 2 && tick() && ticks < 100)
        ++ticks;
    EXPECT_EQ(s.ScanCount, 2);
    EXPECT_EQ(f.Edit4.text, "2");
    EXPECT_EQ(f.Label7.text, " ");
    EXPECT_EQ(s.Acquiring, 1);  // a scan runs until aborted
    EXPECT_TRUE(std::isfinite(s.CountRate));
}

}  // namespace
}  // namespace detkit
