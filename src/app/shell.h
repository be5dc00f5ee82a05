#pragma once
// Handlers of the application shell that need no widget.

#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

inline constexpr const char* kProgramName = "detkit";
inline constexpr const char* kMainCaption = "pQZN KELDAN Controll Program";

// A click into the status field shows the local date and time.
void Edit1Click(SharedState& s, Form& f);

// Shows the About box.
void About1Click(SharedState& s);

}  // namespace detkit
