#include <gtest/gtest.h>

#include <numeric>

#include "device/commands.h"
#include "device/exchange.h"
#include "device/protocol.h"
#include "sim_link.h"

namespace detkit {
namespace {

std::vector<std::string> blockCommands(int blocks)
{
    std::vector<std::string> out;
    for (int b = 1; b <= blocks; ++b)
        out.push_back("$R" + std::to_string(b) + ";");
    return out;
}

TEST(ReadSpectrum, OneBlockPerHundredTwentyEightChannels)
{
    const std::vector<std::pair<int, int>> rows = {{256, 2}, {512, 4}, {1024, 8}, {2048, 16}, {4096, 32}};
    for (const auto& [channels, blocks] : rows) {
        SimLink link;
        link.s.ChannelCount = channels;
        EXPECT_EQ(ReadSpectrum(link.s), 1) << channels;
        EXPECT_EQ(link.sim.commandsReceived(), blockCommands(blocks)) << channels;
    }
}

TEST(ReadSpectrum, FillsChannelsAndSetsMaxAndTotal)
{
    SimLink link;
    Form f;
    ASSERT_EQ(StartMca(link.s, f), 1);
    link.clock.advance(10000);
    ASSERT_EQ(ReadSpectrum(link.s), 1);
    const auto counts = link.sim.counts();
    for (int c = 0; c < 2048; ++c)
        ASSERT_EQ(link.s.LiveSpectrum[static_cast<std::size_t>(c)], counts[static_cast<std::size_t>(c)]) << c;
    const std::int64_t total = std::accumulate(counts.begin(), counts.begin() + 2048, std::int64_t{0});
    EXPECT_GT(total, 0);
    EXPECT_EQ(link.s.CountRate, static_cast<float>(total));
    EXPECT_EQ(link.s.MaxCount, *std::max_element(counts.begin(), counts.begin() + 2048));
    // Channels beyond the count in use are not touched.
    EXPECT_EQ(link.s.LiveSpectrum[2048], 2048);
}

TEST(ReadSpectrum, LongBlocksDoNotShiftCounts)
{
    SimLink link;
    Form f;
    ASSERT_EQ(StartMca(link.s, f), 1);
    link.clock.advance(5000);
    ASSERT_EQ(StopAcquisition(link.s, f), 1);
    link.sim.injectReplyFault(ReplyFault::longReply, "$R", -1);
    ASSERT_EQ(ReadSpectrum(link.s), 1);
    const auto counts = link.sim.counts();
    EXPECT_TRUE(std::equal(counts.begin(), counts.begin() + 2048, link.s.LiveSpectrum.begin()));
    // A long reply at the last block of a full spectrum stays within LiveSpectrum.
    link.s.ChannelCount = 4096;
    EXPECT_EQ(ReadSpectrum(link.s), 1);
}

TEST(ReadSpectrum, ABlockThatArrivesLateOrShortEndsTheRead)
{
    for (const ReplyFault fault : {ReplyFault::shortReply, ReplyFault::lateReply, ReplyFault::noReply}) {
        SimLink link;
        link.s.MaxCount = 77;
        link.s.CountRate = 5.5f;
        link.sim.injectReplyFault(fault, "$R3;");
        EXPECT_EQ(ReadSpectrum(link.s), 0);
        EXPECT_EQ(link.sim.commandsReceived(), blockCommands(3));
        EXPECT_EQ(link.s.LiveSpectrum[5], 0);     // block 1 was read
        EXPECT_EQ(link.s.LiveSpectrum[261], 261); // block 3 was not
        EXPECT_EQ(link.s.MaxCount, 77);
        EXPECT_EQ(link.s.CountRate, 5.5f);
        EXPECT_LE(link.clock.monotonicMs(), kReplyTimeoutMs + 1);
    }
}

TEST(Exchange, StaleBytesAreDroppedBeforeEachCommand)
{
    SimLink link;
    Form f;
    // "$G;" answers after the time-out: the start fails ...
    link.sim.injectReplyFault(ReplyFault::lateReply, "$G;");
    EXPECT_EQ(StartMca(link.s, f), 0);
    EXPECT_EQ(link.s.Acquiring, 0);
    // ... and its late "!" must not acknowledge a stop the analyser refuses.
    link.clock.advance(1000);
    link.sim.injectReplyFault(ReplyFault::refuse, "$S;");
    EXPECT_EQ(StopAcquisition(link.s, f), 0);
}

TEST(Exchange, SurplusReplyBytesDoNotShiftTheNextBlock)
{
    SimLink link;
    Form f;
    ASSERT_EQ(StartMca(link.s, f), 1);
    link.clock.advance(3000);
    ASSERT_EQ(StopAcquisition(link.s, f), 1);
    // The acknowledgement of the clear comes with 64 bytes more, arriving at once.
    link.sim.injectReplyFault(ReplyFault::longReply, "$P");
    EXPECT_EQ(SendPreset(link.s, f, 100), 1);
    ASSERT_EQ(ReadSpectrum(link.s), 1);
    const auto counts = link.sim.counts();
    EXPECT_TRUE(std::equal(counts.begin(), counts.begin() + 2048, link.s.LiveSpectrum.begin()));
}

TEST(Exchange, WaitSleepsAndEndsAtTheTimeout)
{
    SimLink link;
    link.sim.injectReplyFault(ReplyFault::noReply);
    const std::int64_t start = link.clock.monotonicMs();
    EXPECT_EQ(CommandExchange(link.s, "$G;"), ExchangeResult::failed);
    const std::int64_t waited = link.clock.monotonicMs() - start;
    EXPECT_GE(waited, kReplyTimeoutMs);
    EXPECT_LE(waited, kReplyTimeoutMs + 1);
}

TEST(Exchange, RepliesComeAfterTheirLatency)
{
    SimulatedAnalyserOptions o;
    o.latencyPerExchangeMs = 4;
    o.transferUsPerByte = 10; // 512 bytes in 5.12 ms, rounded up to 6
    SimLink link(o);
    const std::int64_t t0 = link.clock.monotonicMs();
    EXPECT_EQ(CommandExchange(link.s, "$S;"), ExchangeResult::acknowledged);
    EXPECT_EQ(link.clock.monotonicMs() - t0, 5); // 4 ms + 1 byte
    link.s.ChannelCount = 256;
    const std::int64_t t1 = link.clock.monotonicMs();
    EXPECT_EQ(ReadSpectrum(link.s), 1);
    EXPECT_EQ(link.clock.monotonicMs() - t1, 2 * (4 + 6));
}

TEST(Acknowledged, StartMcaEffects)
{
    SimLink link;
    Form f;
    link.s.AcquisitionMode = 0;
    EXPECT_EQ(StartMca(link.s, f), 1);
    EXPECT_EQ(link.s.AcquisitionMode, 1);
    EXPECT_EQ(link.s.Acquiring, 1);
    EXPECT_TRUE(f.Timer1.enabled);
    EXPECT_TRUE(link.sim.acquiring());

    SimLink refused;
    Form g;
    refused.s.AcquisitionMode = 0;
    refused.s.Acquiring = 1;
    refused.sim.injectReplyFault(ReplyFault::refuse, "$G;");
    EXPECT_EQ(StartMca(refused.s, g), 0);
    EXPECT_EQ(refused.s.AcquisitionMode, 1);
    EXPECT_EQ(refused.s.Acquiring, 0);
    EXPECT_FALSE(g.Timer1.enabled);
    EXPECT_FALSE(refused.sim.acquiring());
}

TEST(Acknowledged, StartScanSetsTheRefreshInterval)
{
    SimLink link;
    Form f;
    link.s.ScanSettings.refreshInterval = 250;
    link.s.ScanCount = 9;
    EXPECT_EQ(StartScan(link.s, f), 1);
    EXPECT_EQ(link.s.AcquisitionMode, 0);
    EXPECT_EQ(f.Timer1.interval, 250);
    EXPECT_TRUE(f.Timer1.enabled);
    EXPECT_EQ(link.s.ScanCount, 0);
    EXPECT_EQ(link.s.Acquiring, 1);
    EXPECT_TRUE(link.sim.scanMode());
}

TEST(Acknowledged, ClearsTouchOnlyTheChannelsInUse)
{
    SimLink link;
    link.s.ChannelCount = 512;
    EXPECT_EQ(ClearMca(link.s), 1);
    EXPECT_EQ(link.s.LiveSpectrum[511], 0);
    EXPECT_EQ(link.s.LiveSpectrum[512], 512);

    link.s.ScanCount = 4;
    link.s.ChannelCount = 1024;
    link.sim.injectReplyFault(ReplyFault::refuse, "$CX;");
    EXPECT_EQ(ClearScan(link.s), 0);
    EXPECT_EQ(link.s.ScanCount, 0); // cleared before sending
    EXPECT_EQ(link.s.LiveSpectrum[600], 600);
}

TEST(Acknowledged, PresetMemorySizeAndCursor)
{
    SimLink link;
    Form f;
    EXPECT_EQ(SendPreset(link.s, f, 100), 1);
    EXPECT_EQ(f.Edit1.text, "$P100;");
    EXPECT_EQ(link.sim.presetTime(), 100);

    EXPECT_EQ(SetMemorySize(link.s, 4096), 1);
    EXPECT_EQ(link.sim.memoryChannels(), 4096);
    link.sim.clearCommandLog();
    EXPECT_EQ(SetMemorySize(link.s, 256), 1); // nothing to send: the memory stays
    EXPECT_EQ(SetMemorySize(link.s, 300), 0);
    EXPECT_TRUE(link.sim.commandsReceived().empty());
    EXPECT_EQ(link.sim.memoryChannels(), 4096);

    EXPECT_EQ(SetCursor(link.s, 5), 1);
    EXPECT_EQ(link.sim.display().cursor(), 5);
    EXPECT_EQ(link.sim.commandsReceived().back(), "$@C0005;");
}

TEST(ReadStatus, ReplacesTheStatusBlock)
{
    SimLink link;
    Form f;
    ASSERT_EQ(StartMca(link.s, f), 1);
    link.clock.advance(10150);
    ASSERT_EQ(ReadStatus(link.s), 1);
    EXPECT_EQ(link.sim.commandsReceived().back(), "$R0;");
    EXPECT_EQ(link.s.StatusBlock.elapsed(), 1015);
    EXPECT_EQ(link.s.StatusBlock.totalCounts(), link.sim.totalCounts());
    EXPECT_EQ(link.s.StatusBlock.windowFirst(), 0);
    EXPECT_EQ(link.s.StatusBlock.windowLast(), 2047);
    EXPECT_EQ(link.s.StatusBlock.cursor(), 1024);
    EXPECT_EQ(link.s.StatusBlock.vfsIndex(), 0);
}

TEST(ReadStatus, AFailedReadKeepsThePreviousBlockWhole)
{
    SimLink link;
    link.s.StatusBlock.bytes.fill(0x42);
    link.sim.injectReplyFault(ReplyFault::shortReply, "$R0;");
    EXPECT_EQ(ReadStatus(link.s), 0);
    for (const std::uint8_t b : link.s.StatusBlock.bytes)
        ASSERT_EQ(b, 0x42);
}

} // namespace
} // namespace detkit
