#include "device/link.h"

#include <array>
#include <string>

#include "device/device_log.h"
#include "device/exchange.h"
#include "device/usb_serial_driver.h"

namespace detkit {

namespace {

bool ok(const UsbSerialDriver& driver, DriverStatus status, const char* what)
{
    if (status == DriverStatus::ok)
        return true;
    qCDebug(lcDevice) << what << "failed, status" << static_cast<int>(status) << driver.lastError().c_str();
    return false;
}

} // namespace

int OpenDevice(SharedState& s, int n)
{
    UsbSerialDriver* driver = s.io.driver;
    if (driver == nullptr || n < 0 || n >= static_cast<int>(s.DeviceTable.size()))
        return 0;

    // Room for five serial numbers; the driver fills no more than that.
    std::array<std::string, kMaxListedDevices> serials;
    std::int32_t attached = 0;
    if (!ok(*driver, driver->listSerialNumbers(serials, attached), "listing"))
        return 0;
    s.DeviceCount = attached;
    if (n >= attached || n >= kMaxListedDevices)
        return 0;

    // Open into a local handle first, so a failed second open cannot disturb
    // the handle the link already works with.
    DriverHandle handle = kNoHandle;
    if (!ok(*driver, driver->open(serials[static_cast<std::size_t>(n)], handle), "open"))
        return 0;
    s.DeviceTable[static_cast<std::size_t>(n)] = handle;

    if (!ok(*driver, driver->reset(handle), "reset"))
        return 0;
    if (!ok(*driver, driver->setLatencyTimer(handle, kLatencyTimerMs), "latency timer"))
        return 0;
    ok(*driver, driver->setTimeouts(handle, kReplyTimeoutMs, kReplyTimeoutMs), "time-outs"); // not fatal
    ok(*driver, driver->purge(handle, purgeReceive | purgeTransmit), "purge");               // not fatal
    s.DeviceOpen = 1;
    qCDebug(lcDevice) << "opened analyser" << serials[static_cast<std::size_t>(n)].c_str() << "of" << attached;
    return 1;
}

void McaOpenClick(SharedState& s, Form& f)
{
    if (s.DeviceCount != 0) {
        OpenDevice(s, 0);
        return;
    }
    if (OpenDevice(s, 0) == 1) {
        f.Edit2.text = std::to_string(s.DeviceCount);
        for (Control* button : {&f.McaStart, &f.McaStop, &f.McaClear, &f.VireStart, &f.VireStop, &f.VireClear})
            button->enabled = true;
        s.DeviceOpen = 1;
    } else {
        f.Edit2.text = "Error";
    }
}

} // namespace detkit
