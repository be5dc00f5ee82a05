#include "device/protocol.h"

#include <algorithm>
#include <array>
#include <span>

#include "device/commands.h"
#include "device/exchange.h"
#include "device/replies.h"

namespace detkit {

namespace {

// Channels of LiveSpectrum in use, never more than it holds.
std::span<std::int32_t> channelsInUse(SharedState& s)
{
    const auto n = static_cast<std::size_t>(std::clamp(s.ChannelCount, 0, kMaxChannels));
    return std::span(s.LiveSpectrum).first(n);
}

int acknowledged(ExchangeResult r)
{
    return r == ExchangeResult::acknowledged ? 1 : 0;
}

} // namespace

ExchangeResult CommandExchange(SharedState& s, std::string_view command)
{
    std::array<std::uint8_t, 512> reply{};
    std::size_t stored = 0;
    if (Transact(s, command, 1, reply, stored) != TransferResult::ok)
        return ExchangeResult::failed;
    return IsAcknowledged(std::span(reply).first(stored)) ? ExchangeResult::acknowledged : ExchangeResult::refused;
}

int StartMca(SharedState& s, Form& f)
{
    s.AcquisitionMode = 1;
    const ExchangeResult r = CommandExchange(s, kStartMcaCommand);
    if (r == ExchangeResult::acknowledged) {
        f.Timer1.enabled = true;
        s.Acquiring = 1;
    } else if (r == ExchangeResult::refused) {
        s.Acquiring = 0;
    }
    return acknowledged(r);
}

int StartScan(SharedState& s, Form& f)
{
    s.AcquisitionMode = 0;
    const ExchangeResult r = CommandExchange(s, kStartScanCommand);
    if (r == ExchangeResult::acknowledged) {
        f.Timer1.interval = s.ScanSettings.refreshInterval;
        f.Timer1.enabled = true;
        s.ScanCount = 0;
        s.Acquiring = 1;
    } else if (r == ExchangeResult::refused) {
        s.Acquiring = 0;
    }
    return acknowledged(r);
}

int StopAcquisition(SharedState& s, Form& f)
{
    const ExchangeResult r = CommandExchange(s, kStopCommand);
    if (r == ExchangeResult::acknowledged) {
        f.Timer1.enabled = false;
        s.Acquiring = 0;
    }
    return acknowledged(r);
}

int ClearMca(SharedState& s)
{
    const ExchangeResult r = CommandExchange(s, kClearMcaCommand);
    if (r == ExchangeResult::acknowledged)
        std::ranges::fill(channelsInUse(s), 0);
    return acknowledged(r);
}

int ClearScan(SharedState& s)
{
    s.ScanCount = 0;
    const ExchangeResult r = CommandExchange(s, kClearScanCommand);
    if (r == ExchangeResult::acknowledged)
        std::ranges::fill(channelsInUse(s), 0);
    return acknowledged(r);
}

int SendPreset(SharedState& s, Form& f, int presetTime)
{
    const std::string command = PresetCommand(presetTime);
    f.Edit1.text = command;
    return acknowledged(CommandExchange(s, command));
}

int SetMemorySize(SharedState& s, int channels)
{
    if (channels == 256)
        return 1; // the analyser keeps its memory size; the host reads the first 256 channels
    const std::optional<std::string> command = MemorySizeCommand(channels);
    if (!command)
        return 0;
    return acknowledged(CommandExchange(s, *command));
}

int SetCursor(SharedState& s, int channel)
{
    return acknowledged(CommandExchange(s, CursorCommand(channel)));
}

int SendDisplayCommand(SharedState& s, std::string_view command)
{
    return acknowledged(CommandExchange(s, command));
}

int ReadSpectrum(SharedState& s)
{
    const int blocks = std::clamp(s.ChannelCount, 0, kMaxChannels) / ReadBlockChannels;
    std::array<std::uint8_t, kSpectrumBlockBytes> reply{};
    for (int b = 1; b <= blocks; ++b) {
        std::size_t stored = 0;
        // A block that did not arrive whole would shift counts, and after a
        // failed poll the link is in doubt: stop rather than go on to the next.
        if (Transact(s, ReadBlockCommand(b), reply.size(), reply, stored) != TransferResult::ok)
            return 0;
        PlaceSpectrumBlock(reply, b, s.LiveSpectrum);
    }
    const SpectrumSummary summary = SummariseSpectrum(channelsInUse(s));
    s.MaxCount = summary.maxCount;
    s.CountRate = summary.total;
    return 1;
}

int ReadStatus(SharedState& s)
{
    std::array<std::uint8_t, StatusBlock::kSize> reply{};
    std::size_t stored = 0;
    if (Transact(s, kReadStatusCommand, reply.size(), reply, stored) != TransferResult::ok)
        return 0;
    CopyStatusBlock(reply, s.StatusBlock);
    return 1;
}

} // namespace detkit
