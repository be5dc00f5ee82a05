#pragma once
// The binary spectrum file: a 1024-byte header, then one little-endian int32
// per channel. Reading keeps the reason of a refusal; writing replaces the
// target only once every byte has reached the disk.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "state/spectrum_header.h"

class QIODevice;

namespace detkit {

inline constexpr int kFileBlockCounts = 512; // counts are taken in whole blocks of 512
inline constexpr int kFileMaxBlocks = 16;    // enough to tell a file of more than 4096 counts
inline constexpr int kFileMaxCounts = 4096;
inline constexpr std::size_t kFileMaxBytes = SpectrumHeader::kSize + std::size_t{kFileBlockCounts} * kFileMaxBlocks * 4;

enum class FileReadStatus {
    accepted,
    cannotOpen,
    shorterThanHeader, // n = 0
    noWholeBlock,      // fewer than 512 counts (and not an exact 256-channel file): n = 0
    tooManyCounts,     // more than 4096 counts in whole blocks
    channelMismatch,   // header's channels differ from n
};

struct ReadResult {
    bool ok = false;
    FileReadStatus status = FileReadStatus::cannotOpen;
    std::string path;
    // The file's first 1024 bytes; comment and sample ID always end in a NUL.
    SpectrumHeader header;
    // Every whole count after the header, at most 16 blocks: a refused file's
    // counts are still shown, as the operator expects from a partial read.
    std::vector<std::int32_t> counts;
    // Counts in whole blocks of 512 (or 256 for an exact 256-channel file);
    // the channel count of an accepted file, the figure shown for a refusal.
    std::int32_t n = 0;
    std::size_t offset = 0; // byte offset where the fault was found
    std::string reason;     // one line, empty when accepted
};

// Judges the bytes of a file (only the first kFileMaxBytes matter). Accepted
// when the header's channels equal n and 0 < n <= 4096, where n is 512 x the
// whole blocks of 512 counts (at most 16); surplus counts short of a block are
// ignored. A header of 256 channels followed by exactly 256 counts is accepted
// with n = 256, so that a 256-channel save can be read back.
ReadResult parseSpectrumBytes(std::span<const std::uint8_t> bytes);

// Reads at most kFileMaxBytes of `path` and judges them as above.
ReadResult readSpectrumFile(const std::string& path);

struct WriteResult {
    bool ok = false;
    std::int64_t bytesWritten = 0; // into the temporary file
    std::string reason;
};

// Writes one chunk into the open temporary file; returns the bytes taken or -1.
// The default writes straight through; tests give one that fails part way.
using ChunkWriter = std::function<std::int64_t(QIODevice& file, std::span<const std::uint8_t> chunk)>;

// Header then counts, written to a temporary file in the target's folder,
// flushed to disk and renamed over `path` only when all went well. On any
// failure the temporary file is removed and an existing `path` is untouched.
// `counts` must number header.channels, at most 4096.
WriteResult writeSpectrumFile(const std::string& path, const SpectrumHeader& header,
                              std::span<const std::int32_t> counts, const ChunkWriter& writeChunk = {});

// The bytes of a spectrum file, as writeSpectrumFile puts them on disk.
std::vector<std::uint8_t> encodeSpectrumFile(const SpectrumHeader& header, std::span<const std::int32_t> counts);

} // namespace detkit
