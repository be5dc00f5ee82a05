#pragma once
// A host state wired to a simulated analyser on a stepped clock, opened.

#include <gtest/gtest.h>

#include "device/link.h"
#include "device/sim/simulated_analyser.h"
#include "platform/clock.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {

inline SimulatedAnalyserOptions instantReplies()
{
    SimulatedAnalyserOptions o;
    o.latencyPerExchangeMs = 0;
    o.transferUsPerByte = 0;
    return o;
}

struct SimLink {
    explicit SimLink(SimulatedAnalyserOptions options = instantReplies(), bool open = true) : sim(clock, options)
    {
        s.io.clock = &clock;
        s.io.driver = &sim;
        if (open) {
            EXPECT_EQ(OpenDevice(s, 0), 1);
        }
        sim.clearCommandLog();
    }

    ManualClock clock;
    SimulatedAnalyser sim;
    SharedState s;
    Form f;
};

} // namespace detkit
