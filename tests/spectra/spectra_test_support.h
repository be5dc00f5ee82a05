#pragma once
// Small helpers shared by the spectra tests: files in a temporary folder and
// spectra built from a formula, so every test starts from known bytes.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

#include "spectra/spectrum_file.h"
#include "spectra/spectrum_header_codec.h"

namespace detkit::test {

inline std::vector<std::int32_t> rampCounts(std::size_t n, std::int32_t seed = 7)
{
    std::vector<std::int32_t> c(n);
    for (std::size_t i = 0; i < n; ++i)
        c[i] = static_cast<std::int32_t>((i * 2654435761u + static_cast<std::uint32_t>(seed)) % 100000) - 50;
    return c;
}

// A header of `channels` channels followed by `counts` counts and `extraBytes` bytes.
inline std::vector<std::uint8_t> fileBytes(int channels, std::size_t counts, std::size_t extraBytes = 0)
{
    SpectrumHeader h;
    h.channels = static_cast<std::int16_t>(channels);
    setHeaderText(h.maker, kMakerText);
    std::vector<std::uint8_t> b = encodeSpectrumFile(h, rampCounts(counts));
    b.resize(b.size() + extraBytes, 0xEE);
    return b;
}

inline std::string pathIn(const QTemporaryDir& dir, const char* name)
{
    return dir.filePath(QString::fromUtf8(name)).toStdString();
}

inline void writeRaw(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write test fixture " + path);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

inline std::vector<std::uint8_t> readRaw(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray a = f.readAll();
    return std::vector<std::uint8_t>(a.begin(), a.end());
}

inline QStringList entriesOf(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace detkit::test
