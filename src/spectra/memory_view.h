#pragma once
// Choosing which stored spectrum is on display.

#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

// Puts memory slot `slot` (1 to 3) on display: its name, header, channel
// count, counts and the header's times, calibration and ROI limits become the
// spectrum on display; the plot is redrawn. DisplayWindow and CursorChannel
// stay. A slot that never received a spectrum has 0 channels: no count moves.
void MemSpecClick(SharedState& s, Form& f, int slot);

inline void Mem1SpecClick(SharedState& s, Form& f)
{
    MemSpecClick(s, f, 1);
}
inline void Mem2SpecClick(SharedState& s, Form& f)
{
    MemSpecClick(s, f, 2);
}
inline void Mem3SpecClick(SharedState& s, Form& f)
{
    MemSpecClick(s, f, 3);
}

} // namespace detkit
