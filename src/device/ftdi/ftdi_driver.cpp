#include "device/ftdi/ftdi_driver.h"

#include <algorithm>
#include <array>

#include <ftdi.h>

#include "device/device_log.h"

namespace detkit {

namespace {

constexpr int kFtdiVendor = 0x0403;
// FT232R/FT245R, FT2232, FT4232, FT232H, FT-X: the chips USB analysers are built on.
constexpr std::array<int, 5> kFtdiProducts = {0x6001, 0x6010, 0x6011, 0x6014, 0x6015};
constexpr int kReadChunk = 4096;

} // namespace

void FtdiDriver::FtdiFree::operator()(ftdi_context* ctx) const
{
    if (ctx != nullptr) {
        ftdi_usb_close(ctx);
        ftdi_free(ctx);
    }
}

FtdiDriver::FtdiDriver() = default;
FtdiDriver::~FtdiDriver() = default;

FtdiDriver::Device* FtdiDriver::find(DriverHandle handle)
{
    const auto it = devices_.find(handle);
    return it == devices_.end() ? nullptr : &it->second;
}

DriverStatus FtdiDriver::fail(DriverStatus status, ftdi_context* ctx, int code, const char* what)
{
    lastError_ = std::string(what) + " (" + std::to_string(code) + ")";
    if (ctx != nullptr) {
        if (const char* text = ftdi_get_error_string(ctx); text != nullptr && *text != '\0')
            lastError_ += ": " + std::string(text);
    }
    qCDebug(lcDevice) << "libftdi:" << lastError_.c_str();
    return status;
}

DriverStatus FtdiDriver::listSerialNumbers(std::span<std::string> serials, std::int32_t& attached)
{
    attached = 0;
    Context ctx(ftdi_new());
    if (!ctx)
        return fail(DriverStatus::ioError, nullptr, 0, "ftdi_new (no USB access)");
    for (const int product : kFtdiProducts) {
        ftdi_device_list* list = nullptr;
        const int found = ftdi_usb_find_all(ctx.get(), &list, kFtdiVendor, product);
        if (found < 0) {
            ftdi_list_free(&list);
            return fail(DriverStatus::ioError, ctx.get(), found, "ftdi_usb_find_all");
        }
        for (ftdi_device_list* d = list; d != nullptr; d = d->next) {
            // Only as many serial numbers as the caller has room for.
            if (static_cast<std::size_t>(attached) < serials.size()) {
                std::array<char, kSerialNumberSize> serial{};
                const int r = ftdi_usb_get_strings(ctx.get(), d->dev, nullptr, 0, nullptr, 0, serial.data(),
                                                   static_cast<int>(serial.size()));
                if (r < 0)
                    fail(DriverStatus::ioError, ctx.get(), r, "ftdi_usb_get_strings");
                serial.back() = '\0';
                serials[static_cast<std::size_t>(attached)] = serial.data();
            }
            ++attached;
        }
        ftdi_list_free(&list);
    }
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::open(const std::string& serial, DriverHandle& handle)
{
    if (serial.empty())
        return fail(DriverStatus::deviceNotFound, nullptr, 0, "open: no serial number");
    // Opening again what is open would fail to claim the interface; hand back the working handle.
    // A handle whose transfers failed (unplugged and attached again) is replaced.
    for (auto it = devices_.begin(); it != devices_.end(); ++it) {
        if (it->second.serial != serial)
            continue;
        if (!it->second.broken) {
            handle = it->first;
            return DriverStatus::ok;
        }
        devices_.erase(it);
        break;
    }
    Context ctx(ftdi_new());
    if (!ctx)
        return fail(DriverStatus::ioError, nullptr, 0, "ftdi_new (no USB access)");
    int r = -3;
    for (const int product : kFtdiProducts) {
        // Detaches the kernel's ftdi_sio driver from the interface if it holds it.
        r = ftdi_usb_open_desc(ctx.get(), kFtdiVendor, product, nullptr, serial.c_str());
        if (r == 0)
            break;
        if (r != -3) // -3: not this product id; anything else is a real failure
            return fail(DriverStatus::ioError, ctx.get(), r, "ftdi_usb_open_desc");
    }
    if (r != 0)
        return fail(DriverStatus::deviceNotFound, ctx.get(), r, "ftdi_usb_open_desc");
    handle = nextHandle_++;
    devices_.emplace(handle, Device{std::move(ctx), serial, {}});
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::reset(DriverHandle handle)
{
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "reset: unknown handle");
    d->received.clear();
    if (const int r = ftdi_usb_reset(d->ctx.get()); r < 0)
        return fail(DriverStatus::ioError, d->ctx.get(), r, "ftdi_usb_reset");
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::setLatencyTimer(DriverHandle handle, int ms)
{
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "latency: unknown handle");
    if (ms < 1 || ms > 255)
        return fail(DriverStatus::invalidArgument, nullptr, ms, "latency out of range");
    if (const int r = ftdi_set_latency_timer(d->ctx.get(), static_cast<unsigned char>(ms)); r < 0)
        return fail(DriverStatus::ioError, d->ctx.get(), r, "ftdi_set_latency_timer");
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::setTimeouts(DriverHandle handle, int readMs, int writeMs)
{
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "time-outs: unknown handle");
    d->ctx->usb_read_timeout = readMs;
    d->ctx->usb_write_timeout = writeMs;
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::purge(DriverHandle handle, unsigned flags)
{
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "purge: unknown handle");
    if ((flags & purgeReceive) != 0) {
        d->received.clear();
        if (const int r = ftdi_tciflush(d->ctx.get()); r < 0)
            return fail(DriverStatus::ioError, d->ctx.get(), r, "ftdi_tciflush");
    }
    if ((flags & purgeTransmit) != 0) {
        if (const int r = ftdi_tcoflush(d->ctx.get()); r < 0)
            return fail(DriverStatus::ioError, d->ctx.get(), r, "ftdi_tcoflush");
    }
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::write(DriverHandle handle, std::span<const std::uint8_t> bytes, std::size_t& written)
{
    written = 0;
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "write: unknown handle");
    const int r = ftdi_write_data(d->ctx.get(), bytes.data(), static_cast<int>(bytes.size()));
    if (r < 0) {
        d->broken = true;
        return fail(DriverStatus::ioError, d->ctx.get(), r, "ftdi_write_data");
    }
    written = static_cast<std::size_t>(r);
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::pull(Device& device)
{
    // ftdi_read_data returns what has arrived, or 0 once the latency timer
    // expires with nothing: it never waits for a whole reply.
    std::array<std::uint8_t, kReadChunk> chunk{};
    const int r = ftdi_read_data(device.ctx.get(), chunk.data(), static_cast<int>(chunk.size()));
    if (r < 0) {
        device.broken = true;
        return fail(DriverStatus::ioError, device.ctx.get(), r, "ftdi_read_data");
    }
    device.received.insert(device.received.end(), chunk.begin(), chunk.begin() + r);
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::queueStatus(DriverHandle handle, std::size_t& waiting)
{
    waiting = 0;
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "queue status: unknown handle");
    if (const DriverStatus st = pull(*d); st != DriverStatus::ok)
        return st;
    waiting = d->received.size();
    return DriverStatus::ok;
}

DriverStatus FtdiDriver::read(DriverHandle handle, std::span<std::uint8_t> dest, std::size_t& got)
{
    got = 0;
    Device* d = find(handle);
    if (d == nullptr)
        return fail(DriverStatus::invalidHandle, nullptr, handle, "read: unknown handle");
    if (d->received.size() < dest.size()) {
        if (const DriverStatus st = pull(*d); st != DriverStatus::ok)
            return st;
    }
    const std::size_t n = std::min(dest.size(), d->received.size());
    std::copy_n(d->received.begin(), n, dest.begin());
    d->received.erase(d->received.begin(), d->received.begin() + static_cast<std::ptrdiff_t>(n));
    got = n;
    return DriverStatus::ok;
}

std::unique_ptr<UsbSerialDriver> makeFtdiDriver()
{
    return std::make_unique<FtdiDriver>();
}

} // namespace detkit
