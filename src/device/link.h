#pragma once
// Opening the analyser: list the attached analysers by serial number, open
// one, and configure the link (reset, 6 ms latency, 3000 ms time-outs, purge).

#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

// Opens analyser n (callers pass 0) into DeviceTable[n]. Returns 1 when it is
// open and configured. DeviceCount takes the count of every listing that
// succeeds. A failed open leaves a handle already in the table untouched.
int OpenDevice(SharedState& s, int n);

// The "OpenMCA" button: the first open shows the count in Edit2 and enables
// the six acquisition buttons, or shows "Error"; once analysers were found, a
// further press only opens again.
void McaOpenClick(SharedState& s, Form& f);

} // namespace detkit
