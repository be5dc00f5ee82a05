#include "device/sim/simulated_analyser.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "device/commands.h"
#include "platform/byte_order.h"
#include "platform/clock.h"
#include "platform/format.h"

namespace detkit {

namespace {

constexpr std::uint8_t kRefusal = '?';
constexpr std::size_t kLongReplyExtra = 64;
constexpr std::size_t kMaxPendingInput = 256;

bool allDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Two-digit field of a clock command within [lo, hi].
bool field(std::string_view digits, std::size_t at, int lo, int hi)
{
    const int v = (digits[at] - '0') * 10 + (digits[at + 1] - '0');
    return v >= lo && v <= hi;
}

} // namespace

SimulatedAnalyser::SimulatedAnalyser(Clock& clock, SimulatedAnalyserOptions options)
    : clock_(clock), options_(options), sampler_(options.seed), noise_(static_cast<std::uint32_t>(options.seed))
{
    powerUp();
}

std::string SimulatedAnalyser::serialNumber(int index)
{
    return Format("DKSIM%04d", index);
}

void SimulatedAnalyser::powerUp()
{
    lastUpdateMs_ = clock_.monotonicMs();
    acquiring_ = false;
    scanMode_ = false;
    memoryChannels_ = 2048;
    preset_ = 36000;
    std::ranges::fill(counts_, 0);
    std::ranges::fill(scanBank_, 0);
    elapsedMs_ = totalCounts_ = passElapsedMs_ = 0;
    completedPasses_ = passesToReport_ = 0;
    clockSetting_.clear();
    sampler_.setChannels(memoryChannels_);
    display_ = AnalyserDisplay{};
    display_.setChannels(memoryChannels_);
}

// ---- faults --------------------------------------------------------------

void SimulatedAnalyser::failOperation(DriverOp op, int times)
{
    driverFaults_[op] = times;
}

void SimulatedAnalyser::injectReplyFault(ReplyFault fault, std::string commandPrefix, int times, int after)
{
    replyFaults_.push_back({fault, std::move(commandPrefix), times, after});
}

void SimulatedAnalyser::clearFaults()
{
    driverFaults_.clear();
    replyFaults_.clear();
}

void SimulatedAnalyser::unplug()
{
    plugged_ = false;
    handles_.clear();
    input_.clear();
    inFlight_.clear();
    received_.clear();
}

void SimulatedAnalyser::plugIn()
{
    if (plugged_)
        return;
    plugged_ = true;
    powerUp();
}

void SimulatedAnalyser::setLatency(int perExchangeMs, double transferUsPerByte)
{
    options_.latencyPerExchangeMs = perExchangeMs;
    options_.transferUsPerByte = transferUsPerByte;
}

bool SimulatedAnalyser::takeDriverFault(DriverOp op)
{
    const auto it = driverFaults_.find(op);
    if (it == driverFaults_.end() || it->second == 0)
        return false;
    if (it->second > 0)
        --it->second;
    lastError_ = "injected driver failure";
    return true;
}

DriverStatus SimulatedAnalyser::checkHandle(DriverHandle handle, DriverOp op)
{
    if (takeDriverFault(op))
        return DriverStatus::ioError;
    if (!plugged_) {
        lastError_ = "device unplugged";
        return DriverStatus::deviceNotFound;
    }
    if (std::ranges::find(handles_, handle) == handles_.end()) {
        lastError_ = "unknown handle";
        return DriverStatus::invalidHandle;
    }
    return DriverStatus::ok;
}

// ---- driver operations ---------------------------------------------------

DriverStatus SimulatedAnalyser::listSerialNumbers(std::span<std::string> serials, std::int32_t& attached)
{
    attached = 0;
    if (takeDriverFault(DriverOp::list))
        return DriverStatus::ioError;
    if (!plugged_)
        return DriverStatus::ok;
    attached = std::max(options_.listedDevices, 0);
    for (std::size_t i = 0; i < serials.size() && i < static_cast<std::size_t>(attached); ++i)
        serials[i] = serialNumber(static_cast<int>(i) + 1);
    return DriverStatus::ok;
}

DriverStatus SimulatedAnalyser::open(const std::string& serial, DriverHandle& handle)
{
    if (takeDriverFault(DriverOp::open))
        return DriverStatus::ioError;
    bool known = false;
    for (int i = 1; i <= options_.listedDevices; ++i)
        known = known || serial == serialNumber(i);
    if (!plugged_ || !known) {
        lastError_ = "no such device";
        return DriverStatus::deviceNotFound;
    }
    if (handles_.empty())
        handles_.push_back(nextHandle_++);
    handle = handles_.front(); // one analyser, one working handle
    return DriverStatus::ok;
}

DriverStatus SimulatedAnalyser::reset(DriverHandle handle)
{
    if (const DriverStatus st = checkHandle(handle, DriverOp::reset); st != DriverStatus::ok)
        return st;
    input_.clear();
    received_.clear();
    return DriverStatus::ok;
}

DriverStatus SimulatedAnalyser::setLatencyTimer(DriverHandle handle, int ms)
{
    if (const DriverStatus st = checkHandle(handle, DriverOp::latency); st != DriverStatus::ok)
        return st;
    return ms >= 1 && ms <= 255 ? DriverStatus::ok : DriverStatus::invalidArgument;
}

DriverStatus SimulatedAnalyser::setTimeouts(DriverHandle handle, int, int)
{
    return checkHandle(handle, DriverOp::timeouts);
}

DriverStatus SimulatedAnalyser::purge(DriverHandle handle, unsigned flags)
{
    if (const DriverStatus st = checkHandle(handle, DriverOp::purge); st != DriverStatus::ok)
        return st;
    update();
    deliverDue();
    if ((flags & purgeReceive) != 0)
        received_.clear();
    if ((flags & purgeTransmit) != 0)
        input_.clear();
    return DriverStatus::ok;
}

DriverStatus SimulatedAnalyser::write(DriverHandle handle, std::span<const std::uint8_t> bytes, std::size_t& written)
{
    written = 0;
    if (const DriverStatus st = checkHandle(handle, DriverOp::write); st != DriverStatus::ok)
        return st;
    update();
    input_.append(bytes.begin(), bytes.end());
    written = bytes.size();
    // Commands run from "$" to ";"; anything before a "$" is line noise.
    for (;;) {
        const std::size_t start = input_.find('$');
        if (start == std::string::npos) {
            input_.clear();
            break;
        }
        const std::size_t end = input_.find(';', start);
        if (end == std::string::npos) {
            input_.erase(0, start);
            if (input_.size() > kMaxPendingInput)
                input_.clear();
            break;
        }
        const std::string command = input_.substr(start, end - start + 1);
        input_.erase(0, end + 1);
        handleCommand(command);
    }
    return DriverStatus::ok;
}

DriverStatus SimulatedAnalyser::queueStatus(DriverHandle handle, std::size_t& waiting)
{
    waiting = 0;
    if (const DriverStatus st = checkHandle(handle, DriverOp::queueStatus); st != DriverStatus::ok)
        return st;
    update();
    deliverDue();
    waiting = received_.size();
    return DriverStatus::ok;
}

DriverStatus SimulatedAnalyser::read(DriverHandle handle, std::span<std::uint8_t> dest, std::size_t& got)
{
    got = 0;
    if (const DriverStatus st = checkHandle(handle, DriverOp::read); st != DriverStatus::ok)
        return st;
    update();
    deliverDue();
    const std::size_t n = std::min(dest.size(), received_.size());
    std::copy_n(received_.begin(), n, dest.begin());
    received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(n));
    got = n;
    return DriverStatus::ok;
}

// ---- replies and their timing --------------------------------------------

void SimulatedAnalyser::handleCommand(const std::string& command)
{
    commands_.push_back(command);
    auto rule = std::ranges::find_if(replyFaults_, [&](const ReplyFaultRule& r) {
        return r.times != 0 && command.compare(0, r.prefix.size(), r.prefix) == 0;
    });
    if (rule != replyFaults_.end() && rule->after > 0) {
        --rule->after;
        rule = replyFaults_.end();
    }
    if (rule == replyFaults_.end()) {
        queueReply(reply(command));
        return;
    }
    const ReplyFault fault = rule->fault;
    if (rule->times > 0)
        --rule->times;
    if (fault == ReplyFault::refuse) {
        queueReply({kRefusal}); // refused: the command does nothing
        return;
    }
    std::vector<std::uint8_t> bytes = reply(command);
    std::int64_t delay = 0;
    switch (fault) {
    case ReplyFault::noReply:
        return;
    case ReplyFault::shortReply:
        bytes.resize(bytes.size() / 2);
        break;
    case ReplyFault::longReply:
        bytes.insert(bytes.end(), kLongReplyExtra, 0xEE);
        break;
    case ReplyFault::garbage:
        for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(noise_());
        if (!bytes.empty() && bytes[0] == kAcknowledge)
            bytes[0] = '#';
        break;
    case ReplyFault::lateReply:
        delay = options_.lateReplyMs;
        break;
    case ReplyFault::refuse:
        break;
    }
    queueReply(std::move(bytes), delay);
}

void SimulatedAnalyser::queueReply(std::vector<std::uint8_t> bytes, std::int64_t delayMs)
{
    if (bytes.empty())
        return;
    const std::int64_t travel =
        options_.latencyPerExchangeMs +
        static_cast<std::int64_t>(std::ceil(static_cast<double>(bytes.size()) * options_.transferUsPerByte / 1000.0));
    Pending p{clock_.monotonicMs() + travel + delayMs, std::move(bytes)};
    const auto at = std::ranges::upper_bound(inFlight_, p.availableAtMs, {}, &Pending::availableAtMs);
    inFlight_.insert(at, std::move(p));
}

void SimulatedAnalyser::deliverDue()
{
    const std::int64_t now = clock_.monotonicMs();
    auto it = inFlight_.begin();
    for (; it != inFlight_.end() && it->availableAtMs <= now; ++it)
        received_.insert(received_.end(), it->bytes.begin(), it->bytes.end());
    inFlight_.erase(inFlight_.begin(), it);
}

std::vector<std::uint8_t> SimulatedAnalyser::reply(const std::string& command)
{
    const std::vector<std::uint8_t> ack{kAcknowledge};
    const std::vector<std::uint8_t> refuse{kRefusal};
    const std::string_view body = std::string_view(command).substr(1, command.size() - 2); // between "$" and ";"

    if (body == "G") {
        acquiring_ = true;
        scanMode_ = false;
        return ack;
    }
    if (body == "X") {
        acquiring_ = true;
        scanMode_ = true;
        std::ranges::fill(counts_, 0);
        passElapsedMs_ = 0;
        totalCounts_ = 0;
        return ack;
    }
    if (body == "S") {
        acquiring_ = false;
        return ack;
    }
    if (body == "C" || body == "CX") {
        std::ranges::fill(counts_, 0);
        elapsedMs_ = passElapsedMs_ = totalCounts_ = 0;
        if (body == "CX") {
            std::ranges::fill(scanBank_, 0);
            completedPasses_ = passesToReport_ = 0;
        }
        return ack;
    }
    if (body.starts_with('P')) {
        const std::string_view n = body.substr(1);
        if (!allDigits(n) || n.size() > 9)
            return refuse;
        preset_ = std::stoi(std::string(n));
        return ack;
    }
    if (body.starts_with('M')) {
        const std::string_view n = body.substr(1);
        if (n != "4" && n != "8" && n != "16" && n != "32")
            return refuse;
        memoryChannels_ = std::stoi(std::string(n)) * ReadBlockChannels;
        sampler_.setChannels(memoryChannels_);
        display_.setChannels(memoryChannels_);
        std::ranges::fill(counts_, 0);
        std::ranges::fill(scanBank_, 0);
        totalCounts_ = 0;
        return ack;
    }
    if (body.starts_with("@C")) {
        const std::string_view n = body.substr(2);
        if (n.size() != 4 || !allDigits(n) || !display_.setCursor(std::stoi(std::string(n))))
            return refuse;
        return ack;
    }
    if (body.starts_with('t')) {
        const std::string_view d = body.substr(1);
        if (d.size() != 10 || !allDigits(d) || !field(d, 2, 1, 12) || !field(d, 4, 1, 31) || !field(d, 6, 0, 23) ||
            !field(d, 8, 0, 59))
            return refuse;
        clockSetting_ = std::string(d);
        return ack;
    }
    if (body.starts_with('R')) {
        const std::string_view n = body.substr(1);
        if (!allDigits(n) || n.size() > 2)
            return refuse;
        const int block = std::stoi(std::string(n));
        if (block == 0)
            return statusBlock();
        if (block > kMaxChannels / ReadBlockChannels)
            return refuse;
        return spectrumBlock(block);
    }
    // The display.
    if (body == "O") {
        display_.setLog();
        return ack;
    }
    if (body == "V") {
        display_.stepLower();
        return ack;
    }
    if (body == "v") {
        display_.stepHigher();
        return ack;
    }
    if (body.size() == 2 && body[0] == 'V')
        return display_.setStep(body[1] - '0') ? ack : refuse;
    if (body == "E") {
        display_.expand();
        return ack;
    }
    if (body == "e") {
        display_.compress();
        return ack;
    }
    if (body == "l") {
        display_.scrollLeft();
        return ack;
    }
    if (body == "r") {
        display_.scrollRight();
        return ack;
    }
    if (body == " ")
        return ack; // the end of a scroll: nothing to do
    return refuse;
}

std::vector<std::uint8_t> SimulatedAnalyser::spectrumBlock(int block) const
{
    // A scan reads the last whole pass; MCA mode the memory as it counts.
    const std::vector<std::int32_t>& source = scanMode_ ? scanBank_ : counts_;
    std::vector<std::uint8_t> bytes(kSpectrumBlockBytes);
    const std::size_t first = static_cast<std::size_t>(block - 1) * ReadBlockChannels;
    for (std::size_t i = 0; i < ReadBlockChannels; ++i)
        writeLe32(bytes, 4 * i, static_cast<std::uint32_t>(source[first + i]));
    return bytes;
}

std::vector<std::uint8_t> SimulatedAnalyser::statusBlock()
{
    std::vector<std::uint8_t> bytes(StatusBlock::kSize, 0);
    // The profile: the window in 256 slices (one channel each when narrower),
    // scaled so that the highest slice is 255.
    const int first = display_.first();
    const int n = display_.last() - first + 1;
    std::array<std::int64_t, StatusBlock::kProfileSize> slices{};
    for (int i = 0; i < StatusBlock::kProfileSize; ++i) {
        const int lo = n >= StatusBlock::kProfileSize ? first + i * n / StatusBlock::kProfileSize : first + i;
        const int hi = n >= StatusBlock::kProfileSize ? first + (i + 1) * n / StatusBlock::kProfileSize : lo + 1;
        if (n < StatusBlock::kProfileSize && i >= n)
            break;
        for (int c = lo; c < hi && c < kMaxChannels; ++c)
            slices[static_cast<std::size_t>(i)] += counts_[static_cast<std::size_t>(c)];
    }
    const std::int64_t top = std::max<std::int64_t>(*std::ranges::max_element(slices), 1);
    for (std::size_t i = 0; i < slices.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(slices[i] * 255 / top, 0, 255));

    writeLe16(bytes, StatusBlock::windowFirstOffset, display_.first());
    writeLe16(bytes, StatusBlock::windowLastOffset, display_.last());
    writeLe16(bytes, StatusBlock::cursorOffset, display_.cursor());
    writeLe16(bytes, StatusBlock::vfsIndexOffset, display_.vfsIndex());
    const std::int64_t elapsed = (scanMode_ ? passElapsedMs_ : elapsedMs_) / 10;
    writeLe32(bytes, StatusBlock::elapsedOffset, static_cast<std::uint32_t>(elapsed));
    writeLe32(bytes, StatusBlock::totalCountsOffset, static_cast<std::uint32_t>(totalCounts_));
    // Each completed pass is reported by exactly one status read.
    if (passesToReport_ > 0) {
        bytes[StatusBlock::passDoneOffset] = 1;
        --passesToReport_;
    }
    return bytes;
}

// ---- counting --------------------------------------------------------------

void SimulatedAnalyser::update()
{
    const std::int64_t now = clock_.monotonicMs();
    const std::int64_t dt = now - lastUpdateMs_;
    lastUpdateMs_ = now;
    if (acquiring_ && dt > 0)
        countFor(dt);
}

void SimulatedAnalyser::countFor(std::int64_t ms)
{
    const std::span<std::int32_t> memory = std::span(counts_).first(static_cast<std::size_t>(memoryChannels_));
    if (!scanMode_) {
        totalCounts_ += sampler_.count(static_cast<double>(ms) / 1000.0, options_.deadTimeUs, memory);
        elapsedMs_ += ms;
        return;
    }
    const std::int64_t passMs = std::max(preset_, 1) * std::int64_t{100};
    // Passes the clock jumped over entirely are counted as done, not simulated.
    const std::int64_t skipped = (passElapsedMs_ + ms) / passMs;
    if (skipped > 2) {
        const std::int64_t whole = skipped - 1;
        completedPasses_ += static_cast<int>(whole);
        passesToReport_ += static_cast<int>(whole);
        ms -= whole * passMs;
    }
    while (ms > 0) {
        const std::int64_t step = std::min(ms, passMs - passElapsedMs_);
        totalCounts_ += sampler_.count(static_cast<double>(step) / 1000.0, options_.deadTimeUs, memory);
        passElapsedMs_ += step;
        elapsedMs_ += step;
        ms -= step;
        if (passElapsedMs_ >= passMs) {
            std::ranges::copy(counts_, scanBank_.begin());
            std::ranges::fill(counts_, 0);
            totalCounts_ = 0;
            passElapsedMs_ = 0;
            ++completedPasses_;
            ++passesToReport_;
        }
    }
}

} // namespace detkit
