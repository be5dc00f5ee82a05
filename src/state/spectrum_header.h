#pragma once
// The 1024-byte metadata record of a spectrum, also the head of the spectrum
// file. Field by field as it lies in the file; reserved runs are kept so that
// a header read from a file is written back byte for byte. Encoding and
// decoding live in spectra/spectrum_file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace detkit {

struct SpectrumHeader {
    static constexpr int kSize = 1024;
    static constexpr int kRoiEntries = 100;

    std::array<char, 21> maker{};              // @0   "…Co., Ltd." and a NUL
    std::array<std::uint8_t, 33> reserved21{}; // @21
    std::int16_t channels = 0;                 // @54  counts after the header
    std::array<std::uint8_t, 8> reserved56{};  // @56
    float calibMarker = 1.0f;                  // @64  1.0: no calibration stored
    float calibGain = 0.0f;                    // @68  keV per channel
    float calibOffset = 0.0f;                  // @72  keV at channel 0
    std::array<std::uint8_t, 4> reserved76{};  // @76
    std::int16_t acqYear = 0;                  // @80  acquisition start
    std::int16_t acqMonth = 0;                 // @82
    std::int16_t acqDay = 0;                   // @84
    std::array<std::uint8_t, 2> reserved86{};  // @86
    std::int16_t acqHour = 0;                  // @88
    std::int16_t acqMinute = 0;                // @90
    std::int16_t acqSecond = 0;                // @92
    std::array<std::int16_t, kRoiEntries> roiLow{};    // @94
    std::array<std::int16_t, kRoiEntries> roiHigh{};   // @294
    std::array<std::int16_t, kRoiEntries> roiColor{};  // @494 low 16 bits of 0x00BBGGRR
    std::array<std::uint8_t, 10> reserved694{};        // @694
    std::int32_t presetTime = 0;               // @704 0.1 s
    std::array<std::uint8_t, 4> reserved708{}; // @708
    std::int32_t liveTime = 0;                 // @712 0.1 s
    std::int32_t realTime = 0;                 // @716 0.1 s
    std::array<std::uint8_t, 54> reserved720{};// @720
    std::array<char, 32> comment{};            // @774 at most 31 characters and a NUL
    std::array<char, 32> sampleId{};           // @806 at most 31 characters and a NUL
    std::array<std::uint8_t, 186> reserved838{};  // @838

    bool operator==(const SpectrumHeader&) const = default;
};

// Puts `text` into a fixed text field: cut so that a NUL always fits, the rest
// of the field zeroed (32-byte fields keep at most 31 characters).
template <std::size_t N> void setHeaderText(std::array<char, N>& field, std::string_view text)
{
    field.fill('\0');
    const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
    text.copy(field.data(), n);
}

// The text of a fixed field up to its first NUL; never more than N - 1 characters.
template <std::size_t N> std::string headerText(const std::array<char, N>& field)
{
    std::size_t n = 0;
    while (n < N - 1 && field[n] != '\0')
        ++n;
    return std::string(field.data(), n);
}

// Makes sure a text field read from a file ends inside itself: a field with no
// NUL loses its last character. Bytes after an existing NUL are kept.
template <std::size_t N> void terminateHeaderText(std::array<char, N>& field)
{
    for (char c : field)
        if (c == '\0')
            return;
    field[N - 1] = '\0';
}

}  // namespace detkit
