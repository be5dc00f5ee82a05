#include <gtest/gtest.h>

#include "device/clock_sync.h"
#include "device/ftdi/ftdi_driver.h"
#include "device/protocol.h"
#include "sim_link.h"

namespace detkit {
namespace {

bool buttonsEnabled(const Form& f)
{
    return f.McaStart.enabled && f.McaStop.enabled && f.McaClear.enabled && f.VireStart.enabled && f.VireStop.enabled &&
           f.VireClear.enabled;
}

TEST(OpenDevice, OpensAndConfiguresTheSimulator)
{
    SimLink link(instantReplies(), false);
    McaOpenClick(link.s, link.f);
    EXPECT_EQ(link.f.Edit2.text, "1");
    EXPECT_TRUE(buttonsEnabled(link.f));
    EXPECT_EQ(link.s.DeviceOpen, 1);
    EXPECT_EQ(link.s.DeviceCount, 1);
    EXPECT_NE(link.s.DeviceTable[0], kNoHandle);
}

TEST(OpenDevice, TwoAnalysersShowTwoAndTheFirstIsUsed)
{
    SimulatedAnalyserOptions o = instantReplies();
    o.listedDevices = 2;
    SimLink link(o, false);
    McaOpenClick(link.s, link.f);
    EXPECT_EQ(link.f.Edit2.text, "2");
}

TEST(OpenDevice, MoreThanFiveAnalysersDoNotOverrunTheListing)
{
    SimulatedAnalyserOptions o = instantReplies();
    o.listedDevices = 9;
    SimLink link(o, false);
    EXPECT_EQ(OpenDevice(link.s, 0), 1);
    EXPECT_EQ(link.s.DeviceCount, 9);
    EXPECT_EQ(OpenDevice(link.s, 4), 1); // the fifth is within the listing
    EXPECT_EQ(link.s.DeviceTable[4], link.s.DeviceTable[0]);
    EXPECT_EQ(OpenDevice(link.s, 5), 0); // no table entry beyond the fifth
}

TEST(OpenDevice, NoAnalyserShowsErrorThenAttachingOneOpensIt)
{
    SimLink link(instantReplies(), false);
    link.sim.unplug();
    McaOpenClick(link.s, link.f);
    EXPECT_EQ(link.f.Edit2.text, "Error");
    EXPECT_FALSE(link.f.McaStart.enabled);
    EXPECT_EQ(link.s.DeviceCount, 0);

    link.sim.plugIn();
    McaOpenClick(link.s, link.f);
    EXPECT_EQ(link.f.Edit2.text, "1");
    EXPECT_TRUE(buttonsEnabled(link.f));
}

TEST(OpenDevice, ListingFailureKeepsTheCount)
{
    SimLink link;
    link.sim.failOperation(DriverOp::list);
    EXPECT_EQ(OpenDevice(link.s, 0), 0);
    EXPECT_EQ(link.s.DeviceCount, 1);
}

TEST(OpenDevice, FailureAfterListingLeavesListedNotOpen)
{
    for (const DriverOp op : {DriverOp::open, DriverOp::reset, DriverOp::latency}) {
        SimLink link(instantReplies(), false);
        link.sim.failOperation(op);
        McaOpenClick(link.s, link.f);
        EXPECT_EQ(link.f.Edit2.text, "Error");
        EXPECT_EQ(link.s.DeviceCount, 1);
        EXPECT_EQ(link.s.DeviceOpen, 0);
        // Every later press only opens again: the buttons stay as they are.
        McaOpenClick(link.s, link.f);
        EXPECT_EQ(link.f.Edit2.text, "Error");
        EXPECT_FALSE(link.f.McaStart.enabled);
        EXPECT_EQ(link.s.DeviceOpen, 1);
    }
}

TEST(OpenDevice, TimeoutsAndPurgeFailuresAreNotFatal)
{
    for (const DriverOp op : {DriverOp::timeouts, DriverOp::purge}) {
        SimLink link(instantReplies(), false);
        link.sim.failOperation(op);
        EXPECT_EQ(OpenDevice(link.s, 0), 1);
    }
}

TEST(OpenDevice, RepeatedOpenKeepsTheWorkingHandleUsable)
{
    SimLink link(instantReplies(), false);
    McaOpenClick(link.s, link.f);
    const DriverHandle first = link.s.DeviceTable[0];

    // A second press that succeeds gives back the same handle.
    link.f.Edit2.text = "typed";
    McaOpenClick(link.s, link.f);
    EXPECT_EQ(link.s.DeviceTable[0], first);
    EXPECT_EQ(link.f.Edit2.text, "typed");

    // A second open that fails leaves the handle as it was.
    link.sim.failOperation(DriverOp::open);
    EXPECT_EQ(OpenDevice(link.s, 0), 0);
    EXPECT_EQ(link.s.DeviceTable[0], first);
    EXPECT_EQ(StartMca(link.s, link.f), 1);
    EXPECT_EQ(link.sim.commandsReceived().back(), "$G;");
}

TEST(OpenDevice, NoDriverIsAFailure)
{
    SharedState s;
    Form f;
    EXPECT_EQ(OpenDevice(s, 0), 0);
    McaOpenClick(s, f);
    EXPECT_EQ(f.Edit2.text, "Error");
}

// These run on any machine: no FTDI device is attached to the test host.
TEST(FtdiDriver, NothingAttachedGivesErrorNotACrash)
{
    std::unique_ptr<UsbSerialDriver> driver = makeFtdiDriver();
    ManualClock clock;
    SharedState s;
    Form f;
    s.io.driver = driver.get();
    s.io.clock = &clock;
    McaOpenClick(s, f);
    EXPECT_EQ(f.Edit2.text, "Error");
    EXPECT_EQ(s.DeviceOpen, 0);
    EXPECT_FALSE(f.McaStart.enabled);
}

TEST(FtdiDriver, UnknownHandlesAndSerialsFail)
{
    FtdiDriver driver;
    DriverHandle h = kNoHandle;
    EXPECT_NE(driver.open("NO-SUCH-SERIAL", h), DriverStatus::ok);
    EXPECT_EQ(h, kNoHandle);
    EXPECT_NE(driver.open("", h), DriverStatus::ok);
    std::array<std::uint8_t, 8> buffer{};
    std::size_t n = 99;
    for (const DriverHandle bad : {kNoHandle, DriverHandle{1}, DriverHandle{-4}}) {
        EXPECT_EQ(driver.reset(bad), DriverStatus::invalidHandle);
        EXPECT_EQ(driver.setLatencyTimer(bad, 6), DriverStatus::invalidHandle);
        EXPECT_EQ(driver.setTimeouts(bad, 3000, 3000), DriverStatus::invalidHandle);
        EXPECT_EQ(driver.purge(bad, purgeReceive | purgeTransmit), DriverStatus::invalidHandle);
        EXPECT_EQ(driver.write(bad, buffer, n), DriverStatus::invalidHandle);
        EXPECT_EQ(n, 0u);
        n = 99;
        EXPECT_EQ(driver.queueStatus(bad, n), DriverStatus::invalidHandle);
        EXPECT_EQ(n, 0u);
        n = 99;
        EXPECT_EQ(driver.read(bad, buffer, n), DriverStatus::invalidHandle);
        EXPECT_EQ(n, 0u);
    }
    EXPECT_FALSE(driver.lastError().empty());
}

TEST(FtdiDriver, CommandsWithoutAnAnalyserFailAtOnce)
{
    FtdiDriver driver;
    ManualClock clock;
    SharedState s;
    Form f;
    s.io.driver = &driver;
    s.io.clock = &clock;
    EXPECT_EQ(StartMca(s, f), 0);
    EXPECT_EQ(ReadSpectrum(s), 0);
    EXPECT_EQ(ReadStatus(s), 0);
    EXPECT_EQ(clock.monotonicMs(), 0); // a dead handle is no reason to wait
}

TEST(ClockSync, SendsTheMinuteAndShowsIt)
{
    SimLink link;
    ClockSYNC1Click(link.s, link.f);
    EXPECT_EQ(link.f.Edit1.text, "$t1502091405;");
    ASSERT_EQ(link.sim.commandsReceived().size(), 1u);
    EXPECT_EQ(link.sim.commandsReceived()[0], "$t1502091405;");
    EXPECT_EQ(link.sim.clockSetting(), "1502091405");

    link.clock.setLocal({2015, 2, 9, 9, 5, 0, 0});
    ClockSYNC1Click(link.s, link.f);
    EXPECT_EQ(link.f.Edit1.text, "$t1502090905;");
}

TEST(ClockSync, WithNoAnalyserOnlyEdit1Changes)
{
    SimLink link(instantReplies(), false);
    ClockSYNC1Click(link.s, link.f);
    EXPECT_EQ(link.f.Edit1.text, "$t1502091405;");
    EXPECT_TRUE(link.sim.commandsReceived().empty());
    EXPECT_EQ(link.s.DeviceCount, 0);
    EXPECT_EQ(link.s.Acquiring, 0);
    EXPECT_EQ(link.f.Edit2.text, "Dev#");
    EXPECT_EQ(link.clock.monotonicMs(), 0);
}

} // namespace
} // namespace detkit
