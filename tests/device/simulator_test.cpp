#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "device/commands.h"
#include "device/exchange.h"
#include "device/protocol.h"
#include "device/sim/nai_spectrum.h"
#include "sim_link.h"

namespace detkit {
namespace {

int channelOf(double keV, int channels)
{
    return static_cast<int>(keV / kSimFullScaleKeV * channels);
}

// The channel of the largest expected rate within [lowKeV, highKeV].
int peakChannel(const std::vector<double>& rates, double lowKeV, double highKeV)
{
    const int n = static_cast<int>(rates.size());
    const auto first = rates.begin() + channelOf(lowKeV, n);
    const auto last = rates.begin() + channelOf(highKeV, n);
    return static_cast<int>(std::max_element(first, last) - rates.begin());
}

TEST(NaiSpectrum, PeaksSitAtTheirEnergiesForEveryChannelCount)
{
    for (const int channels : {512, 1024, 2048, 4096}) {
        const std::vector<double> rates = NaiChannelRates(channels);
        SCOPED_TRACE(channels);
        EXPECT_NEAR(peakChannel(rates, 630, 700), channelOf(661.7, channels), 1 + channels / 2048);
        EXPECT_NEAR(peakChannel(rates, 1400, 1520), channelOf(1460.8, channels), 1 + channels / 1024);
        EXPECT_NEAR(peakChannel(rates, 770, 830), channelOf(795.9, channels), 1 + channels / 1024);
    }
    // About 1.016 keV per channel at 2048 channels.
    EXPECT_NEAR(kSimFullScaleKeV / 2048, 1.016, 0.001);
}

TEST(NaiSpectrum, ResolutionAndBackground)
{
    EXPECT_NEAR(NaiFwhmKeV(661.7) / 661.7, 0.07, 1e-9);
    EXPECT_NEAR(NaiFwhmKeV(4 * 661.7), 2 * NaiFwhmKeV(661.7), 1e-9); // grows with sqrt(E)

    const std::vector<double> rates = NaiChannelRates(2048);
    // Half maximum of the Cs-137 peak over its continuum: about 7 % wide.
    const int top = channelOf(661.7, 2048);
    const double base = rates[static_cast<std::size_t>(channelOf(720, 2048))];
    const double half = base + (rates[static_cast<std::size_t>(top)] - base) / 2;
    int right = top;
    while (rates[static_cast<std::size_t>(right)] > half)
        ++right;
    const double halfWidthKeV = (right - top) * kSimFullScaleKeV / 2048;
    EXPECT_NEAR(2 * halfWidthKeV, 46.3, 5.0);

    // The background falls from low to high energies, and the lower-level
    // discriminator cuts the first channels.
    auto mean = [&](double lo, double hi) {
        const auto a = rates.begin() + channelOf(lo, 2048), b = rates.begin() + channelOf(hi, 2048);
        return std::accumulate(a, b, 0.0) / static_cast<double>(b - a);
    };
    EXPECT_GT(mean(60, 100), mean(250, 350));
    EXPECT_GT(mean(250, 350), mean(1000, 1200));
    EXPECT_GT(mean(1000, 1200), mean(1700, 2000));
    EXPECT_LT(rates[2], mean(60, 100) / 10);
}

TEST(SimulatedAnalyser, SameSeedSameSpectrum)
{
    auto run = [](std::uint64_t seed) {
        SimulatedAnalyserOptions o = instantReplies();
        o.seed = seed;
        SimLink link(o);
        EXPECT_EQ(CommandExchange(link.s, "$G;"), ExchangeResult::acknowledged);
        for (int tick = 0; tick < 30; ++tick) {
            link.clock.advance(100);
            link.sim.update();
        }
        return std::vector<std::int32_t>(link.sim.counts().begin(), link.sim.counts().end());
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}

TEST(SimulatedAnalyser, ElapsedAndTotalFollowTheClock)
{
    SimLink link;
    ASSERT_EQ(StartMca(link.s, link.f), 1);
    for (int tick = 1; tick <= 50; ++tick) {
        link.clock.advance(100);
        ASSERT_EQ(ReadSpectrum(link.s), 1);
        ASSERT_EQ(ReadStatus(link.s), 1);
        EXPECT_EQ(link.s.StatusBlock.elapsed(), tick * 10);
        EXPECT_EQ(static_cast<float>(link.s.StatusBlock.totalCounts()), link.s.CountRate);
    }
    // Stopped, nothing moves; a clear starts from zero.
    ASSERT_EQ(StopAcquisition(link.s, link.f), 1);
    link.clock.advance(5000);
    ASSERT_EQ(ReadStatus(link.s), 1);
    EXPECT_EQ(link.s.StatusBlock.elapsed(), 500);
    ASSERT_EQ(ClearMca(link.s), 1);
    ASSERT_EQ(ReadStatus(link.s), 1);
    EXPECT_EQ(link.s.StatusBlock.elapsed(), 0);
    EXPECT_EQ(link.s.StatusBlock.totalCounts(), 0);
}

TEST(SimulatedAnalyser, CountsArePoissonAndLoseDeadTime)
{
    SimulatedAnalyserOptions o = instantReplies();
    o.deadTimeUs = 100; // large, to see the loss
    SimLink link(o);
    ASSERT_EQ(CommandExchange(link.s, "$G;"), ExchangeResult::acknowledged);
    std::vector<double> perTick;
    std::int64_t previous = 0;
    for (int tick = 0; tick < 400; ++tick) {
        link.clock.advance(100);
        link.sim.update();
        perTick.push_back(static_cast<double>(link.sim.totalCounts() - previous));
        previous = link.sim.totalCounts();
    }
    const double mean = std::accumulate(perTick.begin(), perTick.end(), 0.0) / perTick.size();
    double var = 0;
    for (const double x : perTick)
        var += (x - mean) * (x - mean);
    var /= perTick.size() - 1;
    EXPECT_NEAR(var / mean, 1.0, 0.2);

    const std::vector<double> rates = NaiChannelRates(2048);
    const double trueRate = std::accumulate(rates.begin(), rates.end(), 0.0);
    const double recorded = trueRate / (1 + trueRate * 100e-6);
    EXPECT_NEAR(mean, recorded * 0.1, 4 * std::sqrt(recorded * 0.1 / 400));
    EXPECT_LT(mean, trueRate * 0.1 * 0.95);
    // The total is the sum of the channels.
    const auto c = link.sim.counts();
    EXPECT_EQ(std::accumulate(c.begin(), c.end(), std::int64_t{0}), link.sim.totalCounts());
}

TEST(SimulatedAnalyser, ScanPassesAreReportedOnce)
{
    SimLink link;
    ASSERT_EQ(SendPreset(link.s, link.f, 10), 1); // one pass: 1.0 s
    ASSERT_EQ(StartScan(link.s, link.f), 1);
    int passes = 0;
    for (int tick = 0; tick < 52; ++tick) {
        link.clock.advance(100);
        ASSERT_EQ(ReadStatus(link.s), 1);
        if (link.s.StatusBlock.passDone() != 0) {
            ++passes;
            ASSERT_EQ(ReadSpectrum(link.s), 1);
            EXPECT_GT(link.s.CountRate, 0);
        }
    }
    EXPECT_EQ(passes, 5);
    EXPECT_EQ(link.sim.completedPasses(), 5);
    // The profile is scaled to its highest slice.
    EXPECT_EQ(*std::max_element(link.s.StatusBlock.bytes.begin(), link.s.StatusBlock.bytes.begin() + 256), 255);
    EXPECT_LT(link.s.StatusBlock.elapsed(), 100); // time within the pass under way

    // Two passes between reads: two reads report one each.
    link.clock.advance(2000);
    ASSERT_EQ(ReadStatus(link.s), 1);
    EXPECT_EQ(link.s.StatusBlock.passDone(), 1);
    ASSERT_EQ(ReadStatus(link.s), 1);
    EXPECT_EQ(link.s.StatusBlock.passDone(), 1);
    ASSERT_EQ(ReadStatus(link.s), 1);
    EXPECT_EQ(link.s.StatusBlock.passDone(), 0);
}

struct DisplayRow {
    std::string command;
    bool acknowledged;
    int first, last, cursor, vfs;
};

TEST(SimulatedAnalyser, DisplayCommandsActOnItsOwnDisplay)
{
    SimLink link;
    const std::vector<DisplayRow> rows = {
        {"$E;", true, 512, 1535, 1024, 0},     {"$E;", true, 768, 1279, 1024, 0},
        {"$E;", true, 896, 1151, 1024, 0},     {"$E;", true, 960, 1087, 1024, 0},
        {"$e;", true, 896, 1151, 1024, 0},     {"$l;", true, 886, 1141, 1014, 0},
        {"$r;", true, 896, 1151, 1024, 0},     {"$ ;", true, 896, 1151, 1024, 0},
        {"$V<;", true, 896, 1151, 1024, 12},   {"$V;", true, 896, 1151, 1024, 11},
        {"$v;", true, 896, 1151, 1024, 12},    {"$O;", true, 896, 1151, 1024, 0},
        {"$v;", true, 896, 1151, 1024, 13},    {"$VZ;", false, 896, 1151, 1024, 13},
        {"$@C0005;", true, 896, 1151, 5, 13},  {"$@C5;", false, 896, 1151, 5, 13},
        {"$@C2048;", false, 896, 1151, 5, 13}, {"$M32;", true, 0, 4095, 2048, 13},
        {"$e;", true, 0, 4095, 2048, 13},      {"$t1513011200;", false, 0, 4095, 2048, 13},
        {"$Q;", false, 0, 4095, 2048, 13},     {"$R33;", false, 0, 4095, 2048, 13},
        {"$M5;", false, 0, 4095, 2048, 13},    {"$P12a;", false, 0, 4095, 2048, 13},
    };
    for (const DisplayRow& row : rows) {
        SCOPED_TRACE(row.command);
        EXPECT_EQ(CommandExchange(link.s, row.command),
                  row.acknowledged ? ExchangeResult::acknowledged : ExchangeResult::refused);
        ASSERT_EQ(ReadStatus(link.s), 1);
        EXPECT_EQ(link.s.StatusBlock.windowFirst(), row.first);
        EXPECT_EQ(link.s.StatusBlock.windowLast(), row.last);
        EXPECT_EQ(link.s.StatusBlock.cursor(), row.cursor);
        EXPECT_EQ(link.s.StatusBlock.vfsIndex(), row.vfs);
    }
}

TEST(SimulatedAnalyser, ExpandStepsDownToEightChannels)
{
    SimLink link;
    const std::vector<std::pair<int, int>> windows = {{512, 1535},  {768, 1279},  {896, 1151},
                                                      {960, 1087},  {992, 1055},  {1008, 1039},
                                                      {1016, 1031}, {1020, 1027}, {1020, 1027}};
    for (const auto& [first, last] : windows) {
        ASSERT_EQ(SendDisplayCommand(link.s, kExpandCommand), 1);
        EXPECT_EQ(link.sim.display().first(), first);
        EXPECT_EQ(link.sim.display().last(), last);
    }
    ASSERT_EQ(SendDisplayCommand(link.s, kCompressCommand), 1);
    EXPECT_EQ(link.sim.display().first(), 1016);
    EXPECT_EQ(link.sim.display().last(), 1031);
}

TEST(SimulatedAnalyser, SpectrumIsReadFromTheMemoryAt256Channels)
{
    SimLink link;
    link.s.ChannelCount = 256;
    ASSERT_EQ(SetMemorySize(link.s, 256), 1);
    ASSERT_EQ(StartMca(link.s, link.f), 1);
    link.clock.advance(20000);
    ASSERT_EQ(ReadSpectrum(link.s), 1);
    EXPECT_EQ(link.sim.memoryChannels(), 2048); // the memory keeps its size
    const auto counts = link.sim.counts();
    EXPECT_TRUE(std::equal(counts.begin(), counts.begin() + 256, link.s.LiveSpectrum.begin()));
    EXPECT_EQ(link.s.LiveSpectrum[256], 256);
}

TEST(SimulatedAnalyser, UnplugLosesTheHandleAndPowersDown)
{
    SimLink link;
    ASSERT_EQ(StartMca(link.s, link.f), 1);
    link.sim.unplug();
    EXPECT_EQ(ReadStatus(link.s), 0);
    link.sim.plugIn();
    EXPECT_FALSE(link.sim.acquiring());
    EXPECT_EQ(ReadStatus(link.s), 0); // the old handle is gone
    EXPECT_EQ(OpenDevice(link.s, 0), 1);
    EXPECT_EQ(ReadStatus(link.s), 1);
}

} // namespace
} // namespace detkit
