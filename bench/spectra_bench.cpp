// Save and read of a full 4096-channel spectrum file, on the local disk.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <vector>

#include "spectra/spectrum_file.h"
#include "spectra/spectrum_header_codec.h"

namespace {

using namespace detkit;

struct Fixture {
    QTemporaryDir dir;
    std::string path = dir.filePath("bench.dat").toStdString();
    SpectrumHeader header;
    std::vector<std::int32_t> counts = std::vector<std::int32_t>(4096);

    Fixture()
    {
        header.channels = 4096;
        setHeaderText(header.maker, kMakerText);
        for (std::size_t i = 0; i < counts.size(); ++i)
            counts[i] = static_cast<std::int32_t>((i * 7919) % 50000);
    }
};

// Temporary file, flush to disk, rename: what the operator waits for on "Write".
void BM_SaveSpectrum4096(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        const WriteResult w = writeSpectrumFile(f.path, f.header, f.counts);
        if (!w.ok)
            state.SkipWithError(w.reason.c_str());
    }
    state.SetBytesProcessed(state.iterations() * (1024 + 4 * 4096));
}
BENCHMARK(BM_SaveSpectrum4096)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_ReadSpectrum4096(benchmark::State& state)
{
    Fixture f;
    if (!writeSpectrumFile(f.path, f.header, f.counts).ok) {
        state.SkipWithError("cannot write the file to read");
        return;
    }
    for (auto _ : state) {
        ReadResult r = readSpectrumFile(f.path);
        benchmark::DoNotOptimize(r);
        if (!r.ok)
            state.SkipWithError(r.reason.c_str());
    }
    state.SetBytesProcessed(state.iterations() * (1024 + 4 * 4096));
}
BENCHMARK(BM_ReadSpectrum4096)->Unit(benchmark::kMicrosecond);

// The pure encode and decode, without the file system.
void BM_EncodeParse4096(benchmark::State& state)
{
    Fixture f;
    for (auto _ : state) {
        const auto bytes = encodeSpectrumFile(f.header, f.counts);
        ReadResult r = parseSpectrumBytes(bytes);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_EncodeParse4096)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
