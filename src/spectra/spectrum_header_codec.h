#pragma once
// The 1024-byte spectrum header as it lies in a file: every field written and
// read at its own offset, little-endian, so the layout never depends on the
// compiler's struct packing. Reserved runs travel with the header unchanged.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "state/spectrum_header.h"

namespace detkit {

using HeaderBytes = std::array<std::uint8_t, SpectrumHeader::kSize>;

// What every header we write names as its maker (20 characters and a NUL).
inline constexpr std::string_view kMakerText = "Tessaloran Co., Ltd.";

// Byte offsets of the fields in the file.
struct HeaderOffset {
    static constexpr std::size_t maker = 0;
    static constexpr std::size_t reserved21 = 21;
    static constexpr std::size_t channels = 54;
    static constexpr std::size_t reserved56 = 56;
    static constexpr std::size_t calibMarker = 64;
    static constexpr std::size_t calibGain = 68;
    static constexpr std::size_t calibOffset = 72;
    static constexpr std::size_t reserved76 = 76;
    static constexpr std::size_t acqYear = 80;
    static constexpr std::size_t acqMonth = 82;
    static constexpr std::size_t acqDay = 84;
    static constexpr std::size_t reserved86 = 86;
    static constexpr std::size_t acqHour = 88;
    static constexpr std::size_t acqMinute = 90;
    static constexpr std::size_t acqSecond = 92;
    static constexpr std::size_t roiLow = 94;
    static constexpr std::size_t roiHigh = 294;
    static constexpr std::size_t roiColor = 494;
    static constexpr std::size_t reserved694 = 694;
    static constexpr std::size_t presetTime = 704;
    static constexpr std::size_t reserved708 = 708;
    static constexpr std::size_t liveTime = 712;
    static constexpr std::size_t realTime = 716;
    static constexpr std::size_t reserved720 = 720;
    static constexpr std::size_t comment = 774;
    static constexpr std::size_t sampleId = 806;
    static constexpr std::size_t reserved838 = 838;
};

HeaderBytes encodeHeader(const SpectrumHeader& header);

// Decodes the first 1024 bytes of `bytes`. Throws std::out_of_range when fewer
// than 1024 bytes are given. Texts are taken as they lie, NUL or not.
SpectrumHeader decodeHeader(std::span<const std::uint8_t> bytes);

} // namespace detkit
