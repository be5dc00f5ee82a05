#pragma once
// Plain-text description of a spectrum file for the command line.

#include <string>

#include "spectra/spectrum_file.h"

namespace detkit {

// For an accepted file: one "name: value" line per header field (channels,
// maker, calibration, acquisition date and time, preset/live/real time in
// seconds, comment, sample ID, each ROI whose limits are set) and the total
// count. For a refused file: exactly one line, the reason.
std::string describeSpectrumFile(const ReadResult& r);

} // namespace detkit
