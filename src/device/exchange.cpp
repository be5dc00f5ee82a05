#include "device/exchange.h"

#include <algorithm>
#include <array>

#include "device/device_log.h"
#include "device/usb_serial_driver.h"
#include "platform/clock.h"

#include <QByteArray>

namespace detkit {

namespace {

bool failed(const UsbSerialDriver& driver, DriverStatus status, const char* what)
{
    if (status == DriverStatus::ok)
        return false;
    qCDebug(lcDevice) << what << "failed, status" << static_cast<int>(status) << driver.lastError().c_str();
    return true;
}

// Reads and throws away `count` waiting bytes.
bool discard(UsbSerialDriver& driver, DriverHandle handle, std::size_t count)
{
    std::array<std::uint8_t, 512> scratch{};
    while (count > 0) {
        std::size_t got = 0;
        const std::size_t n = std::min(count, scratch.size());
        if (failed(driver, driver.read(handle, std::span(scratch).first(n), got), "read (discard)"))
            return false;
        if (got == 0)
            break;
        count -= std::min(got, count);
    }
    return true;
}

// A late or surplus reply must not pass for the start of the next one. Purging
// is one control request; polling the queue would first wait out the chip's
// latency timer before every command.
bool dropStale(UsbSerialDriver& driver, DriverHandle handle)
{
    return !failed(driver, driver.purge(handle, purgeReceive), "purge (stale reply)");
}

} // namespace

TransferResult Transact(SharedState& s, std::string_view command, std::size_t needed, std::span<std::uint8_t> reply,
                        std::size_t& stored)
{
    stored = 0;
    UsbSerialDriver* driver = s.io.driver;
    Clock* clock = s.io.clock;
    if (driver == nullptr || clock == nullptr)
        return TransferResult::driverFailure;
    const DriverHandle handle = s.DeviceTable[0];

    if (!dropStale(*driver, handle))
        return TransferResult::driverFailure;

    std::size_t written = 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(command.data());
    if (failed(*driver, driver->write(handle, std::span(bytes, command.size()), written), "write"))
        return TransferResult::driverFailure;

    // Sleep between polls: a wait must neither spin nor outlast the time-out.
    const std::int64_t start = clock->monotonicMs();
    std::size_t waiting = 0;
    for (;;) {
        if (failed(*driver, driver->queueStatus(handle, waiting), "queue status"))
            return TransferResult::driverFailure;
        if (waiting >= needed)
            break;
        if (clock->monotonicMs() - start >= kReplyTimeoutMs) {
            qCDebug(lcDevice) << "no reply to" << QByteArray(command.data(), static_cast<qsizetype>(command.size()))
                              << "within" << kReplyTimeoutMs << "ms; got" << waiting << "of" << needed << "bytes";
            return TransferResult::timedOut;
        }
        clock->sleepMs(1);
    }

    const std::size_t keep = std::min(waiting, reply.size());
    std::size_t got = 0;
    if (failed(*driver, driver->read(handle, reply.first(keep), got), "read"))
        return TransferResult::driverFailure;
    stored = std::min(got, keep);
    if (waiting > stored && !discard(*driver, handle, waiting - stored))
        return TransferResult::driverFailure;
    if (stored < needed)
        return TransferResult::timedOut; // the driver handed over less than it reported
    return TransferResult::ok;
}

} // namespace detkit
