#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "spectra/spectrum_file.h"
#include "spectra/spectrum_info.h"
#include "spectra_test_support.h"

namespace detkit {
namespace {

// Truncated and bit-flipped copies of one valid file: each must give a verdict
// that agrees with its own rules, never a crash or a read past the bytes.
TEST(SpectrumFileRobustness, MutatedAndTruncatedFilesNeverCrash)
{
    const std::vector<std::uint8_t> valid = test::fileBytes(1024, 1024);
    std::mt19937 rng(20240517); // fixed seed: the same few thousand files every run
    int accepted = 0;

    auto judge = [&](const std::vector<std::uint8_t>& bytes) {
        const ReadResult r = parseSpectrumBytes(bytes);
        ASSERT_LE(r.counts.size(), 8192u);
        if (r.ok) {
            ++accepted;
            ASSERT_GT(r.n, 0);
            ASSERT_LE(r.n, 4096);
            ASSERT_EQ(r.n, r.header.channels);
            ASSERT_LE(static_cast<std::size_t>(r.n), r.counts.size());
        } else {
            ASSERT_FALSE(r.reason.empty());
        }
        ASSERT_FALSE(describeSpectrumFile(r).empty());
    };

    // Every length from the empty file to one block past the end, in steps.
    for (std::size_t len = 0; len <= valid.size() + 2048; len += 7) {
        std::vector<std::uint8_t> b = valid;
        b.resize(len, 0x00);
        judge(b);
    }

    std::uniform_int_distribution<std::size_t> anyByte(0, valid.size() - 1);
    std::uniform_int_distribution<std::size_t> headerByte(0, 1023);
    std::uniform_int_distribution<int> anyValue(0, 255);
    for (int i = 0; i < 3000; ++i) {
        std::vector<std::uint8_t> b = valid;
        const int flips = 1 + i % 8;
        for (int k = 0; k < flips; ++k) {
            // Most mutations hit the header, where the fields that steer the reader lie.
            const std::size_t at = (k % 2 == 0) ? headerByte(rng) : anyByte(rng);
            b[at] = static_cast<std::uint8_t>(anyValue(rng));
        }
        if (i % 3 == 0)
            b.resize(std::uniform_int_distribution<std::size_t>(0, b.size())(rng));
        // The channel count itself, to any 16-bit value.
        if (i % 5 == 0) {
            const auto ch = static_cast<std::uint16_t>(anyValue(rng) << 8 | anyValue(rng));
            if (b.size() >= 56) {
                b[54] = static_cast<std::uint8_t>(ch);
                b[55] = static_cast<std::uint8_t>(ch >> 8);
            }
        }
        judge(b);
    }
    EXPECT_GT(accepted, 0); // the mutations do not all break the file
}

} // namespace
} // namespace detkit
