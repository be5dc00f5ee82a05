#pragma once
// Setting the analyser's clock to the local date and time, to the minute.

#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

// The "ClockSYNC" menu item: shows "$t" yymmddhhmm ";" in Edit1 and sends it.
// The reply is read but not reported; with no analyser open only Edit1 changes.
void ClockSYNC1Click(SharedState& s, Form& f);

} // namespace detkit
