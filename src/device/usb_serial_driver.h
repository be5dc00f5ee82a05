#pragma once
// The nine operations the analyser link needs from a USB serial driver. The
// real FTDI driver and the simulated analyser both sit behind it, so nothing
// above this layer knows which one it talks to.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "state/shared_state.h"

namespace detkit {

// 0 is success; the link treats every other value as failure and only logs it.
enum class DriverStatus : int {
    ok = 0,
    invalidHandle = 1,
    deviceNotFound = 2,
    ioError = 3,
    invalidArgument = 4,
};

enum PurgeFlags : unsigned {
    purgeReceive = 1,
    purgeTransmit = 2,
};

// Serial numbers are zero-terminated texts of at most this many bytes.
inline constexpr std::size_t kSerialNumberSize = 64;

class UsbSerialDriver {
  public:
    virtual ~UsbSerialDriver() = default;

    // Fills at most serials.size() entries, in the driver's device order, and
    // sets attached to the number of devices found (which may be larger).
    virtual DriverStatus listSerialNumbers(std::span<std::string> serials, std::int32_t& attached) = 0;
    // Opening a device that this driver already has open gives back the same handle.
    virtual DriverStatus open(const std::string& serial, DriverHandle& handle) = 0;
    virtual DriverStatus reset(DriverHandle handle) = 0;
    virtual DriverStatus setLatencyTimer(DriverHandle handle, int ms) = 0;
    virtual DriverStatus setTimeouts(DriverHandle handle, int readMs, int writeMs) = 0;
    virtual DriverStatus purge(DriverHandle handle, unsigned flags) = 0;
    virtual DriverStatus write(DriverHandle handle, std::span<const std::uint8_t> bytes, std::size_t& written) = 0;
    // Received bytes waiting to be read; never blocks longer than the latency timer.
    virtual DriverStatus queueStatus(DriverHandle handle, std::size_t& waiting) = 0;
    // Takes up to dest.size() waiting bytes; got is how many.
    virtual DriverStatus read(DriverHandle handle, std::span<std::uint8_t> dest, std::size_t& got) = 0;

    // The last failure in words, for the log.
    virtual std::string lastError() const { return {}; }
};

} // namespace detkit
