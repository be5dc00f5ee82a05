#include "spectra/spectrum_header_codec.h"

#include <algorithm>

#include "platform/byte_order.h"

namespace detkit {

namespace {

using Off = HeaderOffset;

// Each field ends where the next begins and the last one at byte 1024.
#define DETKIT_FIELD_ENDS_AT(field, next)                                                                              \
    static_assert(Off::field + sizeof(SpectrumHeader::field) == Off::next, #field " overlaps or leaves a gap")
DETKIT_FIELD_ENDS_AT(maker, reserved21);
DETKIT_FIELD_ENDS_AT(reserved21, channels);
DETKIT_FIELD_ENDS_AT(channels, reserved56);
DETKIT_FIELD_ENDS_AT(reserved56, calibMarker);
DETKIT_FIELD_ENDS_AT(calibMarker, calibGain);
DETKIT_FIELD_ENDS_AT(calibGain, calibOffset);
DETKIT_FIELD_ENDS_AT(calibOffset, reserved76);
DETKIT_FIELD_ENDS_AT(reserved76, acqYear);
DETKIT_FIELD_ENDS_AT(acqYear, acqMonth);
DETKIT_FIELD_ENDS_AT(acqMonth, acqDay);
DETKIT_FIELD_ENDS_AT(acqDay, reserved86);
DETKIT_FIELD_ENDS_AT(reserved86, acqHour);
DETKIT_FIELD_ENDS_AT(acqHour, acqMinute);
DETKIT_FIELD_ENDS_AT(acqMinute, acqSecond);
DETKIT_FIELD_ENDS_AT(acqSecond, roiLow);
DETKIT_FIELD_ENDS_AT(roiLow, roiHigh);
DETKIT_FIELD_ENDS_AT(roiHigh, roiColor);
DETKIT_FIELD_ENDS_AT(roiColor, reserved694);
DETKIT_FIELD_ENDS_AT(reserved694, presetTime);
DETKIT_FIELD_ENDS_AT(presetTime, reserved708);
DETKIT_FIELD_ENDS_AT(reserved708, liveTime);
DETKIT_FIELD_ENDS_AT(liveTime, realTime);
DETKIT_FIELD_ENDS_AT(realTime, reserved720);
DETKIT_FIELD_ENDS_AT(reserved720, comment);
DETKIT_FIELD_ENDS_AT(comment, sampleId);
DETKIT_FIELD_ENDS_AT(sampleId, reserved838);
#undef DETKIT_FIELD_ENDS_AT
static_assert(Off::reserved838 + sizeof(SpectrumHeader::reserved838) == SpectrumHeader::kSize);

template <typename T, std::size_t N>
void putBytes(std::span<std::uint8_t> out, std::size_t off, const std::array<T, N>& field)
{
    static_assert(sizeof(T) == 1);
    checkRange(out.size(), off, N);
    for (std::size_t i = 0; i < N; ++i)
        out[off + i] = static_cast<std::uint8_t>(field[i]);
}

template <typename T, std::size_t N>
void getBytes(std::span<const std::uint8_t> in, std::size_t off, std::array<T, N>& field)
{
    static_assert(sizeof(T) == 1);
    checkRange(in.size(), off, N);
    for (std::size_t i = 0; i < N; ++i)
        field[i] = static_cast<T>(in[off + i]);
}

template <std::size_t N>
void putInt16s(std::span<std::uint8_t> out, std::size_t off, const std::array<std::int16_t, N>& values)
{
    for (std::size_t i = 0; i < N; ++i)
        writeLe16(out, off + 2 * i, values[i]);
}

template <std::size_t N>
void getInt16s(std::span<const std::uint8_t> in, std::size_t off, std::array<std::int16_t, N>& values)
{
    for (std::size_t i = 0; i < N; ++i)
        values[i] = readLe16(in, off + 2 * i);
}

} // namespace

HeaderBytes encodeHeader(const SpectrumHeader& h)
{
    HeaderBytes bytes{};
    const std::span<std::uint8_t> out(bytes);
    putBytes(out, Off::maker, h.maker);
    putBytes(out, Off::reserved21, h.reserved21);
    writeLe16(out, Off::channels, h.channels);
    putBytes(out, Off::reserved56, h.reserved56);
    writeLeFloat(out, Off::calibMarker, h.calibMarker);
    writeLeFloat(out, Off::calibGain, h.calibGain);
    writeLeFloat(out, Off::calibOffset, h.calibOffset);
    putBytes(out, Off::reserved76, h.reserved76);
    writeLe16(out, Off::acqYear, h.acqYear);
    writeLe16(out, Off::acqMonth, h.acqMonth);
    writeLe16(out, Off::acqDay, h.acqDay);
    putBytes(out, Off::reserved86, h.reserved86);
    writeLe16(out, Off::acqHour, h.acqHour);
    writeLe16(out, Off::acqMinute, h.acqMinute);
    writeLe16(out, Off::acqSecond, h.acqSecond);
    putInt16s(out, Off::roiLow, h.roiLow);
    putInt16s(out, Off::roiHigh, h.roiHigh);
    putInt16s(out, Off::roiColor, h.roiColor);
    putBytes(out, Off::reserved694, h.reserved694);
    writeLe32(out, Off::presetTime, static_cast<std::uint32_t>(h.presetTime));
    putBytes(out, Off::reserved708, h.reserved708);
    writeLe32(out, Off::liveTime, static_cast<std::uint32_t>(h.liveTime));
    writeLe32(out, Off::realTime, static_cast<std::uint32_t>(h.realTime));
    putBytes(out, Off::reserved720, h.reserved720);
    putBytes(out, Off::comment, h.comment);
    putBytes(out, Off::sampleId, h.sampleId);
    putBytes(out, Off::reserved838, h.reserved838);
    return bytes;
}

SpectrumHeader decodeHeader(std::span<const std::uint8_t> in)
{
    checkRange(in.size(), 0, SpectrumHeader::kSize);
    SpectrumHeader h;
    getBytes(in, Off::maker, h.maker);
    getBytes(in, Off::reserved21, h.reserved21);
    h.channels = readLe16(in, Off::channels);
    getBytes(in, Off::reserved56, h.reserved56);
    h.calibMarker = readLeFloat(in, Off::calibMarker);
    h.calibGain = readLeFloat(in, Off::calibGain);
    h.calibOffset = readLeFloat(in, Off::calibOffset);
    getBytes(in, Off::reserved76, h.reserved76);
    h.acqYear = readLe16(in, Off::acqYear);
    h.acqMonth = readLe16(in, Off::acqMonth);
    h.acqDay = readLe16(in, Off::acqDay);
    getBytes(in, Off::reserved86, h.reserved86);
    h.acqHour = readLe16(in, Off::acqHour);
    h.acqMinute = readLe16(in, Off::acqMinute);
    h.acqSecond = readLe16(in, Off::acqSecond);
    getInt16s(in, Off::roiLow, h.roiLow);
    getInt16s(in, Off::roiHigh, h.roiHigh);
    getInt16s(in, Off::roiColor, h.roiColor);
    getBytes(in, Off::reserved694, h.reserved694);
    h.presetTime = readLe32(in, Off::presetTime);
    getBytes(in, Off::reserved708, h.reserved708);
    h.liveTime = readLe32(in, Off::liveTime);
    h.realTime = readLe32(in, Off::realTime);
    getBytes(in, Off::reserved720, h.reserved720);
    getBytes(in, Off::comment, h.comment);
    getBytes(in, Off::sampleId, h.sampleId);
    getBytes(in, Off::reserved838, h.reserved838);
    return h;
}

} // namespace detkit
