#pragma once
// Button10 "SetUp" on the MCA page: runs the set-up dialog and applies what
// the operator confirmed to the host's state and the headers.

namespace detkit {

struct SharedState;
struct Form;

void Button10Click(SharedState& s, Form& form);

} // namespace detkit
