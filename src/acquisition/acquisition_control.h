#pragma once
// The "Start", "Stop" and "Clear" buttons of the MCA page, and the tick of
// Timer1 that polls the analyser while an acquisition runs.

#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

// Shown when the last read at the preset end did not deliver the whole spectrum.
inline constexpr const char* kSpectrumReadError = "Spectrum Read Error !";

// Stamps the header with the date and time of the press and starts the
// analyser ("$G;"), opening it first if none was found yet.
void McaStartClick(SharedState& s, Form& f);
// Sends "$S;" whatever the state.
void McaStopClick(SharedState& s, Form& f);
// Sends "$C;"; the acquisition goes on.
void McaClearClick(SharedState& s, Form& f);

// One tick of the poll loop: the MCA branch (spectrum, status, view mirroring,
// times and rate, the preset end, redraw) or the scan branch (passes and the
// profile plot), chosen by AcquisitionMode.
void Timer1Timer(SharedState& s, Form& f);

}  // namespace detkit
