#include "spectra/header_state.h"

#include <cmath>

#include "spectra/spectrum_header_codec.h"

namespace detkit {

void FillHeader(SharedState& s)
{
    SpectrumHeader& h = s.WorkingHeader;
    h.channels = static_cast<std::int16_t>(s.ChannelCount);
    setHeaderText(h.maker, kMakerText);

    const EnergyCalibration& cal = s.EnergyCalibration;
    if (cal.Valid == 1) {
        h.calibMarker = 0.0f;
        h.calibGain = cal.Slope;
        h.calibOffset = cal.Offset;
    } else {
        h.calibMarker = 1.0f;
        h.calibGain = 0.0f;
    }

    for (std::size_t j = 0; j < s.RoiTable.size(); ++j) {
        h.roiLow[j] = static_cast<std::int16_t>(s.RoiTable[j].lowCh);
        h.roiHigh[j] = static_cast<std::int16_t>(s.RoiTable[j].highCh);
        h.roiColor[j] = static_cast<std::int16_t>(s.RoiTable[j].color);
    }

    h.liveTime = s.AcquisitionTimes.liveTime;
    h.realTime = s.AcquisitionTimes.realTime;
    h.presetTime = s.AcquisitionTimes.presetTime;
}

void ApplyHeader(SharedState& s, const SpectrumHeader& h)
{
    s.AcquisitionTimes.liveTime = h.liveTime;
    s.AcquisitionTimes.realTime = h.realTime;
    s.AcquisitionTimes.presetTime = h.presetTime;

    if (h.calibMarker != 1.0f && std::isfinite(h.calibGain) && std::isfinite(h.calibOffset)) {
        s.EnergyCalibration.Slope = h.calibGain;
        s.EnergyCalibration.Offset = h.calibOffset;
        s.EnergyCalibration.Valid = 1;
    }

    // int16 -> int32 sign-extends: pure green 0x00FF00 comes back as -256.
    for (std::size_t j = 0; j < s.RoiTable.size(); ++j) {
        s.RoiTable[j].lowCh = h.roiLow[j];
        s.RoiTable[j].highCh = h.roiHigh[j];
        s.RoiTable[j].color = h.roiColor[j];
    }
}

} // namespace detkit
