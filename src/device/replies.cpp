#include "device/replies.h"

#include <algorithm>

#include "device/commands.h"
#include "platform/byte_order.h"

namespace detkit {

bool IsAcknowledged(std::span<const std::uint8_t> reply)
{
    return !reply.empty() && reply[0] == kAcknowledge;
}

int PlaceSpectrumBlock(std::span<const std::uint8_t> reply, int block, std::span<std::int32_t> spectrum)
{
    if (block < 1)
        return 0;
    const std::size_t first = static_cast<std::size_t>(block - 1) * ReadBlockChannels;
    if (first >= spectrum.size())
        return 0;
    const std::size_t channels =
        std::min({reply.size() / 4, static_cast<std::size_t>(ReadBlockChannels), spectrum.size() - first});
    for (std::size_t i = 0; i < channels; ++i)
        spectrum[first + i] = readLe32(reply, 4 * i);
    return static_cast<int>(channels);
}

std::size_t CopyStatusBlock(std::span<const std::uint8_t> reply, StatusBlock& status)
{
    const std::size_t n = std::min(reply.size(), status.bytes.size());
    std::copy_n(reply.begin(), n, status.bytes.begin());
    return n;
}

SpectrumSummary SummariseSpectrum(std::span<const std::int32_t> channels)
{
    SpectrumSummary result;
    std::uint32_t sum = 0;
    for (const std::int32_t c : channels) {
        if (c > result.maxCount)
            result.maxCount = c;
        sum += static_cast<std::uint32_t>(c);
    }
    result.total = static_cast<float>(sum);
    return result;
}

} // namespace detkit
