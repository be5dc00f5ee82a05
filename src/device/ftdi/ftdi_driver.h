#pragma once
// UsbSerialDriver on libftdi1: FTDI chips (vendor 0x0403) found and opened by
// serial number. Received bytes are pulled from the chip into a host-side
// buffer by each queue-status call, so "bytes waiting" never blocks longer
// than the chip's latency timer.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/usb_serial_driver.h"

struct ftdi_context;

namespace detkit {

class FtdiDriver final : public UsbSerialDriver {
  public:
    FtdiDriver();
    ~FtdiDriver() override;
    FtdiDriver(const FtdiDriver&) = delete;
    FtdiDriver& operator=(const FtdiDriver&) = delete;

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

  private:
    struct FtdiFree {
        void operator()(ftdi_context* ctx) const;
    };
    using Context = std::unique_ptr<ftdi_context, FtdiFree>;
    struct Device {
        Context ctx;
        std::string serial;
        std::vector<std::uint8_t> received; // host-side receive buffer
        bool broken = false;                // a transfer failed: unplugged or gone
    };

    Device* find(DriverHandle handle);
    DriverStatus fail(DriverStatus status, ftdi_context* ctx, int code, const char* what);
    // Moves whatever the chip has received into the host buffer.
    DriverStatus pull(Device& device);

    std::map<DriverHandle, Device> devices_;
    DriverHandle nextHandle_ = 1;
    std::string lastError_;
};

// The driver the program uses when it is not simulating.
std::unique_ptr<UsbSerialDriver> makeFtdiDriver();

} // namespace detkit
