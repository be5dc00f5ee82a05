#pragma once
// Moving data between a spectrum header and the shared state.

#include "state/shared_state.h"

namespace detkit {

// Copies the spectrum on display's description into WorkingHeader before a
// save: channel count, maker, calibration (marker 0.0 with the coefficients
// when one is valid, 1.0 and gain 0 otherwise), ROI limits and colours of the
// 16 regions (low 16 bits), and the three times (0.1 s). Everything else in
// WorkingHeader (date, comment, sample ID, reserved bytes) stays as it is.
void FillHeader(SharedState& s);

// Takes the times, the calibration and the ROI limits and colours from `h`.
// A marker of exactly 1.0 means "no calibration stored" and leaves the one in
// force; so does a stored calibration that is not a finite number, which a
// damaged file could otherwise push into every energy shown. ROI values are
// sign-extended from 16 bits; used, on and name of the regions stay.
void ApplyHeader(SharedState& s, const SpectrumHeader& h);

} // namespace detkit
