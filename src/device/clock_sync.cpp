#include "device/clock_sync.h"

#include "device/commands.h"
#include "device/protocol.h"
#include "platform/clock.h"

namespace detkit {

void ClockSYNC1Click(SharedState& s, Form& f)
{
    if (s.io.clock == nullptr)
        return;
    const std::string command = ClockCommand(s.io.clock->now());
    f.Edit1.text = command;
    CommandExchange(s, command); // the operator is shown no result
}

} // namespace detkit
