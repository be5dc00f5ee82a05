#pragma once
// The analyser's 310-byte status record as the host keeps it: the raw bytes,
// read and written through named accessors at their offsets.

#include <array>
#include <cstdint>

#include "platform/byte_order.h"

namespace detkit {

struct StatusBlock {
    static constexpr int kSize = 310;
    static constexpr int kProfileSize = 256;
    enum Offset : int {
        profileOffset = 0,
        windowFirstOffset = 256,
        windowLastOffset = 258,
        cursorOffset = 260,
        vfsIndexOffset = 264,
        elapsedOffset = 268,
        totalCountsOffset = 272,
        passDoneOffset = 309,
    };

    std::array<std::uint8_t, kSize> bytes{};

    std::uint8_t profile(int i) const { return bytes.at(static_cast<std::size_t>(i)); }
    std::int16_t windowFirst() const { return readLe16(bytes, windowFirstOffset); }
    std::int16_t windowLast() const { return readLe16(bytes, windowLastOffset); }
    std::int16_t cursor() const { return readLe16(bytes, cursorOffset); }
    std::int16_t vfsIndex() const { return readLe16(bytes, vfsIndexOffset); }
    std::int32_t elapsed() const { return readLe32(bytes, elapsedOffset); }  // 0.01 s
    std::int32_t totalCounts() const { return readLe32(bytes, totalCountsOffset); }
    std::uint8_t passDone() const { return bytes[passDoneOffset]; }

    // The local window steps keep the host copy in line with the plot.
    void setWindowFirst(int v) { writeLe16(bytes, windowFirstOffset, v); }
    void setWindowLast(int v) { writeLe16(bytes, windowLastOffset, v); }
};

}  // namespace detkit
