#pragma once
// The one little-endian reader/writer of the wire protocol and the spectrum
// file. Every access is bounds-checked: reading or writing past the end
// throws std::out_of_range instead of touching memory that is not there.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

namespace detkit {

inline void checkRange(std::size_t size, std::size_t offset, std::size_t width)
{
    if (offset > size || width > size - offset)
        throw std::out_of_range("byte access past the end of a record");
}

inline std::uint16_t readLeU16(std::span<const std::uint8_t> b, std::size_t off)
{
    checkRange(b.size(), off, 2);
    return static_cast<std::uint16_t>(b[off] | (b[off + 1] << 8));
}

inline std::int16_t readLe16(std::span<const std::uint8_t> b, std::size_t off)
{
    return static_cast<std::int16_t>(readLeU16(b, off));
}

inline std::uint32_t readLeU32(std::span<const std::uint8_t> b, std::size_t off)
{
    checkRange(b.size(), off, 4);
    return static_cast<std::uint32_t>(b[off]) | (static_cast<std::uint32_t>(b[off + 1]) << 8) |
           (static_cast<std::uint32_t>(b[off + 2]) << 16) | (static_cast<std::uint32_t>(b[off + 3]) << 24);
}

inline std::int32_t readLe32(std::span<const std::uint8_t> b, std::size_t off)
{
    return static_cast<std::int32_t>(readLeU32(b, off));
}

inline float readLeFloat(std::span<const std::uint8_t> b, std::size_t off)
{
    const std::uint32_t bits = readLeU32(b, off);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

inline void writeLe16(std::span<std::uint8_t> b, std::size_t off, std::int32_t v)
{
    checkRange(b.size(), off, 2);
    const auto u = static_cast<std::uint32_t>(v);
    b[off] = static_cast<std::uint8_t>(u);
    b[off + 1] = static_cast<std::uint8_t>(u >> 8);
}

inline void writeLe32(std::span<std::uint8_t> b, std::size_t off, std::uint32_t v)
{
    checkRange(b.size(), off, 4);
    b[off] = static_cast<std::uint8_t>(v);
    b[off + 1] = static_cast<std::uint8_t>(v >> 8);
    b[off + 2] = static_cast<std::uint8_t>(v >> 16);
    b[off + 3] = static_cast<std::uint8_t>(v >> 24);
}

inline void writeLeFloat(std::span<std::uint8_t> b, std::size_t off, float f)
{
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    writeLe32(b, off, bits);
}

}  // namespace detkit
