// One poll tick at 4096 channels against the simulated analyser: spectrum and
// status read, times and rate, full redraw. Zero latency on a stepped clock
// gives the host's own cost; 1 ms per exchange on the system clock shows how
// much of the wait burns CPU.

#include <benchmark/benchmark.h>

#include "support/gui_bench_main.h"



#include "acquisition/acquisition_control.h"
#include "device/link.h"
#include "device/protocol.h"
#include "device/sim/simulated_analyser.h"
#include "display/vertical_scale.h"
#include "platform/clock.h"
#include "state/form.h"
#include "state/shared_state.h"

namespace detkit {
namespace {

template <class ClockType>
struct Rig {
    explicit Rig(int latencyMs)
        : sim(clock, [&] {
              SimulatedAnalyserOptions o;
              o.latencyPerExchangeMs = latencyMs;
              o.transferUsPerByte = latencyMs > 0 ? 1.0 : 0.0;
              return o;
          }())
    {
        s.io.clock = &clock;
        s.io.driver = &sim;
        OpenDevice(s, 0);
        SetMemorySize(s, 4096);
        s.ChannelCount = 4096;
        s.DisplayWindow = {0, 4095};
        BuildLogBackground(s);
        StartMca(s, f);
    }
    ClockType clock;
    SimulatedAnalyser sim;
    SharedState s;
    Form f;
};

void BM_McaTick4096NoLatency(benchmark::State& state)
{
    Rig<ManualClock> rig(0);
    for (auto _ : state) {
        rig.clock.advance(100);  // a tick's worth of counting in the simulator
        Timer1Timer(rig.s, rig.f);
    }
    state.counters["acquiring"] = rig.s.Acquiring;
}
BENCHMARK(BM_McaTick4096NoLatency)->Unit(benchmark::kMicrosecond);

void BM_60McaTicks4096Latency1ms(benchmark::State& state)
{
    Rig<SystemClock> rig(1);
    for (auto _ : state)
        for (int tick = 0; tick < 60; ++tick)
            Timer1Timer(rig.s, rig.f);
    state.counters["acquiring"] = rig.s.Acquiring;
}
BENCHMARK(BM_60McaTicks4096Latency1ms)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace detkit

int main(int argc, char** argv) { return detkit::runGuiBenchmarks(argc, argv); }
