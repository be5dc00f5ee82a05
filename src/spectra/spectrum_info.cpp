#include "spectra/spectrum_info.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "platform/format.h"
#include "spectra/spectrum_header_codec.h"

namespace detkit {

namespace {

// Times are stored in 0.1 s units.
std::string seconds(std::int32_t tenths)
{
    return Format("%.1f s", static_cast<double>(tenths) * 0.1);
}

} // namespace

std::string describeSpectrumFile(const ReadResult& r)
{
    if (!r.ok)
        return (r.path.empty() ? std::string() : r.path + ": ") + "refused: " + r.reason + "\n";

    const SpectrumHeader& h = r.header;
    std::string out;
    if (!r.path.empty())
        out += "file:        " + r.path + "\n";
    out += Format("channels:    %d\n", int{h.channels});
    out += "maker:       " + headerText(h.maker) + "\n";
    if (h.calibMarker == 1.0f)
        out += "calibration: none\n";
    else
        out += Format("calibration: %g keV/ch, offset %g keV\n", static_cast<double>(h.calibGain),
                      static_cast<double>(h.calibOffset));
    out += Format("acquired:    %04d-%02d-%02d %02d:%02d:%02d\n", int{h.acqYear}, int{h.acqMonth}, int{h.acqDay},
                  int{h.acqHour}, int{h.acqMinute}, int{h.acqSecond});
    out += "preset time: " + seconds(h.presetTime) + "\n";
    out += "live time:   " + seconds(h.liveTime) + "\n";
    out += "real time:   " + seconds(h.realTime) + "\n";
    out += "comment:     " + headerText(h.comment) + "\n";
    out += "sample ID:   " + headerText(h.sampleId) + "\n";
    for (int j = 0; j < 16; ++j) {
        const auto low = h.roiLow[static_cast<std::size_t>(j)];
        const auto high = h.roiHigh[static_cast<std::size_t>(j)];
        if (low == 0 && high == 0)
            continue;
        out += Format("ROI %-2d:      %d-%d ch, colour 0x%04X\n", j, int{low}, int{high},
                      static_cast<unsigned>(static_cast<std::uint16_t>(h.roiColor[static_cast<std::size_t>(j)])));
    }
    // Exact 64-bit sum: a readout of the file, not the plot's single-precision total.
    const auto used = r.counts.begin() + std::min<std::ptrdiff_t>(r.n, static_cast<std::ptrdiff_t>(r.counts.size()));
    const std::int64_t total = std::accumulate(r.counts.begin(), used, std::int64_t{0});
    out += Format("total count: %lld\n", static_cast<long long>(total));
    return out;
}

} // namespace detkit
