#pragma once
// An analyser in software behind the same driver interface as the real one:
// the whole command set, its own display, Poisson counting of a NaI(Tl)
// spectrum with dead time, scan passes, USB-like reply latency, and faults
// that tests script. Its time is the injected clock: on a stepped clock it
// counts exactly as far as the clock has moved, with no sleeping.

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "device/sim/analyser_display.h"
#include "device/sim/nai_spectrum.h"
#include "device/usb_serial_driver.h"
#include "state/shared_state.h"
#include "state/status_block.h"

namespace detkit {

class Clock;

// The driver operations a fault can be injected into.
enum class DriverOp { list, open, reset, latency, timeouts, purge, write, queueStatus, read };

// What can go wrong with the reply to a command.
enum class ReplyFault {
    refuse,     // "?" instead of the reply
    noReply,    // nothing comes back
    shortReply, // the first half of the reply only
    longReply,  // the reply and 64 bytes more
    garbage,    // as many bytes of noise, the first one not "!"
    lateReply,  // the reply, but only after the link's read time-out
};

struct SimulatedAnalyserOptions {
    std::uint64_t seed = 1;
    int listedDevices = 1;        // serial numbers the listing reports, all the same analyser
    int latencyPerExchangeMs = 1; // from command to first reply byte
    double transferUsPerByte = 1; // about 1 MB/s over full-speed USB
    double deadTimeUs = 1.8;      // per recorded event
    int lateReplyMs = 3500;       // beyond the host's 3000 ms time-out
};

class SimulatedAnalyser final : public UsbSerialDriver {
  public:
    explicit SimulatedAnalyser(Clock& clock, SimulatedAnalyserOptions options = {});

    // UsbSerialDriver
    DriverStatus listSerialNumbers(std::span<std::string> serials, std::int32_t& attached) override;
    DriverStatus open(const std::string& serial, DriverHandle& handle) override;
    DriverStatus reset(DriverHandle handle) override;
    DriverStatus setLatencyTimer(DriverHandle handle, int ms) override;
    DriverStatus setTimeouts(DriverHandle handle, int readMs, int writeMs) override;
    DriverStatus purge(DriverHandle handle, unsigned flags) override;
    DriverStatus write(DriverHandle handle, std::span<const std::uint8_t> bytes, std::size_t& written) override;
    DriverStatus queueStatus(DriverHandle handle, std::size_t& waiting) override;
    DriverStatus read(DriverHandle handle, std::span<std::uint8_t> dest, std::size_t& got) override;
    std::string lastError() const override { return lastError_; }

    static std::string serialNumber(int index); // "DKSIM0001", ...

    // Fault injection. Each fault is used up after `times` uses (-1: for ever).
    void failOperation(DriverOp op, int times = 1);
    // Applies to commands that begin with `commandPrefix` ("" for any), after
    // the first `after` of them have been answered normally.
    void injectReplyFault(ReplyFault fault, std::string commandPrefix = {}, int times = 1, int after = 0);
    void clearFaults();
    // Unplugging closes every handle and loses the analyser's state with its power.
    void unplug();
    void plugIn();
    bool pluggedIn() const { return plugged_; }
    void setLatency(int perExchangeMs, double transferUsPerByte);
    void setListedDevices(int n) { options_.listedDevices = n; }

    // What the analyser holds, for tests and the demo.
    const std::vector<std::string>& commandsReceived() const { return commands_; }
    void clearCommandLog() { commands_.clear(); }
    bool acquiring() const { return acquiring_; }
    bool scanMode() const { return scanMode_; }
    int memoryChannels() const { return memoryChannels_; }
    int presetTime() const { return preset_; }
    std::int64_t elapsedMs() const { return elapsedMs_; }
    std::int64_t totalCounts() const { return totalCounts_; }
    const std::string& clockSetting() const { return clockSetting_; } // yymmddhhmm
    const AnalyserDisplay& display() const { return display_; }
    std::span<const std::int32_t> counts() const { return counts_; }
    int completedPasses() const { return completedPasses_; }
    // Brings the counting up to the clock's present time.
    void update();

  private:
    struct Pending {
        std::int64_t availableAtMs;
        std::vector<std::uint8_t> bytes;
    };
    struct ReplyFaultRule {
        ReplyFault fault;
        std::string prefix;
        int times;
        int after;
    };

    bool takeDriverFault(DriverOp op);
    DriverStatus checkHandle(DriverHandle handle, DriverOp op);
    void powerUp();
    void handleCommand(const std::string& command);
    std::vector<std::uint8_t> reply(const std::string& command);
    std::vector<std::uint8_t> statusBlock();
    std::vector<std::uint8_t> spectrumBlock(int block) const;
    void queueReply(std::vector<std::uint8_t> bytes, std::int64_t delayMs = 0);
    void deliverDue();
    void countFor(std::int64_t ms);

    Clock& clock_;
    SimulatedAnalyserOptions options_;
    SpectrumSampler sampler_;
    std::mt19937 noise_;
    std::string lastError_;

    // Link.
    bool plugged_ = true;
    std::vector<DriverHandle> handles_;
    DriverHandle nextHandle_ = 1;
    std::string input_;                 // bytes written, not yet a whole command
    std::vector<Pending> inFlight_;     // replies on their way, by arrival time
    std::deque<std::uint8_t> received_; // replies that have arrived
    std::map<DriverOp, int> driverFaults_;
    std::vector<ReplyFaultRule> replyFaults_;
    std::vector<std::string> commands_;

    // Analyser.
    std::int64_t lastUpdateMs_ = 0;
    bool acquiring_ = false;
    bool scanMode_ = false;
    int memoryChannels_ = 2048;
    int preset_ = 36000; // 0.1 s; one scan pass in scan mode
    std::vector<std::int32_t> counts_ = std::vector<std::int32_t>(kMaxChannels, 0);
    std::vector<std::int32_t> scanBank_ = std::vector<std::int32_t>(kMaxChannels, 0); // last whole pass
    std::int64_t elapsedMs_ = 0;
    std::int64_t totalCounts_ = 0;
    std::int64_t passElapsedMs_ = 0;
    int completedPasses_ = 0;
    int passesToReport_ = 0;
    std::string clockSetting_;
    AnalyserDisplay display_;
};

} // namespace detkit
