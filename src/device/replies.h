#pragma once
// What the host does with reply bytes, as pure functions over spans: nothing
// here can store past the destination, whatever the length of the reply.

#include <cstddef>
#include <cstdint>
#include <span>

#include "state/status_block.h"

namespace detkit {

// A reply acknowledges when its first byte is "!"; further bytes do not matter.
bool IsAcknowledged(std::span<const std::uint8_t> reply);

// Puts the counts of spectrum block `block` (1-based) at channels
// (block - 1) * 128 onward: 4 bytes per channel, least significant first.
// Takes at most 128 whole channels from the reply and never writes beyond the
// end of `spectrum`; returns the number of channels stored.
int PlaceSpectrumBlock(std::span<const std::uint8_t> reply, int block, std::span<std::int32_t> spectrum);

// Copies at most StatusBlock::kSize bytes of the reply into the host copy;
// returns the number copied.
std::size_t CopyStatusBlock(std::span<const std::uint8_t> reply, StatusBlock& status);

struct SpectrumSummary {
    std::int32_t maxCount = 0; // never below 0
    float total = 0;           // sum as unsigned 32 bits, wrapping, then float
};

// The highest count and the total over the given channels.
SpectrumSummary SummariseSpectrum(std::span<const std::int32_t> channels);

} // namespace detkit
