// Every operation of the link against every fault the analyser or the driver
// can show: the right result, the right state effects, no write out of
// bounds and no wait beyond the time-out.

#include <gtest/gtest.h>

#include <functional>

#include "device/clock_sync.h"
#include "device/commands.h"
#include "device/exchange.h"
#include "device/protocol.h"
#include "sim_link.h"

namespace detkit {
namespace {

enum class Fault {
    none,
    refuse,
    failWrite,
    failQueueStatus,
    failRead,
    noReply,
    shortReply,
    longReply,
    garbage,
    late,
    unplugged,
    failPurge
};

const char* name(Fault f)
{
    static const char* names[] = {"none",     "refuse",  "failWrite",  "failQueueStatus",
                                  "failRead", "noReply", "shortReply", "longReply",
                                  "garbage",  "late",    "unplugged",  "failPurge"};
    return names[static_cast<int>(f)];
}

enum class Outcome { acknowledged, refused, failed };

// What the host sees of each fault on an acknowledged command.
Outcome ackOutcome(Fault f)
{
    switch (f) {
    case Fault::none:
    case Fault::longReply:
        return Outcome::acknowledged;
    case Fault::refuse:
    case Fault::garbage:
        return Outcome::refused;
    default:
        return Outcome::failed;
    }
}

// ... and on a read: garbage of the right length cannot be told from counts.
bool readSucceeds(Fault f)
{
    return f == Fault::none || f == Fault::longReply || f == Fault::garbage;
}

struct Operation {
    const char* name;
    std::string target; // the command a reply fault hits
    std::function<void(SimLink&)> prepare;
    std::function<int(SimLink&)> run; // returns the result, or -1 when there is none
    std::function<void(SimLink&, Fault)> check;
};

constexpr std::int32_t kSentinel = 5;

void arm(SimLink& link, Fault fault, const std::string& target)
{
    SimulatedAnalyser& sim = link.sim;
    switch (fault) {
    case Fault::none:
        break;
    case Fault::refuse:
        sim.injectReplyFault(ReplyFault::refuse, target);
        break;
    case Fault::failWrite:
        sim.failOperation(DriverOp::write);
        break;
    case Fault::failQueueStatus:
        sim.failOperation(DriverOp::queueStatus);
        break;
    case Fault::failRead:
        sim.failOperation(DriverOp::read);
        break;
    case Fault::noReply:
        sim.injectReplyFault(ReplyFault::noReply, target);
        break;
    case Fault::shortReply:
        sim.injectReplyFault(ReplyFault::shortReply, target);
        break;
    case Fault::longReply:
        sim.injectReplyFault(ReplyFault::longReply, target);
        break;
    case Fault::garbage:
        sim.injectReplyFault(ReplyFault::garbage, target);
        break;
    case Fault::late:
        sim.injectReplyFault(ReplyFault::lateReply, target);
        break;
    case Fault::unplugged:
        sim.unplug();
        break;
    case Fault::failPurge:
        sim.failOperation(DriverOp::purge);
        break;
    }
}

std::vector<Operation> operations()
{
    std::vector<Operation> ops;
    ops.push_back({"StartMca",
                   "$G;",
                   {},
                   [](SimLink& l) { return StartMca(l.s, l.f); },
                   [](SimLink& l, Fault f) {
                       EXPECT_EQ(l.s.AcquisitionMode, 1);
                       const Outcome o = ackOutcome(f);
                       EXPECT_EQ(l.s.Acquiring, o == Outcome::acknowledged ? 1 : o == Outcome::refused ? 0 : kSentinel);
                       EXPECT_EQ(l.f.Timer1.enabled, o == Outcome::acknowledged);
                   }});
    ops.push_back({"StartScan",
                   "$X;",
                   {},
                   [](SimLink& l) { return StartScan(l.s, l.f); },
                   [](SimLink& l, Fault f) {
                       EXPECT_EQ(l.s.AcquisitionMode, 0);
                       const Outcome o = ackOutcome(f);
                       EXPECT_EQ(l.s.Acquiring, o == Outcome::acknowledged ? 1 : o == Outcome::refused ? 0 : kSentinel);
                       EXPECT_EQ(l.f.Timer1.enabled, o == Outcome::acknowledged);
                       EXPECT_EQ(l.f.Timer1.interval, o == Outcome::acknowledged ? 250 : 100);
                       EXPECT_EQ(l.s.ScanCount, o == Outcome::acknowledged ? 0 : kSentinel);
                   }});
    ops.push_back({"StopAcquisition", "$S;", [](SimLink& l) { l.f.Timer1.enabled = true; },
                   [](SimLink& l) { return StopAcquisition(l.s, l.f); },
                   [](SimLink& l, Fault f) {
                       const bool ack = ackOutcome(f) == Outcome::acknowledged;
                       EXPECT_EQ(l.s.Acquiring, ack ? 0 : kSentinel);
                       EXPECT_EQ(l.f.Timer1.enabled, !ack);
                   }});
    ops.push_back(
        {"ClearMca",
         "$C;",
         {},
         [](SimLink& l) { return ClearMca(l.s); },
         [](SimLink& l, Fault f) { EXPECT_EQ(l.s.LiveSpectrum[7], ackOutcome(f) == Outcome::acknowledged ? 0 : 7); }});
    ops.push_back({"ClearScan",
                   "$CX;",
                   {},
                   [](SimLink& l) { return ClearScan(l.s); },
                   [](SimLink& l, Fault f) {
                       EXPECT_EQ(l.s.ScanCount, 0);
                       EXPECT_EQ(l.s.LiveSpectrum[7], ackOutcome(f) == Outcome::acknowledged ? 0 : 7);
                   }});
    ops.push_back({"SendPreset",
                   "$P",
                   {},
                   [](SimLink& l) { return SendPreset(l.s, l.f, 100); },
                   [](SimLink& l, Fault) { EXPECT_EQ(l.f.Edit1.text, "$P100;"); }});
    ops.push_back({"SetMemorySize", "$M", {}, [](SimLink& l) { return SetMemorySize(l.s, 1024); }, {}});
    ops.push_back({"SetCursor", "$@C", {}, [](SimLink& l) { return SetCursor(l.s, 100); }, {}});
    ops.push_back(
        {"FullScale", "$V", {}, [](SimLink& l) { return SendDisplayCommand(l.s, FullScaleCommand(12)); }, {}});
    ops.push_back({"Expand", "$E;", {}, [](SimLink& l) { return SendDisplayCommand(l.s, kExpandCommand); }, {}});
    ops.push_back({"ReadSpectrum", "$R32;",
                   [](SimLink& l) {
                       l.s.ChannelCount = 4096;
                       ASSERT_EQ(SetMemorySize(l.s, 4096), 1);
                       ASSERT_EQ(CommandExchange(l.s, "$G;"), ExchangeResult::acknowledged);
                       l.clock.advance(20000);
                       ASSERT_EQ(CommandExchange(l.s, "$S;"), ExchangeResult::acknowledged);
                       l.sim.clearCommandLog();
                   },
                   [](SimLink& l) { return ReadSpectrum(l.s); },
                   [](SimLink& l, Fault f) {
                       if (!readSucceeds(f)) {
                           EXPECT_EQ(l.s.MaxCount, -1);
                           EXPECT_EQ(l.s.CountRate, -1.0f);
                           return;
                       }
                       EXPECT_GT(l.s.MaxCount, 0);
                       if (f != Fault::garbage) {
                           const auto counts = l.sim.counts();
                           EXPECT_TRUE(std::equal(counts.begin(), counts.end(), l.s.LiveSpectrum.begin()));
                       }
                   }});
    ops.push_back({"ReadStatus",
                   "$R0;",
                   {},
                   [](SimLink& l) { return ReadStatus(l.s); },
                   [](SimLink& l, Fault f) {
                       if (readSucceeds(f))
                           EXPECT_NE(l.s.StatusBlock.bytes[256], 0x42);
                       else
                           for (const std::uint8_t b : l.s.StatusBlock.bytes)
                               ASSERT_EQ(b, 0x42);
                   }});
    ops.push_back({"ClockSYNC",
                   "$t",
                   {},
                   [](SimLink& l) {
                       ClockSYNC1Click(l.s, l.f);
                       return -1;
                   },
                   [](SimLink& l, Fault) { EXPECT_EQ(l.f.Edit1.text, "$t1502091405;"); }});
    return ops;
}

TEST(FaultMatrix, EveryOperationAgainstEveryFault)
{
    const std::vector<Fault> faults = {Fault::none,     Fault::refuse,  Fault::failWrite,  Fault::failQueueStatus,
                                       Fault::failRead, Fault::noReply, Fault::shortReply, Fault::longReply,
                                       Fault::garbage,  Fault::late,    Fault::unplugged,  Fault::failPurge};
    for (const Operation& op : operations()) {
        const bool isRead = std::string(op.name).starts_with("Read");
        for (const Fault fault : faults) {
            SCOPED_TRACE(std::string(op.name) + " x " + name(fault));
            SimLink link;
            if (op.prepare)
                op.prepare(link);
            link.s.Acquiring = kSentinel;
            link.s.ScanCount = kSentinel;
            link.s.ScanSettings.refreshInterval = 250;
            link.s.MaxCount = -1;
            link.s.CountRate = -1.0f;
            link.s.StatusBlock.bytes.fill(0x42);
            arm(link, fault, op.target);

            const std::int64_t start = link.clock.monotonicMs();
            const int result = op.run(link);
            const std::int64_t waited = link.clock.monotonicMs() - start;

            EXPECT_LE(waited, kReplyTimeoutMs + 1);
            if (result != -1) {
                const bool success = isRead ? readSucceeds(fault) : ackOutcome(fault) == Outcome::acknowledged;
                EXPECT_EQ(result, success ? 1 : 0);
            }
            if (op.check)
                op.check(link, fault);
        }
    }
}

// After any fault the link works again for the next command (except unplugged).
TEST(FaultMatrix, TheNextExchangeIsClean)
{
    for (const ReplyFault fault : {ReplyFault::refuse, ReplyFault::noReply, ReplyFault::shortReply,
                                   ReplyFault::longReply, ReplyFault::garbage, ReplyFault::lateReply}) {
        SimLink link;
        link.sim.injectReplyFault(fault, "$R0;");
        ReadStatus(link.s);
        link.clock.advance(1000); // a late reply has arrived by now
        EXPECT_EQ(ReadStatus(link.s), 1);
        EXPECT_EQ(link.s.StatusBlock.windowLast(), 2047);
        EXPECT_EQ(SetCursor(link.s, 7), 1);
        EXPECT_EQ(link.sim.display().cursor(), 7);
    }
}

} // namespace
} // namespace detkit
