#include "spectra/spectrum_file.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

#include "platform/byte_order.h"
#include "platform/format.h"
#include "spectra/spectrum_header_codec.h"

namespace detkit {

namespace {

constexpr std::size_t kHeaderSize = SpectrumHeader::kSize;

ReadResult refuse(ReadResult r, FileReadStatus status, std::size_t offset, std::string reason)
{
    r.ok = false;
    r.status = status;
    r.offset = offset;
    r.reason = std::move(reason);
    return r;
}

} // namespace

ReadResult parseSpectrumBytes(std::span<const std::uint8_t> bytes)
{
    ReadResult r;
    if (bytes.size() < kHeaderSize)
        return refuse(std::move(r), FileReadStatus::shorterThanHeader, bytes.size(),
                      Format("file is %zu bytes, shorter than the 1024-byte header", bytes.size()));

    r.header = decodeHeader(bytes);
    terminateHeaderText(r.header.comment);
    terminateHeaderText(r.header.sampleId);

    const auto body = bytes.subspan(kHeaderSize, std::min(bytes.size(), kFileMaxBytes) - kHeaderSize);
    const std::size_t whole = body.size() / 4;
    r.counts.resize(whole);
    for (std::size_t i = 0; i < whole; ++i)
        r.counts[i] = readLe32(body, 4 * i);

    const int channels = r.header.channels;
    const auto blocks = static_cast<std::int32_t>(whole / kFileBlockCounts);
    r.n = blocks * kFileBlockCounts;
    if (channels == 256 && whole == 256)
        r.n = 256;

    if (r.n == 0)
        return refuse(std::move(r), FileReadStatus::noWholeBlock, kHeaderSize,
                      Format("header says %d channels but the file holds %zu counts, not one whole block of 512",
                             channels, whole));
    if (r.n > kFileMaxCounts)
        return refuse(std::move(r), FileReadStatus::tooManyCounts, kHeaderSize + 4 * std::size_t{kFileMaxCounts},
                      Format("header says %d channels but the file holds more than 4096 counts (%d in whole blocks)",
                             channels, r.n));
    if (channels != r.n)
        return refuse(
            std::move(r), FileReadStatus::channelMismatch, HeaderOffset::channels,
            Format("header says %d channels but the file holds %d counts in whole blocks of 512", channels, r.n));

    r.ok = true;
    r.status = FileReadStatus::accepted;
    return r;
}

ReadResult readSpectrumFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        ReadResult r;
        r.path = path;
        return refuse(std::move(r), FileReadStatus::cannotOpen, 0,
                      "cannot open the file: " + file.errorString().toStdString());
    }
    const QByteArray data = file.read(static_cast<qint64>(kFileMaxBytes));
    ReadResult r = parseSpectrumBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())));
    r.path = path;
    return r;
}

std::vector<std::uint8_t> encodeSpectrumFile(const SpectrumHeader& header, std::span<const std::int32_t> counts)
{
    std::vector<std::uint8_t> bytes(kHeaderSize + 4 * counts.size());
    const HeaderBytes head = encodeHeader(header);
    std::copy(head.begin(), head.end(), bytes.begin());
    const std::span<std::uint8_t> out(bytes);
    for (std::size_t i = 0; i < counts.size(); ++i)
        writeLe32(out, kHeaderSize + 4 * i, static_cast<std::uint32_t>(counts[i]));
    return bytes;
}

WriteResult writeSpectrumFile(const std::string& path, const SpectrumHeader& header,
                              std::span<const std::int32_t> counts, const ChunkWriter& writeChunk)
{
    WriteResult w;
    if (counts.size() > std::size_t{kFileMaxCounts} || static_cast<int>(counts.size()) != header.channels) {
        w.reason = Format("header says %d channels but %zu counts were given", int{header.channels}, counts.size());
        return w;
    }

    const std::vector<std::uint8_t> bytes = encodeSpectrumFile(header, counts);

    // QSaveFile writes beside the target and renames only on commit(); it never
    // falls back to writing the target in place (directWriteFallback is off).
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        w.reason = "cannot create the file: " + file.errorString().toStdString();
        return w;
    }

    const ChunkWriter plain = [](QIODevice& dev, std::span<const std::uint8_t> chunk) -> std::int64_t {
        return dev.write(reinterpret_cast<const char*>(chunk.data()), static_cast<qint64>(chunk.size()));
    };
    const ChunkWriter& put = writeChunk ? writeChunk : plain;

    // The header, then the counts a block at a time.
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t size = at == 0 ? kHeaderSize : std::min(bytes.size() - at, std::size_t{kFileBlockCounts} * 4);
        const std::int64_t done = put(file, std::span(bytes).subspan(at, size));
        if (done != static_cast<std::int64_t>(size)) {
            const std::size_t reached = at + static_cast<std::size_t>(std::max<std::int64_t>(done, 0));
            w.reason = Format("write failed at byte %zu of %zu", reached, bytes.size());
            if (file.error() != QFileDevice::NoError)
                w.reason += ": " + file.errorString().toStdString();
            file.cancelWriting(); // commit() is never called: the destructor removes the temporary file
            return w;
        }
        at += size;
        w.bytesWritten = static_cast<std::int64_t>(at);
    }

    if (!file.commit()) {
        w.reason = "cannot replace the file: " + file.errorString().toStdString();
        return w;
    }
    w.ok = true;
    return w;
}

} // namespace detkit
